#include "canvas/raster/WideStroke.h"

#include <algorithm>
#include <cmath>

#include "canvas/raster/Pen.h"
#include "canvas/raster/Polygon.h"
#include "canvas/raster/RoundShape.h"
#include "canvas/raster/Spans.h"

namespace canvas::raster {

namespace {

std::int64_t RoundHalfUp(double v) { return static_cast<std::int64_t>(std::floor(v + 0.5)); }

}  // namespace

WideStroke::WideStroke(Surface& surface, int width, Pixel colour)
    : surface_(surface), width_(std::clamp(width, 2, kMaxPenWidth)), colour_(colour) {
    if (static_cast<std::size_t>(width_) > inlineRows_.size()) {
        heapRows_.resize(static_cast<std::size_t>(width_));
    }
    BuildDisc();
}

void WideStroke::BuildDisc() {
    const std::int64_t lo = -(width_ / 2);
    DiscRow* out = rows();
    if (width_ == 2) {
        out[0] = out[1] = {lo, lo + 2};
        return;
    }
    // The disc is the whole area of a width x width ellipse (outline and fill).
    const RoundShape disc(0, 0, width_, width_, width_, width_);
    disc.ForEachRow({0, width_}, [&](const RoundShape::Row& row) { out[row.y] = {row.left + lo, row.right + lo}; });
}

void WideStroke::Disc(std::int64_t x, std::int64_t y) {
    const std::int64_t top = y - width_ / 2;
    const RowRange visible = VisibleRows(surface_, top, top + width_);
    const DiscRow* disc = rows();
    for (std::int64_t row = visible.begin; row < visible.end; ++row) {
        const DiscRow& span = disc[row - top];
        PaintSpan(surface_, row, x + span.begin, x + span.end, colour_);
    }
}

void WideStroke::Body(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = y2 - y1;
    const std::int64_t half = width_ / 2;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (dy == 0) {
        const RowRange visible = VisibleRows(surface_, y1 - half, y1 - half + width_);
        for (std::int64_t y = visible.begin; y < visible.end; ++y) {
            PaintSpan(surface_, y, std::min(x1, x2), std::max(x1, x2), colour_);
        }
        return;
    }
    if (dx == 0) {
        const RowRange visible = VisibleRows(surface_, std::min(y1, y2), std::max(y1, y2));
        for (std::int64_t y = visible.begin; y < visible.end; ++y) {
            PaintSpan(surface_, y, x1 - half, x1 - half + width_, colour_);
        }
        return;
    }
    // A quadrilateral whose corners are the end points moved sideways by about
    // half the width, split unevenly ("near" and "far" halves) the way the
    // reference renderer rounds them.
    const double adx = static_cast<double>(dx < 0 ? -dx : dx);
    const double ady = static_cast<double>(dy < 0 ? -dy : dy);
    const double length = std::sqrt(adx * adx + ady * ady);
    const double reachX = width_ * ady / length;
    const double reachY = width_ * adx / length;
    std::int64_t nearX = RoundHalfUp(reachX / 2), nearY = RoundHalfUp(reachY / 2);
    std::int64_t farX = RoundHalfUp((reachX + 1) / 2), farY = RoundHalfUp((reachY + 1) / 2);
    if (dx < 0) {
        nearY = -nearY;
        farY = -farY;
    }
    if (dy < 0) {
        const std::int64_t oldNearX = nearX, oldNearY = nearY;
        nearX = -farX;
        nearY = farY;
        farX = -oldNearX;
        farY = oldNearY;
    }
    const std::array<Point64, 4> quad{{{x1 - nearX, y1 + nearY},
                                       {x1 + farX, y1 - farY},
                                       {x2 + farX, y2 - farY},
                                       {x2 - nearX, y2 + nearY}}};
    FillPolygon(surface_, std::span<const Point64>(quad), Brush::Solid(colour_));
}

void WideStroke::Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    Body(x1, y1, x2, y2);
    Disc(x1, y1);
    Disc(x2, y2);
}

}  // namespace canvas::raster
