#include "dialog/Face.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "canvas/bitmap/BmpLoader.h"
#include "dialog/Display.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using testsupport::Px;

constexpr int kId = 320;

class FacePictureTest : public testsupport::DisplayTest {};

TEST_F(FacePictureTest, EmptyFaceTextOnlyCreatesTheControl) {
    CreateFace(dialog, kId, 5, 5, 60, 30, "");
    ASSERT_NE(dialog::ControlSurface(dialog, kId), nullptr);
    EXPECT_EQ(dialog::RecordOf(kId)->backStyle, 0);
    EXPECT_EQ(dialog::GetUser(dialog, kId, kSlotPictureOff), 0);
}

TEST_F(FacePictureTest, PictureIsShownAtOnceAndKeptAtTheControlSize) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    CreateFace(dialog, kId, 5, 5, 60, 30, "face.bmp");
    EXPECT_EQ(dialog::RecordOf(kId)->backStyle, dialog::kBackPicture);
    EXPECT_EQ(At(kId, 2, 2), Px(testsupport::kPicTopLeft));
    EXPECT_EQ(At(kId, 57, 27), Px(testsupport::kPicBottomRight));

    const auto handle = static_cast<int>(dialog::GetUser(dialog, kId, kSlotPictureOff));
    EXPECT_EQ(dialog::GetUser(dialog, kId, kSlotSwitchState), 0);
    ASSERT_TRUE(dialog::AttachBitmap(handle));
    EXPECT_EQ(dialog::ClientSize(), (instruments::Size{60, 30}));
    const instruments::PixelBlock kept = dialog::GetBits();
    EXPECT_EQ(kept.pixels()[0], Px(testsupport::kPicTopLeft));
    EXPECT_EQ(kept.pixels()[30 * 60 - 1], Px(testsupport::kPicBottomRight));
}

TEST_F(FacePictureTest, APictureFaceReadsItsFileOnce) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    const std::int64_t decoded = instruments::bitmap::BmpPicturesDecoded();
    CreateFace(dialog, kId, 5, 5, 60, 30, "face.bmp");
    EXPECT_EQ(instruments::bitmap::BmpPicturesDecoded(), decoded + 1);
    EXPECT_NE(dialog::GetUser(dialog, kId, kSlotPictureOff), 0);
}

TEST_F(FacePictureTest, FacesMadeAgainKeepOnlyTheCurrentPictures) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    testsupport::WriteBmp(folder / "on.bmp", 1, 1, {testsupport::kPicTopRight});
    constexpr int kSwitchId = kId + 1;
    auto makeBoth = [&] {
        CreateFace(dialog, kId, 5, 5, 60, 30, "face.bmp");
        CreateFace(dialog, kSwitchId, 5, 40, 60, 30, "face.bmp/on.bmp");
    };
    auto highestHandle = [&] {
        return std::max({dialog::GetUser(dialog, kId, kSlotPictureOff),
                         dialog::GetUser(dialog, kSwitchId, kSlotPictureOff),
                         dialog::GetUser(dialog, kSwitchId, kSlotPictureOn)});
    };
    makeBoth();
    const std::int64_t live = instruments::Surface::LivePixels();
    const std::intptr_t highest = highestHandle();
    for (int i = 0; i < 10000; ++i) {
        makeBoth();
    }
    EXPECT_EQ(instruments::Surface::LivePixels(), live);
    EXPECT_LE(highestHandle(), highest + 3);

    // The slots name the pictures of the faces now shown.
    ASSERT_TRUE(dialog::AttachBitmap(static_cast<int>(dialog::GetUser(dialog, kId, kSlotPictureOff))));
    EXPECT_EQ(dialog::ClientSize(), (instruments::Size{60, 30}));
    EXPECT_EQ(dialog::GetBits().pixels()[0], Px(testsupport::kPicTopLeft));
    ASSERT_TRUE(dialog::AttachBitmap(static_cast<int>(dialog::GetUser(dialog, kSwitchId, kSlotPictureOn))));
    EXPECT_EQ(dialog::GetBits().pixels()[0], Px(testsupport::kPicTopRight));

    // Faces without pictures free those of the faces they replace.
    CreateFace(dialog, kId, 5, 5, 60, 30, "");
    CreateFace(dialog, kSwitchId, 5, 40, 60, 30, "");
    EXPECT_EQ(instruments::Surface::LivePixels(), live - 3 * 60 * 30);
}

TEST_F(FacePictureTest, AFaceThatCannotReplaceItsControlKeepsThePictures) {
    testsupport::WriteQuadrantBmp(folder / "face.bmp");
    CreateFace(dialog, kId, 5, 5, 60, 30, "face.bmp");
    const auto kept = static_cast<int>(dialog::GetUser(dialog, kId, kSlotPictureOff));
    // Too large a control is refused; the old one stays and so does its picture.
    CreateFace(dialog, kId, 5, 5, 1 << 20, 30, "");
    EXPECT_EQ(dialog::GetUser(dialog, kId, kSlotPictureOff), kept);
    EXPECT_TRUE(dialog::AttachBitmap(kept));
}

TEST_F(FacePictureTest, MissingOrBlankPictureShowsNothing) {
    CreateFace(dialog, kId, 5, 5, 60, 30, "");
    dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    const instruments::PixelBlock blank = dialog::GetBits();
    dialog::SetUser(dialog, kId, kSlotSwitchState, 5);
    LoadFacePicture(dialog, kId, "   ");
    EXPECT_EQ(dialog::GetUser(dialog, kId, kSlotSwitchState), 5);

    CreateFace(dialog, kId, 5, 5, 60, 30, "quadrante.bmp");
    dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    EXPECT_EQ(dialog::GetBits(), blank);
    EXPECT_EQ(dialog::GetUser(dialog, kId, kSlotPictureOff), 0);
    EXPECT_EQ(dialog::RecordOf(kId)->backStyle, dialog::kBackPicture);
}

TEST_F(FacePictureTest, IdOutsideTheTableCreatesNoControl) {
    CreateFace(dialog, 10001, 0, 0, 20, 20, "");
    CreateFace(dialog, -3, 0, 0, 20, 20, "/");
    EXPECT_EQ(dialog::ControlSurface(dialog, 10001), nullptr);
    EXPECT_EQ(dialog::ControlSurface(dialog, -3), nullptr);
}

}  // namespace
}  // namespace dialog
