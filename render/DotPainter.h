#pragma once

#include <string_view>

#include "dialog/Dialogs.h"

namespace render {

// Repaints a dot-matrix display with a text: restores the display's kept
// background, paints every dot of the text in the display's ink colour and dot
// style, prints the style text in white at the top-left corner and shows the new
// face in one step. An id outside 0..10000, or one that is not a graphic control
// of the dialog, paints nothing.
void PaintDisplayText(dialog::DialogHandle dialog, int id, std::string_view text);

}  // namespace render
