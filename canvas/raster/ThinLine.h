#pragma once

// One-pixel lines: MoveToEx + LineTo with a pen of width 0 or 1.

#include "instruments/Pixel.h"
#include "instruments/Surface.h"

namespace instruments::raster {

// Paints max(|dx|, |dy|) pixels stepping along the major axis from the start
// point (painted) towards the end point (never painted). The minor coordinate
// is the exact line value rounded to nearest with halves going to the smaller
// coordinate, so both drawing directions light the same candidate pixels.
// Only the steps that land on the surface are walked.
void DrawThinLine(Surface& surface, int x1, int y1, int x2, int y2, Pixel colour);

}  // namespace instruments::raster
