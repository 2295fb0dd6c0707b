// Rectangles, rounded rectangles and ellipses: coverage, corners, fills, pens.

#include <gtest/gtest.h>

#include <climits>

#include "canvas/raster/Line.h"
#include "canvas/raster/RoundRect.h"
#include "canvas/raster/RoundShape.h"
#include "canvas/raster/WideStroke.h"
#include "tests/canvas/raster/Pictures.h"

namespace instruments::raster {
namespace {

using testing::kBlack;
using testing::kBlue;
using testing::kGreen;
using testing::kWhite;
using testing::Picture;

const Pen kThin{1, kBlack};
const Brush kGreenFill = Brush::Solid(kGreen);

std::string Box(int w, int h, int x1, int y1, int x2, int y2, int ew, int eh, const Pen& pen = kThin,
                const Brush& brush = kGreenFill) {
    Surface s(w, h, kWhite);
    DrawRoundRect(s, x1, y1, x2, y2, ew, eh, pen, brush);
    return Picture(s);
}

std::string Blank(int w, int h) {
    std::string text;
    for (int y = 0; y < h; ++y) {
        text += std::string(static_cast<std::size_t>(w), '.') + "\n";
    }
    return text;
}

// Replaces one colour by another (to compare shapes painted in different colours).
void Recolour(Surface& s, Pixel from, Pixel to) {
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.At(x, y) == from) {
                s.SetPixel(x, y, to);
            }
        }
    }
}

TEST(Rectangle, OutlineAndFillStopBeforeRightAndBottom) {
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, 0, 0),
              "######..\n"
              "#oooo#..\n"
              "#oooo#..\n"
              "#oooo#..\n"
              "######..\n"
              "........\n"
              "........\n");
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, 0, 0, kThin, Brush::None()),
              "######..\n#....#..\n#....#..\n#....#..\n######..\n........\n........\n");
}

TEST(Rectangle, CornersOfTwoOrLessGiveSquareCorners) {
    const std::string square = Box(8, 7, 0, 0, 6, 5, 0, 0);
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, 2, 2), square);
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, 9, 2), square);
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, 1, 40), square);
    EXPECT_EQ(Box(8, 7, 0, 0, 6, 5, -2, -9), square);
}

TEST(Rectangle, EmptyThinAndSinglePixelBoxes) {
    EXPECT_EQ(Box(4, 6, 1, 1, 1, 5, 0, 0), Blank(4, 6));
    EXPECT_EQ(Box(4, 4, 1, 1, 2, 2, 0, 0), Blank(4, 4));
    EXPECT_EQ(Box(4, 4, 1, 1, 2, 2, 5, 5), Blank(4, 4));
    EXPECT_EQ(Box(4, 6, 1, 1, 2, 5, 0, 0), "....\n.#..\n.#..\n.#..\n.#..\n....\n");
    EXPECT_EQ(Box(7, 3, 1, 1, 6, 2, 0, 0), ".......\n.#####.\n.......\n");
    EXPECT_EQ(Box(4, 4, 1, 1, 3, 3, 0, 0), "....\n.##.\n.##.\n....\n");
}

TEST(Rectangle, NullPenFillStopsOnePixelShort) {
    EXPECT_EQ(Box(9, 8, 1, 1, 7, 6, 0, 0, Pen::Null()),
              ".........\n.ooooo...\n.ooooo...\n.ooooo...\n.ooooo...\n.........\n.........\n.........\n");
    EXPECT_EQ(Box(4, 4, 0, 0, 4, 4, 0, 0, Pen::Null(), Brush::None()), Blank(4, 4));
}

TEST(Rectangle, WidePenStrokesThePathThroughTheCornerPixels) {
    EXPECT_EQ(Box(15, 13, 2, 2, 12, 10, 0, 0, Pen{4, kBlack}),
              ".###########...\n"
              "#############..\n"
              "#############..\n"
              "#############..\n"
              "####ooooo####..\n"
              "####ooooo####..\n"
              "####ooooo####..\n"
              "#############..\n"
              "#############..\n"
              "#############..\n"
              ".###########...\n"
              "...............\n"
              "...............\n");
    // A 1 x 1 box is one cap disc.
    EXPECT_EQ(Box(6, 6, 1, 1, 2, 2, 0, 0, Pen{4, kBlack}),
              "###...\n###...\n##....\n......\n......\n......\n");
}

