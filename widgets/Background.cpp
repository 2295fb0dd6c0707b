#include "instruments/Background.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas/raster/Spans.h"
#include "canvas/surface/Rounding.h"

namespace instruments {
namespace {

using Wide = std::int64_t;

// A coordinate of an axis-aligned line or box clamped to one pixel beyond the
// surface on either side. The visible pixels of such a shape do not change, and
// no extreme inset can hand the raster a coordinate near the int limits.
double ClampCoordinate(Wide value, int extent) {
    return instruments::raster::ClampCoordinate(value, extent);
}

struct Area {
    int w = 0;
    int h = 0;
    // The frame's inside: columns and rows from `near` to the far edges w - inset
    // and h - inset (both clamped, see ClampCoordinate).
    double nearX = 0;
    double nearY = 0;
    double farX = 0;
    double farY = 0;
};

Area InsideOf(instruments::Size size, int inset) {
    Area area{size.width, size.height};
    area.nearX = ClampCoordinate(inset, area.w);
    area.nearY = ClampCoordinate(inset, area.h);
    area.farX = ClampCoordinate(static_cast<Wide>(area.w) - inset, area.w);
    area.farY = ClampCoordinate(static_cast<Wide>(area.h) - inset, area.h);
    return area;
}

void Row(instruments::Painter& p, const Area& area, Wide y, instruments::Colour colour) {
    p.SetPos(area.nearX, static_cast<double>(y));
    p.LineTo(area.farX, static_cast<double>(y), colour);
}

void Column(instruments::Painter& p, const Area& area, Wide x, instruments::Colour colour) {
    p.SetPos(static_cast<double>(x), area.nearY);
    p.LineTo(static_cast<double>(x), area.farY, colour);
}

// The line patterns run from shade 255 (black for most colours) at the far
// end of their loop toward the colour itself: the shade of step i over an
// extent e is 255 - 255 x i / e.
constexpr double kFullShade = 255.0;
// The box stack: box i is lighter by 600 / h per box, from a shade of 205 (or,
// for the green of an empty colour text, from a green level of 0).
constexpr double kBoxShadeStart = 205.0;
constexpr double kBoxShadePerHeight = 600.0;

double LineShade(double step, int extent) {
    return kFullShade - kFullShade * step / extent;
}

int Shade(double value) {
    return instruments::RoundHalfEven(value);
}

// The loops run i = inset + 1 .. last. Steps whose lines all fall outside the
// surface (i outside 1..extent) are skipped: they would paint nothing.
struct Steps {
    Wide first;
    Wide last;
};

Steps VisibleSteps(int inset, Wide last, int extent) {
    return {std::max<Wide>(static_cast<Wide>(inset) + 1, 1), std::min<Wide>(last, extent)};
}

// Step i paints rows i - 1 and h - i. The steps run to ceil(h / 2), so an odd
// height ends on one step that paints its middle row alone: rounding h / 2
// instead would stop short of that step for h = 4k + 1 and leave the middle
// row unpainted, while h = 4k + 3 already reached it.
void PaintMirroredRows(instruments::Painter& p, const Area& a, int inset,
                       const instruments::ShadedColour& spec) {
    const Steps steps = VisibleSteps(inset, (static_cast<Wide>(a.h) + 1) / 2, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        const instruments::Colour c = spec.At(Shade(LineShade(static_cast<double>(i), a.h)));
        Row(p, a, i - 1, c);
        Row(p, a, a.h - i, c);
    }
}

void PaintRowsFromBottom(instruments::Painter& p, const Area& a, int inset,
                         const instruments::ShadedColour& spec) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(p, a, a.h - i, spec.At(Shade(LineShade(static_cast<double>(i), a.h))));
    }
}

void PaintRowsFromTop(instruments::Painter& p, const Area& a, int inset,
                      const instruments::ShadedColour& spec) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(p, a, i - 1, spec.At(Shade(LineShade(static_cast<double>(i), a.h))));
    }
}

enum class ColumnShading { DarkEdges, LightEdges };

void PaintMirroredColumns(instruments::Painter& p, const Area& a, int inset,
                          const instruments::ShadedColour& spec, ColumnShading shading) {
    const Steps steps = VisibleSteps(inset, instruments::RoundHalfEven(a.w / 2.0 + 1.0), a.w);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        const double along = shading == ColumnShading::DarkEdges
                                 ? static_cast<double>(i)
                                 : static_cast<double>(static_cast<Wide>(a.w) - inset - 1 - i);
        const instruments::Colour c = spec.At(Shade(LineShade(along, a.w)));
        Column(p, a, i - 1, c);
        Column(p, a, a.w - i, c);
    }
}

