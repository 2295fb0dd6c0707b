#pragma once

#include "canvas/painter/Painter.h"
#include "canvas/surface/Surface.h"

namespace canvas {

// Something the handle-based drawing operations can be aimed at: a graphic
// control's face or an off-screen surface, each with the painter that keeps its
// drawing state between attachments.
struct DrawTarget {
    explicit DrawTarget(Surface initial = {}) : surface(std::move(initial)), painter(surface) {}
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    Surface surface;
    Painter painter;
    bool buffered = true;
    // Set when the surface has changed since it was last composed onto the window.
    bool redrawPending = false;
    // The owning dialog's "present after this event" flag (null for off-screen surfaces).
    bool* ownerPresentPending = nullptr;
};

}  // namespace canvas
