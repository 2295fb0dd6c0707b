#pragma once

#include <string>
#include <string_view>

#include "instruments/Background.h"
#include "instruments/DotStyle.h"
#include "instruments/Frame.h"
#include "instruments/Pixel.h"

namespace instruments {

// Everything that makes a display's look: its frame, the background inside it,
// the ink of its dots, needle or caption, the dot style, and the label printed
// in its top-left corner.
struct DisplaySettings {
    Frame frame;
    Background background;
    instruments::Colour ink = 0;
    DotStyle dots;
    std::string label;
    int captionSize = 0;

    // Maps the keyword texts of a display onto typed settings, once: colour texts
    // ("oro", "#f06040", ...) become colours, the style words ("unito vuoto
    // cerchio", ...) dot-style flags and, trimmed, the label, the pattern number
    // a pattern. A display given no background colour (the empty text) gets the
    // left and top sides of its frame in black.
    static DisplaySettings FromKeywords(int frameWidth, std::string_view frameColour, int captionSize,
                                        instruments::Colour ink, std::string_view styleWords,
                                        std::string_view backColour, int backStyle);

    bool operator==(const DisplaySettings&) const = default;
};

// The style words as a display prints them: blanks (spaces, and the zero bytes
// of a field never written) cut at both ends.
std::string_view LabelOf(std::string_view styleWords);

}  // namespace instruments
