// A painter with a clip and an origin against a painter on a surface of the
// clip's size: every operation must leave the same pixels inside the clip and
// none outside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "instruments/Geometry.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

// A surface handed out row by row, for Render.
class SurfaceRows final : public bitmap::RowSource {
  public:
    explicit SurfaceRows(const Surface& surface) : surface_(surface) {}
    int width() const override { return surface_.width(); }
    int height() const override { return surface_.height(); }
    std::span<const std::uint8_t> StoredRow(int y) const override {
        return {reinterpret_cast<const std::uint8_t*>(surface_.row(y)),
                static_cast<std::size_t>(surface_.width()) * sizeof(Pixel)};
    }
    void ReadRow(int y, Pixel* out) const override { std::copy_n(surface_.row(y), surface_.width(), out); }

  private:
    const Surface& surface_;
};

Surface Noise(std::mt19937& random, int width, int height) {
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            surface.SetPixel(x, y, random() & 0xFFFFFFu);
        }
    }
    return surface;
}

// Both painters take every call with the same arguments.
struct Pair {
    Painter& clipped;
    Painter& alone;
    template <typename Call>
    void Do(Call&& call) {
        call(clipped);
        call(alone);
    }
};

// Coordinates in halves, reaching past the clip on every side, so that ties of
// the rounding and the clip's edges both come up.
double Coordinate(std::mt19937& random) {
    return static_cast<int>(random() % 140) / 2.0 - 15.0;
}

void RandomOperation(std::mt19937& random, Pair pair, const Surface& picture) {
    const auto c = [&] { return Coordinate(random); };
    const Ink colours[] = {Ink::Default(), Ink::None(), 0x123456, 0xFF00FF, 0x00C000};
    const auto colour = [&] { return colours[random() % std::size(colours)]; };
    switch (random() % 13) {
        case 0: {
            const double x = c(), y = c();
            const Ink line = colour();
            const LineMode mode = random() % 3 == 0 ? LineMode::Relative : LineMode::Absolute;
            pair.Do([&](Painter& p) { p.LineTo(x, y, line, mode); });
            break;
        }
        case 1: {
            const double x1 = c(), y1 = c(), x2 = c(), y2 = c();
            const std::int32_t corners[] = {0, 30, 100, kCornerEllipse};
            const std::int32_t corner = corners[random() % 4];
            const Ink line = colour(), fill = colour();
            const FillStyle style = FillStyleOf(static_cast<int>(random() % 7));
            pair.Do([&](Painter& p) { p.Box(x1, y1, x2, y2, corner, line, fill, style); });
            break;
        }
        case 2: {
            const Rect area{static_cast<int>(random() % 50) - 10, static_cast<int>(random() % 50) - 10,
                            static_cast<int>(random() % 30), static_cast<int>(random() % 30)};
            const BoxStyle style{.corner = static_cast<std::int32_t>(random() % 60),
                                 .line = colour(),
                                 .fill = colour(),
                                 .fillStyle = FillStyleOf(static_cast<int>(random() % 7))};
            pair.Do([&](Painter& p) { p.Box(area, style); });
            break;
        }
        case 3: {
            const double x = c(), y = c();
            const Ink pixel = colour();
            pair.Do([&](Painter& p) { p.SetPixel(x, y, pixel); });
            break;
        }
        case 4: {
            const double x = c(), y = c();
            const std::string text = random() % 2 ? "Ag" : "12:34";
            pair.Do([&](Painter& p) {
                p.SetPos(x, y);
                p.Print(text);
                if (text.size() > 2) {
                    p.PrintNewLine();
                    p.Print("x");
                }
            });
            break;
        }
        case 5: {
            const int width = static_cast<int>(random() % 40), height = static_cast<int>(random() % 40);
            const Surface block = Noise(random, width, height);
            pair.Do([&](Painter& p) { p.SetBits(PixelBlock::FromSurface(block)); });
            break;
        }
        case 6: {
            const RasterOperation operations[] = {RasterOperation::SourceCopy, RasterOperation::SourceInvert,
                                                  RasterOperation::SourceAnd, RasterOperation::Whiteness};
            const RasterOperation operation = operations[random() % 4];
            pair.Do([&](Painter& p) { p.Copy(picture, operation); });
            break;
        }
        case 7: {
            const double sx = c() + 15, sy = c() + 15, dx1 = c(), dy1 = c(), dx2 = c(), dy2 = c();
            const int mix = random() % 2 ? kMixCopy : static_cast<int>(random() % 16);
            pair.Do([&](Painter& p) { p.Stretch(picture, sx / 4, sy / 4, sx, sy, dx1, dy1, dx2, dy2, mix); });
            break;
        }
        case 8: {
            const double x1 = c(), y1 = c(), x2 = c(), y2 = c();
            const SurfaceRows rows(picture);
            pair.Do([&](Painter& p) { p.Render(rows, x1, y1, x2, y2); });
            break;
        }
        case 9: {
            const double width = random() % 8;
            pair.Do([&](Painter& p) { p.Width(width); });
            break;
        }
        case 10: {
            const Ink fg = colour(), bg = colour();
            pair.Do([&](Painter& p) {
                p.ColourFg(fg);
                p.ColourBg(bg);
            });
            break;
        }
        case 11: {
            const double x = c(), y = c();
            pair.Do([&](Painter& p) { p.SetPos(x, y); });
            break;
        }
        default:
            // Reading takes the clip's pixels, and both read the same.
            EXPECT_EQ(pair.clipped.GetBits(), pair.alone.GetBits());
            break;
    }
}

