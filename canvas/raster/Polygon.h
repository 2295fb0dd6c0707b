#pragma once

// Polygon filling with the sampling rule of the reference renderer: pixel
// (x, y) is inside when the point (x, y) itself is inside the polygon (even-odd
// rule); points on a left or top edge count, on a right or bottom edge they do
// not. Per row that is the span ceil(x_left) .. ceil(x_right) - 1.

#include <cstdint>
#include <span>

#include "canvas/surface/Brush.h"
#include "canvas/surface/Surface.h"

namespace canvas::raster {

struct Point {
    int x = 0;
    int y = 0;
};

// The same in 64-bit coordinates, for shapes built by offsetting int points.
struct Point64 {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// Fills the polygon (closed implicitly) with the brush. Fewer than three
// points fill nothing.
void FillPolygon(Surface& surface, std::span<const Point> points, const Brush& brush);
void FillPolygon(Surface& surface, std::span<const Point64> points, const Brush& brush);

}  // namespace canvas::raster
