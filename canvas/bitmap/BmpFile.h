#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "instruments/Surface.h"

namespace instruments::bitmap {

// Row order of a written BMP file. Bottom-up is the usual one; top-down
// (stored with a negative height) is for checking the loader's other order.
enum class BmpRows { BottomUp, TopDown };

// The surface as an uncompressed 24-bit BMP file: a 14-byte file header, a
// 40-byte info header (96 dots per inch) and rows padded to 4 bytes. Empty for
// an empty surface.
std::vector<std::uint8_t> EncodeBmp(const Surface& surface, BmpRows rows = BmpRows::BottomUp);

// Writes the surface as a bottom-up 24-bit BMP file. False when the surface is
// empty or the file cannot be written.
bool WriteBmp(const Surface& surface, const std::string& path);

}  // namespace instruments::bitmap
