#include "canvas/raster/Polygon.h"

namespace instruments::raster {

namespace {

template <typename P>
void FillPolygonImpl(Surface& surface, std::span<const P> points, const Brush& brush) {
    if (brush.kind == BrushKind::Null) {
        return;
    }
    ForEachPolygonSpan(
        points, VisibleRows(surface, 0, surface.height()),
        [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { PaintSpan(surface, y, x0, x1, brush); });
}

}  // namespace

void FillPolygon(Surface& surface, std::span<const Point> points, const Brush& brush) {
    FillPolygonImpl(surface, points, brush);
}

void FillPolygon(Surface& surface, std::span<const Point64> points, const Brush& brush) {
    FillPolygonImpl(surface, points, brush);
}

}  // namespace instruments::raster
