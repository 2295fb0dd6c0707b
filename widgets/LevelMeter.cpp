#include "instruments/LevelMeter.h"

#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/surface/Rounding.h"
#include "instruments/Face.h"
#include "instruments/SettingsError.h"
#include "widgets/Caption.h"
#include "widgets/InstrumentParts.h"

namespace instruments {

namespace {

// Row of the scale line, which every needle's target lies on.
constexpr int kScaleRow = 20;
// The tick row sits this fraction of the height above the scale line. Kept at its
// single-precision value, a hair above 0.05: where 0.05 x h ends in a half
// (h = 30, 50, ...) the row then falls just short of the half and rounds down.
constexpr float kTickRowRise = 0.05f;
constexpr int kTickStep = 5;
constexpr int kFullScale = 100;
constexpr instruments::Colour kTickColour = 0xFFFFFF;
// A label's top lies this far below the tick row.
constexpr int kLabelGap = 2;

// Where the meter's lines are anchored, in pixels of the display. All integer
// arithmetic goes through doubles and saturating rounding, so no frame width or
// size can overflow.
struct MeterGeometry {
    double frame = 0;
    int width = 0;
    int pivotX = 0;
    int pivotY = 0;
    int baseRow = 0;
    double tipRow = 0;
    int tickRow = 0;

    // The target on the scale line for a value: 2b at 0, w - 2b at 100.
    int ScaleX(double value) const {
        return instruments::RoundHalfEven(2 * frame + value * (width - 4 * frame) / kFullScale);
    }
    // Where the needle aimed at a target crosses a row.
    int NeedleX(int targetX, int row) const { return LineXAtY(pivotX, pivotY, targetX, kScaleRow, row); }
};

MeterGeometry GeometryOf(int width, int height, int frameWidth) {
    MeterGeometry g;
    g.frame = frameWidth;
    g.width = width;
    g.pivotX = instruments::RoundHalfEven(width / 2.0);
    g.pivotY = instruments::RoundHalfEven(2.0 * height);
    g.baseRow = instruments::RoundHalfEven(static_cast<double>(height) - frameWidth - 2);
    g.tipRow = kScaleRow - static_cast<double>(kTickRowRise) * height;
    g.tickRow = instruments::RoundHalfEven(g.tipRow);
    return g;
}

void DrawNeedle(instruments::Painter& p, const MeterGeometry& g, double value, instruments::Ink ink) {
    // A NaN has no place on the scale; rounding would quietly show it as 0.
    if (std::isnan(value)) {
        return;
    }
    const int target = g.ScaleX(value);
    p.SetPos(g.NeedleX(target, g.baseRow), g.baseRow);
    p.LineTo(g.NeedleX(target, g.tickRow), g.tipRow, ink);
}

// Ticks go on after the needle so that they stay visible on top of it.
void DrawTicks(instruments::Painter& p, const MeterGeometry& g) {
    for (int i = 0; i <= kFullScale; i += kTickStep) {
        p.SetPixel(g.NeedleX(g.ScaleX(i), g.tickRow), g.tipRow, kTickColour);
    }
}

// The labels go on last, over the needle and the ticks.
void DrawLabels(instruments::Painter& p, const MeterGeometry& g, const std::vector<LevelMeter::Label>& labels,
                const std::vector<double>& scaleValues) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::string& text = labels[i].text;
        const int tickX = g.NeedleX(g.ScaleX(scaleValues[i]), g.tickRow);
        PrintLine(p, tickX - p.TextSize(text).width / 2, g.tickRow + kLabelGap, kTickColour, text);
    }
}

// Where the needle of a value on the 0..100 scale aims, which alone decides
// its pixels; none for a NaN or a face without needles.
std::optional<int> NeedleTarget(const MeterGeometry& g, double value) {
    if (std::isnan(value) || g.pivotY == kScaleRow) {
        return std::nullopt;
    }
    return g.ScaleX(value);
}

std::string NumberText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

const LevelMeter::Settings& Checked(const LevelMeter::Settings& settings) {
    const LevelMeter::Range& range = settings.range;
    if (!std::isfinite(range.min) || !std::isfinite(range.max) || range.min == range.max) {
        throw SettingsError("range " + NumberText(range.min) + " .. " + NumberText(range.max) +
                            " is not a scale: its ends must be two different finite numbers");
    }
    for (std::size_t i = 0; i < settings.labels.size(); ++i) {
        if (!std::isfinite(settings.labels[i].value)) {
            throw SettingsError("labels[" + std::to_string(i) + "].value " +
                                NumberText(settings.labels[i].value) + " is not a finite number");
        }
    }
    return settings;
}

}  // namespace

int LineXAtY(int x1, int y1, int x2, int y2, int y) {
    if (y1 == y2) {
        return x1;
    }
    const double numerator = static_cast<double>(y) * (static_cast<double>(x1) - x2) -
                             static_cast<double>(x1) * y2 + static_cast<double>(y1) * x2;
    return instruments::RoundHalfEven(numerator / (static_cast<double>(y1) - y2));
}

LevelMeter::LevelMeter(instruments::Size size, Settings settings, const instruments::Surface* picture)
    : Instrument(size),
      settings_(Checked(settings)),
      face_(PaintFace(size, settings_.frame, settings_.background, picture)),
      level_(std::numeric_limits<double>::quiet_NaN()) {}

LevelMeter::LevelMeter(Settings settings, instruments::PixelBlock face)
    : Instrument({face.width(), face.height()}),
      settings_(Checked(settings)),
      face_(std::move(face)),
      level_(std::numeric_limits<double>::quiet_NaN()) {
    CheckFace({face_.width(), face_.height()}, settings_.frame);
}

double LevelMeter::ScaleValue(double value) const {
    // With the default range the factor is exactly 1, so a level is drawn as
    // the same value on the scale.
    const Range& range = settings_.range;
    return (value - range.min) * (kFullScale / (range.max - range.min));
}

void LevelMeter::SetLevel(double value) {
    const MeterGeometry g = GeometryOf(size().width, size().height, settings_.frame.width);
    const bool moved = NeedleTarget(g, ScaleValue(value)) != NeedleTarget(g, ScaleValue(level_));
    level_ = value;
    if (moved) {
        Invalidate();
    }
}

void LevelMeter::PaintState(instruments::Painter& painter) const {
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    PaintMeterNeedle(painter, settings_.frame.width, settings_.needle, ScaleValue(level_));
    const MeterGeometry g = GeometryOf(size().width, size().height, settings_.frame.width);
    if (g.pivotY != kScaleRow && !settings_.labels.empty()) {
        std::vector<double> scaleValues;
        for (const Label& label : settings_.labels) {
            scaleValues.push_back(ScaleValue(label.value));
        }
        DrawLabels(painter, g, settings_.labels, scaleValues);
    }
}

void PaintMeterNeedle(instruments::Painter& painter, int frameWidth, instruments::Ink needle,
                      float value) {
    PaintMeterNeedle(painter, frameWidth, needle, static_cast<double>(value));
}

void PaintMeterNeedle(instruments::Painter& painter, int frameWidth, instruments::Ink needle,
                      double value) {
    const instruments::Size size = painter.ClientSize();
    const MeterGeometry g = GeometryOf(size.width, size.height, frameWidth);
    painter.Width(1);
    // With the pivot on the scale line every needle is that line itself and
    // crosses no other row, so there is nothing to draw.
    if (g.pivotY != kScaleRow) {
        DrawNeedle(painter, g, value, needle);
        DrawTicks(painter, g);
    }
}

}  // namespace instruments
