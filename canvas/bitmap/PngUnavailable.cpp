// PNG files in builds without libpng (the browser): none can be written or
// read, which callers report as they report an unwritable or unreadable file.

#include "instruments/Png.h"

namespace instruments::bitmap {

bool WritePng(const Surface&, const std::string&) {
    return false;
}

std::optional<Surface> ReadPng(const std::string&) {
    return std::nullopt;
}

}  // namespace instruments::bitmap
