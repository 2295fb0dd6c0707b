#include "canvas/raster/Polygon.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "canvas/raster/Spans.h"

namespace canvas::raster {

namespace {

// ceil(num / den) for den > 0.
std::int64_t CeilDiv(__int128 num, __int128 den) {
    __int128 q = num / den;
    if (num % den > 0) {
        ++q;
    }
    return static_cast<std::int64_t>(q);
}

// The crossings of one row, kept on the stack for the small polygons that
// strokes produce.
class Crossings {
public:
    explicit Crossings(std::size_t edges) {
        if (edges > small_.size()) {
            large_.resize(edges);
        }
    }
    void clear() { count_ = 0; }
    void push(std::int64_t x) { data()[count_++] = x; }
    std::int64_t* begin() { return data(); }
    std::int64_t* end() { return data() + count_; }
    std::size_t size() const { return count_; }
    std::int64_t operator[](std::size_t i) { return data()[i]; }

private:
    std::int64_t* data() { return large_.empty() ? small_.data() : large_.data(); }
    std::array<std::int64_t, 16> small_{};
    std::vector<std::int64_t> large_;
    std::size_t count_ = 0;
};

template <typename P>
void FillPolygonImpl(Surface& surface, std::span<const P> points, const Brush& brush) {
    const std::size_t n = points.size();
    if (n < 3 || brush.kind == BrushKind::Null) {
        return;
    }
    std::int64_t yMin = std::numeric_limits<std::int64_t>::max();
    std::int64_t yMax = std::numeric_limits<std::int64_t>::min();
    for (const P& p : points) {
        yMin = std::min<std::int64_t>(yMin, p.y);
        yMax = std::max<std::int64_t>(yMax, p.y);
    }
    const RowRange rows = VisibleRows(surface, yMin, yMax);
    Crossings xs(n);
    for (std::int64_t y = rows.begin; y < rows.end; ++y) {
        xs.clear();
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
                // First integer x at or right of the exact crossing.
                const __int128 den = by - ay;
                xs.push(CeilDiv(static_cast<__int128>(ax) * den + static_cast<__int128>(y - ay) * (bx - ax), den));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t j = 0; j + 1 < xs.size(); j += 2) {
            PaintSpan(surface, y, xs[j], xs[j + 1], brush);
        }
    }
}

}  // namespace

void FillPolygon(Surface& surface, std::span<const Point> points, const Brush& brush) {
    FillPolygonImpl(surface, points, brush);
}

void FillPolygon(Surface& surface, std::span<const Point64> points, const Brush& brush) {
    FillPolygonImpl(surface, points, brush);
}

}  // namespace canvas::raster
