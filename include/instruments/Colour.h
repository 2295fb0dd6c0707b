#pragma once

#include <cstdint>
#include <string_view>

#include "instruments/Pixel.h"

namespace instruments {

// A colour value 0x00BBGGRR from three components, each clamped to 0..255.
constexpr instruments::Colour Rgb(int red, int green, int blue) {
    const auto clamp = [](int c) { return c < 0 ? 0 : (c > 255 ? 255 : c); };
    return clamp(red) + 256 * clamp(green) + 65536 * clamp(blue);
}

// A colour that paints gradients and bevels: at shade 0 the colour itself,
// larger shades darker (for every name but "pulsanteblu"), negative ones
// lighter. It is given as text, parsed once:
//   - "#" followed by hex pairs for red, green and blue: the shade is
//     subtracted from each component ("#f06040");
//   - one of the colour names, compared lower-cased and trimmed of spaces
//     ("rosso", "verde", "grigio", "oro", "pulsanterosso", "pulsanteverde",
//     "pulsantegrigio", "pulsanteoro", "pulsanteblu");
//   - anything else, the empty text included: black at every shade.
class ColourSpec {
  public:
    enum class Name : std::uint8_t {
        Rosso,
        Verde,
        Grigio,
        Oro,
        PulsanteRosso,
        PulsanteVerde,
        PulsanteGrigio,
        PulsanteOro,
        PulsanteBlu
    };

    // The empty text.
    constexpr ColourSpec() = default;
    static ColourSpec Parse(std::string_view text);
    // The hexadecimal form of three components (0..255 each).
    static constexpr ColourSpec FromRgb(int red, int green, int blue) {
        ColourSpec spec;
        spec.form_ = Form::Hex;
        spec.red_ = red;
        spec.green_ = green;
        spec.blue_ = blue;
        return spec;
    }
    static constexpr ColourSpec Named(Name name) {
        ColourSpec spec;
        spec.form_ = Form::Named;
        spec.name_ = name;
        return spec;
    }

    // The colour at a shade.
    instruments::Colour At(int shade) const;
    // Whether it was given as the empty text (not merely blank): the box-stack
    // background paints its own green then.
    constexpr bool IsEmptyText() const { return form_ == Form::EmptyText; }

    constexpr bool operator==(const ColourSpec&) const = default;

  private:
    enum class Form : std::uint8_t { EmptyText, Black, Hex, Named };
    Form form_ = Form::EmptyText;
    Name name_ = Name::Rosso;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
};

// The colour text at a shade: ColourSpec::Parse(text).At(shade).
instruments::Colour ColourOf(std::string_view text, int shade);

}  // namespace instruments
