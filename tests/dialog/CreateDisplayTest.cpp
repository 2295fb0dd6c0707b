#include "dialog/Display.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog/Face.h"
#include "instruments/Colour.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using instruments::Rgb;
using testsupport::Px;

// The in/out place of a display: position and requested, then returned, size.
struct Placed {
    int x = 10;
    int y = 10;
    int width = 210;
    int height = 55;
};

class CreateDisplayTest : public testsupport::DisplayTest {
  protected:
    Placed Create(int id, const DisplaySettings& settings, Placed place = {}) {
        CreateDisplay(dialog, id, place.x, place.y, place.width, place.height, settings);
        return place;
    }

    // Display 207 of the demo.
    static DisplaySettings Demo207() { return {"", 6, "oro", 0, 0x0000FF, "unito", "#f06040", 1}; }
};

instruments::Pixel Oro(int shade) {
    return Px(KeywordColourAt("oro", shade));
}

TEST_F(CreateDisplayTest, Demo207FrameBackgroundRecordAndCopy) {
    RecordOf(207)->value = 3.5f;
    RecordOf(207)->label.Store("SU/GIU");
    const Placed placed = Create(207, Demo207(), {10, 10, 210, 55});
    EXPECT_EQ(placed.x, 10);
    EXPECT_EQ(placed.y, 10);
    EXPECT_EQ(placed.width, 210);
    EXPECT_EQ(placed.height, 55);

    // Frame: "oro" bevels on all four sides.
    EXPECT_EQ(At(207, 0, 30), Oro(0));
    EXPECT_EQ(At(207, 5, 30), Oro(212));
    EXPECT_EQ(At(207, 209, 30), Oro(212));
    EXPECT_EQ(At(207, 204, 30), Oro(0));
    EXPECT_EQ(At(207, 100, 54), Oro(212));
    // Background style 1: row 48 at shade 223 up to row 6 at shade 28.
    EXPECT_EQ(At(207, 100, 48), Px(KeywordColourAt("#f06040", 223)));
    EXPECT_EQ(At(207, 100, 6), Px(KeywordColourAt("#f06040", 28)));
    EXPECT_EQ(At(207, 6, 20), Px(KeywordColourAt("#f06040", 93)));

    const DisplayRecord& record = *RecordOf(207);
    EXPECT_EQ(record.frameWidth, 6);
    EXPECT_EQ(record.frameColour.View(), std::string_view("oro                 "));
    EXPECT_EQ(record.captionSize, 0);
    EXPECT_EQ(record.inkColour, 0x0000FF);
    EXPECT_EQ(record.styleWords.Trimmed(), "unito");
    EXPECT_EQ(record.styleWords.View().size(), 32u);
    EXPECT_EQ(record.backColour.Trimmed(), "#f06040");
    EXPECT_EQ(record.backStyle, 1);
    EXPECT_EQ(record.value, 3.5f);
    EXPECT_EQ(record.label.Trimmed(), "SU/GIU");

    // The kept copy is the face as painted.
    ASSERT_NE(BackgroundOf(207), nullptr);
    EXPECT_EQ(*BackgroundOf(207), instruments::PixelBlock::FromSurface(SurfaceOf(207)));
    EXPECT_EQ(BackgroundOf(207)->size(), 8u + 4u * 210u * 55u);
}

