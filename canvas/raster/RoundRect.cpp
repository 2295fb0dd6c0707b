#include "canvas/raster/RoundRect.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "canvas/raster/RoundShape.h"
#include "canvas/raster/Spans.h"
#include "canvas/raster/WideStroke.h"

namespace instruments::raster {

namespace {

struct Box {
    std::int64_t l, t, r, b;
    std::int64_t width() const { return r - l; }
    std::int64_t height() const { return b - t; }
};

Box Normalise(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool SameSolidColour(const Pen& pen, const Brush& brush) {
    return brush.kind == BrushKind::Solid && brush.colour == pen.colour;
}

void FillRows(Surface& surface, const Box& area, const Brush& brush) {
    const RowRange rows = VisibleRows(surface, area.t, area.b);
    for (std::int64_t y = rows.begin; y < rows.end; ++y) {
        PaintSpan(surface, y, area.l, area.r, brush);
    }
}

void PaintRect(Surface& surface, const Box& area, Pixel pixel) {
    const RowRange rows = VisibleRows(surface, area.t, area.b);
    if (rows.begin >= rows.end || area.l >= area.r) {
        return;
    }
    surface.FillRect(ClampCoordinate(area.l, surface.width()), static_cast<int>(rows.begin),
                     ClampCoordinate(area.r, surface.width()), static_cast<int>(rows.end), pixel);
}

// The closed wide path through the four corner pixels.
void StrokeRectangle(Surface& surface, const Box& box, const Pen& pen) {
    WideStroke stroke(surface, pen.width, pen.colour);
    const std::int64_t xs[4] = {box.l, box.r - 1, box.r - 1, box.l};
    const std::int64_t ys[4] = {box.t, box.t, box.b - 1, box.b - 1};
    for (int i = 0; i < 4; ++i) {
        stroke.Disc(xs[i], ys[i]);
        stroke.Body(xs[i], ys[i], xs[(i + 1) % 4], ys[(i + 1) % 4]);
    }
}

void DrawRectangle(Surface& surface, const Box& box, const Pen& pen, const Brush& brush) {
    if (pen.IsNull()) {
        // GDI's classic quirk: without a pen the fill stops one pixel short.
        FillRows(surface, {box.l, box.t, box.r - 1, box.b - 1}, brush);
        return;
    }
    if (!pen.IsThin()) {
        FillRows(surface, {box.l, box.t, box.r - 1, box.b - 1}, brush);
        StrokeRectangle(surface, box, pen);
        return;
    }
    if (box.width() == 1 && box.height() == 1) {
        // All four corners coincide and zero-length segments paint nothing.
        return;
    }
    // The fast path of the dot painters: outline and fill in one colour, or a
    // box too thin to have an inside.
    if (SameSolidColour(pen, brush) || box.width() <= 2 || box.height() <= 2) {
        PaintRect(surface, box, pen.colour);
        return;
    }
    PaintSpan(surface, box.t, box.l, box.r, pen.colour);
    PaintSpan(surface, box.b - 1, box.l, box.r, pen.colour);
    const RowRange rows = VisibleRows(surface, box.t + 1, box.b - 1);
    const bool leftVisible = box.l >= 0 && box.l < surface.width();
    const bool rightVisible = box.r - 1 >= 0 && box.r - 1 < surface.width();
    for (std::int64_t y = rows.begin; y < rows.end; ++y) {
        if (leftVisible) {
            surface.SetPixel(static_cast<int>(box.l), static_cast<int>(y), pen.colour);
        }
        if (rightVisible) {
            surface.SetPixel(static_cast<int>(box.r - 1), static_cast<int>(y), pen.colour);
        }
        PaintSpan(surface, y, box.l + 1, box.r - 1, brush);
    }
}

// How far beyond an outline vertex a geometric pen may paint: half the disc,
// and a pixel or two of the rounding of a sloped step's body, kept generous.
std::int64_t PenReach(const Pen& pen) {
    return pen.IsNull() || pen.IsThin() ? 0 : std::int64_t{std::clamp(pen.width, 2, kMaxPenWidth)} + 2;
}

// Whether anything within reach of the point can land on the surface.
bool NearSurface(const Surface& surface, std::int64_t x, std::int64_t y, std::int64_t reach) {
    return x > -reach && x < surface.width() + reach && y > -reach && y < surface.height() + reach;
}

// The closed wide path through the outline vertices. Each quarter is a path of
// one-pixel steps, so each disc adds only its rim to the one before it.
//
// A vertex out of reach of the surface is walked over without painting: its
// disc and the bodies of its steps have no pixel on the surface, so the disc
// after it (which paints only what that disc left out) still paints all of its
// own visible part. The walk stops once every chain has moved out of reach
// for good, that is when the rows of both the lower and the mirrored upper
// chains lie beyond the surface.
void StrokeRounded(Surface& surface, const RoundShape& shape, const Pen& pen) {
    WideStroke stroke(surface, pen.width, pen.colour);
    const std::int64_t reach = PenReach(pen);
    struct ChainEnd {
        std::int64_t x = 0;
        std::int64_t y = 0;
        bool started = false;
    };
    std::array<ChainEnd, 4> ends{};
    auto vertex = [&](int chain, std::int64_t x, std::int64_t y) {
        ChainEnd& end = ends[static_cast<std::size_t>(chain)];
        if (NearSurface(surface, x, y, reach)) {
            if (end.started) {
                stroke.DiscAfter(x, y, end.x, end.y);
                stroke.UnitStep(end.x, end.y, x, y);
            } else {
                stroke.Disc(x, y);
            }
        }
        end = {x, y, true};
    };
    std::int64_t lastX = 0, lastY = 0;
    const bool walkedAll = shape.ForEachQuarterVertex([&](std::int64_t x, std::int64_t y) {
        const std::int64_t upperY = shape.MirrorY(y);
        if (stroke.covered() || (y >= surface.height() + reach && upperY <= -reach)) {
            return false;
        }
        vertex(0, x, y);
        vertex(1, shape.MirrorX(x), y);
        vertex(2, x, upperY);
        vertex(3, shape.MirrorX(x), upperY);
        lastX = x;
        lastY = y;
        return true;
    });
    auto body = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        stroke.Body(x1, y1, x2, y2);
    };
    shape.ForEachVerticalEdge(body);
    // A walk stopped early ends beyond reach, and so do the horizontal edges on
    // its last rows, or the surface is covered already.
    if (walkedAll) {
        shape.ForEachHorizontalEdge(lastX, lastY, body);
    }
}

void DrawRounded(Surface& surface, const Box& box, const RoundShape& shape, const Pen& pen,
                 const Brush& brush) {
    const RowRange rows = VisibleRows(surface, box.t, box.b);
    if (pen.IsNull() || !pen.IsThin()) {
        // The whole area, which a geometric pen then strokes over.
        shape.ForEachRow(
            rows, [&](const RoundShape::Row& row) { PaintSpan(surface, row.y, row.left, row.right, brush); });
        if (!pen.IsNull()) {
            StrokeRounded(surface, shape, pen);
        }
        return;
    }
    if (SameSolidColour(pen, brush)) {
        shape.ForEachRow(rows, [&](const RoundShape::Row& row) {
            PaintSpan(surface, row.y, row.left, row.right, pen.colour);
        });
        return;
    }
    shape.ForEachRow(rows, [&](const RoundShape::Row& row) {
        PaintSpan(surface, row.y, row.left, row.innerLeft, pen.colour);
        PaintSpan(surface, row.y, row.innerLeft, row.innerRight, brush);
        PaintSpan(surface, row.y, std::max(row.innerLeft, row.innerRight), row.right, pen.colour);
    });
}

void DrawRoundRect64(Surface& surface, const Box& box, std::int64_t ew, std::int64_t eh, const Pen& pen,
                     const Brush& brush) {
    if (box.width() == 0 || box.height() == 0 || surface.empty()) {
        return;
    }
    if (pen.IsNull() && brush.kind == BrushKind::Null) {
        return;
    }
    // A shape with no pixel on the surface is not walked at all.
    const std::int64_t reach = PenReach(pen);
    if (box.r + reach <= 0 || box.l - reach >= surface.width() || box.b + reach <= 0 ||
        box.t - reach >= surface.height()) {
        return;
    }
    const std::int64_t cornerW = std::min(ew < 0 ? -ew : ew, box.width());
    const std::int64_t cornerH = std::min(eh < 0 ? -eh : eh, box.height());
    if (cornerW <= 2 || cornerH <= 2) {
        DrawRectangle(surface, box, pen, brush);
        return;
    }
    if (cornerW > kMaxCornerSize || cornerH > kMaxCornerSize) {
        return;
    }
    DrawRounded(surface, box, RoundShape(box.l, box.t, box.r, box.b, cornerW, cornerH), pen, brush);
}

}  // namespace

void DrawRoundRect(Surface& surface, int x1, int y1, int x2, int y2, int ew, int eh, const Pen& pen,
                   const Brush& brush) {
    // The dot painters draw tens of thousands of these a second: a square-cornered
    // box whose thin outline and fill share one colour is one solid block.
    const bool squareCorners = (ew >= -2 && ew <= 2) || (eh >= -2 && eh <= 2);
    if (squareCorners && pen.IsThin() && !pen.IsNull() && SameSolidColour(pen, brush)) {
        const int l = std::min(x1, x2), r = std::max(x1, x2);
        const int t = std::min(y1, y2), b = std::max(y1, y2);
        // A 1 x 1 box draws nothing (its four corners coincide).
        if (l != r && t != b && (r - 1 != l || b - 1 != t)) {
            surface.FillRect(l, t, r, b, pen.colour);
        }
        return;
    }
    DrawRoundRect64(surface, Normalise(x1, y1, x2, y2), ew, eh, pen, brush);
}

void DrawEllipse(Surface& surface, int x1, int y1, int x2, int y2, const Pen& pen, const Brush& brush) {
    const Box box = Normalise(x1, y1, x2, y2);
    DrawRoundRect64(surface, box, box.width(), box.height(), pen, brush);
}

}  // namespace instruments::raster
