#pragma once

// Displays addressed by dialog handle and control id: creation with the
// record table and the kept faces, and the frame, caption and background
// operations that draw on the current target.

#include <string>
#include <string_view>

#include "dialog/Dialogs.h"
#include "dialog/Keywords.h"
#include "instruments/Pixel.h"

namespace dialog {

// The settings of a new display, as the demo layout gives them (keyword texts,
// see dialog/Keywords.h).
struct DisplaySettings {
    std::string_view faceText;
    int frameWidth = 0;
    std::string_view frameColour;
    int captionSize = 0;
    instruments::Colour inkColour = 0;
    std::string_view styleWords;
    std::string_view backColour;
    int backStyle = 0;
};

// Creates display `id` at (x, y): the graphic control with its face, the
// bevelled frame and the background, the record's settings and the kept copy
// of the painted face, which it then shows. width and height are the size asked
// for and come back as the control's client size (0 when no control exists).
// An id outside the record table creates nothing.
void CreateDisplay(DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   std::string_view faceText, int frameWidth, std::string_view frameColour, int captionSize,
                   instruments::Colour inkColour, std::string_view styleWords, std::string_view backColour,
                   int backStyle);
// The same with the settings gathered in one record.
void CreateDisplay(DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   const DisplaySettings& settings);

// Restores a display to its kept background and makes it visible. With a
// caption it also writes the caption and repaints the frame over it. An id
// outside the record table paints nothing.
void PaintFrame(DialogHandle dialog, int id, std::string_view caption);
// The colour text of a frame's left and top sides: a display without a
// background colour gets them in black (the empty text), otherwise the frame
// colour is used all round.
std::string_view TopLeftFrameColour(std::string_view backColour, std::string_view frameColour);

// ---- On the current target.
// The two halves of a frame of `inset` rings shaded from the colour text.
void PaintBevelTopLeft(int inset, std::string_view colourText);
void PaintBevelBottomRight(int inset, std::string_view colourText);
// Where a text or a line is centred, in the current font.
int CentreX(std::string_view text);
int CentreY();
// A caption centred (or "[<]" flush left, "[>]" toward the right; the prefix is
// removed from the caller's text), with a shadow when its colour is above 0.
void PaintCaption(std::string& text, instruments::Colour textColour, instruments::Colour shadowColour);
// Boxes 0..depth of the box stack.
void PaintBoxStack(int inset, std::string_view colourText, int depth);

// Attaches the display (buffered) and paints background pattern `style` inside
// the frame band of width `inset`; the picture pattern stretches the picture of
// user slot 2. Nothing is made visible. A style outside 0..6 paints nothing.
void PaintBackground(DialogHandle dialog, int id, int inset, std::string_view colourText, int style);

}  // namespace dialog
