// Update, the repaint that is skipped when it would change nothing: the
// pixels and drawing state always equal what Paint leaves, and it paints again
// whenever an input, the surface or the drawing state says it must.

#include <gtest/gtest.h>

#include <cmath>

#include "instruments/AnalogClock.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"
#include "instruments/TextDisplay.h"

namespace instruments {
namespace {

const Frame kFrame{.width = 6, .colour = "gold"};
const Background kBackground{.pattern = BackgroundPattern::RowsFromBottom, .colour = "#f06040"};

// What Paint leaves on a fresh surface whose painter starts from `state`.
struct Painted {
    Surface surface;
    DrawingState state;
};
template <typename Paint>
Painted Reference(Size size, const DrawingState& state, Paint&& paint) {
    Painted painted{Surface(size.width, size.height), {}};
    Painter painter(painted.surface);
    painter.RestoreState(state);
    paint(painter);
    painted.state = painter.state();
    return painted;
}

TEST(Update, SkipsOnlyWhatWouldChangeNothing) {
    TextDisplay display({210, 55}, {.frame = kFrame,
                                    .background = kBackground,
                                    .ink = 0x0000FF,
                                    .dots = DotStyle::Joined,
                                    .label = "unito"});
    Surface surface(210, 55);
    Painter painter(surface);
    // The first two paint: the second starts from the state the first left.
    EXPECT_TRUE(display.Update(painter, "12:34"));
    EXPECT_TRUE(display.Update(painter, "12:34"));
    const Surface::Revision painted = surface.revision();
    EXPECT_FALSE(display.Update(painter, "12:34"));
    EXPECT_EQ(surface.revision(), painted);
    const DrawingState settled = painter.state();
    EXPECT_TRUE(surface.SamePixels(
        Reference({210, 55}, settled, [&](Painter& p) { display.Paint(p, "12:34"); }).surface));

    // Another text, a pixel written behind its back, another drawing state:
    // each paints again, and the result is what Paint gives.
    EXPECT_TRUE(display.Update(painter, "12:35"));
    EXPECT_FALSE(display.Update(painter, "12:35"));
    surface.SetPixel(100, 30, 0x123456);
    EXPECT_TRUE(display.Update(painter, "12:35"));
    EXPECT_TRUE(surface.SamePixels(
        Reference({210, 55}, settled, [&](Painter& p) { display.Paint(p, "12:35"); }).surface));
    painter.Width(3);
    EXPECT_TRUE(display.Update(painter, "12:35"));
}

TEST(Update, ASkipLeavesTheStateAPaintWouldLeave) {
    TextDisplay display({210, 55}, {.frame = kFrame,
                                    .background = kBackground,
                                    .ink = 0x0000FF,
                                    .dots = DotStyle::Joined,
                                    .label = "unito"});
    Surface surface(210, 55);
    Painter painter(surface);
    display.Update(painter, "8");
    // The paint overwrites the position; from (7, 9) it starts elsewhere than it ends.
    painter.SetPos(7, 9);
    const DrawingState moved = painter.state();
    EXPECT_TRUE(display.Update(painter, "8"));
    painter.SetPos(7, 9);
    EXPECT_FALSE(display.Update(painter, "8"));
    const Painted reference = Reference({210, 55}, moved, [&](Painter& p) { display.Paint(p, "8"); });
    EXPECT_TRUE(painter.state() == reference.state);
    EXPECT_TRUE(surface.SamePixels(reference.surface));
}

TEST(Update, AFaceThatDoesNotCoverTheSurfaceAlwaysPaints) {
    LevelMeter meter({100, 40}, {.frame = kFrame, .background = kBackground, .needle = 0x0000FF});
    Surface wider(120, 40);
    Painter painter(wider);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(meter.Update(painter, 50.0f));
    }
}

TEST(Update, ClockHandsAndMeterValuesAreWhatCounts) {
    AnalogClock clock({80, 80}, {.frame = kFrame, .background = kBackground});
    Surface dial(80, 80);
    Painter onDial(dial);
    clock.Update(onDial, {23, 59, 59, 0});
    clock.Update(onDial, {23, 59, 59, 0});
    // Milliseconds do not move a hand; a second, the offset and midnight do.
    EXPECT_FALSE(clock.Update(onDial, {23, 59, 59, 999}));
    EXPECT_TRUE(clock.Update(onDial, {23, 59, 59, 999}, 1));
    EXPECT_TRUE(clock.Update(onDial, {0, 0, 0, 0}, 1));
    EXPECT_TRUE(dial.SamePixels(Reference({80, 80}, onDial.state(), [&](Painter& p) {
                                    clock.Paint(p, {0, 0, 0, 0}, 1);
                                }).surface));

    LevelMeter meter({210, 55}, {.frame = kFrame, .background = kBackground, .needle = 0x0000FF});
    Surface face(210, 55);
    Painter onMeter(face);
    meter.Update(onMeter, NAN);
    meter.Update(onMeter, NAN);
    EXPECT_FALSE(meter.Update(onMeter, NAN));
    EXPECT_TRUE(meter.Update(onMeter, 12.5f));
}

TEST(Update, AReplacedGlyphPaintsAgain) {
    GlyphTable own = GlyphTable::Builtin();
    TextDisplay::Settings settings;
    settings.ink = 0x0000FF;
    settings.glyphs = &own;
    TextDisplay display(settings, PixelBlock::FromSurface(Surface(60, 30)));
    Surface surface(60, 30);
    Painter painter(surface);
    display.Update(painter, "A");
    display.Update(painter, "A");
    ASSERT_TRUE(own.Replace('A', {"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}));
    EXPECT_TRUE(display.Update(painter, "A"));
    EXPECT_EQ(surface.At(1, 1), PixelFromColour(0x0000FF));
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
