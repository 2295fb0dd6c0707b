#pragma once

#include <cstdint>

#include "instruments/Pixel.h"

namespace instruments {

// How a text display paints its dots; flags combined with |:
//   DotStyle::Joined | DotStyle::Rounded
enum class DotStyle : std::uint8_t {
    Plain = 0,      // square lit dots, each one pixel short of its pitch cell
    Shadow = 1,     // a shade box below and right of every lit dot
    ShowUnlit = 2,  // dark dots painted in the shade colour
    Joined = 4,     // lit dots fill their whole pitch cell
    Hollow = 8,     // joined dots as outlines only (needs Joined)
    Rounded = 16,   // lit dots with rounded corners
};

constexpr DotStyle operator|(DotStyle a, DotStyle b) {
    return static_cast<DotStyle>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr DotStyle operator&(DotStyle a, DotStyle b) {
    return static_cast<DotStyle>(static_cast<std::uint8_t>(a) & static_cast<std::uint8_t>(b));
}
constexpr DotStyle& operator|=(DotStyle& a, DotStyle b) {
    return a = a | b;
}
// Whether every flag of `flags` is set in `style`.
constexpr bool Has(DotStyle style, DotStyle flags) {
    return (style & flags) == flags;
}

// The colour of shadows and unlit dots on every display: red 92, green 152, blue 92.
inline constexpr instruments::Colour ShadeColour = 0x5C985C;

}  // namespace instruments
