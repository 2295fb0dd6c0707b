// The rules of Font: sizes of 0 and above 72 points become 8, the face name is
// cut to 31 characters, and the four style bits (bold, italic, underline,
// strike-out) each show; other bits are ignored. Checked on printed pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Surface.h"

namespace dialog {
namespace {

using namespace instruments;
using dialog::Buffering;
using dialog::Source;

constexpr int kId = 6;
constexpr int kWidth = 160;
constexpr int kHeight = 60;
constexpr Colour kPaper = 0xFFFFFF;
constexpr Colour kInk = 0x000000;

// Where ink landed, row by row.
struct Ink {
    std::vector<std::vector<bool>> rows;
    int count = 0;
    int top = kHeight;
    int bottom = -1;
    int left = kWidth;
    int right = -1;

    // The longest run of ink in row y.
    int LongestRun(int y) const {
        int best = 0;
        int run = 0;
        for (bool inked : rows[static_cast<std::size_t>(y)]) {
            run = inked ? run + 1 : 0;
            best = std::max(best, run);
        }
        return best;
    }
    // Mean ink column of rows top..bottom - 1.
    double MeanColumn(int from, int to) const {
        double sum = 0;
        int n = 0;
        for (int y = from; y < to; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
                    sum += x;
                    ++n;
                }
            }
        }
        return n == 0 ? 0 : sum / n;
    }
};

class FontRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessDialogs({});
        dialog_ = DialogNew(kDialogPixels, 0, "test", -1, -1, 200, 100, 0, 0);
        ASSERT_NE(dialog_, 0);
        ASSERT_TRUE(ControlAddGraphic(dialog_, kId, "", 0, 0, kWidth, kHeight, 0));
        ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    }
    void TearDown() override { DialogEnd(dialog_, 0); }

    // Prints the text at (10, 5) on white paper in the given font.
    Surface Printed(const std::string& face, double points, int styleBits, const std::string& text = "IIII") {
        Box(0, 0, kWidth, kHeight, 0, kPaper, kPaper, kFillSolid);
        Font(face, points, styleBits);
        SetPos(10, 5);
        ColourFg(kInk);
        ColourBg(kColourTransparent);
        Print(text);
        return *ControlSurface(dialog_, kId);
    }

    static Ink InkOf(const Surface& surface) {
        Ink ink;
        ink.rows.assign(kHeight, std::vector<bool>(kWidth, false));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (surface.At(x, y) != PixelFromColour(kPaper)) {
                    ink.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = true;
                    ++ink.count;
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                }
            }
        }
        return ink;
    }

    DialogHandle dialog_ = 0;
};

TEST_F(FontRulesTest, SizesOfZeroAndAboveSeventyTwoBecomeEightPoints) {
    const Surface eight = Printed("courier new", 8, 0);
    ASSERT_FALSE(Printed("courier new", 9, 0).SamePixels(eight));
    ASSERT_FALSE(Printed("courier new", 72, 0).SamePixels(eight));
    for (double points : {0.0, 72.5, 73.0, 1000.0}) {
        EXPECT_TRUE(Printed("courier new", points, 0).SamePixels(eight)) << points;
    }
}

// fontconfig ignores blanks in family names, so the 31-character name
// "Liberation Mon" + 16 spaces + "o" names Liberation Mono, while the same name
// cut one character earlier or later names no installed face.
TEST_F(FontRulesTest, FaceNameIsCutAtThirtyOneCharacters) {
    const std::string first31 = "Liberation Mon" + std::string(16, ' ') + "o";
    ASSERT_EQ(first31.size(), 31u);
    const Surface mono = Printed("Liberation Mono", 14, 0, "iiWW");
    ASSERT_FALSE(Printed("no such face at all", 14, 0, "iiWW").SamePixels(mono));
    ASSERT_FALSE(Printed("Liberation Mon", 14, 0, "iiWW").SamePixels(mono));
    EXPECT_TRUE(Printed(first31, 14, 0, "iiWW").SamePixels(mono));
    EXPECT_TRUE(Printed(first31 + "Sans", 14, 0, "iiWW").SamePixels(mono));
    EXPECT_TRUE(Printed(first31 + std::string(300, 'x'), 14, 0, "iiWW").SamePixels(mono));
}

// "IIII" in a sans face is four upright bars: no row of ink runs across the
// text, and the top and bottom halves have the same mean column.
TEST_F(FontRulesTest, EachStyleBitShows) {
    const Ink regular = InkOf(Printed("MS Sans Serif", 24, 0));
    ASSERT_GT(regular.count, 40);
    const int textWidth = regular.right - regular.left + 1;
    const int middle = (regular.top + regular.bottom) / 2;
    auto acrossRows = [&](const Ink& ink) {
        std::vector<int> rows;
        for (int y = 0; y < kHeight; ++y) {
            if (ink.LongestRun(y) >= textWidth - 2) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    auto slant = [&](const Ink& ink) {
        return ink.MeanColumn(regular.top, middle) - ink.MeanColumn(middle, regular.bottom + 1);
    };
    ASSERT_TRUE(acrossRows(regular).empty());
    ASSERT_NEAR(slant(regular), 0, 0.5);

    const Ink bold = InkOf(Printed("MS Sans Serif", 24, kFontBold));
    EXPECT_GT(bold.count, regular.count * 5 / 4);
    EXPECT_TRUE(acrossRows(bold).empty());
    EXPECT_NEAR(slant(bold), 0, 0.5);

    const Ink italic = InkOf(Printed("MS Sans Serif", 24, kFontItalic));
    EXPECT_GT(slant(italic), 2.0);
    EXPECT_TRUE(acrossRows(italic).empty());
    EXPECT_LT(italic.count, regular.count * 5 / 4);

    // Underline: a line across the text at or below the foot of the bars.
    const std::vector<int> underline = acrossRows(InkOf(Printed("MS Sans Serif", 24, kFontUnderline)));
    ASSERT_FALSE(underline.empty());
    EXPECT_GE(underline.front(), regular.bottom);

    // Strike-out: a line across the bars, between their top and foot.
    const std::vector<int> strike = acrossRows(InkOf(Printed("MS Sans Serif", 24, kFontStrikeOut)));
    ASSERT_FALSE(strike.empty());
    EXPECT_GT(strike.front(), regular.top + 2);
    EXPECT_LT(strike.back(), regular.bottom - 2);

    // Bits above the four are ignored.
    const Surface plain = Printed("MS Sans Serif", 24, 0);
    EXPECT_TRUE(Printed("MS Sans Serif", 24, 16 | 64 | 1024).SamePixels(plain));
    EXPECT_TRUE(
        Printed("MS Sans Serif", 24, kFontBold | 32).SamePixels(Printed("MS Sans Serif", 24, kFontBold)));
}

}  // namespace
}  // namespace dialog
