#include "dialog/GlyphTable.h"

#include <gtest/gtest.h>

namespace dialog {
namespace {

TEST(GlyphTableGlobalTest, BuildGlyphTableUndoesReplacementsInTheProgramTable) {
    glyphTable.Replace('A', instruments::GlyphTable::Glyph{});
    EXPECT_EQ(glyphTable.Bits('A', 0), 0);
    BuildGlyphTable();
    EXPECT_EQ(glyphTable, instruments::GlyphTable::Builtin());
}

}  // namespace
}  // namespace dialog
