#include "instruments/Instrument.h"

#include <algorithm>

namespace instruments {

Instrument::~Instrument() = default;

void Instrument::Paint(Painter& painter) {
    PaintState(painter);
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
