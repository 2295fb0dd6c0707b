#pragma once

#include <optional>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "instruments/Surface.h"

namespace instruments {

// Where Painter::Render puts a picture on a surface: the rectangle from
// (x1, y1) to (x2, y2), both corners included; nullopt when it is empty.
std::optional<bitmap::StretchTarget> RenderTarget(Surface& surface, double x1, double y1, double x2,
                                                  double y2);

}  // namespace instruments
