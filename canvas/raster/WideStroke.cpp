#include "canvas/raster/WideStroke.h"

#include <algorithm>
#include <cmath>

#include "canvas/raster/Pen.h"
#include "canvas/raster/RoundShape.h"

namespace instruments::raster {

namespace {

std::int64_t RoundHalfUp(double v) {
    return static_cast<std::int64_t>(std::floor(v + 0.5));
}

constexpr RowRange kAllRows{INT64_MIN / 2, INT64_MAX / 2};

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
    disc.ForEachRow({0, width_}, [&](const RoundShape::Row& row) {
        out[row.y] = {row.left + lo, row.right + lo};
    });
}

template <typename Holds>
RowRange WideStroke::RowsWhere(std::int64_t x, std::int64_t top, Holds&& holds) const {
    const DiscRow* disc = rows();
    auto at = [&](std::int64_t row) { return holds(x + disc[row].begin, x + disc[row].end); };
    const std::int64_t middle = width_ / 2;
    if (!at(middle)) {
        return {top + middle, top + middle};
    }
    // The first row at or above the middle that holds, and the first below it that does not.
    std::int64_t lo = 0, hi = middle;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (at(mid)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    const std::int64_t first = lo;
    lo = middle + 1;
    hi = width_;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (at(mid)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return {top + first, top + lo};
}

RowRange WideStroke::TouchingRows(std::int64_t x, std::int64_t top) const {
    const std::int64_t width = surface_.width();
    const RowRange rows = RowsWhere(
        x, top, [width](std::int64_t lo, std::int64_t hi) { return lo < width && hi > 0 && lo < hi; });
    return Intersect(rows, VisibleRows(surface_, top, top + width_));
}

RowRange WideStroke::WholeRows(std::int64_t x, std::int64_t top) const {
    const std::int64_t width = surface_.width();
    const RowRange rows =
        RowsWhere(x, top, [width](std::int64_t lo, std::int64_t hi) { return lo <= 0 && hi >= width; });
    return Intersect(rows, VisibleRows(surface_, top, top + width_));
}

// A disc whose rows span the whole width of the surface on every surface row
// gives the whole surface the colour at once.
bool WideStroke::CoverIfWhole(std::int64_t x, std::int64_t top) {
    if (covered_) {
        return true;
    }
    const RowRange whole = WholeRows(x, top);
    if (surface_.empty() || whole.begin != 0 || whole.end != surface_.height()) {
        return false;
    }
    surface_.FillRect(0, 0, surface_.width(), surface_.height(), colour_);
    covered_ = true;
    return true;
}

void WideStroke::Disc(std::int64_t x, std::int64_t y) {
    const std::int64_t top = y - width_ / 2;
    if (CoverIfWhole(x, top)) {
        return;
    }
    const RowRange touching = TouchingRows(x, top);
    const DiscRow* disc = rows();
    for (std::int64_t row = touching.begin; row < touching.end; ++row) {
        const DiscRow& span = disc[row - top];
        PaintSpan(surface_, row, x + span.begin, x + span.end, colour_);
    }
}

void WideStroke::DiscAfter(std::int64_t x, std::int64_t y, std::int64_t fromX, std::int64_t fromY) {
    const std::int64_t top = y - width_ / 2;
    const std::int64_t fromTop = fromY - width_ / 2;
    if (CoverIfWhole(x, top)) {
        return;
    }
    // Rows whose span misses the surface add nothing to it, nor do rows where
    // both discs span the surface's whole width; rows widen towards a disc's
    // middle, so the rest are at most two runs of rows.
    const RowRange touching = TouchingRows(x, top);
    const RowRange bothWhole = Intersect(WholeRows(x, top), WholeRows(fromX, fromTop));
    const DiscRow* disc = rows();
    auto paintRows = [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t row = begin; row < end; ++row) {
            const std::int64_t lo = x + disc[row - top].begin;
            const std::int64_t hi = x + disc[row - top].end;
            const std::int64_t fromRow = row - fromTop;
            if (fromRow >= 0 && fromRow < width_) {
                const std::int64_t oldLo = fromX + disc[fromRow].begin;
                const std::int64_t oldHi = fromX + disc[fromRow].end;
                PaintSpan(surface_, row, lo, std::min(hi, oldLo), colour_);
                PaintSpan(surface_, row, std::max(lo, oldHi), hi, colour_);
            } else {
                PaintSpan(surface_, row, lo, hi, colour_);
            }
        }
    };
    if (bothWhole.begin >= bothWhole.end) {
        paintRows(touching.begin, touching.end);
        return;
    }
    paintRows(touching.begin, std::min(touching.end, bothWhole.begin));
    paintRows(std::max(touching.begin, bothWhole.end), touching.end);
}

// A quadrilateral whose corners are the end points moved sideways by about half
// the width, split unevenly ("near" and "far" halves) the way the reference
// renderer rounds them.
std::array<Point64, 4> WideStroke::SlopedQuad(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                              std::int64_t y2) const {
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = y2 - y1;
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
    return {
        {{x1 - nearX, y1 + nearY}, {x1 + farX, y1 - farY}, {x2 + farX, y2 - farY}, {x2 - nearX, y2 + nearY}}};
}

template <typename Visit>
void WideStroke::ForEachBodySpan(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                                 RowRange limit, Visit&& visit) const {
    const std::int64_t half = width_ / 2;
    if (x1 == x2 && y1 == y2) {
        return;
    }
    if (y1 == y2) {
        for (std::int64_t y = std::max(y1 - half, limit.begin); y < std::min(y1 - half + width_, limit.end);
             ++y) {
            visit(y, std::min(x1, x2), std::max(x1, x2));
        }
    } else if (x1 == x2) {
        for (std::int64_t y = std::max(std::min(y1, y2), limit.begin);
             y < std::min(std::max(y1, y2), limit.end); ++y) {
            visit(y, x1 - half, x1 - half + width_);
        }
    } else {
        const std::array<Point64, 4> quad = SlopedQuad(x1, y1, x2, y2);
        ForEachPolygonSpan(std::span<const Point64>(quad), limit, visit);
    }
}

void WideStroke::Body(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    if (covered_) {
        return;
    }
    ForEachBodySpan(x1, y1, x2, y2, VisibleRows(surface_, 0, surface_.height()),
                    [&](std::int64_t y, std::int64_t x0, std::int64_t x1End) {
                        PaintSpan(surface_, y, x0, x1End, colour_);
                    });
}

void WideStroke::Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    Body(x1, y1, x2, y2);
    Disc(x1, y1);
    Disc(x2, y2);
}

const std::vector<WideStroke::StepSpan>& WideStroke::StepExtras(int dx, int dy) {
    const int index = (dy + 1) * 3 + (dx + 1);
    std::vector<StepSpan>& extras = stepExtras_[index];
    if (stepExtrasBuilt_[index]) {
        return extras;
    }
    stepExtrasBuilt_[index] = true;
    const std::int64_t half = width_ / 2;
    const DiscRow* disc = rows();
    // The disc row of a disc centred at (cx, cy) on row y, empty off the disc.
    auto discSpan = [&](std::int64_t cx, std::int64_t cy, std::int64_t y) -> DiscRow {
        const std::int64_t row = y - (cy - half);
        if (row < 0 || row >= width_) {
            return {};
        }
        return {cx + disc[row].begin, cx + disc[row].end};
    };
    ForEachBodySpan(0, 0, dx, dy, kAllRows, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
        // The body row minus both discs: at most three pieces.
        std::array<DiscRow, 4> pieces{};
        std::size_t count = 0;
        pieces[count++] = {x0, x1};
        for (const DiscRow cut : {discSpan(0, 0, y), discSpan(dx, dy, y)}) {
            std::array<DiscRow, 4> next{};
            std::size_t kept = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const DiscRow p = pieces[i];
                if (cut.begin >= cut.end || cut.end <= p.begin || cut.begin >= p.end) {
                    next[kept++] = p;
                    continue;
                }
                if (p.begin < cut.begin) {
                    next[kept++] = {p.begin, cut.begin};
                }
                if (cut.end < p.end) {
                    next[kept++] = {cut.end, p.end};
                }
            }
            pieces = next;
            count = kept;
        }
        for (std::size_t i = 0; i < count; ++i) {
            extras.push_back({y, pieces[i].begin, pieces[i].end});
        }
    });
    return extras;
}

void WideStroke::UnitStep(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = y2 - y1;
    if (covered_) {
        return;
    }
    if ((dx == 0 && dy == 0) || dx < -1 || dx > 1 || dy < -1 || dy > 1) {
        Body(x1, y1, x2, y2);
        return;
    }
    // Only the spans on the surface's rows: a wide pen has about two per row.
    const std::vector<StepSpan>& extras = StepExtras(static_cast<int>(dx), static_cast<int>(dy));
    const RowRange visible = VisibleRows(surface_, 0, surface_.height());
    auto first = std::lower_bound(extras.begin(), extras.end(), visible.begin - y1,
                                  [](const StepSpan& span, std::int64_t y) { return span.y < y; });
    for (auto span = first; span != extras.end() && y1 + span->y < visible.end; ++span) {
        PaintSpan(surface_, y1 + span->y, x1 + span->x0, x1 + span->x1, colour_);
    }
}

}  // namespace instruments::raster
