#pragma once

namespace instruments::text {

// The Unicode code point of an 8-bit character under Windows-1252, or 0 for the
// five bytes that code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D);
// those are drawn with the font's default glyph.
char32_t Cp1252ToUnicode(unsigned char byte);

}  // namespace instruments::text
