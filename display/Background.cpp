#include "display/Background.h"

#include <algorithm>
#include <cstdint>

#include "dialog/Canvas.h"
#include "canvas/surface/Rounding.h"
#include "colour/ColourSpec.h"

namespace display {
namespace {

using Wide = std::int64_t;

// A coordinate of an axis-aligned line or box clamped to one pixel beyond the
// surface on either side. The visible pixels of such a shape do not change, and
// no extreme inset can hand the raster a coordinate near the int limits.
double ClampCoordinate(Wide value, int extent) {
    return static_cast<double>(std::clamp<Wide>(value, -1, static_cast<Wide>(extent) + 1));
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

Area InsideOf(canvas::Size size, int inset) {
    Area area{size.width, size.height};
    area.nearX = ClampCoordinate(inset, area.w);
    area.nearY = ClampCoordinate(inset, area.h);
    area.farX = ClampCoordinate(static_cast<Wide>(area.w) - inset, area.w);
    area.farY = ClampCoordinate(static_cast<Wide>(area.h) - inset, area.h);
    return area;
}

void Row(const Area& area, Wide y, canvas::Colour colour) {
    dialog::SetPos(area.nearX, static_cast<double>(y));
    dialog::LineTo(area.farX, static_cast<double>(y), colour);
}

void Column(const Area& area, Wide x, canvas::Colour colour) {
    dialog::SetPos(static_cast<double>(x), area.nearY);
    dialog::LineTo(static_cast<double>(x), area.farY, colour);
}

int Shade(double value) {
    return canvas::RoundHalfEven(value);
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

void PaintMirroredRows(const Area& a, int inset, std::string_view text) {
    const Steps steps = VisibleSteps(inset, canvas::RoundHalfEven(a.h / 2.0), a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        const canvas::Colour c = colour::ColourOf(text, Shade(255.0 - 255.0 * i / a.h));
        Row(a, i - 1, c);
        Row(a, a.h - i, c);
    }
}

void PaintRowsFromBottom(const Area& a, int inset, std::string_view text) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(a, a.h - i, colour::ColourOf(text, Shade(255.0 - 255.0 * i / a.h)));
    }
}

void PaintRowsFromTop(const Area& a, int inset, std::string_view text) {
    const Steps steps = VisibleSteps(inset, static_cast<Wide>(a.h) - inset, a.h);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        Row(a, i - 1, colour::ColourOf(text, Shade(255.0 - 255.0 * i / a.h)));
    }
}

enum class ColumnShading { DarkEdges, LightEdges };

void PaintMirroredColumns(const Area& a, int inset, std::string_view text, ColumnShading shading) {
    const Steps steps = VisibleSteps(inset, canvas::RoundHalfEven(a.w / 2.0 + 1.0), a.w);
    for (Wide i = steps.first; i <= steps.last; ++i) {
        const double along = shading == ColumnShading::DarkEdges
                                 ? static_cast<double>(i)
                                 : static_cast<double>(static_cast<Wide>(a.w) - inset - 1 - i);
        const canvas::Colour c = colour::ColourOf(text, Shade(255.0 - 255.0 * along / a.w));
        Column(a, i - 1, c);
        Column(a, a.w - i, c);
    }
}

void PaintPicture(dialog::DialogHandle dialog, int id, const Area& a, int inset) {
    const std::intptr_t slot = dialog::GetUser(dialog, id, 2);
    if (slot == 0 || slot < INT32_MIN || slot > INT32_MAX) {
        return;
    }
    const double m = inset;
    dialog::Stretch(dialog::Source::Bitmap(static_cast<int>(slot)), 0, 0, a.w, a.h, m, m, a.w - m, a.h - m,
                    canvas::kMixCopy);
}

canvas::Colour BoxColour(std::string_view text, Wide i, int h) {
    const double along = 600.0 * static_cast<double>(i) / h;
    if (text.empty()) {
        // Every component saturates at 255, so capping v first changes nothing
        // and keeps v + 45 from overflowing for a huge depth.
        const int v = std::min(canvas::RoundHalfEven(along), 255);
        return colour::Rgb(v, v + 45, v);
    }
    return colour::ColourOf(text, Shade(205.0 - along));
}

void Box(const Area& a, Wide i, int inset, canvas::Colour colour) {
    const double corner = ClampCoordinate(static_cast<Wide>(inset) + i, std::max(a.w, a.h));
    dialog::Box(corner, corner, a.farX, a.farY, 0, colour, colour, dialog::kFillSolid);
}

}  // namespace

void PaintBoxStack(int inset, std::string_view colourText, int depth) {
    const canvas::Size size = dialog::ClientSize();
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
        Box(area, i, inset, BoxColour(colourText, i, size.height));
    }
    if (depth > last) {
        Box(area, last + 1, inset, BoxColour(colourText, depth, size.height));
    }
}

void PaintBackground(dialog::DialogHandle dialog, int id, int inset, std::string_view colourText, int style) {
    dialog::Attach(dialog, id, canvas::Buffering::Buffered);
    const canvas::Size size = dialog::ClientSize();
    if (size.width <= 0 || size.height <= 0) {
        return;
    }
    const Area area = InsideOf(size, inset);
    switch (style) {
        case kBackMirroredRows:
            PaintMirroredRows(area, inset, colourText);
            break;
        case kBackRowsFromBottom:
            PaintRowsFromBottom(area, inset, colourText);
            break;
        case kBackMirroredColumns:
            PaintMirroredColumns(area, inset, colourText, ColumnShading::DarkEdges);
            break;
        case kBackBoxStack: {
            // The factor is the single-precision 0.1 (0.100000001...) and the
            // product is taken exactly, so products that would be exactly
            // halfway lie just above it and round up: 0.1 x 55 = 5.5000001 -> 6,
            // 0.1 x 45 -> 5.
            const double depth = static_cast<double>(0.1f) * std::min(size.width, size.height);
            PaintBoxStack(inset, colourText, canvas::RoundHalfEven(depth));
            break;
        }
        case kBackRowsFromTop:
            PaintRowsFromTop(area, inset, colourText);
            break;
        case kBackMirroredColumnsReversed:
            PaintMirroredColumns(area, inset, colourText, ColumnShading::LightEdges);
            break;
        case kBackPicture:
            PaintPicture(dialog, id, area, inset);
            break;
        default:
            break;
    }
}

}  // namespace display
