// Shapes that reach far beyond a surface are only walked where they can touch
// it. Each case draws the same random shape on a small surface and, shifted,
// in the middle of a surface that holds all of it: the small one must be the
// window of the large one, pixel for pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "canvas/raster/RoundRect.h"
#include "canvas/raster/RoundShape.h"
#include "canvas/raster/WideStroke.h"
#include "tests/canvas/raster/Pictures.h"

namespace instruments::raster {
namespace {

using testing::kBlack;
using testing::kGreen;
using testing::kWhite;

// Hatches are fixed to the surface origin: shifts stay multiples of their period.
constexpr int kHatchPeriod = 8;

// The small surface at (0, 0) and the large one with the small one's origin at (shift, shift).
::testing::AssertionResult IsWindow(const Surface& small, const Surface& large, int shift) {
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            if (small.At(x, y) != large.At(x + shift, y + shift)) {
                return ::testing::AssertionFailure() << "differs at " << x << "," << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

Brush RandomBrush(std::mt19937& random) {
    switch (random() % 4) {
        case 0:
            return Brush::None();
        case 1:
            return Brush::Hatch(static_cast<HatchStyle>(1 + random() % 6), kGreen, HatchBackground::Opaque,
                                kWhite);
        default:
            return Brush::Solid(kGreen);
    }
}

Pen RandomPen(std::mt19937& random) {
    static const int kWidths[] = {1, 1, 2, 3, 4, 5, 8, 13, 40, 120, 700};
    if (random() % 8 == 0) {
        return Pen::Null();
    }
    return Pen{kWidths[random() % std::size(kWidths)], kBlack};
}

TEST(ClippedWalk, RoundShapesFarBeyondTheSurfaceAreWindowsOfTheWholeShape) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 400; ++i) {
        // A box up to 1600 pixels across around a 30 x 22 surface, often with
        // only an edge, a corner or nothing of it on the surface.
        const int size = 3 + static_cast<int>(random() % (i % 4 == 0 ? 1600 : 120));
        const int x1 = static_cast<int>(random() % (size + 60)) - size - 15;
        const int y1 = static_cast<int>(random() % (size + 50)) - size - 14;
        const int x2 = x1 + 3 + static_cast<int>(random() % size);
        const int y2 = y1 + 3 + static_cast<int>(random() % size);
        const int corner = random() % 3 == 0 ? (x2 - x1) : static_cast<int>(random() % (size + 2));
        const bool ellipse = random() % 3 == 0;
        const Pen pen = RandomPen(random);
        const Brush brush = RandomBrush(random);

        // The large surface holds the shape with its pen on every side.
        const int reach = pen.width + 2;
        const int shift = kHatchPeriod * (std::max(0, reach - std::min(x1, y1)) / kHatchPeriod + 1);
        Surface small(30, 22, kWhite);
        Surface large(std::max(30, x2 + reach) + shift, std::max(22, y2 + reach) + shift, kWhite);
        if (ellipse) {
            DrawEllipse(small, x1, y1, x2, y2, pen, brush);
            DrawEllipse(large, x1 + shift, y1 + shift, x2 + shift, y2 + shift, pen, brush);
        } else {
            DrawRoundRect(small, x1, y1, x2, y2, corner, corner, pen, brush);
            DrawRoundRect(large, x1 + shift, y1 + shift, x2 + shift, y2 + shift, corner, corner, pen, brush);
        }
        ASSERT_TRUE(IsWindow(small, large, shift))
            << "case " << i << (ellipse ? " ellipse " : " round rect ") << x1 << "," << y1 << " " << x2 << ","
            << y2 << " corner " << corner << " pen " << pen.width;
    }
}

TEST(ClippedWalk, PenWiderThanTheSurfaceCoversItOrLeavesTheSamePixels) {
    // A disc that spans the whole surface paints all of it at once; one that
    // nearly does goes row by row. Both must agree with the whole stroke.
    std::mt19937 random(7);
    for (int i = 0; i < 120; ++i) {
        const int width = 20 + static_cast<int>(random() % 300);
        const int size = 40 + static_cast<int>(random() % 400);
        const int x1 = -static_cast<int>(random() % (size + 40)) + 10;
        const int y1 = -static_cast<int>(random() % (size + 40)) + 10;
        const int shift = 512;
        Surface small(16 + i % 20, 12 + i % 9, kWhite);
        Surface large(small.width() + 2 * shift, small.height() + 2 * shift, kWhite);
        DrawEllipse(small, x1, y1, x1 + size, y1 + size / 2, Pen{width, kBlack}, Brush::Solid(kGreen));
        DrawEllipse(large, x1 + shift, y1 + shift, x1 + size + shift, y1 + size / 2 + shift,
                    Pen{width, kBlack}, Brush::Solid(kGreen));
        ASSERT_TRUE(IsWindow(small, large, shift))
            << "case " << i << " pen " << width << " at " << x1 << "," << y1;
    }
}

TEST(ClippedWalk, DiscsAfterOneAnotherAlongAPathMatchTheUnclippedStroke) {
    // A random path of one-pixel steps, as a traced curve is stroked: the first
    // disc whole, then each disc's part outside the one before and each step's
    // body, some on the surface and some far off it.
    std::mt19937 random(99);
    for (int i = 0; i < 60; ++i) {
        const int width = 2 + static_cast<int>(random() % 60);
        const int shift = 256;
        Surface small(25, 19, kWhite);
        Surface large(25 + 2 * shift, 19 + 2 * shift, kWhite);
        WideStroke onSmall(small, width, kBlack);
        WideStroke onLarge(large, width, kBlack);
        std::int64_t x = static_cast<int>(random() % 160) - 70;
        std::int64_t y = static_cast<int>(random() % 160) - 70;
        onSmall.Disc(x, y);
        onLarge.Disc(x + shift, y + shift);
        for (int step = 0; step < 300; ++step) {
            const std::int64_t nx =
                std::clamp<std::int64_t>(x + static_cast<int>(random() % 3) - 1, -150, 170);
            const std::int64_t ny =
                std::clamp<std::int64_t>(y + static_cast<int>(random() % 3) - 1, -150, 170);
            onSmall.DiscAfter(nx, ny, x, y);
            onSmall.UnitStep(x, y, nx, ny);
            onLarge.DiscAfter(nx + shift, ny + shift, x + shift, y + shift);
            onLarge.UnitStep(x + shift, y + shift, nx + shift, ny + shift);
            x = nx;
            y = ny;
        }
        ASSERT_TRUE(IsWindow(small, large, shift)) << "case " << i << " pen " << width;
    }
}

TEST(ClippedWalk, RowsOfAShapeWithinALimitAreThoseOfTheWholeWalk) {
    // The walk stops after the last row asked for; the rows it gives must be
    // exactly the rows of the full walk that lie within the limit.
    struct Seen {
        std::int64_t y, left, innerLeft, innerRight, right;
        bool operator==(const Seen&) const = default;
    };
    std::mt19937 random(3);
    for (int i = 0; i < 300; ++i) {
        const std::int64_t w = 3 + random() % 200, h = 3 + random() % 200;
        const std::int64_t ew = 3 + random() % (w - 2), eh = 3 + random() % (h - 2);
        const RoundShape shape(0, 0, w, h, ew, eh);
        const std::int64_t begin = static_cast<int>(random() % (h + 20)) - 10;
        const RowRange limit{begin, begin + static_cast<int>(random() % 40)};
        std::vector<Seen> whole, limited;
        shape.ForEachRow({-1000, 1000}, [&](const RoundShape::Row& row) {
            if (row.y >= limit.begin && row.y < limit.end) {
                whole.push_back({row.y, row.left, row.innerLeft, row.innerRight, row.right});
            }
        });
        shape.ForEachRow(limit, [&](const RoundShape::Row& row) {
            limited.push_back({row.y, row.left, row.innerLeft, row.innerRight, row.right});
        });
        ASSERT_TRUE(whole == limited)
            << w << "x" << h << " corner " << ew << "x" << eh << " rows " << limit.begin << ".." << limit.end;
    }
}

}  // namespace
}  // namespace instruments::raster
