#pragma once

#include <string_view>

#include "dialog/Dialogs.h"
#include "canvas/surface/Pixel.h"

namespace colour {

// The two-state text of a drawn switch: OFF face first, ON face second.
inline constexpr std::string_view kSwitchText = "OFF/ON";

// Makes a control a two-state switch. Two picture names give one picture per
// state (the first shown now); two blank parts give the drawn face, which ends
// in state 0 (OFF).
void SetupSwitch(dialog::DialogHandle dialog, int id, std::string_view offPart, std::string_view onPart);

// Moves a switch to its other state and shows that state's picture, or, when it
// has none, draws the face: background and frame from the display's record, a
// red (OFF) or green (ON) lamp and the state's part of `text` as label. An empty
// text uses the record's label. The ON face has a frame one pixel wider.
void ToggleSwitch(dialog::DialogHandle dialog, int id, std::string_view text);

// One solid disc of a lamp on the current target.
void LampDisc(int x, int y, int radius, canvas::Colour colour);

}  // namespace colour
