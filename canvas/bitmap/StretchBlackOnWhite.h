#pragma once

#include <cstdint>
#include <span>

#include "instruments/Surface.h"

namespace instruments::bitmap {

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

// A picture handed out one row at a time (row 0 at the top), so that a large
// picture can be scaled without ever being held whole at 32 bits per pixel.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Row y as the picture stores it: rows with the same stored bytes have the
    // same pixels, which lets a scaler skip repeated rows.
    virtual std::span<const std::uint8_t> StoredRow(int y) const = 0;
    // Writes the width() pixels of row y.
    virtual void ReadRow(int y, Pixel* out) const = 0;
};

// The whole of a RowSource scaled into the rectangle (dx, dy, dw x dh) of a surface.
struct StretchTarget {
    Surface* destination = nullptr;
    int dx = 0;
    int dy = 0;
    int dw = 0;
    int dh = 0;
};

// Paints each target exactly as StretchBlackOnWhite would from the whole
// picture, reading each source row at most once for all targets together and
// skipping a row that repeats its predecessor where that cannot change the
// result. Memory beyond the targets is a few rows.
void StretchRows(const RowSource& source, std::span<const StretchTarget> targets);

}  // namespace instruments::bitmap
