#pragma once

// The demonstration program: twelve instruments in one window, animated by a
// 40 ms timer.

#include <cstdint>
#include <string>
#include <vector>

#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/LocalClock.h"

namespace app {

// The demo dialog, and the level that the timer advances (0 at start).
extern dialog::DialogHandle mainDialog;
extern float levelCounter;

// Start-up up to the modal show: the record table, the dialog, the twelve
// displays and the glyph table. Returns mainDialog (0 when no dialog could be
// created; LastDialogError says why).
dialog::DialogHandle StartUp();

// The dialog's event handler: starts timer 1 on initialisation, runs one tick
// per timer event, and ends the dialog on command 402.
std::intptr_t DemoEventHandler(dialog::DialogHandle dialog, int event, std::uintptr_t wParam,
                               std::intptr_t lParam);

// One tick: advances the level and repaints every instrument in the demo's
// order; while the window cannot be seen it only advances the level.
void Tick(dialog::DialogHandle dialog);

// One instrument of the demo: its id, its place and size on the client area,
// and its creation settings.
struct DemoDisplay {
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    dialog::DisplaySettings settings;
};
// The twelve instruments in creation order, each where the column layout puts
// it when every display gets the size it asks for (as the demo's do).
std::vector<DemoDisplay> DemoDisplays();

// The timer period of the demo, in milliseconds.
inline constexpr int kTickMs = 40;

// The length of a day, and the time of day `milliseconds` after a midnight
// (a day or more wraps round).
inline constexpr long long kDayMs = 24LL * 3600 * 1000;
instruments::LocalTime TimeOfDayAt(long long milliseconds);

// Makes the local clock follow the headless back-end's virtual time so that
// tick k (at virtual time k x 40 ms) reads startMs + (k - 1) x 40 ms, wrapping
// at midnight. Snapshots and golden frames run the demo at a fixed time this way.
void FollowVirtualTime(long long startMs);

// Seconds since midnight as "#####.##" with blanks trimmed, rounded to two
// decimals with ties to the even second decimal ("65.50" at 00:01:05.505).
std::string SecondsSinceMidnightText(const instruments::LocalTime& time);
// The time of day as hh:mm:ss.
std::string TimeOfDayText(const instruments::LocalTime& time);

}  // namespace app
