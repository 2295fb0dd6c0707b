#include "dialog/Display.h"

#include <gtest/gtest.h>

#include <string>

#include "instruments/Colour.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using testsupport::Px;

constexpr int kId = 304;

class FrameTest : public testsupport::DisplayTest {
  protected:
    // A display with a frame and a kept background, then scribbled over.
    void AddDisplayWithBackground() {
        AddControl(kId, 210, 55);
        DisplayRecord& record = *RecordOf(kId);
        record.frameWidth = 6;
        record.frameColour.Store("oro");
        record.backColour.Store("grigio");
        record.inkColour = 0x0000FF;
        PaintBevelTopLeft(6, "oro");
        PaintBevelBottomRight(6, "oro");
        EnsureBackgroundTable();
        *BackgroundOf(kId) = dialog::GetBits();
        dialog::Box(0, 0, 210, 55, 0, 0x00FF00, 0x00FF00, dialog::kFillSolid);
    }
};

TEST_F(FrameTest, EmptyCaptionRestoresTheKeptBackground) {
    AddDisplayWithBackground();
    PaintFrame(dialog, kId, "");
    EXPECT_EQ(dialog::GetBits(), *BackgroundOf(kId));

    // Without a kept copy nothing is restored.
    *BackgroundOf(kId) = instruments::PixelBlock{};
    dialog::Box(0, 0, 210, 55, 0, 0x00FF00, 0x00FF00, dialog::kFillSolid);
    const instruments::PixelBlock scribbled = dialog::GetBits();
    PaintFrame(dialog, kId, "");
    EXPECT_EQ(dialog::GetBits(), scribbled);
}

TEST_F(FrameTest, CaptionIsCoveredByTheFrame) {
    AddDisplayWithBackground();
    // A flush-left caption starts on the frame band; the frame is repainted over it.
    PaintFrame(dialog, kId, "[<]WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const instruments::PixelBlock& kept = *BackgroundOf(kId);
    int inked = 0;
    for (int y = 0; y < 55; ++y) {
        for (int x = 0; x < 210; ++x) {
            if (x < 6 || y < 6 || x >= 204 || y >= 49) {
                ASSERT_EQ(At(kId, x, y), kept.pixels()[y * 210 + x]) << x << "," << y;
            } else {
                inked += At(kId, x, y) == Px(0x0000FF);
            }
        }
    }
    EXPECT_GT(inked, 0);

    // Without a background colour the top and left sides are black.
    RecordOf(kId)->backColour.Store("   ");
    PaintFrame(dialog, kId, "x");
    EXPECT_EQ(At(kId, 0, 30), Px(0));
    EXPECT_EQ(At(kId, 209, 30), Px(dialog::KeywordColourAt("oro", 212)));
}

TEST_F(FrameTest, CaptionFontSizeIsRoundedFromASinglePrecisionDivision) {
    AddDisplayWithBackground();
    auto charSizeAt = [](int points) {
        dialog::Font("courier new", points, 0);
        return dialog::CharSize();
    };
    ASSERT_NE(charSizeAt(12), charSizeAt(13));
    // 15 / 1.2f is 12.4999995: a 12-point font, not 13; 12 gives 10 points.
    for (auto [captionSize, points] : {std::pair{15, 12}, std::pair{12, 10}}) {
        const instruments::Size expected = charSizeAt(points);
        RecordOf(kId)->captionSize = static_cast<std::int16_t>(captionSize);
        PaintFrame(dialog, kId, "x");
        EXPECT_EQ(dialog::CharSize(), expected) << captionSize;
    }
}

// With captionSize 0 the caption is 8-point "courier new" over a shadow in
// Rgb(85, 130, 85), then the frame: built here step by step with those literal
// values on a second control.
TEST_F(FrameTest, CaptionOfSizeZeroIsEightPointsOverItsShadow) {
    constexpr int kReferenceId = kId + 1;
    constexpr instruments::Colour kShadow = 0x558255;
    AddDisplayWithBackground();
    ASSERT_EQ(RecordOf(kId)->captionSize, 0);
    AddControl(kReferenceId, 210, 55);
    dialog::SetBits(*BackgroundOf(kId));
    dialog::Font("courier new", 8, 0);
    std::string text = "WM";
    PaintCaption(text, 0x0000FF, kShadow);
    PaintBevelTopLeft(6, "oro");
    PaintBevelBottomRight(6, "oro");

    PaintFrame(dialog, kId, "WM");
    EXPECT_TRUE(SurfaceOf(kId).SamePixels(SurfaceOf(kReferenceId)));
    int shadow = 0;
    for (int y = 0; y < 55; ++y) {
        for (int x = 0; x < 210; ++x) {
            shadow += At(kId, x, y) == Px(kShadow);
        }
    }
    EXPECT_GT(shadow, 10);
}

}  // namespace
}  // namespace dialog
