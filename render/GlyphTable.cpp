#include "render/GlyphTable.h"

namespace render {

GlyphTable glyphTable = GlyphTable::Builtin();

void BuildGlyphTable() {
    glyphTable = GlyphTable::Builtin();
}

}  // namespace render
