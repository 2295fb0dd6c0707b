#pragma once

#include <string_view>

#include "dialog/Dialogs.h"

namespace display {

// Restores a display to its kept background and makes it visible. With a
// caption it also writes the caption and repaints the frame over it. An id
// outside the record table paints nothing.
void PaintFrame(dialog::DialogHandle dialog, int id, std::string_view caption);

// The colour text of a frame's left and top sides: a display without a
// background colour gets them in black (the empty text), otherwise the frame
// colour is used all round.
std::string_view TopLeftFrameColour(std::string_view backColour, std::string_view frameColour);

}  // namespace display
