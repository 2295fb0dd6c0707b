#include "dialog/Keywords.h"

#include <array>

#include "canvas/text/Ascii.h"

namespace dialog {

namespace {

using instruments::DotStyle;
using instruments::ShadedColour;

// Reads the pair starting at `first`: the characters of it that exist, from the
// left, up to the first one that is not a hex digit. Nothing readable counts 0.
int ReadPair(std::string_view text, std::size_t first) {
    int value = 0;
    for (std::size_t i = first; i < first + 2 && i < text.size(); ++i) {
        const int digit = instruments::text::HexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

struct KeywordName {
    std::string_view text;
    ShadedColour::Name name;
};

constexpr std::array<KeywordName, 9> kNames = {{
    {"rosso", ShadedColour::Name::Red},
    {"verde", ShadedColour::Name::Green},
    {"grigio", ShadedColour::Name::Grey},
    {"oro", ShadedColour::Name::Gold},
    {"pulsanterosso", ShadedColour::Name::RedButton},
    {"pulsanteverde", ShadedColour::Name::GreenButton},
    {"pulsantegrigio", ShadedColour::Name::GreyButton},
    {"pulsanteoro", ShadedColour::Name::GoldButton},
    {"pulsanteblu", ShadedColour::Name::BlueButton},
}};

// Whether the lower-case keyword occurs in the text with A-Z folded to lower case.
bool ContainsKeyword(std::string_view text, std::string_view keyword) {
    if (keyword.size() > text.size()) {
        return false;
    }
    for (std::size_t start = 0; start + keyword.size() <= text.size(); ++start) {
        std::size_t matched = 0;
        while (matched < keyword.size() &&
               instruments::text::LowerAscii(text[start + matched]) == keyword[matched]) {
            ++matched;
        }
        if (matched == keyword.size()) {
            return true;
        }
    }
    return false;
}

}  // namespace

ShadedColour KeywordColour(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    // Only a "#" in the very first character selects the hex form: a leading
    // space hides it, and the trimmed text then matches no name.
    if (text.front() == '#') {
        return instruments::Rgb(ReadPair(text, 1), ReadPair(text, 3), ReadPair(text, 5));
    }
    const std::string name = instruments::text::LowerAsciiLetters(instruments::text::Trim(text));
    for (const KeywordName& entry : kNames) {
        if (entry.text == name) {
            return entry.name;
        }
    }
    return ShadedColour::Flat(0);
}

instruments::Colour KeywordColourAt(std::string_view text, int shade) {
    return KeywordColour(text).At(shade);
}

DotStyle KeywordDots(std::string_view styleWords) {
    DotStyle style = DotStyle::Plain;
    const auto set = [&](std::string_view word, DotStyle flag) {
        if (ContainsKeyword(styleWords, word)) {
            style |= flag;
        }
    };
    set("ombra", DotStyle::Shadow);
    set("fondo", DotStyle::ShowUnlit);
    set("unito", DotStyle::Joined);
    // Hollow only shapes joined dots; separate dots ignore it.
    if (Has(style, DotStyle::Joined)) {
        set("vuoto", DotStyle::Hollow);
    }
    set("cerchio", DotStyle::Rounded);
    return style;
}

instruments::BackgroundPattern KeywordPattern(int number) {
    using instruments::BackgroundPattern;
    switch (number) {
        case kBackMirroredRows:
            return BackgroundPattern::MirroredRows;
        case kBackRowsFromBottom:
            return BackgroundPattern::RowsFromBottom;
        case kBackMirroredColumns:
            return BackgroundPattern::MirroredColumns;
        case kBackBoxStack:
            return BackgroundPattern::BoxStack;
        case kBackRowsFromTop:
            return BackgroundPattern::RowsFromTop;
        case kBackMirroredColumnsReversed:
            return BackgroundPattern::MirroredColumnsReversed;
        case kBackPicture:
            return BackgroundPattern::Picture;
        default:
            return BackgroundPattern::None;
    }
}

std::string_view LabelOf(std::string_view styleWords) {
    return instruments::text::Trim(styleWords, std::string_view(" \0", 2));
}

KeywordLook LookOfKeywords(int frameWidth, std::string_view frameColour, instruments::Colour ink,
                           std::string_view styleWords, std::string_view backColour, int backStyle) {
    KeywordLook look;
    look.frame.width = frameWidth;
    look.frame.colour = KeywordColour(frameColour);
    // Tested untrimmed: a single space counts as a colour and gives the frame
    // its colour on all four sides.
    if (backColour.empty()) {
        look.frame.topLeftColour = ShadedColour{};
    }
    look.background.pattern = KeywordPattern(backStyle);
    look.background.colour = KeywordColour(backColour);
    look.ink = ink;
    look.dots = KeywordDots(styleWords);
    look.label = std::string(LabelOf(styleWords));
    return look;
}

}  // namespace dialog
