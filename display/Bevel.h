#pragma once

#include <string_view>

namespace display {

// The left and top sides of a frame of `inset` one-pixel lines on the current
// target, shaded from the colour text: the outermost line in the colour itself,
// darker toward the inside. An inset below 1 paints nothing.
void PaintBevelTopLeft(int inset, std::string_view colourText);

// The right and bottom sides: darkest outside, the colour itself innermost.
// Painted after the top-left half, they own the top-right and bottom-right
// corner pixels of each ring.
void PaintBevelBottomRight(int inset, std::string_view colourText);

}  // namespace display
