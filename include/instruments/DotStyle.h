#pragma once

#include <string_view>

#include "instruments/Pixel.h"

namespace instruments {

// How a display paints its dots, from the keywords of its style text.
struct DotStyle {
    bool shadow = false;     // "ombra": a shade box below and right of every lit dot
    bool showUnlit = false;  // "fondo": dark dots painted in the shade colour
    bool joined = false;     // "unito": lit dots fill their whole pitch cell
    bool hollow = false;     // "vuoto": joined dots as outlines only
    bool circle = false;     // "cerchio": lit dots with rounded corners
    bool operator==(const DotStyle&) const = default;

    // A keyword counts wherever it occurs in the text, whatever the case of its
    // letters A-Z, so separators and surrounding words do not matter.
    static DotStyle FromWords(std::string_view styleWords);
};

// The colour of shadows and unlit dots on every display: red 92, green 152, blue 92.
inline constexpr instruments::Colour ShadeColour = 0x5C985C;

}  // namespace instruments
