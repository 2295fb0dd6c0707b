#include "dialog/GlyphTable.h"

namespace dialog {

instruments::GlyphTable glyphTable = instruments::GlyphTable::Builtin();

void BuildGlyphTable() {
    glyphTable = instruments::GlyphTable::Builtin();
}

}  // namespace dialog
