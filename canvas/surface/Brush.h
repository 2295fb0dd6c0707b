#pragma once

#include "instruments/Pixel.h"

namespace instruments {

// The interior fill of a shape: nothing, one colour, or one of GDI's six 8 x 8
// hatch patterns. Hatches are anchored at the surface's origin, as brushes are
// on a memory surface; the gaps between hatch lines get the background pixel
// when the brush is opaque and are left alone when it is transparent.
enum class BrushKind { Null, Solid, Hatched };
enum class HatchStyle { Horizontal = 1, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };
enum class HatchBackground { Opaque, Transparent };

struct Brush {
    BrushKind kind = BrushKind::Null;
    Pixel colour = 0;
    HatchStyle hatch = HatchStyle::Horizontal;
    HatchBackground background = HatchBackground::Transparent;
    Pixel backgroundColour = 0;

    static Brush None() { return {}; }
    static Brush Solid(Pixel colour) { return {BrushKind::Solid, colour}; }
    static Brush Hatch(HatchStyle style, Pixel colour, HatchBackground background, Pixel backgroundColour) {
        return {BrushKind::Hatched, colour, style, background, backgroundColour};
    }
};

// The 8 x 8 pattern of a hatch style: bit (7 - (x & 7)) of row (y & 7) is set
// where the hatch line lies.
unsigned char HatchRowBits(HatchStyle style, int y);

}  // namespace instruments
