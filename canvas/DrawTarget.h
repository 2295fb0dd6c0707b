#pragma once

#include <memory>
#include <string>

#include "canvas/surface/Pixel.h"
#include "canvas/surface/Surface.h"

namespace canvas {

namespace text {
class FontFace;
}

// The colours that the -1 defaults select.
inline constexpr Colour kSystemWindowText = 0x000000;
inline constexpr Colour kSystemButtonFace = 0xF0F0F0;

enum class TextBackground { Opaque, Transparent };

// What a surface remembers between drawing calls.
struct DrawingState {
    int x = 0;
    int y = 0;
    Colour foreground = kSystemWindowText;
    TextBackground textBackground = TextBackground::Opaque;
    Colour background = kSystemButtonFace;
    int penWidth = 0;
    std::shared_ptr<const text::FontFace> font;
};

// Something the drawing operations can be aimed at: a graphic control's face or
// an off-screen surface, each with its own drawing state.
struct DrawTarget {
    Surface surface;
    DrawingState state;
    bool buffered = true;
    // Set when the surface has changed since it was last composed onto the window.
    bool redrawPending = false;
    // The owning dialog's "present after this event" flag (null for off-screen surfaces).
    bool* ownerPresentPending = nullptr;
};

}  // namespace canvas
