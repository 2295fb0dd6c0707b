#include "display/Bevel.h"

#include <algorithm>

#include "dialog/Canvas.h"
#include "canvas/surface/Rounding.h"
#include "colour/ColourSpec.h"

namespace display {
namespace {

// Lines k >= max(w, h) lie wholly outside the surface on every side, so a
// frame wider than that paints the same pixels as one cut to it. Only the shade,
// which depends on the full inset, keeps the caller's value.
int VisibleRings(int inset, canvas::Size size) {
    return std::min(inset, std::max(size.width, size.height));
}

int BevelShade(int numerator, int inset) {
    return canvas::RoundHalfEven(255.0 * numerator / inset);
}

void Line(int x1, int y1, int x2, int y2, canvas::Colour colour) {
    dialog::SetPos(x1, y1);
    dialog::LineTo(x2, y2, colour);
}

}  // namespace

void PaintBevelTopLeft(int inset, std::string_view colourText) {
    if (inset < 1) {
        return;
    }
    const canvas::Size size = dialog::ClientSize();
    const int w = size.width;
    const int h = size.height;
    const int rings = VisibleRings(inset, size);
    for (int k = 0; k < rings; ++k) {
        const canvas::Colour colour = colour::ColourOf(colourText, BevelShade(k, inset));
        Line(k, k, k, h - k, colour);
        Line(k, k, w - k, k, colour);
    }
}

void PaintBevelBottomRight(int inset, std::string_view colourText) {
    if (inset < 1) {
        return;
    }
    const canvas::Size size = dialog::ClientSize();
    const int w = size.width;
    const int h = size.height;
    for (int k = VisibleRings(inset, size); k >= 1; --k) {
        const canvas::Colour colour = colour::ColourOf(colourText, BevelShade(inset - k, inset));
        Line(w - k, k - 1, w - k, h - k, colour);
        Line(k, h - k, w - k + 1, h - k, colour);
    }
}

}  // namespace display