TEST_F(CreateDisplayTest, EmptyBackColourBoxStackWithBlackTopLeft) {
    Create(212, {"", 6, "oro", 0, 0, "fondo", "", 3});
    EXPECT_EQ(At(212, 0, 30), Px(0));
    EXPECT_EQ(At(212, 100, 0), Px(0));
    EXPECT_EQ(At(212, 209, 30), Oro(212));
    EXPECT_EQ(At(212, 100, 54), Oro(212));
    // Creation paints depth floor(0.2f x 55) = 11: boxes from (6, 6) to (17, 17).
    EXPECT_EQ(At(212, 100, 6), Px(Rgb(0, 45, 0)));
    EXPECT_EQ(At(212, 6, 30), Px(Rgb(0, 45, 0)));
    EXPECT_EQ(At(212, 100, 16), Px(Rgb(109, 154, 109)));
    EXPECT_EQ(At(212, 100, 17), Px(Rgb(120, 165, 120)));
    EXPECT_EQ(At(212, 203, 48), Px(Rgb(120, 165, 120)));
    EXPECT_EQ(At(212, 204, 30), Oro(0));
    // One space is a colour text: the frame is "oro" all round, the boxes black.
    Create(212, {"", 6, "oro", 0, 0, "fondo", " ", 3});
    EXPECT_EQ(At(212, 0, 30), Oro(0));
    EXPECT_EQ(At(212, 100, 30), Px(0));
}

TEST_F(CreateDisplayTest, BoxStackDepthsOfTheDemoHeights) {
    struct Case {
        int size;
        std::vector<int> greens;
        int lastButOne;
    };
    const Case cases[] = {
        {80, {0, 8, 15, 22, 30, 38, 45, 52, 60, 68, 75, 82, 90, 98, 105, 112, 120}, 112},
        {180, {0, 3, 7, 10, 13, 17}, 117},
    };
    for (const Case& c : cases) {
        Create(704, {"", 0, "oro", 0, 0, "", "", 3}, {0, 0, c.size, c.size});
        for (std::size_t i = 0; i < c.greens.size(); ++i) {
            const int v = c.greens[i];
            EXPECT_EQ(At(704, c.size / 2, static_cast<int>(i)), Px(Rgb(v, v + 45, v)))
                << c.size << " box " << i;
        }
        // The last box (depth size / 5) is v = 120 and fills the interior.
        EXPECT_EQ(At(704, c.size - 1, c.size - 1), Px(Rgb(120, 165, 120))) << c.size;
        EXPECT_EQ(At(704, c.size / 5, c.size - 1), Px(Rgb(120, 165, 120))) << c.size;
        const int before = c.lastButOne;
        EXPECT_EQ(At(704, c.size / 5 - 1, c.size - 1), Px(Rgb(before, before + 45, before))) << c.size;
    }
    // With a colour text the shades run from 205 down to 85.
    Create(705, {"", 0, "grigio", 0, 0, "", "grigio", 3}, {0, 0, 80, 80});
    EXPECT_EQ(At(705, 40, 0), testsupport::Grey(205));
    EXPECT_EQ(At(705, 40, 1), testsupport::Grey(198));
    EXPECT_EQ(At(705, 40, 2), testsupport::Grey(190));
    EXPECT_EQ(At(705, 40, 40), testsupport::Grey(85));
}

TEST_F(CreateDisplayTest, OtherCreationsKeepCopiesAndRecreationKeepsValueAndLabel) {
    Create(207, Demo207());
    const instruments::PixelBlock first = *BackgroundOf(207);
    EXPECT_TRUE(BackgroundOf(208)->empty());
    Create(208, {"", 6, "oro", 0, 0, "", "#fff0f0", 0});
    EXPECT_EQ(*BackgroundOf(207), first);

    RecordOf(207)->value = 2.0f;
    RecordOf(207)->label.Store("A/B");
    Create(207, {"", 3, "verde", 65535, 0x00FF00, "ombra", "grigio", 4});
    const DisplayRecord& record = *RecordOf(207);
    EXPECT_EQ(record.frameWidth, 3);
    EXPECT_EQ(record.frameColour.Trimmed(), "verde");
    EXPECT_EQ(record.captionSize, -1);  // the low 16 bits
    EXPECT_EQ(record.styleWords.Trimmed(), "ombra");
    EXPECT_EQ(record.backStyle, 4);
    EXPECT_EQ(record.value, 2.0f);
    EXPECT_EQ(record.label.Trimmed(), "A/B");
    EXPECT_NE(*BackgroundOf(207), first);
}

