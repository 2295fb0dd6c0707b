#include "dialog/Display.h"

#include <gtest/gtest.h>

#include <climits>

#include "canvas/surface/Rounding.h"
#include "instruments/Colour.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using testsupport::Grey;
using testsupport::Px;

constexpr int kId = 301;
constexpr int kInset = 6;
constexpr instruments::Colour kMarker = 0x123456;

// Patterns are painted in "grigio" (grey 255 - shade) on a control first
// covered in a marker colour that no pattern produces.
class BackgroundTest : public testsupport::DisplayTest {
  protected:
    void AddMarkedControl(int width = 210, int height = 55) {
        AddControl(kId, width, height);
        dialog::Box(0, 0, width, height, 0, kMarker, kMarker, dialog::kFillSolid);
    }
    bool Marked(int x, int y) const { return At(kId, x, y) == Px(kMarker); }
    instruments::PixelBlock Face() const { return instruments::PixelBlock::FromSurface(SurfaceOf(kId)); }

    // Rows y0..y1 painted in column x, and the rows just outside not.
    void ExpectRows(int x, int y0, int y1) {
        for (int y = y0; y <= y1; ++y) {
            EXPECT_FALSE(Marked(x, y)) << x << "," << y;
        }
        EXPECT_TRUE(Marked(x, y0 - 1));
        EXPECT_TRUE(Marked(x, y1 + 1));
    }
    void ExpectColumns(int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x) {
            EXPECT_FALSE(Marked(x, y)) << x << "," << y;
        }
        EXPECT_TRUE(Marked(x0 - 1, y));
        EXPECT_TRUE(Marked(x1 + 1, y));
    }
};

TEST_F(BackgroundTest, RowStylesOnTheDemoSize) {
    AddMarkedControl();
    PaintBackground(dialog, kId, kInset, "grigio", kBackMirroredRows);
    // i = 7..28: rows 6..27 and 48..27, row 27 twice.
    EXPECT_EQ(At(kId, 100, 6), Grey(223));
    EXPECT_EQ(At(kId, 100, 48), Grey(223));
    EXPECT_EQ(At(kId, 100, 27), Grey(125));
    EXPECT_EQ(At(kId, 100, 26), Grey(130));
    EXPECT_EQ(At(kId, 100, 28), Grey(130));
    ExpectRows(100, 6, 48);
    ExpectColumns(30, 6, 203);

    AddMarkedControl();
    PaintBackground(dialog, kId, kInset, "grigio", kBackRowsFromBottom);
    EXPECT_EQ(At(kId, 100, 48), Grey(223));
    EXPECT_EQ(At(kId, 100, 6), Grey(28));
    ExpectRows(100, 6, 48);
    ExpectColumns(6, 6, 203);

    AddMarkedControl();
    PaintBackground(dialog, kId, kInset, "grigio", kBackRowsFromTop);
    EXPECT_EQ(At(kId, 100, 6), Grey(223));
    EXPECT_EQ(At(kId, 100, 48), Grey(28));
    ExpectRows(100, 6, 48);
}

TEST_F(BackgroundTest, ColumnStylesOnTheDemoSize) {
    AddMarkedControl();
    PaintBackground(dialog, kId, kInset, "grigio", kBackMirroredColumns);
    // 246.5 rounds to the even 246; columns 104 and 105 end at shade 126.
    EXPECT_EQ(At(kId, 6, 30), Grey(246));
    EXPECT_EQ(At(kId, 203, 30), Grey(246));
    EXPECT_EQ(At(kId, 104, 30), Grey(126));
    EXPECT_EQ(At(kId, 105, 30), Grey(126));
    ExpectColumns(30, 6, 203);
    ExpectRows(6, 6, 48);

    AddMarkedControl();
    PaintBackground(dialog, kId, kInset, "grigio", kBackMirroredColumnsReversed);
    EXPECT_EQ(At(kId, 6, 30), Grey(17));
    EXPECT_EQ(At(kId, 203, 30), Grey(17));
    EXPECT_EQ(At(kId, 104, 30), Grey(137));
    EXPECT_EQ(At(kId, 105, 30), Grey(137));
}

