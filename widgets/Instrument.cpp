#include "instruments/Instrument.h"

#include <algorithm>
#include <utility>

#include "instruments/Surface.h"

namespace instruments {

Instrument::~Instrument() = default;

void Instrument::Paint(Painter& painter) {
    const PainterStateSaver saved(painter);
    painter.Clip(Rect::At({}, size_));
    const Rect visible = painter.ClipArea();
    const Point origin = painter.state().origin;
    const Rect whole = Rect::At(origin, size_);
    if (visible == whole) {
        PaintState(painter);
    } else if (!visible.empty()) {
        // The clip cuts the instrument: paint all of it on a surface of its own,
        // over what the painter's surface shows there, and copy back what shows.
        Surface own(size_.width, size_.height);
        own.Blit(visible.x - origin.x, visible.y - origin.y, painter.surface(), visible.x, visible.y,
                 visible.width, visible.height);
        Painter onOwn(own);
        DrawingState state = painter.state();
        state.clip.reset();
        state.origin = {};
        onOwn.RestoreState(std::move(state));
        PaintState(onOwn);
        painter.Copy(own);
    }
    dirty_ = {};
}

bool Instrument::PaintIfChanged(Painter& painter) {
    if (!NeedsPaint()) {
        return false;
    }
    Paint(painter);
    return true;
}

void Instrument::Invalidate(const Rect& area) {
    const Rect part = area.Intersect(Rect::At({}, size_));
    if (part.empty()) {
        return;
    }
    if (dirty_.empty()) {
        dirty_ = part;
        return;
    }
    const int left = std::min(dirty_.x, part.x);
    const int top = std::min(dirty_.y, part.y);
    const auto right = std::max(dirty_.right(), part.right());
    const auto bottom = std::max(dirty_.bottom(), part.bottom());
    // Both lie inside the instrument, so the union's extents fit an int.
    dirty_ = {left, top, static_cast<int>(right - left), static_cast<int>(bottom - top)};
}

}  // namespace instruments
