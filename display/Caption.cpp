#include "display/Caption.h"

#include "dialog/Canvas.h"
#include "canvas/surface/Rounding.h"

namespace display {
namespace {

constexpr std::string_view kFlushLeft = "[<]";
constexpr std::string_view kTowardRight = "[>]";
constexpr int kShadowOffset = 2;

void PrintLine(double x, double y, canvas::Colour colour, std::string_view text) {
    dialog::SetPos(x, y);
    dialog::ColourFg(colour);
    dialog::ColourBg(canvas::kColourTransparent);
    dialog::Print(text);
    dialog::PrintNewLine();
}

}  // namespace

int CentreX(std::string_view text) {
    const double free = static_cast<double>(dialog::ClientSize().width) - dialog::TextSize(text).width;
    return canvas::RoundHalfEven(free / 2.0);
}

int CentreY() {
    const double free = static_cast<double>(dialog::ClientSize().height) - dialog::CharSize().height;
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
