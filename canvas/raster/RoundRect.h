#pragma once

// Rectangles, rounded rectangles and ellipses: a pen outline and a brush fill.

#include "canvas/raster/Pen.h"
#include "canvas/surface/Brush.h"
#include "instruments/Surface.h"

namespace instruments::raster {

// RoundRect(x1, y1, x2, y2, ew, eh). The corners may come in any order; the box
// covers columns min(x1,x2) .. max(x1,x2) - 1 and the same for rows, and an
// empty box draws nothing. The corner ellipse is clamped to the box; a corner
// of 2 or less in either direction gives a plain rectangle. A one-pixel pen
// outlines and the brush fills inside the outline; a null pen fills the whole
// shape (a plain rectangle one pixel short on the right and at the bottom); a
// geometric pen strokes the closed outline path with round joins over the fill.
// A null brush leaves the inside untouched.
void DrawRoundRect(Surface& surface, int x1, int y1, int x2, int y2, int ew, int eh, const Pen& pen,
                   const Brush& brush);

// Ellipse(x1, y1, x2, y2): the rounded rectangle whose corner ellipse is the whole box.
void DrawEllipse(Surface& surface, int x1, int y1, int x2, int y2, const Pen& pen, const Brush& brush);

}  // namespace instruments::raster
