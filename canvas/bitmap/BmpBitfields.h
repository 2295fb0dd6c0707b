#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "canvas/bitmap/BmpHeader.h"
#include "canvas/surface/Surface.h"

namespace canvas::bitmap {

// Whether the picture stores 16- or 32-bit pixels through colour masks of a
// Windows info header (an OS/2 header gives the same compression code another
// meaning).
bool IsBitfieldsBmp(const BmpHeader& header);

// Decodes such a picture with any masks, contiguous or not. SDL knows only the
// usual mask layouts, so pictures with others would not load at all. The
// header must have passed PlausibleBmp for these bytes.
std::optional<Surface> DecodeBitfieldsBmp(std::span<const std::uint8_t> bytes, const BmpHeader& header);

}  // namespace canvas::bitmap