TEST_F(BackgroundTest, BoxStackOnTheDemoSize) {
    // The depth display creation paints, floor(0.2 x 55 = 11.0000002) = 11:
    // twelve boxes, shown as bands.
    const int greens[] = {0, 11, 22, 33, 44, 55, 65, 76, 87, 98, 109, 120};
    const int shades[] = {205, 194, 183, 172, 161, 150, 140, 129, 118, 107, 96, 85};
    for (const char* text : {"", "grigio"}) {
        AddMarkedControl();
        PaintBackground(dialog, kId, kInset, text, kBackBoxStack);
        for (int i = 0; i < 12; ++i) {
            const instruments::Pixel expected =
                *text == '\0' ? Px(instruments::Rgb(greens[i], greens[i] + 45, greens[i])) : Grey(shades[i]);
            EXPECT_EQ(At(kId, 100, kInset + i), expected) << text << " box " << i;
            EXPECT_EQ(At(kId, kInset + i, 40), expected) << text << " box " << i;
        }
        EXPECT_EQ(At(kId, 100, 30), At(kId, 100, kInset + 11));
        ExpectColumns(30, 6, 203);
        ExpectRows(100, 6, 48);
    }
    // 0.2 x 45 lies just above 9: depth 9, so box 9 (v = 120) fills the inside.
    AddMarkedControl(100, 45);
    PaintBackground(dialog, kId, 0, "", kBackBoxStack);
    EXPECT_EQ(At(kId, 50, 4), Px(instruments::Rgb(53, 98, 53)));
    EXPECT_EQ(At(kId, 50, 8), Px(instruments::Rgb(107, 152, 107)));
    EXPECT_EQ(At(kId, 50, 30), Px(instruments::Rgb(120, 165, 120)));
}

TEST_F(BackgroundTest, UnknownStylesAndMissingPictureChangeNothing) {
    AddMarkedControl();
    const instruments::PixelBlock before = Face();
    for (int style : {kBackPicture, 7, -1, INT_MIN}) {
        PaintBackground(dialog, kId, kInset, "grigio", style);
        EXPECT_EQ(Face(), before) << style;
    }
}

TEST_F(BackgroundTest, ExtremeInsets) {
    // Lines far past both edges look like lines one pixel past them.
    for (int style : {kBackMirroredRows, kBackRowsFromBottom, kBackMirroredColumns, kBackRowsFromTop}) {
        AddMarkedControl(30, 20);
        PaintBackground(dialog, kId, -1, "grigio", style);
        const instruments::PixelBlock reference = Face();
        AddMarkedControl(30, 20);
        PaintBackground(dialog, kId, INT_MIN, "grigio", style);
        EXPECT_EQ(Face(), reference) << style;
        PaintBackground(dialog, kId, INT_MAX, "grigio", style);
        EXPECT_EQ(Face(), reference) << style;
    }
}

// The stack painted box by box, every box in full, to compare with the
// painter, which skips boxes that cannot show.
void ReferenceBoxStack(int inset, const char* text, int depth) {
    const instruments::Size size = dialog::ClientSize();
    for (int i = 0; i <= depth; ++i) {
        const double along = 600.0 * i / size.height;
        const int v = instruments::RoundHalfEven(along);
        const instruments::Colour colour =
            *text == '\0' ? instruments::Rgb(v, v + 45, v)
                          : dialog::KeywordColourAt(text, instruments::RoundHalfEven(205.0 - along));
        dialog::Box(inset + i, inset + i, size.width - inset, size.height - inset, 0, colour, colour,
                    dialog::kFillSolid);
    }
}

TEST_F(BackgroundTest, BoxStackMatchesTheBoxByBoxPainting) {
    for (int inset : {-30, -3, 0, 2, 9, 25, 60}) {
        for (int depth : {0, 1, 7, 40, 90}) {
            for (const char* text : {"", "pulsanterosso"}) {
                AddMarkedControl(20, 12);
                ReferenceBoxStack(inset, text, depth);
                const instruments::PixelBlock reference = Face();
                AddMarkedControl(20, 12);
                PaintBoxStack(inset, text, depth);
                EXPECT_EQ(Face(), reference) << inset << " " << depth << " '" << text << "'";
            }
        }
    }
    // A huge depth ends (every shade past a few boxes is white) and negative paints nothing.
    AddMarkedControl(20, 12);
    PaintBoxStack(3, "grigio", 200);
    const instruments::PixelBlock reference = Face();
    PaintBoxStack(3, "grigio", INT_MAX);
    EXPECT_EQ(Face(), reference);
    PaintBoxStack(3, "", -1);
    EXPECT_EQ(Face(), reference);
}

}  // namespace
}  // namespace dialog
