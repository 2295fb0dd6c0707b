#pragma once

// The geometry of a rounded rectangle (and so of an ellipse): its one-pixel
// outline and the area inside it, row by row, in 64-bit coordinates.
//
// The lower-right quarter of the corner ellipse is traced as an 8-connected
// path through pixel centres with an integer error walk (A. Zingl, "A
// Rasterizing Algorithm for Drawing Curves"); the other three quarters are its
// mirror images, so the outline is symmetric. Straight one-pixel runs join the
// quarters along the edges. Every row of the outline is then a run on the left
// and a run on the right (or one run across), and the fill lies between them.

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "canvas/raster/Spans.h"

namespace instruments::raster {

// Corner ellipses larger than this are not drawn: the walk is linear in the
// size and its error terms must stay within 64 bits.
inline constexpr std::int64_t kMaxCornerSize = std::int64_t{1} << 18;

// Walks the lower-right quarter of an ew x eh corner ellipse (3 <= ew, eh <=
// kMaxCornerSize) in box-local coordinates, from the rightmost pixel of the
// middle row down and left to the middle column, calling visit(x, y) per
// vertex. Consecutive vertices differ by at most one in each coordinate, x
// never grows and y never shrinks. A visit may return bool: false stops the
// walk there. Returns whether the walk ran to its end.
template <typename Visit>
bool WalkCornerQuarter(std::int64_t ew, std::int64_t eh, Visit&& visit) {
    const std::int64_t a = ew - 1;
    const std::int64_t c = eh - 1;
    std::int64_t ex = 4 * c * c * (1 - a);
    std::int64_t ey = 4 * a * a * (1 + (c & 1));
    std::int64_t err = ex + ey + a * a * (c & 1);
    std::int64_t x = a;
    std::int64_t y = eh / 2;
    while (x >= ew / 2) {
        if constexpr (std::is_same_v<decltype(visit(x, y)), bool>) {
            if (!visit(x, y)) {
                return false;
            }
        } else {
            visit(x, y);
        }
        const std::int64_t e2 = 2 * err;
        bool moved = false;
        if (e2 >= ex) {
            --x;
            ex += 8 * c * c;
            err += ex;
            moved = true;
        }
        if (e2 <= ey) {
            ++y;
            ey += 8 * a * a;
            err += ey;
            moved = true;
        }
        // Neither can happen for a valid corner; the guard keeps the walk finite and in the box.
        if (!moved || y > c) {
            break;
        }
    }
    return true;
}

class RoundShape {
  public:
    // One row: the outline covers [left, innerLeft) and [innerRight, right), the
    // fill [innerLeft, innerRight) (empty when the runs meet or overlap).
    struct Row {
        std::int64_t y;
        std::int64_t left;
        std::int64_t innerLeft;
        std::int64_t innerRight;
        std::int64_t right;
    };

    // The box l..r-1 x t..b-1 (l < r, t < b) with a corner ellipse of ew x eh,
    // 3 <= ew <= r - l, 3 <= eh <= b - t, both at most kMaxCornerSize.
    RoundShape(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, std::int64_t ew,
               std::int64_t eh)
        : l_(l), t_(t), r_(r), b_(b), ew_(ew), eh_(eh) {}

    // Calls visit(Row) for every row of the shape within rows; when the corner
    // ellipse spans the full odd height its middle row comes twice. The corner
    // walk goes no further than the last row needed, so a shape reaching far
    // beyond rows costs only up to the rows it shows.
    template <typename Visit>
    void ForEachRow(RowRange rows, Visit&& visit) const {
        if (rows.begin >= rows.end) {
            return;
        }
        // The walk's rows grow, their mirrors shrink: past this local row neither is in rows.
        const std::int64_t lastNeeded = std::max(rows.end - 1 - (b_ - eh_), t_ + eh_ - 1 - rows.begin);
        std::int64_t rowY = 0, xMin = 0, xMax = 0;
        bool open = false;
        WalkCornerQuarter(ew_, eh_, [&](std::int64_t x, std::int64_t y) {
            if (open && y != rowY) {
                // A row the walk leaves is a curve row; only the walk's last row is an edge.
                QuarterRow(rows, rowY, xMin, xMax, RowKind::Curve, visit);
                open = false;
            }
            if (y > lastNeeded) {
                return false;
            }
            if (!open) {
                rowY = y;
                xMax = x;
                open = true;
            }
            xMin = x;
            return true;
        });
        // The last row holds the straight top or bottom edge.
        if (open) {
            QuarterRow(rows, rowY, xMin, xMax, RowKind::Edge, visit);
        }
        const std::int64_t midBegin = std::max(t_ + eh_ - eh_ / 2, rows.begin);
        const std::int64_t midEnd = std::min(b_ - eh_ + eh_ / 2, rows.end);
        for (std::int64_t y = midBegin; y < midEnd; ++y) {
            visit(Row{y, l_, l_ + 1, r_ - 1, r_});
        }
    }

