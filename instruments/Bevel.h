#pragma once

#include "canvas/painter/Painter.h"
#include "colour/ColourSpec.h"

namespace instruments {

// The left and top sides of a frame of `inset` one-pixel lines, shaded from the
// colour: the outermost line in the colour itself, darker toward the inside.
// An inset below 1 paints nothing.
void PaintBevelTopLeft(canvas::Painter& painter, int inset, const colour::ColourSpec& colour);
// The right and bottom sides: darkest outside, the colour itself innermost.
// Painted after the top-left half, they own the top-right and bottom-right
// corner pixels of each ring.
void PaintBevelBottomRight(canvas::Painter& painter, int inset, const colour::ColourSpec& colour);

// A bevelled frame: `width` rings shaded from `colour`, the left and top sides
// from `topLeftColour` (black, the empty colour, on a display without a
// background colour).
struct Frame {
    int width = 0;
    colour::ColourSpec colour;
    colour::ColourSpec topLeftColour;
    bool operator==(const Frame&) const = default;
};
// Both halves, top-left first.
void PaintFrame(canvas::Painter& painter, const Frame& frame);

}  // namespace instruments