TEST_F(CreateDisplayTest, NoControlGivesZeroSizeAndNoCopy) {
    const Placed placed = Create(400, Demo207(), {10, 10, -5, 55});
    EXPECT_EQ(placed.width, 0);
    EXPECT_EQ(placed.height, 0);
    EXPECT_EQ(dialog::ControlSurface(dialog, 400), nullptr);
    EXPECT_TRUE(BackgroundOf(400)->empty());
    EXPECT_EQ(RecordOf(400)->frameWidth, 6);
    // An id outside the table creates nothing at all.
    for (int id : {-1, 10001}) {
        EXPECT_EQ(Create(id, Demo207()).width, 0);
        EXPECT_EQ(dialog::ControlSurface(dialog, id), nullptr);
    }
}

TEST_F(CreateDisplayTest, PictureFaceIsStretchedInsideTheFrame) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    Create(213, {"face.bmp", 6, "verde", 0, 0xFFFFFF, "unito", " ", 6}, {10, 364, 210, 55});
    EXPECT_NE(dialog::GetUser(dialog, 213, dialog::kSlotPictureOff), 0);
    EXPECT_EQ(RecordOf(213)->backStyle, 6);
    // The picture covers columns 6..204 and rows 6..49: both corners of the
    // target rectangle are included, over the innermost bevel lines.
    EXPECT_EQ(At(213, 6, 6), Px(testsupport::kPicTopLeft));
    EXPECT_EQ(At(213, 204, 6), Px(testsupport::kPicTopRight));
    EXPECT_EQ(At(213, 6, 49), Px(testsupport::kPicBottomLeft));
    EXPECT_EQ(At(213, 204, 49), Px(testsupport::kPicBottomRight));
    EXPECT_EQ(At(213, 5, 30), Px(KeywordColourAt("verde", 212)));
    EXPECT_EQ(At(213, 205, 30), Px(KeywordColourAt("verde", 42)));
    EXPECT_EQ(*BackgroundOf(213), instruments::PixelBlock::FromSurface(SurfaceOf(213)));
}

TEST_F(CreateDisplayTest, RecreatingAPictureDisplayKeepsMemoryFlat) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    const DisplaySettings settings{"face.bmp", 3, "verde", 0, 0xFFFFFF, "unito", " ", 6};
    Create(213, settings, {10, 10, 40, 20});
    const std::int64_t live = instruments::Surface::LivePixels();
    const std::intptr_t handle = dialog::GetUser(dialog, 213, dialog::kSlotPictureOff);
    for (int i = 0; i < 10000; ++i) {
        Create(213, settings, {10, 10, 40, 20});
    }
    EXPECT_EQ(instruments::Surface::LivePixels(), live);
    // The one kept picture's handle is given out again each time.
    EXPECT_LE(dialog::GetUser(dialog, 213, dialog::kSlotPictureOff), handle + 1);
    EXPECT_EQ(At(213, 3, 3), Px(testsupport::kPicTopLeft));
}

TEST_F(CreateDisplayTest, MissingPictureLeavesTheInsideUnpainted) {
    AddControl(999, 210, 55);
    const instruments::Pixel blank = At(999, 100, 30);
    Create(213, {"quadrante1.bmp", 6, "verde", 0, 0xFFFFFF, "unito", " ", 6}, {10, 364, 210, 55});
    EXPECT_EQ(dialog::GetUser(dialog, 213, dialog::kSlotPictureOff), 0);
    EXPECT_EQ(At(213, 0, 30), Px(KeywordColourAt("verde", 0)));
    for (int y = 6; y < 49; ++y) {
        for (int x = 6; x < 204; ++x) {
            ASSERT_EQ(At(213, x, y), blank) << x << "," << y;
        }
    }
    EXPECT_EQ(RecordOf(213)->styleWords.Trimmed(), "unito");
    EXPECT_FALSE(BackgroundOf(213)->empty());
}

}  // namespace
}  // namespace dialog
