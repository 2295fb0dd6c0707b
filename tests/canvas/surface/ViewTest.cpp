// Reading a surface leaves its revision alone, and a view writes into the
// surface it shows, row by row at that surface's stride.

#include <gtest/gtest.h>

#include <utility>

#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

TEST(SurfaceRevision, ReadingThroughConstAccessIsNoWrite) {
    Surface surface(8, 4, 0x112233);
    const Surface::Revision before = surface.revision();
    const Surface& reading = surface;
    EXPECT_EQ(reading.row(0)[0], 0x112233u);
    EXPECT_EQ(surface.row(3)[7], 0x112233u);  // the non-const surface reads the same way
    EXPECT_EQ(surface.At(2, 2), 0x112233u);
    EXPECT_TRUE(surface.SamePixels(Surface(surface)));
    const PixelBlock block = PixelBlock::FromSurface(surface);
    EXPECT_EQ(surface.revision(), before);
    surface.mutableRow(1);
    EXPECT_NE(surface.revision(), before);
}

TEST(SurfaceView, WritesLandInTheParentAtItsStrideAndCountThere) {
    Surface parent(10, 6, 0);
    const Surface::Revision before = parent.revision();
    Surface view = parent.View({3, 2, 20, 3});  // clipped to 7 x 3
    ASSERT_EQ(view.width(), 7);
    ASSERT_EQ(view.height(), 3);
    EXPECT_EQ(view.stride(), parent.stride());
    EXPECT_TRUE(view.IsView());
    EXPECT_TRUE(view.SharesPixels(parent));

    view.FillRect(-5, -5, 100, 100, 0xAA);
    EXPECT_NE(parent.revision(), before);
    EXPECT_EQ(view.revision(), parent.revision());
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 3 && y >= 2 && y < 5;
            EXPECT_EQ(parent.At(x, y), inside ? 0xAAu : 0u) << x << ", " << y;
        }
    }
    // A view of a view shows the same buffer; a copy owns its pixels.
    Surface inner = view.View({1, 1, 2, 1});
    inner.SetPixel(0, 0, 0xBB);
    EXPECT_EQ(parent.At(4, 3), 0xBBu);
    const Surface copy = view;
    EXPECT_FALSE(copy.IsView());
    EXPECT_FALSE(copy.SharesPixels(parent));
    EXPECT_EQ(copy.At(1, 1), 0xBBu);
    EXPECT_EQ(PixelBlock::FromSurface(view), PixelBlock::FromSurface(copy));
}

TEST(SurfaceView, BlitWithinOneBufferCopiesThroughScratch) {
    Surface parent(8, 1, 0);
    for (int x = 0; x < 8; ++x) {
        parent.SetPixel(x, 0, static_cast<Pixel>(x + 1));
    }
    Surface right = parent.View({2, 0, 6, 1});
    right.Blit(0, 0, parent, 0, 0, 6, 1);  // overlapping: 1..6 onto columns 2..7
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(parent.At(x, 0), static_cast<Pixel>(x < 2 ? x + 1 : x - 1)) << x;
    }
}

TEST(SurfaceRevision, ChangesWithWritesAndNeverMatchesAnotherSurface) {
    Surface surface(4, 4);
    const Surface::Revision first = surface.revision();
    const Surface& readOnly = surface;
    EXPECT_EQ(readOnly.At(1, 1), 0u);
    EXPECT_EQ(surface.revision(), first);
    surface.SetPixel(1, 1, 5);
    EXPECT_NE(surface.revision(), first);
    const Surface copy = surface;
    EXPECT_NE(copy.revision(), surface.revision());
    const Surface::Revision beforeMove = surface.revision();
    Surface moved = std::move(surface);
    EXPECT_EQ(moved.revision(), beforeMove);
    EXPECT_NE(surface.revision(), beforeMove);  // NOLINT(bugprone-use-after-move): moved-from is empty
    EXPECT_TRUE(surface.empty());
}

}  // namespace
}  // namespace instruments
