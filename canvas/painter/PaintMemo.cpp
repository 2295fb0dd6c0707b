#include "canvas/painter/PaintMemo.h"

namespace instruments {

bool PaintMemo::Unchanged(const Painter& painter, std::string_view inputs) const {
    return remembered_ && painter.surface().revision() == surface_ && inputs == inputs_ &&
           painter.state() == before_;
}

void PaintMemo::Painted(const Painter& painter, std::string_view inputs, DrawingState before,
                        FaceCover cover) {
    remembered_ = cover == FaceCover::Whole;
    if (!remembered_) {
        return;
    }
    inputs_.assign(inputs);
    surface_ = painter.surface().revision();
    before_ = std::move(before);
    after_ = painter.state();
}

}  // namespace instruments