// The source rectangle is (0, 0)-(w, h) of the picture, one pixel wider and
// higher than a picture of the face's size; the stretch takes the edge pixel
// there, so the picture covers the frame's inside to both far corners.
void PaintPicture(instruments::Painter& p, const Area& a, int inset, const instruments::Surface* picture) {
    if (picture == nullptr) {
        return;
    }
    const double m = inset;
    p.Stretch(*picture, 0, 0, a.w, a.h, m, m, a.w - m, a.h - m, instruments::kMixCopy);
}

instruments::Colour BoxColour(const instruments::ShadedColour& spec, Wide i, int h) {
    const double along = kBoxShadePerHeight * static_cast<double>(i) / h;
    if (spec.IsNone()) {
        // Every component saturates at 255, so capping v first changes nothing
        // and keeps v + 45 from overflowing for a huge depth.
        const int v = std::min(instruments::RoundHalfEven(along), 255);
        return instruments::Rgb(v, v + 45, v);
    }
    return spec.At(Shade(kBoxShadeStart - along));
}

// One box of the stack that paints something: its near corner c (on both axes)
// and its pixel.
struct StackBox {
    int corner;
    instruments::Pixel pixel;
};

// A square-cornered box whose thin outline and fill share one colour paints the
// half-open rectangle between its corners, ordered on each axis, except when
// that rectangle is empty or a single pixel (its four corners coincide).
bool PaintsSomething(int corner, int farX, int farY) {
    const int dx = corner > farX ? corner - farX : farX - corner;
    const int dy = corner > farY ? corner - farY : farY - corner;
    return dx != 0 && dy != 0 && !(dx == 1 && dy == 1);
}

// The stack with a thin pen, each pixel written once with the colour of the
// last box that covers it. On each axis box c covers coordinate v < far when
// c <= v, and v >= far when c > v. The corners never decrease along the
// stack, so the boxes with c <= v are a leading run of it and the last box
// covering a pixel follows from the last box with c <= x or c <= y.
void FillBoxStack(instruments::Surface& surface, instruments::Size size, int farX, int farY,
                  const std::vector<StackBox>& boxes) {
    if (boxes.empty()) {
        return;
    }
    const int w = size.width;
    const int h = size.height;
    // Columns before `split` lie before the far edge, the rest at or past it.
    const int split = std::clamp(farX, 0, w);
    const int count = static_cast<int>(boxes.size());
    // lastUpTo[v]: the last box with c <= v, or -1 (v is any column or row).
    std::vector<int> lastUpTo(static_cast<std::size_t>(std::max(w, h)));
    for (int v = 0, k = -1; v < static_cast<int>(lastUpTo.size()); ++v) {
        while (k + 1 < count && boxes[static_cast<std::size_t>(k + 1)].corner <= v) {
            ++k;
        }
        lastUpTo[static_cast<std::size_t>(v)] = k;
    }
    // The left band: column x before the far edge, in a row where x is the
    // binding bound, takes the last box with c <= x.
    std::vector<instruments::Pixel> band(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        const int k = lastUpTo[static_cast<std::size_t>(x)];
        band[static_cast<std::size_t>(x)] = k < 0 ? 0 : boxes[static_cast<std::size_t>(k)].pixel;
    }
    const auto copyBand = [&](int y, int x0, int x1) {
        if (x0 < x1) {
            std::copy(band.begin() + x0, band.begin() + x1, surface.mutableRow(y) + x0);
        }
    };
    const int firstCorner = boxes.front().corner;
    const StackBox& lastBox = boxes.back();
    for (int y = 0; y < h; ++y) {
        const int k = lastUpTo[static_cast<std::size_t>(y)];
        if (y < farY) {
            // x < y: the column bounds (x >= c for x covered, so x >= the first corner).
            copyBand(y, std::max(firstCorner, 0), std::min(y, split));
            if (k >= 0) {
                const StackBox& box = boxes[static_cast<std::size_t>(k)];
                // x >= y before the far edge: the row bounds; past it, c > x too.
                surface.FillSpan(y, y, split, box.pixel);
                surface.FillSpan(y, split, std::min(box.corner, w), box.pixel);
            }
        } else {
            // Row y is covered only by boxes with c > y, from box k + 1 on.
            if (k + 1 < count) {
                copyBand(y, std::max(boxes[static_cast<std::size_t>(k + 1)].corner, 0), split);
            }
            if (lastBox.corner > y) {
                surface.FillSpan(y, split, std::min(lastBox.corner, w), lastBox.pixel);
            }
        }
    }
}

}  // namespace

