// Font matching in builds without fontconfig (the browser): the faces travel
// with the program under /fonts, and every name gets DejaVu Sans in the style
// asked for, as fontconfig gives on Debian for the names the instruments use
// ("MS Sans Serif", "sans-serif" and unknown names).

#include <array>

#include "canvas/text/FontMatcher.h"

namespace instruments::text {

std::optional<MatchedFont> MatchFont(const FontRequest& request) {
    static constexpr std::array<const char*, 4> kFiles = {
        "/fonts/DejaVuSans.ttf", "/fonts/DejaVuSans-Bold.ttf", "/fonts/DejaVuSans-Oblique.ttf",
        "/fonts/DejaVuSans-BoldOblique.ttf"};
    const int style = (request.bold() ? 1 : 0) + (request.italic() ? 2 : 0);
    return MatchedFont{kFiles[static_cast<std::size_t>(style)], 0};
}

}  // namespace instruments::text
