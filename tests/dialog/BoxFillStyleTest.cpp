// The fill styles of Box: the six 8 x 8 hatches, anchored at the surface's
// origin, the gaps between hatch lines in the text background colour when it is
// opaque and untouched when it is transparent, and every style above 6 solid.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Surface.h"

namespace dialog {
namespace {

using namespace instruments;
using dialog::Buffering;
using dialog::Source;

constexpr int kId = 4;
constexpr int kSide = 24;
constexpr Colour kUnder = 0xFFFFFF;
constexpr Colour kLine = 0x000000;
constexpr Colour kHatch = 0x0000FF;
constexpr Colour kGap = 0x123456;
constexpr Colour kButtonFace = 0xF0F0F0;

// One 8 x 8 tile per style, '#' where the hatch line lies; row y & 7, column x & 7.
struct Hatch {
    int style;
    const char* name;
    const char* rows[8];
};

const Hatch kHatches[] = {
    {1,
     "horizontal",
     {"........", "........", "........", "........", "########", "........", "........", "........"}},
    {2,
     "vertical",
     {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."}},
    {3,
     "forward diagonal",
     {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"}},
    {4,
     "backward diagonal",
     {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."}},
    {5,
     "cross",
     {"....#...", "....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#..."}},
    {6,
     "diagonal cross",
     {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"}},
};

class BoxFillStyleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessDialogs({});
        dialog_ = DialogNew(kDialogPixels, 0, "test", -1, -1, 100, 100, 0, 0);
        ASSERT_NE(dialog_, 0);
        ASSERT_TRUE(ControlAddGraphic(dialog_, kId, "", 0, 0, kSide, kSide, 0));
        ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    }
    void TearDown() override { DialogEnd(dialog_, 0); }

    // Clears the control, then fills a box over all of it with the given style.
    void Paint(int fillStyle) {
        Box(0, 0, kSide, kSide, 0, kUnder, kUnder, kFillSolid);
        Box(0, 0, kSide, kSide, 0, kLine, kHatch, fillStyle);
    }

    // Compares the inside of the box (clear of its outline) with a tile
    // repeated from the surface origin.
    void ExpectTiles(const Hatch& hatch, Colour gap) const {
        const Surface& face = *ControlSurface(dialog_, kId);
        int wrong = 0;
        for (int y = 2; y < kSide - 2; ++y) {
            for (int x = 2; x < kSide - 2; ++x) {
                const bool line = hatch.rows[y & 7][x & 7] == '#';
                const Pixel expected = PixelFromColour(line ? kHatch : gap);
                if (face.At(x, y) != expected && ++wrong <= 3) {
                    ADD_FAILURE() << hatch.name << ": pixel (" << x << ", " << y << ") should be "
                                  << (line ? "hatch" : "gap");
                }
            }
        }
        EXPECT_EQ(wrong, 0) << hatch.name;
    }

    DialogHandle dialog_ = 0;
};

TEST_F(BoxFillStyleTest, EachHatchWithATransparentBackgroundLeavesTheGaps) {
    ColourBg(kColourTransparent);
    for (const Hatch& hatch : kHatches) {
        Paint(hatch.style);
        ExpectTiles(hatch, kUnder);
    }
}

TEST_F(BoxFillStyleTest, EachHatchWithAnOpaqueBackgroundFillsTheGapsWithIt) {
    ColourBg(kGap);
    for (const Hatch& hatch : kHatches) {
        Paint(hatch.style);
        ExpectTiles(hatch, kGap);
    }
    // A new control draws opaque on the button-face colour.
    ASSERT_TRUE(ControlAddGraphic(dialog_, kId, "", 0, 0, kSide, kSide, 0));
    ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    Paint(5);
    ExpectTiles(kHatches[4], kButtonFace);
}

TEST_F(BoxFillStyleTest, StylesAboveSixAreSolid) {
    const Hatch solid{
        0,
        "solid",
        {"########", "########", "########", "########", "########", "########", "########", "########"}};
    for (int style : {0, 7, 8, 1000, INT_MAX}) {
        Paint(style);
        ExpectTiles(solid, kGap);
    }
}

}  // namespace
}  // namespace dialog
