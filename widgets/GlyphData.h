#pragma once

#include <string_view>

namespace instruments {

// The dot patterns of all 256 character codes as text art: 112 lines of 96
// characters. Line 7g + r + 1 (g = 0..15, r = 0..6) holds row r of the glyphs of
// codes 16g .. 16g + 15 in code order, each as five characters ("X" lit, "."
// dark) followed by one space.
inline constexpr int kGlyphDataLines = 112;
inline constexpr int kGlyphDataLineLength = 96;

// Line n (1..112) of the glyph data; any other number gives an empty text.
std::string_view GlyphDataLine(int n);

}  // namespace instruments