int BoxStackDepth(int height) {
    return static_cast<int>(std::floor(static_cast<double>(0.2f) * height));
}

void PaintBoxStack(instruments::Painter& p, int inset, const instruments::ShadedColour& spec, int depth) {
    const instruments::Size size = p.ClientSize();
    if (size.width <= 0 || size.height <= 0 || depth < 0) {
        return;
    }
    // Coordinates are clamped to `margin` pixels beyond the surface, where no
    // edge of a box can show: one for a thin pen, and a geometric pen's stroke
    // reaches about half its width past its line, so it needs more.
    const int pen = p.state().penWidth;
    const bool thin = pen <= 1;
    const int margin = thin ? 1 : pen + 1;
    const Wide side = std::max(size.width, size.height);
    const auto clamped = [margin](Wide v, int extent) {
        return static_cast<int>(std::clamp<Wide>(v, -margin, static_cast<Wide>(extent) + margin));
    };
    const int farX = clamped(static_cast<Wide>(size.width) - inset, size.width);
    const int farY = clamped(static_cast<Wide>(size.height) - inset, size.height);
    // Boxes whose near corners clamp to one value are the same box, so only the
    // last of them shows. Skipping the hidden ones keeps any depth or inset to a
    // loop bounded by the surface's side.
    const Wide first = std::clamp<Wide>(-static_cast<Wide>(margin) - inset, 0, depth);
    const Wide lastDistinct = side + margin - inset;
    const Wide last = std::min<Wide>(depth, std::max(lastDistinct, first));
    // Box `last + 1` stands for all the boxes after `last`: it has their shape
    // and the colour of the deepest.
    const auto forEachBox = [&](const auto& visit) {
        for (Wide i = first; i <= last; ++i) {
            visit(clamped(static_cast<Wide>(inset) + i, static_cast<int>(side)),
                  BoxColour(spec, i, size.height));
        }
        if (depth > last) {
            visit(clamped(static_cast<Wide>(inset) + last + 1, static_cast<int>(side)),
                  BoxColour(spec, depth, size.height));
        }
    };
    // The one-write path fills the drawable area itself, so it needs that area
    // to start at the drawing origin, as it does for an instrument painted at
    // its rectangle of a panel; anything else goes box by box through the painter.
    const instruments::Rect area = p.ClipArea();
    const bool areaAtOrigin = area.x == p.state().origin.x && area.y == p.state().origin.y;
    if (!thin || !areaAtOrigin) {
        forEachBox([&](int corner, instruments::Colour colour) {
            p.Box(corner, corner, farX, farY, 0, colour, colour, instruments::FillStyle::Solid);
        });
        return;
    }
    std::vector<StackBox> boxes;
    boxes.reserve(static_cast<std::size_t>(last - first + 2));
    forEachBox([&](int corner, instruments::Colour colour) {
        if (PaintsSomething(corner, farX, farY)) {
            boxes.push_back({corner, instruments::PixelFromColour(colour)});
        }
    });
    if (area == instruments::Rect{0, 0, p.surface().width(), p.surface().height()}) {
        FillBoxStack(p.surface(), size, farX, farY, boxes);
    } else {
        instruments::Surface view = p.surface().View(area);
        FillBoxStack(view, size, farX, farY, boxes);
    }
}

void PaintBackground(instruments::Painter& p, int inset, const instruments::ShadedColour& spec,
                     BackgroundPattern pattern, const instruments::Surface* picture) {
    const instruments::Size size = p.ClientSize();
    if (size.width <= 0 || size.height <= 0) {
        return;
    }
    const Area area = InsideOf(size, inset);
    switch (pattern) {
        case BackgroundPattern::MirroredRows:
            PaintMirroredRows(p, area, inset, spec);
            break;
        case BackgroundPattern::RowsFromBottom:
            PaintRowsFromBottom(p, area, inset, spec);
            break;
        case BackgroundPattern::MirroredColumns:
            PaintMirroredColumns(p, area, inset, spec, ColumnShading::DarkEdges);
            break;
        case BackgroundPattern::BoxStack:
            PaintBoxStack(p, inset, spec, BoxStackDepth(size.height));
            break;
        case BackgroundPattern::RowsFromTop:
            PaintRowsFromTop(p, area, inset, spec);
            break;
        case BackgroundPattern::MirroredColumnsReversed:
            PaintMirroredColumns(p, area, inset, spec, ColumnShading::LightEdges);
            break;
        case BackgroundPattern::Picture:
            PaintPicture(p, area, inset, picture);
            break;
        case BackgroundPattern::None:
            break;
    }
}

}  // namespace instruments
