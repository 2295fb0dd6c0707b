#include "widgets/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "instruments/GlyphTable.h"

namespace instruments {
namespace {

class TextLayoutTest : public ::testing::Test {
  protected:
    static std::vector<Dot> Dots(const DotLayout& layout) {
        std::vector<Dot> dots;
        layout.ForEachDot([&](const Dot& dot) { dots.push_back(dot); });
        return dots;
    }
};

TEST_F(TextLayoutTest, AGlyphTableOfTheProgramsOwnLightsItsDesigns) {
    GlyphTable own = GlyphTable::Builtin();
    ASSERT_TRUE(own.Replace('A', {"X...X", ".X.X.", "..X..", "..X..", "..X..", ".X.X.", "X...X"}));
    const std::vector<Dot> dots = Dots(LayoutText(210, 55, 6, "AB", own));
    const std::vector<Dot> builtin = Dots(LayoutText(210, 55, 6, "AB"));
    ASSERT_EQ(dots.size(), 70u);
    for (std::size_t i = 0; i < 35; ++i) {
        const int column = static_cast<int>(i / 7);
        const int row = static_cast<int>(i % 7);
        EXPECT_EQ(dots[i].lit, own.Lit('A', row, column)) << "dot " << i;
    }
    EXPECT_NE(dots[0].lit, builtin[0].lit);  // the corner dot: lit in the cross, dark in the built-in A
    // The next character keeps the built-in design.
    EXPECT_TRUE(std::equal(dots.begin() + 35, dots.end(), builtin.begin() + 35));
}

TEST_F(TextLayoutTest, WorkedExampleOnA210By55Display) {
    const DotLayout eight = LayoutText(210, 55, 6, "12:34:56");
    EXPECT_EQ(eight.left(), 12);
    EXPECT_EQ(eight.top(), 12);
    EXPECT_EQ(eight.pitchX(), 4);
    EXPECT_EQ(eight.pitchY(), 4);
    ASSERT_EQ(eight.size(), 8u * 35u);
    EXPECT_EQ(eight[0].x, 12);
    EXPECT_EQ(eight[0].y, 12);
    EXPECT_EQ(eight[eight.size() - 1].x, 196);
    EXPECT_EQ(eight[eight.size() - 1].y, 36);

    EXPECT_EQ(LayoutText(210, 55, 6, "QUBEL8").pitchX(), 5);
    EXPECT_EQ(LayoutText(210, 55, 6, "HELLO").pitchX(), 6);
    const DotLayout one = LayoutText(210, 55, 6, "A");
    EXPECT_EQ(one.pitchX(), 32);
    EXPECT_EQ(one.pitchY(), 4);
}

TEST_F(TextLayoutTest, DotsComeCharacterThenColumnThenRow) {
    const DotLayout layout = LayoutText(100, 50, 2, "AB");
    ASSERT_EQ(layout.left(), layout.top());
    const std::int64_t m = layout.left();
    const std::int64_t px = layout.pitchX();
    const std::int64_t py = layout.pitchY();
    ASSERT_GT(px, 0);
    const std::vector<Dot> dots = Dots(layout);
    ASSERT_EQ(dots.size(), 70u);
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(dots[static_cast<std::size_t>(row)].x, m);
        EXPECT_EQ(dots[static_cast<std::size_t>(row)].y, m + py * row);
    }
    EXPECT_EQ(dots[7].x, m + px);
    EXPECT_EQ(dots[7].y, m);
    EXPECT_EQ(dots[35].x, 6 * px + m);
    EXPECT_EQ(dots[35].y, m);
    // Indexing and visiting give the same sequence.
    for (std::size_t i = 0; i < dots.size(); ++i) {
        EXPECT_EQ(layout[i], dots[i]) << i;
    }
}

TEST_F(TextLayoutTest, LitFlagsFollowTheGlyphs) {
    const std::vector<Dot> space = Dots(LayoutText(210, 55, 6, " "));
    ASSERT_EQ(space.size(), 35u);
    for (const Dot& dot : space) {
        EXPECT_FALSE(dot.lit);
    }
    // Row 3 of "A" is its bar: the fourth dot of every column.
    const std::vector<Dot> a = Dots(LayoutText(210, 55, 6, "A"));
    int litInRow3 = 0;
    for (int column = 0; column < 5; ++column) {
        litInRow3 += a[static_cast<std::size_t>(column * 7 + 3)].lit ? 1 : 0;
    }
    EXPECT_EQ(litInRow3, 5);
    // Row 0 of "A" is ".XXX.".
    EXPECT_FALSE(a[0].lit);
    EXPECT_TRUE(a[7].lit);
    EXPECT_FALSE(a[28].lit);
}

TEST_F(TextLayoutTest, EmptyTextHasNoDots) {
    const DotLayout layout = LayoutText(210, 55, 6, "");
    EXPECT_TRUE(layout.empty());
    EXPECT_EQ(layout.size(), 0u);
    EXPECT_TRUE(Dots(layout).empty());
}

TEST_F(TextLayoutTest, ZeroFrameUsesTheWholeClientArea) {
    const DotLayout layout = LayoutText(120, 70, 0, "AB");
    EXPECT_EQ(layout.left(), 0);
    EXPECT_EQ(layout.top(), 0);
    EXPECT_EQ(layout.pitchX(), 10);
    EXPECT_EQ(layout.pitchY(), 10);
}

TEST_F(TextLayoutTest, TinyDisplaysGiveZeroOrNegativePitches) {
    const DotLayout crowded = LayoutText(20, 55, 0, "ABCD");
    EXPECT_EQ(crowded.pitchX(), 0);
    for (const Dot& dot : Dots(crowded)) {
        EXPECT_EQ(dot.x, 0);
    }
    // The division truncates toward zero: (10 - 18) \ 6 = -1.
    const DotLayout negative = LayoutText(10, 10, 6, "A");
    EXPECT_EQ(negative.pitchX(), -1);
    EXPECT_EQ(negative.pitchY(), -2);
    EXPECT_EQ(negative[7].x, 11);
}

TEST_F(TextLayoutTest, ExtremeFrameWidthsDoNotOverflow) {
    const DotLayout huge = LayoutText(210, 55, INT32_MAX, "A");
    EXPECT_EQ(huge.left(), 2 * static_cast<std::int64_t>(INT32_MAX));
    EXPECT_EQ(huge.top(), huge.left());
    EXPECT_EQ(huge.pitchX(), (210 - 3 * static_cast<std::int64_t>(INT32_MAX)) / 6);
    const DotLayout negative = LayoutText(210, 55, INT32_MIN, "A");
    EXPECT_EQ(negative.pitchY(), (55 - 4 * static_cast<std::int64_t>(INT32_MIN)) / 7);
}

TEST(ToSegmentDigitsTest, SwapsOnlyPointSlashAndDigits) {
    EXPECT_EQ(ToSegmentDigits(""), "");
    EXPECT_EQ(ToSegmentDigits("A-B"), "A-B");
    const std::string swapped = ToSegmentDigits("0.5/9");
    std::vector<int> unsignedCodes;
    for (char c : swapped) {
        unsignedCodes.push_back(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(unsignedCodes, (std::vector<int>{224, 222, 229, 223, 233}));
    // The neighbours of the range stay: "-" is 45 and ":" is 58.
    EXPECT_EQ(ToSegmentDigits("-:"), "-:");
    EXPECT_EQ(ToSegmentDigits("QUBEL8"), "QUBEL\xE8");
    EXPECT_EQ(ToSegmentDigits("12:34"), "\xE1\xE2:\xE3\xE4");
}

TEST(ToSegmentDigitsTest, LeavesCodesAbove127Alone) {
    EXPECT_EQ(ToSegmentDigits("\xDE\xFF\x80"), "\xDE\xFF\x80");
}

}  // namespace
}  // namespace instruments
