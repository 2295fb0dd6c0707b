#pragma once

#include <optional>

#include "instruments/Colour.h"
#include "instruments/Export.h"
#include "instruments/Painter.h"

namespace instruments {

// The left and top sides of a frame of `inset` one-pixel lines, shaded from the
// colour: the outermost line in the colour itself, darker toward the inside.
// An inset below 1 paints nothing.
INSTRUMENTS_API void PaintBevelTopLeft(instruments::Painter& painter, int inset,
                                       const instruments::ShadedColour& colour);
// The right and bottom sides: darkest outside, the colour itself innermost.
// Painted after the top-left half, they own the top-right and bottom-right
// corner pixels of each ring.
INSTRUMENTS_API void PaintBevelBottomRight(instruments::Painter& painter, int inset,
                                           const instruments::ShadedColour& colour);

// A bevelled frame: `width` rings shaded from `colour`; the left and top sides
// from `topLeftColour` when it is given.
struct Frame {
    int width = 0;
    instruments::ShadedColour colour{};
    std::optional<instruments::ShadedColour> topLeftColour{};
    bool operator==(const Frame&) const = default;
};
// Both halves, top-left first.
INSTRUMENTS_API void PaintFrame(instruments::Painter& painter, const Frame& frame);

}  // namespace instruments
