#pragma once

#include "instruments/Colour.h"
#include "instruments/Export.h"
#include "instruments/Painter.h"

namespace instruments {

// The patterns a display's face can be painted with inside its frame.
enum class BackgroundPattern {
    None,                     // nothing painted
    MirroredRows,             // rows darkest at the top and bottom edges
    RowsFromBottom,           // rows light at the top, dark at the bottom
    MirroredColumns,          // columns darkest at the left and right edges
    BoxStack,                 // nested filled boxes, bands along the top and left
    RowsFromTop,              // rows dark at the top, light at the bottom
    MirroredColumnsReversed,  // columns light at the edges, darker inward
    Picture,                  // the face's picture stretched inside the frame
};

struct Background {
    BackgroundPattern pattern = BackgroundPattern::None;
    instruments::ShadedColour colour{};
    bool operator==(const Background&) const = default;
};

// Paints a pattern inside a frame band of width `inset`, shaded from the
// colour; pixels the pattern does not cover keep their content. The picture
// pattern stretches `picture` (nothing without one). The box stack is as deep
// as BoxStackDepth gives, on display creation and every repaint alike.
INSTRUMENTS_API void PaintBackground(instruments::Painter& painter, int inset,
                                     const instruments::ShadedColour& colour, BackgroundPattern pattern,
                                     const instruments::Surface* picture = nullptr);

// Paints boxes 0..depth of the box stack: each from (inset + i, inset + i) to
// the far corner of the frame's inside, filled solid. No colour gives a green
// that lightens inward; any other is shaded from 205 downward. The pixels are
// those of painting every box in turn with the painter's pen, but with a thin
// pen each pixel is written once (the cost follows the area, not the depth).
INSTRUMENTS_API void PaintBoxStack(instruments::Painter& painter, int inset,
                                   const instruments::ShadedColour& colour, int depth);

// The depth of the box stack of a face `height` pixels high: floor(0.2 x
// height) with the single-precision 0.2, which is height / 5 rounded down.
INSTRUMENTS_API int BoxStackDepth(int height);

}  // namespace instruments
