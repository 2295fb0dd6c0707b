#pragma once

#include <cstdint>

namespace instruments {

// A colour as the drawing operations take it: 0x00BBGGRR, red in the low byte
// (the bits above are ignored).
using Colour = std::int32_t;

// A pixel as a surface stores it: the 32-bit word 0x00RRGGBB, so that in memory
// each pixel is the bytes blue, green, red, 0 (the layout of a 32-bit DIB and of
// a PixelBlock). The fourth byte is always 0: every drawing call writes it so.
using Pixel = std::uint32_t;

constexpr Pixel PixelFromColour(Colour colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return ((c & 0xffu) << 16) | (c & 0xff00u) | ((c >> 16) & 0xffu);
}

constexpr Colour ColourFromPixel(Pixel pixel) {
    return static_cast<Colour>(((pixel & 0xffu) << 16) | (pixel & 0xff00u) | ((pixel >> 16) & 0xffu));
}

}  // namespace instruments
