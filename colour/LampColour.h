#pragma once

#include <string_view>

#include "instruments/Pixel.h"

namespace instruments {

// The colour of one disc of a lamp. The scheme (compared with A-Z lowered, not
// trimmed) picks which channels carry the light; `step` is the change per ring,
// `ring` the disc's index and `level` the base brightness. An unknown scheme is
// black.
instruments::Colour LampColour(std::string_view scheme, int step, int ring, float level);

}  // namespace instruments
