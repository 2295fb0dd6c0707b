#pragma once

#include <cstdint>
#include <string_view>

#include "dialog/Dialogs.h"
#include "instruments/Pixel.h"
#include "instruments/Surface.h"

namespace dialog {

// User slots of a display control that carry its face.
inline constexpr int kSlotSwitchState = 1;
inline constexpr int kSlotPictureOff = 2;
inline constexpr int kSlotPictureOn = 3;

using instruments::kNotifyStyle;

// Creates the graphic control of a display and gives it the face its text asks
// for: none (empty), a two-state switch (a text with "/"), or a picture file.
// A face sets the record's background style to the picture style. An id outside
// the record table creates nothing.
void CreateFace(DialogHandle dialog, int id, int x, int y, int width, int height, std::string_view faceText);

// Shows the picture file scaled to the whole control and keeps a copy at the
// control's size in slot 2 (0 when the file cannot be loaded). A blank name
// does nothing.
void LoadFacePicture(DialogHandle dialog, int id, std::string_view file);

// The two-state text of a drawn switch: OFF face first, ON face second.
inline constexpr std::string_view kSwitchText = "OFF/ON";

// Makes a control a two-state switch. Two picture names give one picture per
// state (the first shown now); two blank parts give the drawn face, which ends
// in state 0 (OFF).
void SetupSwitch(DialogHandle dialog, int id, std::string_view offPart, std::string_view onPart);

// Moves a switch to its other state and shows that state's picture, or, when it
// has none, draws the face: background and frame from the display's record, a
// red (OFF) or green (ON) lamp and the state's part of `text` as label. An empty
// text uses the record's label. The ON face has a frame one pixel wider.
void ToggleSwitch(DialogHandle dialog, int id, std::string_view text);

// One solid disc of a lamp on the current target.
void LampDisc(int x, int y, int radius, instruments::Colour colour);

// The picture that user slot 2 of a control names (what the picture
// background stretches), or null.
const instruments::Surface* FacePicture(DialogHandle dialog, int id);

}  // namespace dialog
