#include "instruments/Frame.h"

#include <algorithm>

#include "canvas/surface/Rounding.h"
#include "instruments/Colour.h"

namespace instruments {
namespace {

// Lines k >= max(w, h) lie wholly outside the surface on every side, so a
// frame wider than that paints the same pixels as one cut to it. Only the shade,
// which depends on the full inset, keeps the caller's value.
int VisibleRings(int inset, instruments::Size size) {
    return std::min(inset, std::max(size.width, size.height));
}

int BevelShade(int numerator, int inset) {
    return instruments::RoundHalfEven(255.0 * numerator / inset);
}

void Line(instruments::Painter& p, int x1, int y1, int x2, int y2, instruments::Colour colour) {
    p.SetPos(x1, y1);
    p.LineTo(x2, y2, colour);
}

// The rings are one-pixel lines whatever pen the painter holds (a switch face
// is painted with the caller's painter): a geometric pen would smear them into
// each other, and each of up to max(w, h) rings would cost its width again.
// The painter's pen width is put back afterwards.
class ThinPen {
  public:
    explicit ThinPen(instruments::Painter& p) : painter_(p), width_(p.state().penWidth) { p.Width(1); }
    ~ThinPen() { painter_.Width(width_); }
    ThinPen(const ThinPen&) = delete;
    ThinPen& operator=(const ThinPen&) = delete;

  private:
    instruments::Painter& painter_;
    int width_;
};

}  // namespace

void PaintBevelTopLeft(instruments::Painter& p, int inset, const instruments::ShadedColour& spec) {
    if (inset < 1) {
        return;
    }
    const ThinPen pen(p);
    const instruments::Size size = p.ClientSize();
    const int w = size.width;
    const int h = size.height;
    const int rings = VisibleRings(inset, size);
    for (int k = 0; k < rings; ++k) {
        const instruments::Colour colour = spec.At(BevelShade(k, inset));
        Line(p, k, k, k, h - k, colour);
        Line(p, k, k, w - k, k, colour);
    }
}

void PaintBevelBottomRight(instruments::Painter& p, int inset, const instruments::ShadedColour& spec) {
    if (inset < 1) {
        return;
    }
    const ThinPen pen(p);
    const instruments::Size size = p.ClientSize();
    const int w = size.width;
    const int h = size.height;
    for (int k = VisibleRings(inset, size); k >= 1; --k) {
        const instruments::Colour colour = spec.At(BevelShade(inset - k, inset));
        Line(p, w - k, k - 1, w - k, h - k, colour);
        Line(p, k, h - k, w - k + 1, h - k, colour);
    }
}

void PaintFrame(instruments::Painter& painter, const Frame& frame) {
    PaintBevelTopLeft(painter, frame.width, frame.topLeftColour.value_or(frame.colour));
    PaintBevelBottomRight(painter, frame.width, frame.colour);
}

}  // namespace instruments
