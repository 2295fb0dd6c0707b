#pragma once

// What the BMP-and-stretch check asks of a stretched picture.

#include <string>

#include "instruments/Surface.h"

namespace fuzz {

// The source and destination rectangles of one stretch.
struct StretchRects {
    int sx = 0, sy = 0, sw = 0, sh = 0;
    int dx = 0, dy = 0, dw = 0, dh = 0;
};

// Decoded pixels never carry alpha, so a destination pixel still holding this
// value was not written.
inline constexpr instruments::Pixel kUnwritten = 0xa5c3e1f0u;

// The destination, filled with kUnwritten and then stretched into from picture:
// nothing outside the destination rectangle was written, everything inside it
// was (when both source extents are positive), and a stretch at the same size
// from inside the picture is a plain copy. Returns what failed, or an empty string.
std::string CheckStretched(const instruments::Surface& picture, const StretchRects& r,
                           const instruments::Surface& destination);

}  // namespace fuzz