TEST(RoundRect, CornerThreeCutsOnePixelPerCorner) {
    EXPECT_EQ(Box(7, 6, 0, 0, 6, 5, 3, 3), ".####..\n#oooo#.\n#oooo#.\n#oooo#.\n.####..\n.......\n");
}

TEST(RoundRect, LargerCorner) {
    EXPECT_EQ(Box(13, 10, 0, 0, 12, 9, 6, 6),
              "..########...\n"
              ".#oooooooo#..\n"
              "#oooooooooo#.\n"
              "#oooooooooo#.\n"
              "#oooooooooo#.\n"
              "#oooooooooo#.\n"
              "#oooooooooo#.\n"
              ".#oooooooo#..\n"
              "..########...\n"
              ".............\n");
}

TEST(RoundRect, CornersInAnyOrderDrawTheSameShape) {
    const std::string normal = Box(14, 9, 2, 1, 10, 7, 4, 4);
    EXPECT_EQ(Box(14, 9, 10, 1, 2, 7, 4, 4), normal);
    EXPECT_EQ(Box(14, 9, 2, 7, 10, 1, 4, 4), normal);
    EXPECT_EQ(Box(14, 9, 10, 7, 2, 1, 4, 4), normal);
    EXPECT_EQ(Box(14, 9, 2, 1, 10, 7, -4, -4), normal);
}

TEST(RoundRect, CornerIsClampedToTheBox) {
    // A corner of the full box (or more) is the ellipse; 100% of min(w, h) on a wide box is a pill.
    Surface clamped(20, 8, kWhite), ellipse(20, 8, kWhite);
    DrawRoundRect(clamped, 1, 1, 9, 7, 50, 50, kThin, kGreenFill);
    DrawEllipse(ellipse, 1, 1, 9, 7, kThin, kGreenFill);
    EXPECT_TRUE(clamped.SamePixels(ellipse));
    EXPECT_EQ(Box(16, 8, 1, 1, 15, 7, 6, 6),
              "................\n"
              "...##########...\n"
              "..#oooooooooo#..\n"
              ".#oooooooooooo#.\n"
              ".#oooooooooooo#.\n"
              "..#oooooooooo#..\n"
              "...##########...\n"
              "................\n");
}

TEST(RoundRect, NullPenFillsTheWholeRoundedShape) {
    EXPECT_EQ(Box(9, 7, 1, 1, 7, 6, 4, 4, Pen::Null()),
              ".........\n..oooo...\n.oooooo..\n.oooooo..\n.oooooo..\n..oooo...\n.........\n");
    // It covers exactly the outline and fill of the one-pixel version.
    for (int w = 3; w <= 30; w += 3) {
        for (int h = 3; h <= 30; h += 4) {
            Surface nullPen(34, 34, kWhite), thin(34, 34, kWhite);
            DrawRoundRect(nullPen, 1, 1, 1 + w, 1 + h, 7, 5, Pen::Null(), kGreenFill);
            DrawRoundRect(thin, 1, 1, 1 + w, 1 + h, 7, 5, Pen{1, kGreen}, Brush::Solid(kBlue));
            Recolour(thin, kBlue, kGreen);
            EXPECT_TRUE(nullPen.SamePixels(thin)) << w << "x" << h;
        }
    }
}

TEST(RoundRect, OneColourFastPathMatchesSeparateOutlineAndFill) {
    const int corners[][2] = {{0, 0}, {2, 40}, {-2, -1}, {40, 1}, {3, 3}, {6, 6}, {40, 40}};
    for (const auto& [ew, eh] : corners) {
        for (int w = 1; w <= 12; ++w) {
            for (int h = 1; h <= 9; ++h) {
                // Reversed corners too: the one-colour path normalises on its own.
                Surface same(16, 12, kWhite), separate(16, 12, kWhite);
                DrawRoundRect(same, 2 + w, 1 + h, 2, 1, ew, eh, kThin, Brush::Solid(kBlack));
                DrawRoundRect(separate, 2, 1, 2 + w, 1 + h, ew, eh, kThin, kGreenFill);
                Recolour(separate, kGreen, kBlack);
                EXPECT_TRUE(same.SamePixels(separate)) << w << "x" << h << " corner " << ew << "," << eh;
            }
        }
    }
}

