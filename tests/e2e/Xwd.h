#pragma once

#include <optional>
#include <string>

#include "instruments/Surface.h"

namespace e2e {

// Reads a 32-bit TrueColor ZPixmap XWD file, as xwd writes it on Xvfb;
// nullopt for anything else.
std::optional<instruments::Surface> ReadXwd(const std::string& path);

}  // namespace e2e
