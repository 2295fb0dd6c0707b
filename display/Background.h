#pragma once

#include <string_view>

#include "dialog/Dialogs.h"

namespace display {

// Background pattern numbers.
inline constexpr int kBackMirroredRows = 0;
inline constexpr int kBackRowsFromBottom = 1;
inline constexpr int kBackMirroredColumns = 2;
inline constexpr int kBackBoxStack = 3;
inline constexpr int kBackRowsFromTop = 4;
inline constexpr int kBackMirroredColumnsReversed = 5;
inline constexpr int kBackPicture = 6;

// Attaches the display (buffered) and paints background pattern `style` inside
// the frame band of width `inset`, shaded from the colour text. Pixels the
// pattern does not cover keep their content; nothing is made visible. A style
// outside 0..6 paints nothing.
void PaintBackground(dialog::DialogHandle dialog, int id, int inset, std::string_view colourText, int style);

// Paints boxes 0..depth of the box stack on the current target: each box from
// (inset + i, inset + i) to the far corner of the frame's inside, filled solid.
// An empty colour text gives a green that lightens inward; any other text is
// shaded from 205 downward.
void PaintBoxStack(int inset, std::string_view colourText, int depth);

}  // namespace display
