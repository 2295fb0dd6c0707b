#include "instruments/LevelMeter.h"

#include <cmath>

#include "canvas/surface/Rounding.h"
#include "instruments/Face.h"
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

void DrawNeedle(instruments::Painter& p, const MeterGeometry& g, float value, instruments::Ink ink) {
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
    : settings_(std::move(settings)),
      face_(PaintFace(size, settings_.frame, settings_.background, picture)) {}

LevelMeter::LevelMeter(Settings settings, instruments::PixelBlock face)
    : settings_(std::move(settings)), face_(std::move(face)) {
    CheckFace({face_.width(), face_.height()}, settings_.frame);
}

bool LevelMeter::Update(instruments::Painter& painter, float value) {
    std::string key;
    AppendInput(key, value);
    return memo_.Repaint(painter, key, PaintMemo::CoverOf(face_, painter.surface()),
                         [&] { Paint(painter, value); });
}

void LevelMeter::Paint(instruments::Painter& painter, float value) const {
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    PaintMeterNeedle(painter, settings_.frame.width, settings_.needle, value);
}

void PaintMeterNeedle(instruments::Painter& painter, int frameWidth, instruments::Ink needle, float value) {
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
