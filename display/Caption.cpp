#include "display/Caption.h"

#include "canvas/Canvas.h"
#include "canvas/surface/Rounding.h"

namespace display {
namespace {

constexpr std::string_view kFlushLeft = "[<]";
constexpr std::string_view kTowardRight = "[>]";
constexpr int kShadowOffset = 2;

void PrintLine(double x, double y, canvas::Colour colour, std::string_view text) {
    canvas::SetPos(x, y);
    canvas::ColourFg(colour);
    canvas::ColourBg(canvas::kColourTransparent);
    canvas::Print(text);
    canvas::PrintNewLine();
}

}  // namespace

int CentreX(std::string_view text) {
    const double free = static_cast<double>(canvas::ClientSize().width) - canvas::TextSize(text).width;
    return canvas::RoundHalfEven(free / 2.0);
}

int CentreY() {
    const double free = static_cast<double>(canvas::ClientSize().height) - canvas::CharSize().height;
    return canvas::RoundHalfEven(free / 2.0);
}

void PaintCaption(std::string& text, canvas::Colour textColour, canvas::Colour shadowColour) {
    // Both positions are measured on the full text, prefix included: that is
    // why a "[>]" caption ends short of the right edge by about the prefix.
    double x = CentreX(text);
    const double y = CentreY();
    if (text.starts_with(kFlushLeft)) {
        text.erase(0, kFlushLeft.size());
        x = 0;
    } else if (text.starts_with(kTowardRight)) {
        text.erase(0, kTowardRight.size());
        x = 2 * x;
    }
    // Black and the two reserved negative values mean no shadow.
    if (shadowColour > 0) {
        PrintLine(x + kShadowOffset, y + kShadowOffset, shadowColour, text);
    }
    PrintLine(x, y, textColour, text);
}

}  // namespace display
