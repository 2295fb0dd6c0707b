#include "instruments/Colour.h"

#include <algorithm>
#include <array>
#include <string>

#include "canvas/text/Ascii.h"

namespace instruments {
namespace {

// Components are worked out in 64 bits so that no shade, however extreme, can
// overflow before the final clamp.
using Wide = std::int64_t;

int ClampComponent(Wide value) {
    return static_cast<int>(std::clamp<Wide>(value, 0, 255));
}

instruments::Colour RgbWide(Wide red, Wide green, Wide blue) {
    return Rgb(ClampComponent(red), ClampComponent(green), ClampComponent(blue));
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads the pair starting at `first`: the characters of it that exist, from the
// left, up to the first one that is not a hex digit. Nothing readable counts 0.
int ReadPair(std::string_view text, std::size_t first) {
    int value = 0;
    for (std::size_t i = first; i < first + 2 && i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

struct NamedColour {
    std::string_view name;
    // Each component is base + sign * shade; a zero sign keeps the base fixed.
    std::array<Wide, 3> base;
    std::array<Wide, 3> sign;
};

// In the order of ColourSpec::Name.
constexpr std::array<NamedColour, 9> kNames = {{
    {"rosso", {255, 155, 155}, {-1, -1, -1}},
    {"verde", {155, 255, 155}, {-1, -1, -1}},
    {"grigio", {255, 255, 255}, {-1, -1, -1}},
    {"oro", {255, 255, 155}, {-1, -1, -1}},
    {"pulsanterosso", {410, 210, 210}, {-1, -1, -1}},
    {"pulsanteverde", {210, 410, 210}, {-1, -1, -1}},
    {"pulsantegrigio", {410, 410, 410}, {-1, -1, -1}},
    {"pulsanteoro", {410, 310, 55}, {-1, -1, 0}},
    {"pulsanteblu", {-200, -100, -100}, {1, 1, 1}},
}};

}  // namespace

ColourSpec ColourSpec::Parse(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    // Only a "#" in the very first character selects the hex form: a leading
    // space hides it, and the trimmed text then matches no name.
    if (text.front() == '#') {
        return FromRgb(ReadPair(text, 1), ReadPair(text, 3), ReadPair(text, 5));
    }
    const std::string name = instruments::text::LowerAsciiLetters(instruments::text::Trim(text));
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i].name == name) {
            return Named(static_cast<Name>(i));
        }
    }
    ColourSpec black;
    black.form_ = Form::Black;
    return black;
}

instruments::Colour ColourSpec::At(int shade) const {
    const Wide s = shade;
    switch (form_) {
        case Form::Hex:
            return RgbWide(red_ - s, green_ - s, blue_ - s);
        case Form::Named: {
            const NamedColour& entry = kNames[static_cast<std::size_t>(name_)];
            return RgbWide(entry.base[0] + entry.sign[0] * s, entry.base[1] + entry.sign[1] * s,
                           entry.base[2] + entry.sign[2] * s);
        }
        case Form::EmptyText:
        case Form::Black:
            break;
    }
    return 0;
}

instruments::Colour ColourOf(std::string_view text, int shade) {
    return ColourSpec::Parse(text).At(shade);
}

}  // namespace instruments
