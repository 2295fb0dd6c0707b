#pragma once

// Span output for shape code that works in 64-bit coordinates: shapes may
// reach far outside a surface (and outside int) while only their visible part
// is handed to the surface.

#include <algorithm>
#include <cstdint>

#include "canvas/surface/Brush.h"
#include "instruments/Surface.h"

namespace instruments::raster {

// Clamps a coordinate into [-1, limit + 1]: clipping against [0, limit) then
// gives the same answer and the value fits an int.
inline int ClampCoordinate(std::int64_t v, int limit) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -1, static_cast<std::int64_t>(limit) + 1));
}

// Paints columns x0 .. x1 - 1 of row y; off-surface parts are dropped.
inline void PaintSpan(Surface& surface, std::int64_t y, std::int64_t x0, std::int64_t x1, Pixel pixel) {
    if (y < 0 || y >= surface.height() || x0 >= x1) {
        return;
    }
    surface.FillSpan(static_cast<int>(y), ClampCoordinate(x0, surface.width()),
                     ClampCoordinate(x1, surface.width()), pixel);
}

inline void PaintSpan(Surface& surface, std::int64_t y, std::int64_t x0, std::int64_t x1,
                      const Brush& brush) {
    if (y < 0 || y >= surface.height() || x0 >= x1 || brush.kind == BrushKind::Null) {
        return;
    }
    surface.FillSpan(static_cast<int>(y), ClampCoordinate(x0, surface.width()),
                     ClampCoordinate(x1, surface.width()), brush);
}

// The rows y0 .. y1 - 1 that lie on the surface, as a half-open range.
struct RowRange {
    std::int64_t begin;
    std::int64_t end;
};

inline RowRange Intersect(RowRange a, RowRange b) {
    return {std::max(a.begin, b.begin), std::min(a.end, b.end)};
}

inline RowRange VisibleRows(const Surface& surface, std::int64_t y0, std::int64_t y1) {
    return {std::max<std::int64_t>(y0, 0), std::min<std::int64_t>(y1, surface.height())};
}

}  // namespace instruments::raster
