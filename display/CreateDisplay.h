#pragma once

#include <string_view>

#include "dialog/Dialogs.h"
#include "canvas/surface/Pixel.h"

namespace display {

// The settings of a new display, as the demo layout gives them.
struct DisplaySettings {
    std::string_view faceText;
    int frameWidth = 0;
    std::string_view frameColour;
    int captionSize = 0;
    canvas::Colour inkColour = 0;
    std::string_view styleWords;
    std::string_view backColour;
    int backStyle = 0;
};

// Creates display `id` at (x, y): the graphic control with its face, the
// bevelled frame and the background, the record's settings and the kept copy
// of the painted face, which it then shows. width and height are the size asked
// for and come back as the control's client size (0 when no control exists).
// An id outside the record table creates nothing.
void CreateDisplay(dialog::DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   std::string_view faceText, int frameWidth, std::string_view frameColour, int captionSize,
                   canvas::Colour inkColour, std::string_view styleWords, std::string_view backColour,
                   int backStyle);

// The same with the settings gathered in one record.
void CreateDisplay(dialog::DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   const DisplaySettings& settings);

}  // namespace display