TEST(RoundRect, OutlineIsSymmetric) {
    for (int w = 3; w <= 25; w += 2) {
        for (int h = 3; h <= 25; h += 3) {
            for (int corner : {3, 4, 7, 100}) {
                Surface s(w, h, kWhite);
                DrawRoundRect(s, 0, 0, w, h, corner, corner, kThin, kGreenFill);
                EXPECT_TRUE(s.SamePixels(testing::Rotated180(s))) << w << "x" << h << " corner " << corner;
            }
        }
    }
}

TEST(RoundRect, HatchFillStaysInsideTheOutline) {
    Surface s(12, 12, kWhite);
    const Brush hatch = Brush::Hatch(HatchStyle::Horizontal, kBlue, HatchBackground::Transparent, 0);
    DrawRoundRect(s, 0, 0, 12, 12, 0, 0, kThin, hatch);
    // The horizontal hatch is the row y % 8 == 4, anchored at the surface origin.
    EXPECT_EQ(Picture(s),
              "############\n"
              "#..........#\n"
              "#..........#\n"
              "#..........#\n"
              "#bbbbbbbbbb#\n"
              "#..........#\n"
              "#..........#\n"
              "#..........#\n"
              "#..........#\n"
              "#..........#\n"
              "#..........#\n"
              "############\n");
}

TEST(Ellipse, DiscsOfRadiusZeroToFive) {
    Surface s(61, 14, kWhite);
    DrawEllipse(s, 4, 7, 4, 7, kThin, kGreenFill);
    DrawEllipse(s, 9, 6, 11, 8, kThin, kGreenFill);
    DrawEllipse(s, 16, 5, 20, 9, kThin, kGreenFill);
    DrawEllipse(s, 25, 4, 31, 10, kThin, kGreenFill);
    DrawEllipse(s, 36, 3, 44, 11, kThin, kGreenFill);
    DrawEllipse(s, 49, 2, 59, 12, kThin, kGreenFill);
    EXPECT_EQ(Picture(s),
              ".............................................................\n"
              ".............................................................\n"
              "....................................................####.....\n"
              "......................................####.........#oooo#....\n"
              "...........................##........#oooo#.......#oooooo#...\n"
              ".................##.......#oo#......#oooooo#.....#oooooooo#..\n"
              ".........##.....#oo#.....#oooo#.....#oooooo#.....#oooooooo#..\n"
              ".........##.....#oo#.....#oooo#.....#oooooo#.....#oooooooo#..\n"
              ".................##.......#oo#......#oooooo#.....#oooooooo#..\n"
              "...........................##........#oooo#.......#oooooo#...\n"
              "......................................####.........#oooo#....\n"
              "....................................................####.....\n"
              ".............................................................\n"
              ".............................................................\n");
}

TEST(Ellipse, OddSizesAreCentredOnAPixel) {
    EXPECT_EQ(Box(5, 5, 1, 1, 4, 4, 3, 3), ".....\n..#..\n.#o#.\n..#..\n.....\n");
    Surface s(9, 7, kWhite);
    DrawEllipse(s, 1, 1, 8, 6, kThin, kGreenFill);
    EXPECT_TRUE(s.SamePixels(testing::Rotated180(s)));
}

