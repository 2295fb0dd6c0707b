#pragma once

namespace instruments {

// Style bits of a font: any sum of them.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;
inline constexpr int kFontStrikeOut = 8;
// Every style bit; a font request keeps only these.
inline constexpr int kFontStyleMask = kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut;

}  // namespace instruments