    // Calls visit(x, y) for every vertex of the lower-right quarter (chain 0) in
    // path order, in surface coordinates; the other three chains are its mirror
    // images (MirrorX, MirrorY). A visit returning false stops the walk; returns
    // whether the walk ran to its end.
    template <typename Visit>
    bool ForEachQuarterVertex(Visit&& visit) const {
        return WalkCornerQuarter(
            ew_, eh_, [&](std::int64_t x, std::int64_t y) { return visit(r_ - ew_ + x, b_ - eh_ + y); });
    }

    // Calls visit(chain, x, y) for every outline vertex: each of the four
    // quarters (chain 0..3) in path order, the chains interleaved.
    template <typename Visit>
    void ForEachVertex(Visit&& visit) const {
        ForEachQuarterVertex([&](std::int64_t x, std::int64_t y) {
            visit(0, x, y);
            visit(1, MirrorX(x), y);
            visit(2, x, MirrorY(y));
            visit(3, MirrorX(x), MirrorY(y));
            return true;
        });
    }

    // Calls visit(x1, y1, x2, y2) for the straight edges that join the quarters:
    // vertical ones between their middle-row vertices, horizontal ones between
    // their last vertices. With the steps between consecutive vertices of each
    // chain they make up the closed outline polygon.
    template <typename Visit>
    void ForEachStraightEdge(Visit&& visit) const {
        std::int64_t lastX = 0, lastY = 0;
        ForEachQuarterVertex([&](std::int64_t x, std::int64_t y) {
            lastX = x;
            lastY = y;
            return true;
        });
        ForEachVerticalEdge(visit);
        ForEachHorizontalEdge(lastX, lastY, visit);
    }

    // The two vertical straight edges (they need no walk) ...
    template <typename Visit>
    void ForEachVerticalEdge(Visit&& visit) const {
        const std::int64_t midY = b_ - eh_ + eh_ / 2;
        visit(r_ - 1, MirrorY(midY), r_ - 1, midY);
        visit(l_, MirrorY(midY), l_, midY);
    }

    // ... and the two horizontal ones, given the last vertex (lastX, lastY) of chain 0.
    template <typename Visit>
    void ForEachHorizontalEdge(std::int64_t lastX, std::int64_t lastY, Visit&& visit) const {
        visit(MirrorX(lastX), lastY, lastX, lastY);
        visit(MirrorX(lastX), MirrorY(lastY), lastX, MirrorY(lastY));
    }

    std::int64_t MirrorX(std::int64_t x) const { return l_ + r_ - 1 - x; }
    std::int64_t MirrorY(std::int64_t y) const { return t_ + b_ - 1 - y; }

  private:
    enum class RowKind { Curve, Edge };

    // Emits the bottom row of a quarter's local row and its mirror at the top.
    template <typename Visit>
    void QuarterRow(RowRange rows, std::int64_t localY, std::int64_t xMin, std::int64_t xMax, RowKind kind,
                    Visit& visit) const {
        const std::int64_t right = r_ - ew_ + xMax + 1;
        const std::int64_t left = MirrorX(right - 1);
        Row row{0, left, right, right, right};
        if (kind == RowKind::Curve) {
            row.innerLeft = MirrorX(r_ - ew_ + xMin) + 1;
            row.innerRight = r_ - ew_ + xMin;
        }
        for (const std::int64_t y : {b_ - eh_ + localY, MirrorY(b_ - eh_ + localY)}) {
            if (y >= rows.begin && y < rows.end) {
                row.y = y;
                visit(row);
            }
        }
    }

    std::int64_t l_, t_, r_, b_, ew_, eh_;
};

}  // namespace instruments::raster
