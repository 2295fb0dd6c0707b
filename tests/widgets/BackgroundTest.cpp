// The backgrounds inside a frame: the box stack, written once per pixel, gives
// the pixels of painting every box in turn; the mirrored rows cover every row
// of the inside; creation and repaint share one box-stack depth.

#include "instruments/Background.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "canvas/surface/Rounding.h"
#include "instruments/Face.h"
#include "instruments/Frame.h"
#include "instruments/Switch.h"

namespace instruments {
namespace {

// Every box of the stack painted in full with the painter's pen, in double
// coordinates so that no inset overflows: what the stack must look like.
void ReferenceBoxStack(Painter& p, int inset, const ShadedColour& spec, int depth) {
    const Size size = p.ClientSize();
    for (int i = 0; i <= depth; ++i) {
        const double along = 600.0 * i / size.height;
        const int v = std::min(RoundHalfEven(along), 255);
        const Colour colour = spec.IsNone() ? Rgb(v, v + 45, v) : spec.At(RoundHalfEven(205.0 - along));
        const double corner = static_cast<double>(inset) + i;
        p.Box(corner, corner, static_cast<double>(size.width) - inset,
              static_cast<double>(size.height) - inset, 0, colour, colour, FillStyle::Solid);
    }
}

// A surface of random pixels, so that any pixel painted when it should not be
// (or left when it should be painted) shows.
Surface Noise(int width, int height, std::mt19937& random) {
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            surface.SetPixel(x, y, random() & 0xFFFFFFu);
        }
    }
    return surface;
}

int RandomInset(std::mt19937& random) {
    switch (random() % 8) {
        case 0:
            return INT_MIN;
        case 1:
            return INT_MAX;
        case 2:
            return INT_MIN + static_cast<int>(random() % 100);
        case 3:
            return INT_MAX - static_cast<int>(random() % 100);
        default:
            return static_cast<int>(random() % 121) - 60;
    }
}

ShadedColour RandomColour(std::mt19937& random) {
    static const ShadedColour kColours[] = {
        ShadedColour{}, ShadedColour::Flat(0), "grey", "blue-button", "gold", "#f06040"};
    if (random() % 4 == 0) {
        return static_cast<Colour>(random() & 0xFFFFFFu);
    }
    return kColours[random() % std::size(kColours)];
}

TEST(BoxStack, MatchesEveryBoxPaintedInTurn) {
    std::mt19937 random(20240611);
    for (int run = 0; run < 5000; ++run) {
        const int w = 1 + static_cast<int>(random() % 40);
        const int h = 1 + static_cast<int>(random() % 40);
        const int inset = RandomInset(random);
        const int depth = random() % 3 == 0 ? static_cast<int>(random() % 6)
                                            : static_cast<int>(random() % (3 * std::max(w, h) + 4));
        const ShadedColour colour = RandomColour(random);
        // Mostly the thin pens (0 and 1) of every face; a geometric pen now and then.
        const int pen =
            random() % 5 == 0 ? 2 + static_cast<int>(random() % 3) : static_cast<int>(random() % 2);

        Surface expected = Noise(w, h, random);
        Surface painted = expected;
        Painter reference(expected);
        Painter painter(painted);
        reference.Width(pen);
        painter.Width(pen);
        ReferenceBoxStack(reference, inset, colour, depth);
        PaintBoxStack(painter, inset, colour, depth);
        ASSERT_TRUE(painted.SamePixels(expected)) << w << " x " << h << ", inset " << inset << ", depth "
                                                  << depth << ", pen " << pen << ", run " << run;
    }
}

