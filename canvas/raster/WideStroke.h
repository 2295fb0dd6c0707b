#pragma once

// Strokes of a geometric pen (width 2 and more) with round caps and joins. A
// stroke is the union of a cap disc on every vertex and a body along every
// segment; painting the parts one after another in one colour gives that
// union.

#include <array>
#include <cstdint>
#include <vector>

#include "canvas/raster/Polygon.h"
#include "canvas/raster/Spans.h"
#include "instruments/Pixel.h"
#include "instruments/Surface.h"

namespace instruments::raster {

class WideStroke {
  public:
    // width is clamped to 2 .. kMaxPenWidth.
    WideStroke(Surface& surface, int width, Pixel colour);
    WideStroke(const WideStroke&) = delete;
    WideStroke& operator=(const WideStroke&) = delete;

    // The cap disc: a width x width block with rounded corners covering columns
    // x - width/2 .. x - width/2 + width - 1 and the same rows (for even widths it
    // sits half a pixel up-left of the point).
    void Disc(std::int64_t x, std::int64_t y);
    // The body between two points without its caps.
    void Body(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    // MoveToEx + LineTo: the body and a disc on each end point.
    void Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);

    // True once one disc covered the whole surface: everything after it paints
    // the colour that is already everywhere, so it is skipped (which is why
    // nothing else may paint the surface while a stroke is in use).
    bool covered() const { return covered_; }

    // For paths of one-pixel steps (traced curves), where painting every disc
    // whole would cost width squared per vertex: the part of the disc at (x, y)
    // outside the disc at (fromX, fromY), which must already be painted ...
    void DiscAfter(std::int64_t x, std::int64_t y, std::int64_t fromX, std::int64_t fromY);
    // ... and the part of the body of a step of at most one pixel each way that
    // lies outside the discs on both its ends (which must be painted too).
    void UnitStep(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);

  private:
    // One disc row as column offsets from the centre, end exclusive.
    struct DiscRow {
        std::int64_t begin = 0;
        std::int64_t end = 0;
    };
    // A span relative to the start of a unit step; the spans of a step come top to bottom.
    struct StepSpan {
        std::int64_t y;
        std::int64_t x0;
        std::int64_t x1;
    };

    void BuildDisc();
    // The rows of the disc with top row top at x where holds(lo, hi)
    // is true of the span, for a test that a wider span passes whenever a
    // narrower one does: those rows are one run around the middle.
    template <typename Holds>
    RowRange RowsWhere(std::int64_t x, std::int64_t top, Holds&& holds) const;
    RowRange TouchingRows(std::int64_t x, std::int64_t top) const;
    RowRange WholeRows(std::int64_t x, std::int64_t top) const;
    bool CoverIfWhole(std::int64_t x, std::int64_t top);
    const DiscRow* rows() const { return heapRows_.empty() ? inlineRows_.data() : heapRows_.data(); }
    DiscRow* rows() { return heapRows_.empty() ? inlineRows_.data() : heapRows_.data(); }
    std::array<Point64, 4> SlopedQuad(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                      std::int64_t y2) const;
    template <typename Visit>
    void ForEachBodySpan(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, RowRange limit,
                         Visit&& visit) const;
    const std::vector<StepSpan>& StepExtras(int dx, int dy);

    Surface& surface_;
    int width_;
    Pixel colour_;
    std::array<DiscRow, 32> inlineRows_{};
    std::vector<DiscRow> heapRows_;
    // The extra spans of unit steps, by direction (dy + 1) * 3 + (dx + 1), built on first use.
    std::array<std::vector<StepSpan>, 9> stepExtras_;
    std::array<bool, 9> stepExtrasBuilt_{};
    bool covered_ = false;
};

}  // namespace instruments::raster
