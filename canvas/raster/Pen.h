#pragma once

// The pen that outlines shapes and draws lines. Widths 0 and 1 both mean the
// one-pixel pen; 2 and more give a geometric pen with round caps and joins.

#include "instruments/Pixel.h"

namespace instruments::raster {

enum class PenStyle { Solid, Null };

struct Pen {
    int width = 1;
    Pixel colour = 0;
    // A null pen draws no outline; shapes then fill their whole area.
    PenStyle style = PenStyle::Solid;

    static Pen Null() { return {1, 0, PenStyle::Null}; }

    bool IsNull() const { return style == PenStyle::Null; }
    bool IsThin() const { return width <= 1; }
};

// Pens wider than this are drawn at this width: a stroke wider than any surface
// looks the same, and the cap disc stays cheap to build.
inline constexpr int kMaxPenWidth = 4096;

}  // namespace instruments::raster
