#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "instruments/Export.h"
#include "instruments/Pixel.h"

namespace instruments {

// A colour value 0x00BBGGRR from three components, each clamped to 0..255.
constexpr instruments::Colour Rgb(int red, int green, int blue) {
    const auto clamp = [](int c) { return c < 0 ? 0 : (c > 255 ? 255 : c); };
    return clamp(red) + 256 * clamp(green) + 65536 * clamp(blue);
}

// A colour that paints gradients and bevels: at shade 0 the colour itself,
// larger shades darker, negative ones lighter (the "blue-button" name shades the
// other way). It is one of:
//   - an Rgb value: the shade is subtracted from each component;
//   - the text "#rrggbb" or "#rgb" (hex digits in either case; "#rgb" stands
//     for "#rrggbb"), the same as the Rgb value;
//   - a colour name (see ShadedColour::Name and NameOf), compared ignoring the
//     case of A-Z and spaces around it: "gold", "red", "grey-button", ...;
//   - none (default-constructed): black at every shade, and the box-stack
//     background paints its own greens.
// Any other text throws SettingsError naming the text and the nearest names.
//
//   instruments::ShadedColour gold = "gold";
//   instruments::ShadedColour warm = instruments::Rgb(240, 96, 64);
class INSTRUMENTS_API ShadedColour {
  public:
    // The named colours; each shades from its own base colour, see docs/api.md.
    enum class Name : std::uint8_t {
        Red,
        Green,
        Grey,
        Gold,
        RedButton,
        GreenButton,
        GreyButton,
        GoldButton,
        BlueButton,
    };

    // No colour.
    constexpr ShadedColour() = default;
    // A 0x00BBGGRR value; throws SettingsError for anything outside
    // 0..0xFFFFFF (negative values included).
    ShadedColour(instruments::Colour rgb);  // NOLINT(google-explicit-constructor)
    // Parses a hex colour or a colour name; throws SettingsError otherwise.
    ShadedColour(std::string_view text);  // NOLINT(google-explicit-constructor)
    ShadedColour(const char* text) : ShadedColour(std::string_view(text)) {}         // NOLINT
    ShadedColour(const std::string& text) : ShadedColour(std::string_view(text)) {}  // NOLINT
    ShadedColour(Name name) : form_(Form::Named), name_(name) {}                     // NOLINT

    // The same colour at every shade.
    static ShadedColour Flat(instruments::Colour rgb);

    // The colour at a shade.
    instruments::Colour At(int shade) const;
    // Whether no colour was given.
    constexpr bool IsNone() const { return form_ == Form::None; }

    constexpr bool operator==(const ShadedColour&) const = default;

  private:
    enum class Form : std::uint8_t { None, Flat, Rgb, Named };
    Form form_ = Form::None;
    Name name_ = Name::Red;
    instruments::Colour rgb_ = 0;
};

// The text of a colour name: "red", "green", "grey", "gold", "red-button",
// "green-button", "grey-button", "gold-button", "blue-button". "gray" and
// "gray-button" are accepted for the greys too.
INSTRUMENTS_API std::string_view NameOf(ShadedColour::Name name);

}  // namespace instruments
