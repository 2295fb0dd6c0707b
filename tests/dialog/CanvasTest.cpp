#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpLoader.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Surface.h"
#include "tests/support/ScopedTempDir.h"

namespace dialog {
namespace {

using namespace instruments;
using dialog::Buffering;
using dialog::Source;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

class CanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessDialogs({});
        dialog_ = DialogNew(kDialogPixels, 0, "test", -1, -1, 200, 100, 0, 0);
        ASSERT_NE(dialog_, 0);
        ASSERT_TRUE(ControlAddGraphic(dialog_, kId, "", 5, 5, 40, 30, 0));
        ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
        Box(0, 0, 40, 30, 0, kWhite, kWhite, 0);
    }
    const Surface& Face() const { return *ControlSurface(dialog_, kId); }
    Pixel At(int x, int y) const { return Face().At(x, y); }

    static constexpr int kId = 9;
    DialogHandle dialog_ = 0;
};

TEST_F(CanvasTest, NewControlStartsWithButtonFaceAndDefaultFont) {
    ASSERT_TRUE(ControlAddGraphic(dialog_, 10, "", 0, 0, 3, 3, 0));
    EXPECT_EQ(ControlSurface(dialog_, 10)->At(1, 1), PixelFromColour(0xF0F0F0));
    ASSERT_TRUE(Attach(dialog_, 10, Buffering::Buffered));
    EXPECT_EQ(ClientSize(), (Size{3, 3}));
    EXPECT_GT(CharSize().width, 0);
    EXPECT_GT(CharSize().height, 0);
    int w = 0, h = 0;
    ControlGetSize(dialog_, 10, w, h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 3);
}

TEST_F(CanvasTest, RefusedTargetDrawsNothingAndMeasuresZero) {
    EXPECT_FALSE(Attach(dialog_, 4711, Buffering::Buffered));
    EXPECT_EQ(ClientSize(), (Size{}));
    EXPECT_EQ(CharSize(), (Size{}));
    EXPECT_EQ(TextSize("abc"), (Size{}));
    EXPECT_TRUE(GetBits().empty());
    const Surface before = Face();
    Box(0, 0, 10, 10, 0, kRed, kRed, 0);
    SetPixel(1, 1, kRed);
    LineTo(20, 20, kRed);
    Print("x");
    EXPECT_TRUE(Face().SamePixels(before));
    EXPECT_FALSE(Attach(0, kId, Buffering::Buffered));
}

TEST_F(CanvasTest, CoordinatesRoundHalfToEven) {
    SetPixel(10.5, 11.5, kRed);
    EXPECT_EQ(At(10, 12), PixelFromColour(kRed));
    EXPECT_EQ(At(11, 12), PixelFromColour(kWhite));
}

TEST_F(CanvasTest, BoxSwapsReversedCornersAndKeepsRightAndBottomExclusive) {
    Box(8, 6, 2, 1, 0, kRed, kGreen, 0);
    // Outline over columns 2..7 and rows 1..5; column 8 and row 6 untouched.
    EXPECT_EQ(At(2, 1), PixelFromColour(kRed));
    EXPECT_EQ(At(7, 5), PixelFromColour(kRed));
    EXPECT_EQ(At(4, 3), PixelFromColour(kGreen));
    EXPECT_EQ(At(8, 3), PixelFromColour(kWhite));
    EXPECT_EQ(At(4, 6), PixelFromColour(kWhite));
}

TEST_F(CanvasTest, BoxFillDefaultsAndTransparency) {
    Box(0, 0, 6, 6, 0, kRed, kColourTransparent, 0);
    EXPECT_EQ(At(3, 3), PixelFromColour(kWhite));
    EXPECT_EQ(At(0, 3), PixelFromColour(kRed));
    Box(10, 0, 16, 6, 0, kRed, kColourDefault, 0);
    EXPECT_EQ(At(13, 3), PixelFromColour(kRed));
    ColourFg(kGreen);
    Box(20, 0, 26, 6, 0, kColourDefault, kColourDefault, 0);
    EXPECT_EQ(At(20, 0), PixelFromColour(kGreen));
    EXPECT_EQ(At(23, 3), PixelFromColour(kGreen));
}

