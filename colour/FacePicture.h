#pragma once

#include <cstdint>
#include <string_view>

#include "dialog/Dialogs.h"

namespace colour {

// User slots of a display control that carry its face.
inline constexpr int kSlotSwitchState = 1;
inline constexpr int kSlotPictureOff = 2;
inline constexpr int kSlotPictureOn = 3;

// Control style that makes a control report its clicks.
inline constexpr std::uint32_t kNotifyStyle = 0x100;

// Creates the graphic control of a display and gives it the face its text asks
// for: none (empty), a two-state switch (a text with "/"), or a picture file.
// A face sets the record's background style to the picture style. An id outside
// the record table creates nothing.
void CreateFace(dialog::DialogHandle dialog, int id, int x, int y, int width, int height,
                std::string_view faceText);

// Shows the picture file scaled to the whole control and keeps a copy at the
// control's size in slot 2 (0 when the file cannot be loaded). A blank name
// does nothing.
void LoadFacePicture(dialog::DialogHandle dialog, int id, std::string_view file);

}  // namespace colour
