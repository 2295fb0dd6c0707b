#include "colour/FacePicture.h"

#include <gtest/gtest.h>

#include "display/Background.h"
#include "tests/display/DisplayTestSupport.h"

namespace colour {
namespace {

using testsupport::Px;

constexpr int kId = 320;

class FacePictureTest : public testsupport::DisplayTest {};

TEST_F(FacePictureTest, EmptyFaceTextOnlyCreatesTheControl) {
    CreateFace(dialog, kId, 5, 5, 60, 30, "");
    ASSERT_NE(canvas::ControlSurface(dialog, kId), nullptr);
    EXPECT_EQ(display::RecordOf(kId)->backStyle, 0);
    EXPECT_EQ(canvas::GetUser(dialog, kId, kSlotPictureOff), 0);
}

TEST_F(FacePictureTest, PictureIsShownAtOnceAndKeptAtTheControlSize) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    CreateFace(dialog, kId, 5, 5, 60, 30, "face.bmp");
    EXPECT_EQ(display::RecordOf(kId)->backStyle, display::kBackPicture);
    EXPECT_EQ(At(kId, 2, 2), Px(testsupport::kPicTopLeft));
    EXPECT_EQ(At(kId, 57, 27), Px(testsupport::kPicBottomRight));

    const auto handle = static_cast<int>(canvas::GetUser(dialog, kId, kSlotPictureOff));
    EXPECT_EQ(canvas::GetUser(dialog, kId, kSlotSwitchState), 0);
    ASSERT_TRUE(canvas::AttachBitmap(handle));
    EXPECT_EQ(canvas::ClientSize(), (canvas::Size{60, 30}));
    const canvas::PixelBlock kept = canvas::GetBits();
    EXPECT_EQ(kept.pixels()[0], Px(testsupport::kPicTopLeft));
    EXPECT_EQ(kept.pixels()[30 * 60 - 1], Px(testsupport::kPicBottomRight));
}

TEST_F(FacePictureTest, MissingOrBlankPictureShowsNothing) {
    CreateFace(dialog, kId, 5, 5, 60, 30, "");
    canvas::Attach(dialog, kId, canvas::Buffering::Buffered);
    const canvas::PixelBlock blank = canvas::GetBits();
    canvas::SetUser(dialog, kId, kSlotSwitchState, 5);
    LoadFacePicture(dialog, kId, "   ");
    EXPECT_EQ(canvas::GetUser(dialog, kId, kSlotSwitchState), 5);

    CreateFace(dialog, kId, 5, 5, 60, 30, "quadrante.bmp");
    canvas::Attach(dialog, kId, canvas::Buffering::Buffered);
    EXPECT_EQ(canvas::GetBits(), blank);
    EXPECT_EQ(canvas::GetUser(dialog, kId, kSlotPictureOff), 0);
    EXPECT_EQ(display::RecordOf(kId)->backStyle, display::kBackPicture);
}

TEST_F(FacePictureTest, IdOutsideTheTableCreatesNoControl) {
    CreateFace(dialog, 10001, 0, 0, 20, 20, "");
    CreateFace(dialog, -3, 0, 0, 20, 20, "/");
    EXPECT_EQ(canvas::ControlSurface(dialog, 10001), nullptr);
    EXPECT_EQ(canvas::ControlSurface(dialog, -3), nullptr);
}

}  // namespace
}  // namespace colour
