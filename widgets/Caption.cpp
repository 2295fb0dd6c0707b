#include "widgets/Caption.h"

#include "canvas/surface/Rounding.h"

namespace instruments {
namespace {

constexpr std::string_view kFlushLeft = "[<]";
constexpr std::string_view kTowardRight = "[>]";
constexpr int kShadowOffset = 2;

}  // namespace

void PrintLine(instruments::Painter& p, double x, double y, instruments::Ink ink, std::string_view text) {
    p.SetPos(x, y);
    p.ColourFg(ink);
    p.ColourBg(instruments::Ink::None());
    p.Print(text);
    p.PrintNewLine();
}

int CentreX(const instruments::Painter& p, std::string_view text) {
    const double free = static_cast<double>(p.ClientSize().width) - p.TextSize(text).width;
    return instruments::RoundHalfEven(free / 2.0);
}

int CentreY(const instruments::Painter& p) {
    const double free = static_cast<double>(p.ClientSize().height) - p.CharSize().height;
    return instruments::RoundHalfEven(free / 2.0);
}

void PaintCaption(instruments::Painter& p, std::string& text, instruments::Ink textInk,
                  instruments::Colour shadowColour) {
    // Both positions are measured on the full text, prefix included: that is
    // why a "[>]" caption ends short of the right edge by about the prefix.
    double x = CentreX(p, text);
    const double y = CentreY(p);
    if (text.starts_with(kFlushLeft)) {
        text.erase(0, kFlushLeft.size());
        x = 0;
    } else if (text.starts_with(kTowardRight)) {
        text.erase(0, kTowardRight.size());
        x = 2 * x;
    }
    // Black and the two reserved negative values mean no shadow.
    if (shadowColour > 0) {
        PrintLine(p, x + kShadowOffset, y + kShadowOffset, shadowColour, text);
    }
    PrintLine(p, x, y, textInk, text);
}

}  // namespace instruments
