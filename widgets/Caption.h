#pragma once

#include <string>
#include <string_view>

#include "instruments/Painter.h"

namespace instruments {

// Prints one line at (x, y) in the colour over a transparent text background,
// leaving the position at the start of the next line.
void PrintLine(instruments::Painter& painter, double x, double y, instruments::Ink ink,
               std::string_view text);
// The left edge that centres the text across the painter's surface, in its font.
int CentreX(const instruments::Painter& painter, std::string_view text);
// The top edge that centres one line of the painter's font vertically.
int CentreY(const instruments::Painter& painter);
// Prints a caption centred in the painter's current font, over a transparent
// text background. A "[<]" prefix puts it flush left and "[>]" moves it toward
// the right; the prefix is removed from the caller's text. A shadow colour above
// 0 first prints the text 2 pixels right and down in that colour.
void PaintCaption(instruments::Painter& painter, std::string& text, instruments::Ink textInk,
                  instruments::Colour shadowColour);

}  // namespace instruments