TEST_F(CanvasTest, FullRoundingOnASquareIsTheInscribedCircle) {
    Box(0, 0, 9, 9, 100, kRed, kRed, 0);
    const Surface rounded = Face();
    Box(0, 0, 9, 9, 0, kWhite, kWhite, 0);
    Box(0, 0, 9, 9, kCornerEllipse, kRed, kRed, 0);
    EXPECT_TRUE(Face().SamePixels(rounded));
    EXPECT_EQ(At(0, 0), PixelFromColour(kWhite));
    EXPECT_EQ(At(4, 4), PixelFromColour(kRed));
    // Corner values above 100 count as 100.
    Box(0, 0, 9, 9, 0, kWhite, kWhite, 0);
    Box(0, 0, 9, 9, 250, kRed, kRed, 0);
    EXPECT_TRUE(Face().SamePixels(rounded));
}

TEST_F(CanvasTest, LinesLeaveTheirEndPointAndMoveThePosition) {
    SetPos(2, 2);
    LineTo(2, 2, kRed);
    EXPECT_EQ(At(2, 2), PixelFromColour(kWhite));
    LineTo(6, 2, kRed);
    EXPECT_EQ(At(2, 2), PixelFromColour(kRed));
    EXPECT_EQ(At(5, 2), PixelFromColour(kRed));
    EXPECT_EQ(At(6, 2), PixelFromColour(kWhite));
    LineTo(0, 3, kGreen, LineMode::Relative);  // from (6, 2) to (6, 5)
    EXPECT_EQ(At(6, 4), PixelFromColour(kGreen));
    EXPECT_EQ(At(6, 5), PixelFromColour(kWhite));
}

TEST_F(CanvasTest, GetBitsSetBitsRoundTripAndRefusal) {
    Box(3, 3, 20, 20, 40, kRed, kGreen, 0);
    const PixelBlock block = GetBits();
    EXPECT_EQ(block.size(), 8u + 4u * 40u * 30u);
    EXPECT_EQ(block.width(), 40);
    EXPECT_EQ(block.height(), 30);
    const Surface painted = Face();
    Box(0, 0, 40, 30, 0, kWhite, kWhite, 0);
    SetBits(block);
    EXPECT_TRUE(Face().SamePixels(painted));

    const Surface before = Face();
    std::vector<std::uint8_t> truncated(block.bytes().begin(), block.bytes().end() - 1);
    SetBits(PixelBlock::FromBytes(truncated));
    EXPECT_TRUE(Face().SamePixels(before));
}

TEST_F(CanvasTest, CopyAndStretchBetweenControls) {
    ASSERT_TRUE(ControlAddGraphic(dialog_, 11, "", 0, 0, 4, 4, 0));
    ASSERT_TRUE(Attach(dialog_, 11, Buffering::Buffered));
    Box(0, 0, 4, 4, 0, kRed, kRed, 0);
    ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    Copy(Source::Control(dialog_, 11), kRopSourceCopy);
    EXPECT_EQ(At(3, 3), PixelFromColour(kRed));
    EXPECT_EQ(At(4, 4), PixelFromColour(kWhite));
    // Both rectangles include both corners: 4 x 4 pixels onto 8 x 8.
    Stretch(Source::Control(dialog_, 11), 0, 0, 3, 3, 10, 10, 17, 17, kMixCopy);
    EXPECT_EQ(At(10, 10), PixelFromColour(kRed));
    EXPECT_EQ(At(17, 17), PixelFromColour(kRed));
    EXPECT_EQ(At(18, 17), PixelFromColour(kWhite));
    EXPECT_EQ(At(9, 10), PixelFromColour(kWhite));
}

