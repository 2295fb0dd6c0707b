#pragma once

#include <optional>
#include <string>

#include "canvas/text/FontRequest.h"

namespace instruments::text {

// The font file the system picked for a request: a path and the face's index
// inside it.
struct MatchedFont {
    std::string file;
    int index = 0;
};

// Resolves a face name with weight and slant through fontconfig. Any name gives
// the closest face installed; nullopt only when the system has no font at all.
std::optional<MatchedFont> MatchFont(const FontRequest& request);

}  // namespace instruments::text