TEST(PainterClip, EveryOperationDrawsInsideTheClipAsOnASurfaceOfItsOwn) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        Surface panel = Noise(random, 64, 48);
        const Surface before = panel;
        const Surface picture = Noise(random, 1 + static_cast<int>(random() % 20), 1 + random() % 20);
        // A clip that may hang over the surface's edges, and an origin near it.
        const Rect clip{static_cast<int>(random() % 80) - 10, static_cast<int>(random() % 60) - 10,
                        static_cast<int>(random() % 50), static_cast<int>(random() % 40)};
        const Point origin{static_cast<int>(random() % 11) - 5, static_cast<int>(random() % 11) - 5};
        const Rect area = clip.Intersect({0, 0, panel.width(), panel.height()});

        Painter clipped(panel);
        clipped.Translate({3, -2});
        clipped.Clip({clip.x - 3, clip.y + 2, clip.width, clip.height});
        clipped.Translate({origin.x - 3, origin.y + 2});
        ASSERT_EQ(clipped.ClipArea(), area);

        Surface own(area.width, area.height);
        own.Blit(0, 0, before, area.x, area.y, area.width, area.height);
        Painter alone(own);
        alone.Translate({origin.x - area.x, origin.y - area.y});
        if (!area.empty()) {
            EXPECT_EQ(clipped.ClientSize(), alone.ClientSize());
        }

        for (int step = 0; step < 12; ++step) {
            RandomOperation(random, {clipped, alone}, picture);
        }
        for (int y = 0; y < panel.height(); ++y) {
            for (int x = 0; x < panel.width(); ++x) {
                const Pixel expected =
                    area.Contains({x, y}) ? own.At(x - area.x, y - area.y) : before.At(x, y);
                ASSERT_EQ(panel.At(x, y), expected) << "round " << round << " at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(PainterClip, CoordinatesAreRoundedBeforeTheOriginMovesThem) {
    Surface surface(10, 3);
    Painter painter(surface);
    painter.Translate({3, 1});
    // 2.5 rounds to 2, then moves to 5; moving first would give round(5.5) = 6.
    painter.SetPixel(2.5, 0.5, 0xFFFFFF);
    EXPECT_EQ(surface.At(5, 1), 0xFFFFFFu);
    EXPECT_EQ(surface.At(6, 1), 0u);
    painter.SetPos(0.5, 0);
    painter.LineTo(3.5, 0, 0x00FF00);  // columns 0 .. 3, moved to 3 .. 6
    EXPECT_EQ(surface.At(3, 1), 0x00FF00u);
    EXPECT_EQ(surface.At(6, 1), 0x00FF00u);
    EXPECT_EQ(surface.At(7, 1), 0u);
}

TEST(PainterClip, ClipNarrowsInCurrentCoordinatesAndSizesTheClient) {
    Surface surface(100, 80);
    Painter painter(surface);
    EXPECT_EQ(painter.ClientSize(), (Size{100, 80}));
    painter.Translate({10, 20});
    painter.Clip({5, 5, 200, 30});
    EXPECT_EQ(painter.ClipArea(), (Rect{15, 25, 85, 30}));
    EXPECT_EQ(painter.ClientSize(), (Size{90, 35}));  // from (10, 20) to the clip's far edges
    painter.Clip({-100, 0, 110, 1000});               // only ever narrows
    EXPECT_EQ(painter.ClipArea(), (Rect{15, 25, 5, 30}));
    painter.Clip({500, 500, 1, 1});
    EXPECT_TRUE(painter.ClipArea().empty());
    EXPECT_EQ(painter.ClientSize(), (Size{}));
    const Surface::Revision revision = surface.revision();
    painter.Box(Rect{-1000, -1000, 5000, 5000}, {});
    EXPECT_EQ(surface.revision(), revision);  // nothing is drawable: nothing is touched
}

TEST(PainterClip, StateSaverPutsClipAndOriginBack) {
    Surface surface(50, 50);
    Painter painter(surface);
    painter.Clip({5, 5, 40, 40});
    painter.Translate({5, 5});
    const DrawingState outer = painter.state();
    {
        PainterStateSaver saver(painter);
        painter.Clip({10, 10, 5, 5});
        painter.Translate({10, 10});
        EXPECT_EQ(painter.ClientSize(), (Size{5, 5}));
    }
    EXPECT_EQ(painter.state(), outer);
    EXPECT_EQ(painter.ClipArea(), (Rect{5, 5, 40, 40}));
    EXPECT_EQ(painter.ClientSize(), (Size{40, 40}));
    painter.SetPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(surface.At(5, 5), 0xFFFFFFu);
}

// A source that is the painter's own surface is read as it was before the call.
TEST(PainterClip, CopyingTheTargetIntoAPartOfItselfReadsItFirst) {
    std::mt19937 random(7);
    for (const RasterOperation operation : {RasterOperation::SourceCopy, RasterOperation::SourceInvert}) {
        Surface surface = Noise(random, 30, 20);
        const Surface before = surface;
        Painter painter(surface);
        painter.Clip({4, 3, 20, 12});
        painter.Translate({4, 3});
        painter.Copy(surface, operation);
        painter.Stretch(surface, 0, 0, 9, 9, 10, 0, 19, 9, 6);  // mix 6: XOR

        Surface expected = before;
        Painter reference(expected);
        reference.Clip({4, 3, 20, 12});
        reference.Translate({4, 3});
        reference.Copy(before, operation);
        const Surface afterCopy = expected;
        reference.Stretch(afterCopy, 0, 0, 9, 9, 10, 0, 19, 9, 6);
        EXPECT_TRUE(surface.SamePixels(expected));
    }
}

TEST(Geometry, IntersectionsAndContainmentNearTheIntLimits) {
    const Rect huge{INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX};
    EXPECT_EQ(huge.Intersect({INT32_MAX - 5, 0, 100, INT32_MAX}),
              (Rect{INT32_MAX - 5, INT32_MAX - 10, 100, 10}));
    EXPECT_TRUE(huge.Contains({INT32_MAX, INT32_MAX}));
    EXPECT_FALSE(huge.Contains({INT32_MAX - 11, INT32_MAX}));
    const Rect wide{INT32_MIN, 0, INT32_MAX, 1};
    EXPECT_FALSE(wide.Contains({-1, 0}));  // the last column is -2
    EXPECT_TRUE(wide.Contains({-2, 0}));
    // Disjoint and empty rectangles share nothing, and all such results are alike.
    EXPECT_TRUE((Rect{0, 0, 5, 5}).Intersect({5, 0, 5, 5}).empty());
    EXPECT_EQ((Rect{0, 0, 5, 5}).Intersect({9, 9, 5, 5}), (Rect{1, 1, 0, 3}).Intersect({0, 0, 9, 9}));
    EXPECT_EQ((Rect{2, 3, 4, 5}).origin(), (Point{2, 3}));
    EXPECT_EQ((Rect{2, 3, 4, 5}).size(), (Size{4, 5}));
}

}  // namespace
}  // namespace instruments
