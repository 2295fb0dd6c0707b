#pragma once

// The timer-driven painters of displays addressed by dialog handle and control
// id. Each restores the display's kept face (when it has one), draws its
// content from the display's record and shows the new face in one step. An id
// outside 0..10000, or one that is not a graphic control of the dialog, paints
// nothing.

#include <string_view>

#include "dialog/Dialogs.h"
#include "instruments/LocalTime.h"

namespace dialog {

// Whether a painter below skips a repaint that would change nothing: the same
// arguments and record, the same kept face, and nothing drawn on the display
// since its last paint. Skipping gives the same pixels and drawing state;
// Always is there to compare against and to measure.
enum class Repaints { SkipUnchanged, Always };
void SetRepaints(Repaints policy);

// Paints a text as dots in the display's ink colour and dot style, and prints
// the style text in white at the top-left corner.
void PaintDisplayText(DialogHandle dialog, int id, std::string_view text);

// Paints an analog clock for the local time with the hour shifted by
// hourOffset. The display keeps pen width 1 and its position at the last dot.
void PaintClock(DialogHandle dialog, int id, int hourOffset);
// The same for a time read beforehand, so that every clock of a tick shows the
// one time read for it.
void PaintClock(DialogHandle dialog, int id, int hourOffset, const instruments::LocalTime& time);

// Paints a needle meter at a value of its 0..100 scale.
void PaintLevelMeter(DialogHandle dialog, int id, float value);

}  // namespace dialog
