#pragma once

#include "instruments/GlyphTable.h"

namespace dialog {

// The program's one table, which the id-based painters use: the built-in
// glyphs from the start, with whatever characters the program replaces.
extern instruments::GlyphTable glyphTable;

// Fills glyphTable from the glyph data again, undoing any replacement.
void BuildGlyphTable();

}  // namespace dialog
