#pragma once

// Polygon filling with the sampling rule of the reference renderer: pixel
// (x, y) is inside when the point (x, y) itself is inside the polygon (even-odd
// rule); points on a left or top edge count, on a right or bottom edge they do
// not. Per row that is the span ceil(x_left) .. ceil(x_right) - 1.

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "canvas/raster/Spans.h"
#include "canvas/surface/Brush.h"
#include "instruments/Surface.h"

namespace instruments::raster {

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

// Calls visit(y, x0, x1) for every span [x0, x1) of the polygon on the rows
// within limit, top to bottom.
template <typename P, typename Visit>
void ForEachPolygonSpan(std::span<const P> points, RowRange limit, Visit&& visit) {
    const std::size_t n = points.size();
    if (n < 3) {
        return;
    }
    std::int64_t yMin = std::numeric_limits<std::int64_t>::max();
    std::int64_t yMax = std::numeric_limits<std::int64_t>::min();
    for (const P& p : points) {
        yMin = std::min<std::int64_t>(yMin, p.y);
        yMax = std::max<std::int64_t>(yMax, p.y);
    }
    // The crossings of one row; strokes make small polygons, kept on the stack.
    std::array<std::int64_t, 16> small{};
    std::vector<std::int64_t> large(n > small.size() ? n : 0);
    std::int64_t* xs = large.empty() ? small.data() : large.data();
    for (std::int64_t y = std::max(yMin, limit.begin); y < std::min(yMax, limit.end); ++y) {
        std::size_t count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            std::int64_t ax = points[i].x, ay = points[i].y;
            std::int64_t bx = points[(i + 1) % n].x, by = points[(i + 1) % n].y;
            if (ay == by) {
                continue;
            }
            if (ay > by) {
                std::swap(ax, bx);
                std::swap(ay, by);
            }
            if (ay <= y && y < by) {
                // First integer x at or right of the exact crossing; the products
                // can exceed 64 bits for coordinates near the int limits.
                const __int128 den = by - ay;
                const __int128 num =
                    static_cast<__int128>(ax) * den + static_cast<__int128>(y - ay) * (bx - ax);
                __int128 q = num / den;
                if (num % den > 0) {
                    ++q;
                }
                xs[count++] = static_cast<std::int64_t>(q);
            }
        }
        std::sort(xs, xs + count);
        for (std::size_t j = 0; j + 1 < count; j += 2) {
            visit(y, xs[j], xs[j + 1]);
        }
    }
}

}  // namespace instruments::raster
