#pragma once

#include <string>
#include <string_view>

#include "canvas/surface/Pixel.h"

namespace display {

// The left edge that centres the text across the current target, in its font.
int CentreX(std::string_view text);
// The top edge that centres one line of the current font vertically.
int CentreY();

// Prints a caption centred on the current target in its current font, over a
// transparent text background. A "[<]" prefix puts it flush left and "[>]" moves
// it toward the right; the prefix is removed from the caller's text. A shadow
// colour above 0 first prints the text 2 pixels right and down in that colour.
void PaintCaption(std::string& text, canvas::Colour textColour, canvas::Colour shadowColour);

}  // namespace display