TEST(Shapes, ClippedShapesAreWindowsOfTheWholeShape) {
    const Pen pens[] = {kThin, Pen::Null(), Pen{4, kBlack}, Pen{3, kBlack}};
    const int boxes[][6] = {{-6, -5, 8, 7, 6, 6},
                            {14, -3, 26, 9, 100, 100},
                            {-4, 10, 6, 22, 0, 0},
                            {12, 9, 25, 20, 5, 8},
                            {-30, -30, 50, 46, 20, 20}};
    for (const Pen& pen : pens) {
        for (const auto& b : boxes) {
            Surface small(20, 16, kWhite), large(100, 100, kWhite);
            DrawRoundRect(small, b[0], b[1], b[2], b[3], b[4], b[5], pen, kGreenFill);
            DrawRoundRect(large, b[0] + 40, b[1] + 40, b[2] + 40, b[3] + 40, b[4], b[5], pen, kGreenFill);
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 20; ++x) {
                    ASSERT_EQ(small.At(x, y), large.At(x + 40, y + 40))
                        << "box " << b[0] << "," << b[1] << " pen " << pen.width << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Shapes, ExtremeBoxesAreBoundedAndExact) {
    // The outline lies off the surface, so only fill shows.
    EXPECT_EQ(Box(4, 3, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0), "oooo\noooo\noooo\n");
    EXPECT_EQ(Box(4, 3, INT_MAX, INT_MAX, INT_MIN, INT_MIN, 0, 0, Pen{5, kBlack}), "oooo\noooo\noooo\n");
    // Corner ellipses beyond the supported size draw nothing rather than loop for ages.
    EXPECT_EQ(Box(4, 3, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX), Blank(4, 3));
    Surface s(4, 3, kWhite);
    DrawEllipse(s, -1000000, -1000, 1000000, 1000, kThin, kGreenFill);
    EXPECT_EQ(Picture(s), Blank(4, 3));
    // Within the supported size a large ellipse is drawn: here the surface sits inside it.
    Surface inside(4, 3, kWhite);
    DrawEllipse(inside, -100000, -1000, 100000, 1000, kThin, kGreenFill);
    EXPECT_EQ(Picture(inside), "oooo\noooo\noooo\n");
    Surface empty;
    DrawRoundRect(empty, 0, 0, 5, 5, 3, 3, kThin, kGreenFill);
    EXPECT_TRUE(empty.empty());
}

TEST(Shapes, WideCurvedOutlineIsEveryDiscAndBodyOfThePath) {
    // The stroke paints only what each disc and step adds to the path so far;
    // it must equal painting every disc and every segment body whole.
    for (int width : {2, 3, 4, 5, 8, 13, 40}) {
        for (int w = 3; w <= 33; w += 5) {
            for (int h = 3; h <= 30; h += 3) {
                for (int corner : {3, 6, 100}) {
                    const int ew = std::min(w, corner), eh = std::min(h, corner);
                    Surface drawn(w + 50, h + 50, kWhite), reference(w + 50, h + 50, kWhite);
                    DrawRoundRect(drawn, 25, 25, 25 + w, 25 + h, ew, eh, Pen{width, kBlack}, Brush::None());
                    const RoundShape shape(25, 25, 25 + w, 25 + h, ew, eh);
                    WideStroke stroke(reference, width, kBlack);
                    std::int64_t last[4][2] = {};
                    bool started[4] = {};
                    shape.ForEachVertex([&](int chain, std::int64_t x, std::int64_t y) {
                        stroke.Disc(x, y);
                        if (started[chain]) {
                            stroke.Body(last[chain][0], last[chain][1], x, y);
                        }
                        last[chain][0] = x;
                        last[chain][1] = y;
                        started[chain] = true;
                    });
                    shape.ForEachStraightEdge([&](std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                                  std::int64_t y2) { stroke.Body(x1, y1, x2, y2); });
                    ASSERT_TRUE(drawn.SamePixels(reference))
                        << "pen " << width << ", " << w << "x" << h << " corner " << corner;
                }
            }
        }
    }
}

TEST(Shapes, WideCurvedOutlineCoversTheThinOutlineAndKeepsItsFill) {
    for (int width : {2, 3, 4, 6}) {
        Surface wide(40, 40, kWhite), thin(40, 40, kWhite);
        DrawRoundRect(wide, 8, 8, 32, 30, 12, 12, Pen{width, kBlack}, kGreenFill);
        DrawRoundRect(thin, 8, 8, 32, 30, 12, 12, Pen{1, kBlack}, Brush::None());
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (thin.At(x, y) == kBlack) {
                    EXPECT_EQ(wide.At(x, y), kBlack) << "width " << width << " at " << x << "," << y;
                }
                // Nothing beyond half the pen width outside the box.
                if (x < 8 - width / 2 - 1 || x > 31 + width / 2 + 1 || y < 8 - width / 2 - 1 ||
                    y > 29 + width / 2 + 1) {
                    EXPECT_EQ(wide.At(x, y), kWhite) << "width " << width << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(wide.At(20, 19), kGreen) << "width " << width;
    }
}

}  // namespace
}  // namespace instruments::raster
