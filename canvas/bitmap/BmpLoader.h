#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "canvas/surface/Surface.h"

namespace canvas::bitmap {

// The largest picture accepted, in pixels, and the largest file read.
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{16} << 20;
inline constexpr std::int64_t kMaxBmpFileBytes = std::int64_t{256} << 20;

// Loads a BMP file as a surface, or nullopt when it cannot be loaded. A name
// without a "." names a resource; there are none, so such a name loads nothing.
std::optional<Surface> LoadBmpFile(const std::string& path);

// Decodes BMP file bytes. The header is checked first: a picture larger than
// kMaxBmpPixels, or an uncompressed one whose rows the data cannot hold, is
// refused before any pixel memory is reserved.
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace canvas::bitmap
