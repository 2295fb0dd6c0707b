// Geometric pens: cap discs, straight and sloped bodies, joins.

#include <gtest/gtest.h>

#include <climits>

#include "canvas/raster/Line.h"
#include "canvas/raster/RoundRect.h"
#include "tests/canvas/raster/Pictures.h"

namespace instruments::raster {
namespace {

using testing::kBlack;
using testing::kGreen;
using testing::kWhite;
using testing::Picture;

TEST(WideLine, CapDiscsOfWidthsTwoToFive) {
    Surface s(29, 8, kWhite);
    DrawLine(s, 3, 4, 3, 4, Pen{2, kBlack});
    DrawLine(s, 10, 4, 10, 4, Pen{3, kBlack});
    DrawLine(s, 17, 4, 17, 4, Pen{4, kBlack});
    DrawLine(s, 25, 4, 25, 4, Pen{5, kBlack});
    EXPECT_EQ(Picture(s),
              ".............................\n"
              ".............................\n"
              "................##......###..\n"
              "..##......#....####....#####.\n"
              "..##.....###...####....#####.\n"
              "..........#.....##.....#####.\n"
              "........................###..\n"
              ".............................\n");
}

TEST(WideLine, CapDiscIsTheNullPenEllipseOfItsBox) {
    for (int w = 3; w <= 24; ++w) {
        Surface disc(40, 40, kWhite), ellipse(40, 40, kWhite);
        DrawLine(disc, 20, 20, 20, 20, Pen{w, kBlack});
        DrawEllipse(ellipse, 20 - w / 2, 20 - w / 2, 20 - w / 2 + w, 20 - w / 2 + w, Pen::Null(),
                    Brush::Solid(kBlack));
        EXPECT_TRUE(disc.SamePixels(ellipse)) << "width " << w;
    }
}

TEST(WideLine, HorizontalAndVerticalBodies) {
    Surface h(16, 8, kWhite);
    DrawLine(h, 3, 4, 12, 4, Pen{4, kBlack});
    EXPECT_EQ(Picture(h),
              "................\n"
              "................\n"
              "..###########...\n"
              ".#############..\n"
              ".#############..\n"
              "..###########...\n"
              "................\n"
              "................\n");
    Surface v(9, 12, kWhite);
    DrawLine(v, 4, 3, 4, 8, Pen{4, kBlack});
    EXPECT_EQ(Picture(v),
              ".........\n...##....\n..####...\n..####...\n..####...\n..####...\n"
              "..####...\n..####...\n..####...\n...##....\n.........\n.........\n");
}

TEST(WideLine, EitherDirectionPaintsTheSamePixels) {
    const int ends[][4] = {{10, 10, 30, 20}, {3, 27, 25, 2}, {5, 5, 6, 29}, {28, 4, 2, 9}, {4, 4, 20, 20}};
    for (int width = 2; width <= 8; ++width) {
        for (const auto& e : ends) {
            Surface a(34, 34, kWhite), b(34, 34, kWhite);
            DrawLine(a, e[0], e[1], e[2], e[3], Pen{width, kBlack});
            DrawLine(b, e[2], e[3], e[0], e[1], Pen{width, kBlack});
            EXPECT_TRUE(a.SamePixels(b)) << "width " << width << " from " << e[0] << "," << e[1];
        }
    }
}

TEST(WideLine, PolylineJoinsEqualConsecutiveLines) {
    const Point points[] = {{3, 3}, {12, 3}, {12, 10}, {5, 12}};
    Surface chained(16, 16, kWhite), polyline(16, 16, kWhite);
    for (int i = 1; i < 4; ++i) {
        DrawLine(chained, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, Pen{4, kBlack});
    }
    DrawPolyline(polyline, points, Pen{4, kBlack});
    EXPECT_TRUE(chained.SamePixels(polyline));
    EXPECT_EQ(polyline.At(12, 3), kBlack);
}

TEST(WideLine, HugeWidthsAndCoordinatesStayBounded) {
    Surface s(8, 8, kWhite);
    DrawLine(s, 4, 4, 4, 4, Pen{INT_MAX, kGreen});
    // The width is clamped, so the disc is huge but finite: it covers the surface.
    EXPECT_EQ(testing::Painted(s).size(), 64u);
    EXPECT_EQ(s.At(0, 0), kGreen);
    Surface t(8, 8, kWhite);
    DrawLine(t, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Pen{3, kBlack});
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(t.At(i, i), kBlack) << i;
    }
    EXPECT_EQ(t.At(7, 0), kWhite);
}

}  // namespace
}  // namespace instruments::raster
