// The polygon sampling rule: left and top edges in, right and bottom edges out.

#include <gtest/gtest.h>

#include <climits>

#include "canvas/raster/Line.h"
#include "canvas/raster/Polygon.h"
#include "tests/canvas/raster/Pictures.h"

namespace instruments::raster {
namespace {

using testing::kBlack;
using testing::kGreen;
using testing::kWhite;
using testing::Picture;

std::string Fill(int w, int h, std::initializer_list<Point> points) {
    Surface s(w, h, kWhite);
    FillPolygon(s, std::span<const Point>(points.begin(), points.size()), Brush::Solid(kGreen));
    return Picture(s);
}

TEST(Polygon, AxisAlignedRectangleExcludesRightAndBottomEdges) {
    EXPECT_EQ(Fill(6, 5, {{0, 0}, {4, 0}, {4, 3}, {0, 3}}), "oooo..\noooo..\noooo..\n......\n......\n");
    // Same region whatever the winding.
    EXPECT_EQ(Fill(6, 5, {{0, 3}, {4, 3}, {4, 0}, {0, 0}}), Fill(6, 5, {{0, 0}, {4, 0}, {4, 3}, {0, 3}}));
}

TEST(Polygon, SlopedEdgesTakeTheFirstPixelAtOrRightOfTheCrossing) {
    // Row y spans ceil(x_left) .. ceil(x_right) - 1.
    // The hypotenuse crosses rows 1, 2, 3 at x = 1.5, 3 and 4.5; row 0 is a single point (empty).
    EXPECT_EQ(Fill(8, 5, {{0, 0}, {6, 4}, {0, 4}}), "........\noo......\nooo.....\nooooo...\n........\n");
}

TEST(Polygon, EvenOddLeavesTheOverlapOfASelfCrossingOutlineEmpty) {
    // Two overlapping squares traced as one outline: the doubly covered square is outside.
    EXPECT_EQ(Fill(8, 8, {{0, 0}, {4, 0}, {4, 4}, {2, 4}, {2, 2}, {6, 2}, {6, 6}, {0, 6}}),
              "oooo....\n"
              "oooo....\n"
              "oo..oo..\n"
              "oo..oo..\n"
              "oooooo..\n"
              "oooooo..\n"
              "........\n"
              "........\n");
}

TEST(Polygon, DegenerateInputFillsNothing) {
    EXPECT_EQ(Fill(3, 3, {}), "...\n...\n...\n");
    EXPECT_EQ(Fill(3, 3, {{0, 0}, {2, 2}}), "...\n...\n...\n");
    EXPECT_EQ(Fill(3, 3, {{0, 0}, {3, 0}, {3, 0}}), "...\n...\n...\n");
    Surface s(3, 3, kWhite);
    const Point points[] = {{0, 0}, {3, 0}, {3, 3}};
    FillPolygon(s, points, Brush::None());
    EXPECT_EQ(Picture(s), "...\n...\n...\n");
}

TEST(Polygon, ExtremeCoordinatesCoverTheSurfaceWithoutOverflow) {
    EXPECT_EQ(Fill(3, 2, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}}),
              "ooo\nooo\n");
}

TEST(Polygon, OutlineIsDrawnOverTheFill) {
    const Point square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    Surface s(7, 6, kWhite);
    DrawPolygon(s, square, Pen{1, kBlack}, Brush::Solid(kGreen));
    EXPECT_EQ(Picture(s), ".......\n.#####.\n.#ooo#.\n.#ooo#.\n.#####.\n.......\n");
}

}  // namespace
}  // namespace instruments::raster
