#include "instruments/Colour.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "canvas/text/Ascii.h"
#include "instruments/SettingsError.h"

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

struct NamedColour {
    // Each component is base + sign * shade; a zero sign keeps the base fixed.
    std::array<Wide, 3> base;
    std::array<Wide, 3> sign;
};

// In the order of ShadedColour::Name.
constexpr std::array<NamedColour, 9> kNamed = {{
    {{255, 155, 155}, {-1, -1, -1}},
    {{155, 255, 155}, {-1, -1, -1}},
    {{255, 255, 255}, {-1, -1, -1}},
    {{255, 255, 155}, {-1, -1, -1}},
    {{410, 210, 210}, {-1, -1, -1}},
    {{210, 410, 210}, {-1, -1, -1}},
    {{410, 410, 410}, {-1, -1, -1}},
    {{410, 310, 55}, {-1, -1, 0}},
    {{-200, -100, -100}, {1, 1, 1}},
}};

struct Spelling {
    std::string_view text;
    ShadedColour::Name name;
};

// Every accepted spelling; the first of each name is its own text.
constexpr std::array<Spelling, 11> kSpellings = {{
    {"red", ShadedColour::Name::Red},
    {"green", ShadedColour::Name::Green},
    {"grey", ShadedColour::Name::Grey},
    {"gold", ShadedColour::Name::Gold},
    {"red-button", ShadedColour::Name::RedButton},
    {"green-button", ShadedColour::Name::GreenButton},
    {"grey-button", ShadedColour::Name::GreyButton},
    {"gold-button", ShadedColour::Name::GoldButton},
    {"blue-button", ShadedColour::Name::BlueButton},
    {"gray", ShadedColour::Name::Grey},
    {"gray-button", ShadedColour::Name::GreyButton},
}};

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// How far the text is from a spelling: its edit distance, or one more than the
// distance to the colour word of a button ("blue" is one from "blue-button").
std::size_t DistanceTo(std::string_view text, std::string_view spelling) {
    const std::size_t whole = EditDistance(text, spelling);
    const std::size_t dash = spelling.find('-');
    return dash == std::string_view::npos ? whole
                                          : std::min(whole, EditDistance(text, spelling.substr(0, dash)) + 1);
}

// The spellings closest to the text, as "\"gold\" or \"grey\"".
std::string NearestNames(std::string_view text) {
    std::size_t best = SIZE_MAX;
    for (const Spelling& s : kSpellings) {
        best = std::min(best, DistanceTo(text, s.text));
    }
    std::string names;
    for (const Spelling& s : kSpellings) {
        if (DistanceTo(text, s.text) == best) {
            names += (names.empty() ? "\"" : " or \"") + std::string(s.text) + "\"";
        }
    }
    return names;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// "#rrggbb" or "#rgb" with every character a hex digit, else -1.
instruments::Colour ParseHex(std::string_view digits) {
    if (digits.size() != 3 && digits.size() != 6) {
        return -1;
    }
    std::array<int, 3> components{};
    const std::size_t per = digits.size() / 3;
    for (std::size_t c = 0; c < 3; ++c) {
        int value = 0;
        for (std::size_t i = 0; i < per; ++i) {
            const int digit = instruments::text::HexDigitValue(digits[c * per + i]);
            if (digit < 0) {
                return -1;
            }
            value = value * 16 + digit;
        }
        components[c] = per == 1 ? value * 17 : value;
    }
    return Rgb(components[0], components[1], components[2]);
}

}  // namespace

ShadedColour::ShadedColour(instruments::Colour rgb) : form_(Form::Rgb), rgb_(rgb) {
    if (rgb < 0 || rgb > 0xFFFFFF) {
        throw SettingsError("colour " + std::to_string(rgb) +
                            " is not a 0x00BBGGRR value: it must be within 0..0xFFFFFF");
    }
}

ShadedColour::ShadedColour(std::string_view text) {
    const std::string_view trimmed = instruments::text::Trim(text);
    if (trimmed.starts_with('#')) {
        const instruments::Colour rgb = ParseHex(trimmed.substr(1));
        if (rgb < 0) {
            throw SettingsError("colour " + Quoted(text) + " is not a hex colour: expected #rrggbb or #rgb");
        }
        form_ = Form::Rgb;
        rgb_ = rgb;
        return;
    }
    const std::string lower = instruments::text::LowerAsciiLetters(trimmed);
    for (const Spelling& s : kSpellings) {
        if (s.text == lower) {
            form_ = Form::Named;
            name_ = s.name;
            return;
        }
    }
    throw SettingsError("unknown colour " + Quoted(text) +
                        ": give #rrggbb, #rgb or a colour name; nearest: " + NearestNames(lower));
}

ShadedColour ShadedColour::Flat(instruments::Colour rgb) {
    ShadedColour flat(rgb);
    flat.form_ = Form::Flat;
    return flat;
}

instruments::Colour ShadedColour::At(int shade) const {
    const Wide s = shade;
    switch (form_) {
        case Form::Rgb:
            return RgbWide((rgb_ & 0xff) - s, ((rgb_ >> 8) & 0xff) - s, ((rgb_ >> 16) & 0xff) - s);
        case Form::Named: {
            const NamedColour& entry = kNamed[static_cast<std::size_t>(name_)];
            return RgbWide(entry.base[0] + entry.sign[0] * s, entry.base[1] + entry.sign[1] * s,
                           entry.base[2] + entry.sign[2] * s);
        }
        case Form::Flat:
            return rgb_;
        case Form::None:
            break;
    }
    return 0;
}

std::string_view NameOf(ShadedColour::Name name) {
    return kSpellings[static_cast<std::size_t>(name)].text;
}

}  // namespace instruments