TEST_F(CanvasTest, StretchWithTheCopyMixEqualsThePlainCopyEvenPartlyOffTheSurface) {
    ASSERT_TRUE(ControlAddGraphic(dialog_, 11, "", 0, 0, 4, 4, 0));
    ASSERT_TRUE(Attach(dialog_, 11, Buffering::Buffered));
    for (int i = 0; i < 4; ++i) {
        Box(i, 0, i + 1, 4, 0, 0x102030 * (i + 1), 0x102030 * (i + 1), 0);
    }
    ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    Stretch(Source::Control(dialog_, 11), 0, 0, 3, 3, -10, -3, 29, 20, kMixCopy);
    const Surface plain = Face();
    Box(0, 0, 40, 30, 0, kWhite, kWhite, 0);
    constexpr int kMixSource = 12;  // the binary operation that yields the source
    Stretch(Source::Control(dialog_, 11), 0, 0, 3, 3, -10, -3, 29, 20, kMixSource);
    EXPECT_TRUE(Face().SamePixels(plain));
    EXPECT_EQ(At(25, 10), plain.At(25, 10));
}

TEST_F(CanvasTest, MissingPicturesDrawNothingAndLoadAsZero) {
    const Surface before = Face();
    Render("/nonexistent/picture.bmp", 0, 0, 39, 29);
    Render("resource", 0, 0, 39, 29);
    EXPECT_TRUE(Face().SamePixels(before));
    EXPECT_EQ(BitmapLoad("", 10, 10), 0);
    EXPECT_EQ(BitmapLoad("/nonexistent/picture.bmp", 10, 10), 0);
    EXPECT_EQ(BitmapLoad("resource", 10, 10), 0);
    Copy(Source::Bitmap(0), kRopSourceCopy);
    Copy(Source::Bitmap(12345), kRopSourceCopy);
    EXPECT_TRUE(Face().SamePixels(before));
}

