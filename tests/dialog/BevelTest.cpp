#include "dialog/Display.h"

#include <gtest/gtest.h>

#include <climits>

#include "instruments/Colour.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using testsupport::Px;

constexpr int kId = 300;
// The shades of a 6-pixel frame from the lightest line to the darkest.
constexpr int kShades[6] = {0, 42, 85, 128, 170, 212};

class BevelTest : public testsupport::DisplayTest {};

instruments::Pixel Oro(int shade) {
    return Px(dialog::KeywordColourAt("oro", shade));
}

TEST_F(BevelTest, SixPixelFrameShadesAndExtents) {
    AddControl(kId, 210, 55);
    const instruments::Pixel untouched = At(kId, 100, 30);
    PaintBevelTopLeft(6, "oro");
    PaintBevelBottomRight(6, "oro");
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(At(kId, k, 30), Oro(kShades[k])) << "left line " << k;
        EXPECT_EQ(At(kId, 100, k), Oro(kShades[k])) << "top line " << k;
        EXPECT_EQ(At(kId, 209 - k, 30), Oro(kShades[5 - k])) << "right line " << k;
        EXPECT_EQ(At(kId, 100, 54 - k), Oro(kShades[5 - k])) << "bottom line " << k;
    }
    // The outermost lines: left column 0 over every row, right column 209 over
    // rows 0..53, bottom row 54 over columns 1..209.
    for (int y = 0; y < 55; ++y) {
        EXPECT_EQ(At(kId, 0, y), Oro(0)) << y;
        EXPECT_EQ(At(kId, 209, y), Oro(212)) << y;
    }
    for (int x = 1; x < 210; ++x) {
        EXPECT_EQ(At(kId, x, 54), Oro(212)) << x;
    }
    // The inside is left alone.
    for (int y = 6; y < 49; ++y) {
        for (int x = 6; x < 204; ++x) {
            ASSERT_EQ(At(kId, x, y), untouched) << x << "," << y;
        }
    }
}

TEST_F(BevelTest, CornerPixelsBelongToTheRightSides) {
    // Different colour texts for the two halves make the ownership visible.
    AddControl(kId, 210, 55);
    PaintBevelTopLeft(6, "");
    PaintBevelBottomRight(6, "oro");
    const instruments::Pixel black = Px(0);
    for (int k = 0; k < 6; ++k) {
        // Top-right corner of ring k: the right side (k + 1) reaches up to row k.
        EXPECT_EQ(At(kId, 209 - k, k), Oro(kShades[5 - k])) << k;
        EXPECT_EQ(At(kId, 208 - k, k), black) << k;
        // Bottom-left corner of ring k: the left side.
        EXPECT_EQ(At(kId, k, 54 - k), black) << k;
        EXPECT_EQ(At(kId, k + 1, 54 - k), Oro(kShades[5 - k])) << k;
    }
    // Bottom-right corner of the outermost ring: the bottom side's colour.
    EXPECT_EQ(At(kId, 209, 54), Oro(212));
    EXPECT_EQ(At(kId, 0, 0), black);
}

TEST_F(BevelTest, WidthBelowOneOrNoTargetPaintsNothing) {
    AddControl(kId, 40, 30);
    const instruments::PixelBlock before = dialog::GetBits();
    for (int width : {0, -1, INT_MIN}) {
        PaintBevelTopLeft(width, "oro");
        PaintBevelBottomRight(width, "oro");
    }
    EXPECT_EQ(dialog::GetBits(), before);
    EXPECT_FALSE(dialog::Attach(dialog, 9999, instruments::Buffering::Buffered));
    PaintBevelTopLeft(6, "oro");
    EXPECT_EQ(instruments::PixelBlock::FromSurface(SurfaceOf(kId)), before);
}

TEST_F(BevelTest, FrameWiderThanTheControl) {
    // Rings beyond the surface are skipped; shades still follow the full width,
    // so the bottom-right rings near the edge are at shade 255 (black).
    AddControl(kId, 12, 8);
    PaintBevelTopLeft(INT_MAX, "oro");
    EXPECT_EQ(At(kId, 11, 7), Oro(0));
    PaintBevelBottomRight(INT_MAX, "oro");
    EXPECT_EQ(At(kId, 11, 7), Px(0));
    EXPECT_EQ(At(kId, 11, 0), Px(0));
}

}  // namespace
}  // namespace dialog
