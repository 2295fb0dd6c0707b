#pragma once

#include "dialog/Dialogs.h"

namespace render {

// Repaints a display as a needle meter over a 0..100 scale: restores the kept
// face, draws the needle for the value in the display's ink colour, as if
// pivoted at (ROUND(w / 2), 2h) far below the face, and puts 21 white ticks, one
// every 5 units, where those needles cross the tick row. Values outside 0..100
// lean further out; a NaN value shows no needle. A display 10 pixels high has its
// pivot on the scale line, where no needle has a crossing: it shows neither
// needle nor ticks. An id outside 0..10000, or one that is not a graphic control
// of the dialog, paints nothing.
void PaintLevelMeter(dialog::DialogHandle dialog, int id, float value);

// The x, rounded half to even, at which the straight line through (x1, y1) and
// (x2, y2) crosses row y. A horizontal line (y1 == y2) has no single crossing:
// it gives x1 rather than dividing by zero.
int LineXAtY(int x1, int y1, int x2, int y2, int y);

}  // namespace render
