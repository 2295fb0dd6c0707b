#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "instruments/FontStyle.h"

namespace instruments::text {

// The largest character height a font may be asked for. It bounds the size of
// every cached glyph bitmap.
inline constexpr int kMaxPixelHeight = 1024;

// A font as the caller asks for it: a face name that the system resolves to
// whatever it offers, the character (em) height in pixels, and the style bits.
struct FontRequest {
    std::string face;
    int pixelHeight = 0;
    int styleBits = 0;  // kFont* bits

    bool operator==(const FontRequest&) const = default;

    bool bold() const { return (styleBits & kFontBold) != 0; }
    bool italic() const { return (styleBits & kFontItalic) != 0; }
    bool underline() const { return (styleBits & kFontUnderline) != 0; }
    bool strikeOut() const { return (styleBits & kFontStrikeOut) != 0; }
};

struct FontRequestHash {
    std::size_t operator()(const FontRequest& request) const {
        const std::size_t h = std::hash<std::string>{}(request.face);
        return h ^ (static_cast<std::size_t>(request.pixelHeight) * 0x9e3779b97f4a7c15ull) ^
               (static_cast<std::size_t>(request.styleBits) << 3);
    }
};

}  // namespace instruments::text