// The background a display face shows and the one a repaint or a switch face
// paints are the same pixels for the same settings.
TEST(BoxStack, RepaintAndSwitchFaceShowTheCreationDepth) {
    for (const Size size : {Size{210, 55}, Size{120, 80}, Size{90, 45}}) {
        const Frame frame{.width = 4, .colour = "gold"};
        const Background background{.pattern = BackgroundPattern::BoxStack, .colour = "grey"};
        Surface created(size.width, size.height);
        Painter onCreated(created);
        onCreated.SetBits(PaintFace(size, frame, background));

        // Boxes 0 .. h / 5, the depth the demo's faces show.
        Surface boxes = created;
        Painter onBoxes(boxes);
        PaintBoxStack(onBoxes, 4, background.colour, size.height / 5);
        EXPECT_TRUE(boxes.SamePixels(created)) << size.width << " x " << size.height;
        Surface repainted = created;
        Painter onRepainted(repainted);
        PaintBackground(onRepainted, 4, background.colour, BackgroundPattern::BoxStack);
        EXPECT_TRUE(repainted.SamePixels(created)) << size.width << " x " << size.height;

        Switch::Settings own;
        own.frame = frame;
        own.background = background;
        own.labels = "";
        Surface face(size.width, size.height, PixelFromColour(kSystemButtonFace));
        Painter onFace(face);
        Switch(size, own).Paint(onFace);
        // Right of the lamp, whose discs end a few pixels past h / 2.
        for (int y = 0; y < size.height; ++y) {
            for (int x = size.height / 2 + 12; x < size.width; ++x) {
                ASSERT_EQ(face.At(x, y), created.At(x, y))
                    << size.width << " x " << size.height << " at " << x << ", " << y;
            }
        }
    }
}

// Step i of the mirrored rows paints rows i - 1 and h - i in shade
// 255 - 255 i / h, so row y of the inside has step min(y, h - 1 - y) + 1.
// In a panel, the box stack fills only its instrument's rectangle, exactly as
// on a surface of its own; with the origin off the rectangle's corner too.
TEST(BoxStack, InAPanelPaintsItsRectangleAsAlone) {
    const ShadedColour pink = "#ffdddd";
    for (const Point origin : {Point{10, 128}, Point{4, 120}}) {
        const Rect area{10, 128, 60, 40};
        Surface alone(60 + area.x - origin.x, 40 + area.y - origin.y, 0x123456);
        {
            Painter p(alone);
            p.Clip({area.x - origin.x, area.y - origin.y, 60, 40});
            PaintBoxStack(p, 3, pink, 8);
        }
        Surface panel(200, 200, 0x123456);
        Painter p(panel);
        p.Clip(area);
        p.Translate(origin);
        PaintBoxStack(p, 3, pink, 8);
        for (int y = 0; y < panel.height(); ++y) {
            for (int x = 0; x < panel.width(); ++x) {
                const Pixel expected =
                    area.Contains({x, y}) ? alone.At(x - origin.x, y - origin.y) : 0x123456u;
                ASSERT_EQ(panel.At(x, y), expected) << x << ", " << y << " origin " << origin.x;
            }
        }
    }
}

TEST(MirroredRows, PaintEveryRowOfTheInside) {
    constexpr Pixel kMarker = 0x123456;
    const ShadedColour grey = "grey";
    for (int h = 1; h <= 70; ++h) {
        for (int inset = 0; 2 * inset < h && inset <= 3; ++inset) {
            Surface surface(16, h, kMarker);
            Painter painter(surface);
            PaintBackground(painter, inset, grey, BackgroundPattern::MirroredRows);
            for (int y = 0; y < h; ++y) {
                const bool inside = y >= inset && y < h - inset;
                const int step = std::min(y, h - 1 - y) + 1;
                const Pixel expected =
                    inside ? PixelFromColour(grey.At(RoundHalfEven(255.0 - 255.0 * step / h))) : kMarker;
                ASSERT_EQ(surface.At(8, y), expected)
                    << "height " << h << ", inset " << inset << ", row " << y;
            }
        }
    }
}

// A switch face paints its frame with the caller's painter: a wide pen there
// must neither smear the rings nor stay changed.
TEST(Frame, RingsAreOnePixelLinesWhateverThePen) {
    const Frame frame{.width = 5, .colour = "gold", .topLeftColour = "grey"};
    Surface thin(60, 30);
    Painter onThin(thin);
    PaintFrame(onThin, frame);
    Surface wide(60, 30);
    Painter onWide(wide);
    onWide.Width(9);
    PaintFrame(onWide, frame);
    EXPECT_TRUE(wide.SamePixels(thin));
    EXPECT_EQ(onWide.state().penWidth, 9);
}

}  // namespace
}  // namespace instruments
