#pragma once

#include <string_view>

#include "canvas/surface/Pixel.h"

namespace colour {

// A colour value 0x00BBGGRR from three components, each clamped to 0..255.
canvas::Colour Rgb(int red, int green, int blue);

// Resolves a colour text at a shade. The text is either "#" followed by hex
// pairs for red, green and blue (the shade is subtracted from each), or one of
// the colour names, compared lower-cased and trimmed of spaces. Shade 0 is the
// colour itself; larger shades are darker for every name but "pulsanteblu".
// Anything unrecognised is black.
canvas::Colour ColourOf(std::string_view text, int shade);

}  // namespace colour
