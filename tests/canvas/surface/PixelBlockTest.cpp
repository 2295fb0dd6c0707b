#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "canvas/surface/Rounding.h"
#include "instruments/PixelBlock.h"

namespace instruments {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(1e300), INT32_MAX);
    EXPECT_EQ(RoundHalfEven(-1e300), INT32_MIN);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(PixelBlock, HoldsHeaderAndPixelsInBlueGreenRedOrder) {
    Surface surface(3, 2, 0);
    surface.SetPixel(0, 0, PixelFromColour(0x00332211));  // red 0x11, green 0x22, blue 0x33
    const PixelBlock block = PixelBlock::FromSurface(surface);
    ASSERT_EQ(block.size(), 8u + 4u * 3u * 2u);
    EXPECT_EQ(block.width(), 3);
    EXPECT_EQ(block.height(), 2);
    const std::uint8_t* bytes = block.data();
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[4], 2);
    EXPECT_EQ(bytes[8], 0x33);
    EXPECT_EQ(bytes[9], 0x22);
    EXPECT_EQ(bytes[10], 0x11);
    EXPECT_EQ(bytes[11], 0);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.pixels()) % 64, 0u);
}

TEST(PixelBlock, RoundTripLeavesTheSurfaceUnchanged) {
    Surface surface(17, 5, 0);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 17; ++x) {
            surface.SetPixel(x, y, static_cast<Pixel>((x * 37 + y * 101) & 0xFFFFFF));
        }
    }
    const Surface original = surface;
    surface.Fill(0);
    WritePixelBlock(surface, PixelBlock::FromSurface(original));
    EXPECT_TRUE(surface.SamePixels(original));
}

TEST(PixelBlock, InvalidLengthsAreRefusedAndOtherSizesAreClipped) {
    Surface surface(4, 4, 0xABCDEF);
    const Surface untouched = surface;

    // Length that does not match its own header, negative size, short header.
    std::vector<std::uint8_t> wrong = {2, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3};
    WritePixelBlock(surface, PixelBlock::FromBytes(wrong));
    std::vector<std::uint8_t> negative = {0xff, 0xff, 0xff, 0xff, 1, 0, 0, 0};
    WritePixelBlock(surface, PixelBlock::FromBytes(negative));
    WritePixelBlock(surface, PixelBlock::FromBytes(std::vector<std::uint8_t>{1, 0, 0}));
    EXPECT_TRUE(surface.SamePixels(untouched));

    // A 6 x 1 block lands clipped at the top-left corner.
    Surface wide(6, 1, 0x112233);
    WritePixelBlock(surface, PixelBlock::FromSurface(wide));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(surface.At(x, 0), 0x112233u);
        EXPECT_EQ(surface.At(x, 1), 0xABCDEFu);
    }
}

TEST(PixelBlock, AnEmptySurfaceGivesAHeaderOnly) {
    for (const Surface& empty : {Surface(), Surface(0, 5), Surface(5, 0)}) {
        const PixelBlock block = PixelBlock::FromSurface(empty);
        EXPECT_TRUE(block.Valid());
        EXPECT_EQ(block.size(), 8u);
        EXPECT_EQ(block.width(), 0);
        EXPECT_EQ(block.height(), 0);
        Surface target(2, 2, 0x123456);
        WritePixelBlock(target, block);
        EXPECT_EQ(target.At(1, 1), 0x123456u);
    }
}

TEST(Surface, WritesOutsideAreClippedAndOverlappingBlitsCopyFirst) {
    Surface surface(4, 3, 0);
    surface.FillSpan(1, -5, 2, 7);
    surface.FillSpan(-1, 0, 4, 9);
    surface.FillSpan(3, 0, 4, 9);
    surface.FillRect(3, 2, 100, 100, 5);
    surface.SetPixel(4, 0, 9);
    EXPECT_EQ(surface.At(0, 1), 7u);
    EXPECT_EQ(surface.At(1, 1), 7u);
    EXPECT_EQ(surface.At(2, 1), 0u);
    EXPECT_EQ(surface.At(3, 2), 5u);
    EXPECT_EQ(surface.At(3, 0), 0u);

    Surface strip(5, 1, 0);
    for (int x = 0; x < 5; ++x) {
        strip.SetPixel(x, 0, static_cast<Pixel>(x + 1));
    }
    strip.Blit(1, 0, strip, 0, 0, 5, 1);
    EXPECT_EQ(strip.At(0, 0), 1u);
    EXPECT_EQ(strip.At(1, 0), 1u);
    EXPECT_EQ(strip.At(4, 0), 4u);
}

TEST(Surface, OversizedRequestsGiveAnEmptySurface) {
    Surface huge(100000, 100000);
    EXPECT_TRUE(huge.empty());
    Surface negative(-1, 5);
    EXPECT_TRUE(negative.empty());
}

}  // namespace
}  // namespace instruments
