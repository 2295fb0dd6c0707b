#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "instruments/Export.h"

namespace instruments {

// Glyph codes are the bytes a text display shows: one 8-bit code per character
// cell, each drawn with the glyph of that code in the display's table. Codes
// 32..126 are ASCII. Beyond ASCII the built-in table has these glyphs, and
// GlyphCodes() gives them for these characters:
//
//   145  left single quotation mark   U+2018
//   146  right single quotation mark  U+2019
//   147  left double quotation mark   U+201C
//   148  right double quotation mark  U+201D
//   222  segment-style full stop      (ToSegmentDigits of ".")
//   223  segment-style slash          (ToSegmentDigits of "/")
//   224..233  segment-style digits 0..9  U+1FBF0..U+1FBF9, and ToSegmentDigits
//   248  degree sign                  U+00B0
//   253  rows 0, 2, 4 and 6 lit       (no character; set the code itself)
//   254  rows 1, 3 and 5 lit          (no character; set the code itself)
//   255  every dot lit                U+2588 full block
//
// Codes 240..252 are blank (U+00A0 no-break space gives the ASCII space).
// Every other code (0..31, 127..144, 149..221, 234..239) shows the placeholder:
// a square of four dots at the bottom left.

// The code that GlyphCodes() gives for a character without a glyph and for
// each malformed part of a UTF-8 text.
inline constexpr std::uint8_t kPlaceholderCode = 127;

// The glyph codes of a UTF-8 text, one per character: ASCII as it is, the
// characters listed above as their codes, anything else as kPlaceholderCode.
// Each maximal malformed part (a stray continuation byte, a truncated or
// overlong sequence, a surrogate, a value past U+10FFFF) gives one placeholder.
INSTRUMENTS_API std::string GlyphCodes(std::string_view utf8);

// Switches the codes of ".", "/" and "0".."9" (46..57) to their segment-style
// glyphs (222..233); every other code is kept.
INSTRUMENTS_API std::string ToSegmentDigits(std::string_view codes);

}  // namespace instruments
