#pragma once

#include "canvas/surface/Surface.h"

namespace canvas::bitmap {

// Copies the source rectangle (sx, sy, sw x sh) scaled into the destination
// rectangle (dx, dy, dw x dh) the way the default stretch mode of the platform
// this imitates does it. Per axis, a destination index d taken from a larger
// source gathers every source index s with floor(((2s+1)D - 1) / 2S) = d and
// ANDs those pixels together; enlarged, it repeats source index
// floor(((2d+1)S - 1) / 2D). The two axes combine: a destination pixel is the
// AND of its block of source pixels.
//
// Non-positive extents draw nothing. Source pixels outside the source surface
// contribute nothing; a destination pixel whose source pixels all lie outside
// takes the nearest edge pixel, so a source rectangle one pixel larger than its
// surface (as the pictured backgrounds pass) still fills the whole target.
// The destination is clipped. Source and destination may be the same surface.
void StretchBlackOnWhite(const Surface& source, int sx, int sy, int sw, int sh, Surface& destination, int dx,
                         int dy, int dw, int dh);

}  // namespace canvas::bitmap
