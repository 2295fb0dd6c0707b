#pragma once

#include <optional>
#include <string>

#include "instruments/Export.h"
#include "instruments/Surface.h"

namespace instruments::bitmap {

// Writes the surface as an 8-bit RGB PNG file. False when the surface is empty
// or the file cannot be written.
INSTRUMENTS_API bool WritePng(const Surface& surface, const std::string& path);

// Reads a PNG file of any colour type into a surface (alpha dropped, not
// blended), or nullopt when it is unreadable or larger than 16 M pixels.
INSTRUMENTS_API std::optional<Surface> ReadPng(const std::string& path);

}  // namespace instruments::bitmap

namespace instruments {
using bitmap::ReadPng;
using bitmap::WritePng;
}  // namespace instruments
