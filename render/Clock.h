#pragma once

#include "dialog/Dialogs.h"

namespace render {

// Repaints a display as an analog clock: restores the display's kept face, draws
// the hour, minute and second hands for the local time with the hour shifted by
// hourOffset, marks the twelve hour positions with white dots on the ellipse of
// the second hand's tip and shows the result in one step. The hands and dots
// reach (100 - (frameWidth + 4)) percent of the half-width and half-height. An id
// outside 0..10000, or one that is not a graphic control of the dialog, paints
// nothing. The display keeps pen width 1 and its position at the last dot.
void PaintClock(dialog::DialogHandle dialog, int id, int hourOffset);

// The hour hand's angle in whole degrees clockwise from twelve: 30 per hour and
// half a degree per minute, rounded half to even (23:59 gives 720). The hour is
// (hh + hourOffset) remainder 24 with the sign of the sum, so -1 leans left of
// twelve like 23 does.
int HourAngle(int hh, int mm, int hourOffset);

}  // namespace render
