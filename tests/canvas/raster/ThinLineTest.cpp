// One-pixel lines: which pixels, rounding ties, direction, end points, clipping.

#include <gtest/gtest.h>

#include <climits>

#include "canvas/raster/Line.h"
#include "tests/canvas/raster/Pictures.h"

namespace instruments::raster {
namespace {

using testing::kBlack;
using testing::kWhite;
using testing::Picture;

std::string Line(int w, int h, int x1, int y1, int x2, int y2, int penWidth = 1) {
    Surface s(w, h, kWhite);
    DrawLine(s, x1, y1, x2, y2, Pen{penWidth, kBlack});
    return Picture(s);
}

TEST(ThinLine, StartsAtStartPointAndLeavesOutEndPoint) {
    EXPECT_EQ(Line(7, 4, 0, 0, 5, 2),
              "##.....\n"
              "..##...\n"
              "....#..\n"
              ".......\n");
    // Reversed: the same candidate pixels, with the other end left out.
    EXPECT_EQ(Line(7, 4, 5, 2, 0, 0),
              ".#.....\n"
              "..##...\n"
              "....##.\n"
              ".......\n");
}

TEST(ThinLine, HalfwayTiesGoToTheSmallerCoordinate) {
    EXPECT_EQ(Line(6, 4, 0, 0, 4, 2), "##....\n..##..\n......\n......\n");
    EXPECT_EQ(Line(6, 4, 4, 2, 0, 0), ".#....\n..##..\n....#.\n......\n");
    EXPECT_EQ(Line(6, 4, 0, 2, 4, 0), "...#..\n.##...\n#.....\n......\n");
    // y-major: ties go left.
    EXPECT_EQ(Line(4, 6, 0, 0, 2, 4), "#...\n#...\n.#..\n.#..\n....\n....\n");
}

TEST(ThinLine, HorizontalVerticalAndDiagonal) {
    EXPECT_EQ(Line(7, 2, 1, 0, 5, 0), ".####..\n.......\n");
    EXPECT_EQ(Line(7, 2, 5, 1, 1, 1), ".......\n..####.\n");
    EXPECT_EQ(Line(2, 5, 0, 4, 0, 0), "..\n#.\n#.\n#.\n#.\n");
    EXPECT_EQ(Line(4, 4, 0, 0, 4, 4), "#...\n.#..\n..#.\n...#\n");
}

TEST(ThinLine, ZeroLengthPaintsNothingAndLengthOnePaintsTheStart) {
    EXPECT_EQ(Line(3, 3, 1, 1, 1, 1), "...\n...\n...\n");
    EXPECT_EQ(Line(3, 3, 1, 1, 2, 1), "...\n.#.\n...\n");
    EXPECT_EQ(Line(1, 1, 0, 0, 1, 1), "#\n");
}

TEST(ThinLine, PenWidthZeroIsOnePixelWide) {
    EXPECT_EQ(Line(7, 4, 0, 0, 5, 2, 0), Line(7, 4, 0, 0, 5, 2, 1));
}

TEST(ThinLine, NullPenDrawsNothing) {
    Surface s(4, 4, kWhite);
    DrawLine(s, 0, 0, 4, 4, Pen::Null());
    EXPECT_EQ(Picture(s), "....\n....\n....\n....\n");
}

TEST(ThinLine, DirectionOnlyChangesWhichEndIsLeftOut) {
    // Every slope within a 9 x 9 square: A->B plus B equals B->A plus A.
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            Surface forward(9, 9, kWhite), backward(9, 9, kWhite);
            DrawLine(forward, 4, 4, x, y, Pen{1, kBlack});
            DrawLine(backward, x, y, 4, 4, Pen{1, kBlack});
            if (x != 4 || y != 4) {
                forward.SetPixel(x, y, kBlack);
                backward.SetPixel(4, 4, kBlack);
            }
            EXPECT_TRUE(forward.SamePixels(backward)) << "line to " << x << "," << y;
        }
    }
}

TEST(ThinLine, ClippingKeepsTheVisiblePixelsOfTheWholeLine) {
    // (-3,-1)->(8,3) on 6 x 3 is the window (3,1)..(8,3) of the same line on a larger surface.
    Surface small(6, 3, kWhite), large(12, 5, kWhite);
    DrawLine(small, -3, -1, 8, 3, Pen{1, kBlack});
    DrawLine(large, 0, 0, 11, 4, Pen{1, kBlack});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(small.At(x, y), large.At(x + 3, y + 1)) << x << "," << y;
        }
    }
}

TEST(ThinLine, ExtremeCoordinatesAreExactAndCheap) {
    // Lines across the whole int range walk only the visible steps.
    Surface s(5, 5, kWhite);
    DrawLine(s, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Pen{1, kBlack});
    EXPECT_EQ(Picture(s), "#....\n.#...\n..#..\n...#.\n....#\n");
    Surface row(4, 3, kWhite);
    DrawLine(row, INT_MAX, 1, INT_MIN, 1, Pen{1, kBlack});
    EXPECT_EQ(Picture(row), "....\n####\n....\n");
    Surface column(3, 4, kWhite);
    DrawLine(column, 2, INT_MIN, 2, INT_MAX, Pen{1, kBlack});
    EXPECT_EQ(Picture(column), "..#\n..#\n..#\n..#\n");
    // A shallow line far away misses the surface entirely.
    Surface miss(4, 4, kWhite);
    DrawLine(miss, INT_MIN, 100, INT_MAX, 200, Pen{1, kBlack});
    EXPECT_EQ(Picture(miss), "....\n....\n....\n....\n");
}

TEST(ThinLine, EmptySurfaceIsANoOp) {
    Surface empty;
    DrawLine(empty, 0, 0, 10, 10, Pen{1, kBlack});
    DrawLine(empty, 0, 0, 10, 10, Pen{4, kBlack});
    EXPECT_TRUE(empty.empty());
}

TEST(Polyline, ChainLeavesOutOnlyTheLastVertex) {
    const Point open[] = {{0, 0}, {4, 0}, {4, 3}};
    Surface s(6, 5, kWhite);
    DrawPolyline(s, open, Pen{1, kBlack});
    EXPECT_EQ(Picture(s), "#####.\n....#.\n....#.\n......\n......\n");
    const Point closed[] = {{0, 0}, {3, 0}, {3, 2}, {0, 2}, {0, 0}};
    Surface t(5, 4, kWhite);
    DrawPolyline(t, closed, Pen{1, kBlack});
    EXPECT_EQ(Picture(t), "####.\n#..#.\n####.\n.....\n");
    const Point single[] = {{1, 1}};
    Surface u(3, 3, kWhite);
    DrawPolyline(u, single, Pen{4, kBlack});
    EXPECT_EQ(Picture(u), "...\n...\n...\n");
}

}  // namespace
}  // namespace instruments::raster