// Writes an 8-bit run-length BMP with the given palette (0x00RRGGBB) and data.
std::string WriteRunLength(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                           const std::vector<Pixel>& palette, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> b;
    auto put = [&b](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    const auto offset = static_cast<std::uint32_t>(54 + 4 * palette.size());
    put('B' | 'M' << 8, 2);
    put(offset + static_cast<std::uint32_t>(data.size()), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(8, 2);
    put(1, 4);  // 8-bit run lengths
    put(static_cast<std::uint32_t>(data.size()), 4);
    put(0, 4);  // resolution
    put(0, 4);
    put(static_cast<std::uint32_t>(palette.size()), 4);
    put(0, 4);
    for (Pixel colour : palette) {
        put(colour, 4);
    }
    b.insert(b.end(), data.begin(), data.end());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return path.string();
}

constexpr Pixel kClaimColour = 0x00c81e1e;

// 60 bytes claiming 4096 x 4096 pixels of one colour.
std::string WriteHugeClaim(const std::filesystem::path& path) {
    return WriteRunLength(path, 4096, 4096, {kClaimColour}, {0x00, 0x01});
}

// Six by four pixels in four colours, each row different.
std::string WriteSmallPicture(const std::filesystem::path& path) {
    return WriteRunLength(path, 6, 4, {0x00102030, 0x00405060, 0x00708090, 0x00a0b0c0},
                          {2, 0, 4, 1, 0, 0,  // bottom row
                           6, 2, 0, 0,        //
                           1, 3, 5, 0, 0, 0,  //
                           3, 1, 3, 2, 0, 1});
}

TEST_F(CanvasTest, PicturesAreScaledWithoutAFullSizeCopy) {
    testsupport::ScopedTempDir folder;
    const std::string file = WriteHugeClaim(folder / "huge.bmp");
    const std::int64_t before = Surface::LivePixels();
    Surface::ResetPeakLivePixels();
    const int handle = BitmapLoad(file, 64, 64);
    ASSERT_NE(handle, 0);
    Render(file, 0, 0, 39, 29);
    EXPECT_LE(Surface::PeakLivePixels() - before, 64 * 64);
    EXPECT_EQ(At(0, 0), kClaimColour);
    EXPECT_EQ(At(39, 29), kClaimColour);
    ASSERT_TRUE(AttachBitmap(handle));
    EXPECT_EQ(ClientSize(), (Size{64, 64}));
    EXPECT_EQ(GetBits().pixels()[64 * 64 - 1], kClaimColour);
    BitmapFree(handle);
}

TEST_F(CanvasTest, RenderAndBitmapLoadReadTheFileOnceForWhatTheTwoCallsPaint) {
    testsupport::ScopedTempDir folder;
    const std::string file = WriteSmallPicture(folder / "small.bmp");
    Render(file, 2, 3, 30, 20);
    const int separate = BitmapLoad(file, 9, 7);
    ASSERT_NE(separate, 0);

    ASSERT_TRUE(ControlAddGraphic(dialog_, 12, "", 0, 0, 40, 30, 0));
    ASSERT_TRUE(Attach(dialog_, 12, Buffering::Buffered));
    Box(0, 0, 40, 30, 0, kWhite, kWhite, 0);
    const std::int64_t decoded = bitmap::BmpPicturesDecoded();
    const int together = RenderAndBitmapLoad(file, 2, 3, 30, 20, 9, 7);
    EXPECT_EQ(bitmap::BmpPicturesDecoded(), decoded + 1);
    ASSERT_NE(together, 0);
    EXPECT_TRUE(ControlSurface(dialog_, 12)->SamePixels(Face()));
    EXPECT_NE(At(2, 3), PixelFromColour(kWhite));
    ASSERT_TRUE(AttachBitmap(separate));
    const PixelBlock expected = GetBits();
    ASSERT_TRUE(AttachBitmap(together));
    EXPECT_EQ(GetBits(), expected);
    BitmapFree(separate);
    BitmapFree(together);
}

TEST_F(CanvasTest, FreedBitmapsNameNothingAndTheirHandlesAreGivenOutAgain) {
    testsupport::ScopedTempDir folder;
    const std::string file = WriteSmallPicture(folder / "small.bmp");
    const int first = BitmapLoad(file, 8, 8);
    const int second = BitmapLoad(file, 4, 4);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    const std::int64_t live = Surface::LivePixels();
    BitmapFree(first);
    EXPECT_EQ(Surface::LivePixels(), live - 64);
    EXPECT_FALSE(AttachBitmap(first));
    ASSERT_TRUE(Attach(dialog_, kId, Buffering::Buffered));
    {
        const Surface before = Face();
        Copy(Source::Bitmap(first), kRopSourceCopy);
        Stretch(Source::Bitmap(first), 0, 0, 7, 7, 0, 0, 39, 29, kMixCopy);
        EXPECT_TRUE(Face().SamePixels(before));
    }

    // Freeing the current target leaves no target behind.
    ASSERT_TRUE(AttachBitmap(second));
    BitmapFree(second);
    EXPECT_EQ(ClientSize(), (Size{}));
    Box(0, 0, 4, 4, 0, kRed, kRed, 0);

    for (int ignored : {first, second, 0, -1, 99999}) {
        BitmapFree(ignored);
    }
    EXPECT_EQ(Surface::LivePixels(), live - 64 - 16);
    const int again = BitmapLoad(file, 2, 2);
    EXPECT_TRUE(again == first || again == second) << again;
    BitmapFree(again);
}

TEST_F(CanvasTest, PrintFillsItsCellAdvancesAndNewLineReturnsToTheLeft) {
    constexpr Colour kBlue = 0xFF0000;
    const Size size = TextSize("Hi");
    ASSERT_GT(size.width, 0);
    ASSERT_GT(size.height, 0);
    ASSERT_LT(2 * size.width + 3, 40);
    ColourFg(kRed);
    ColourBg(kGreen);
    SetPos(3, 4);
    Print("Hi");
    auto inked = [&](int x, int y, Colour background) {
        return At(x, y) == PixelFromColour(kRed) || At(x, y) == PixelFromColour(background);
    };
    EXPECT_TRUE(inked(3, 4, kGreen));
    EXPECT_TRUE(inked(3 + size.width - 1, 4 + size.height - 1, kGreen));
    EXPECT_EQ(At(2, 4), PixelFromColour(kWhite));
    EXPECT_EQ(At(3, 4 + size.height), PixelFromColour(kWhite));
    ColourBg(kBlue);
    Print("Hi");  // continues where the first one ended
    EXPECT_TRUE(inked(3 + size.width, 4, kBlue));
    EXPECT_EQ(At(3 + 2 * size.width, 4), PixelFromColour(kWhite));

    PrintNewLine();
    LineTo(1, 0, kRed, LineMode::Relative);
    EXPECT_EQ(At(0, 4 + CharSize().height), PixelFromColour(kRed));
}

}  // namespace
}  // namespace dialog
