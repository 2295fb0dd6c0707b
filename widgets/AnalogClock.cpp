#include "instruments/AnalogClock.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "canvas/painter/PaintMemo.h"
#include "canvas/surface/Rounding.h"
#include "instruments/Colour.h"
#include "instruments/Face.h"
#include "widgets/InstrumentParts.h"

namespace instruments {

namespace {

// The dial's own degree-to-radian factor, kept at its single-precision value
// rather than pi / 180: many dots fall within thousandths of a half pixel, and
// this value decides on which side they land.
constexpr float kRadiansPerDegree = 0.017453f;

// Hands and dots stop this many percent short of the frame width's percentage.
constexpr int kReachMargin = 4;

constexpr float kHourLength = 0.7f;
constexpr float kMinuteLength = 0.96f;
constexpr float kSecondLength = 1.0f;
constexpr int kHandPen = 4;
constexpr int kSecondPen = 1;
constexpr int kDegreesPerTick = 6;
constexpr float kDotStep = 30.0f;
constexpr float kLastDot = 360.0f;

struct Hand {
    double angle = 0;
    float length = 0;
    int pen = 0;
    instruments::Colour colour = 0;
};

// Centre and reach of the face: the centre stays real (40.5 is drawn at 40 by
// the canvas), and the reach is the percentage (100 - p) of the half-sizes.
struct Dial {
    float cx = 0;
    float cy = 0;
    double reachPercent = 0;
};

double Radians(double degrees) {
    return static_cast<double>(kRadiansPerDegree) * degrees;
}

void DrawHand(instruments::Painter& p, const Dial& dial, const Hand& hand) {
    // Each offset is held in single precision before it is added to the centre.
    const double a = Radians(hand.angle);
    const auto dx = static_cast<float>(dial.cx * std::sin(a) * hand.length * dial.reachPercent / 100.0);
    const auto dy = static_cast<float>(dial.cy * std::cos(a) * hand.length * dial.reachPercent / 100.0);
    p.Width(hand.pen);
    p.SetPos(dial.cx, dial.cy);
    p.LineTo(dial.cx + dx, dial.cy - dy, hand.colour);
}

// The dots lie on the ellipse of the second hand's tip, but with the cosine
// added, so the 0-degree dot is below the centre. The marks are symmetric about
// the centre row, so that sign only shows in the pixels that coordinates within
// a hair of a half round to; the dial's layout depends on exactly those.
void DrawHourDots(instruments::Painter& p, const Dial& dial) {
    const instruments::Colour white = instruments::Rgb(255, 255, 255);
    for (float degrees = 0; degrees <= kLastDot; degrees += kDotStep) {
        const double a = Radians(degrees);
        p.SetPixel(dial.cx * (1 + std::sin(a) * dial.reachPercent / 100),
                   dial.cy * (1 + std::cos(a) * dial.reachPercent / 100), white);
    }
}

}  // namespace

int HourAngle(int hh, int mm, int hourOffset) {
    // 64-bit so that no offset overflows; % keeps the sign of the sum.
    const std::int64_t hour = (static_cast<std::int64_t>(hh) + hourOffset) % 24;
    const double minuteAngle = static_cast<double>(kDegreesPerTick) * mm;
    return instruments::RoundHalfEven(30.0 * (static_cast<double>(hour) + minuteAngle / 360.0));
}

AnalogClock::AnalogClock(instruments::Size size, Settings settings, const instruments::Surface* picture)
    : Instrument(size),
      settings_(std::move(settings)),
      face_(PaintFace(size, settings_.frame, settings_.background, picture)) {}

AnalogClock::AnalogClock(Settings settings, instruments::PixelBlock face)
    : Instrument({face.width(), face.height()}), settings_(std::move(settings)), face_(std::move(face)) {
    CheckFace({face_.width(), face_.height()}, settings_.frame);
}

void AnalogClock::SetTime(const instruments::LocalTime& time, int hourOffset) {
    // The hands are drawn from these three angles alone.
    const bool moved =
        HourAngle(time.hour, time.minute, hourOffset) != HourAngle(time_.hour, time_.minute, hourOffset_) ||
        time.minute != time_.minute || time.second != time_.second;
    time_ = time;
    hourOffset_ = hourOffset;
    if (moved) {
        Invalidate();
    }
}

void AnalogClock::PaintState(instruments::Painter& painter) const {
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    PaintClockHands(painter, settings_.frame.width, time_, hourOffset_);
}

void AppendClockInputs(std::string& key, const instruments::LocalTime& time, int hourOffset) {
    AppendInput(key, time.hour);
    AppendInput(key, time.minute);
    AppendInput(key, time.second);
    AppendInput(key, hourOffset);
}

void PaintClockHands(instruments::Painter& painter, int frameWidth, const instruments::LocalTime& time,
                     int hourOffset) {
    const instruments::Size size = painter.ClientSize();
    const double p = static_cast<double>(frameWidth) + kReachMargin;
    const Dial dial{static_cast<float>(size.width) / 2.0f, static_cast<float>(size.height) / 2.0f, 100.0 - p};
    const Hand hands[] = {
        {static_cast<double>(HourAngle(time.hour, time.minute, hourOffset)), kHourLength, kHandPen,
         instruments::Rgb(255, 155, 155)},
        {static_cast<double>(kDegreesPerTick) * time.minute, kMinuteLength, kHandPen,
         instruments::Rgb(255, 195, 195)},
        {static_cast<double>(kDegreesPerTick) * time.second, kSecondLength, kSecondPen,
         instruments::Rgb(255, 0, 0)},
    };
    for (const Hand& hand : hands) {
        DrawHand(painter, dial, hand);
    }
    DrawHourDots(painter, dial);
    painter.Width(1);
}

}  // namespace instruments
