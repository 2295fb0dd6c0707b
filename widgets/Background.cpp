#include "instruments/Background.h"

#include <algorithm>
#include <cstdint>

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

void PaintMirroredRows(instruments::Painter& p, const Area& a, int inset,
                       const instruments::ColourSpec& spec) {
    const Steps steps = VisibleSteps(inset, instruments::RoundHalfEven(a.h / 2.0), a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        const instruments::Colour c = spec.At(Shade(LineShade(static_cast<double>(i), a.h)));
        Row(p, a, i - 1, c);
        Row(p, a, a.h - i, c);
    }
}

void PaintRowsFromBottom(instruments::Painter& p, const Area& a, int inset,
                         const instruments::ColourSpec& spec) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(p, a, a.h - i, spec.At(Shade(LineShade(static_cast<double>(i), a.h))));
    }
}

void PaintRowsFromTop(instruments::Painter& p, const Area& a, int inset,
                      const instruments::ColourSpec& spec) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(p, a, i - 1, spec.At(Shade(LineShade(static_cast<double>(i), a.h))));
    }
}

enum class ColumnShading { DarkEdges, LightEdges };

void PaintMirroredColumns(instruments::Painter& p, const Area& a, int inset,
                          const instruments::ColourSpec& spec, ColumnShading shading) {
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

instruments::Colour BoxColour(const instruments::ColourSpec& spec, Wide i, int h) {
    const double along = kBoxShadePerHeight * static_cast<double>(i) / h;
    if (spec.IsEmptyText()) {
        // Every component saturates at 255, so capping v first changes nothing
        // and keeps v + 45 from overflowing for a huge depth.
        const int v = std::min(instruments::RoundHalfEven(along), 255);
        return instruments::Rgb(v, v + 45, v);
    }
    return spec.At(Shade(kBoxShadeStart - along));
}

void Box(instruments::Painter& p, const Area& a, Wide i, int inset, instruments::Colour colour) {
    const double corner = ClampCoordinate(static_cast<Wide>(inset) + i, std::max(a.w, a.h));
    p.Box(corner, corner, a.farX, a.farY, 0, colour, colour, instruments::FillStyle::Solid);
}

}  // namespace

BackgroundPattern BackgroundPatternOf(int number) {
    return number >= 0 && number <= 6 ? static_cast<BackgroundPattern>(number) : BackgroundPattern::None;
}

void PaintBoxStack(instruments::Painter& p, int inset, const instruments::ColourSpec& spec, int depth) {
    const instruments::Size size = p.ClientSize();
    if (size.width <= 0 || size.height <= 0 || depth < 0) {
        return;
    }
    const Area area = InsideOf(size, inset);
    // Boxes whose near corner is at or before the origin cover the whole
    // surface, so only the last of them shows; boxes whose near corner is past
    // both far edges all cover the same pixels, so only the last of them shows.
    // Skipping the hidden ones keeps any depth or inset to a bounded loop.
    const Wide first = std::clamp<Wide>(-static_cast<Wide>(inset), 0, depth);
    const Wide lastDistinct = static_cast<Wide>(std::max(size.width, size.height)) - inset;
    const Wide last = std::min<Wide>(depth, std::max(lastDistinct, first));
    for (Wide i = first; i <= last; ++i) {
        Box(p, area, i, inset, BoxColour(spec, i, size.height));
    }
    if (depth > last) {
        Box(p, area, last + 1, inset, BoxColour(spec, depth, size.height));
    }
}

void PaintBackground(instruments::Painter& p, int inset, const instruments::ColourSpec& spec,
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
        case BackgroundPattern::BoxStack: {
            // The factor is the single-precision 0.1 (0.100000001...) and the
            // product is taken exactly, so products that would be exactly
            // halfway lie just above it and round up: 0.1 x 55 = 5.5000001 -> 6,
            // 0.1 x 45 -> 5.
            const double depth = static_cast<double>(0.1f) * std::min(size.width, size.height);
            PaintBoxStack(p, inset, spec, instruments::RoundHalfEven(depth));
            break;
        }
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
