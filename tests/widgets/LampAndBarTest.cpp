// Lamps and bar graphs: what they light by value and by the virtual clock, and
// that a change marks them and no change does not.

#include <gtest/gtest.h>

#include <cmath>

#include "instruments/BarGraph.h"
#include "instruments/Lamp.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

Surface PaintedAlone(Instrument& instrument) {
    Surface surface(instrument.size().width, instrument.size().height);
    Painter painter(surface);
    instrument.Paint(painter);
    return surface;
}

TEST(Lamp, BlinksByTheClockAndMarksOnlyChanges) {
    Lamp lamp({24, 24}, {.scheme = "red"});
    EXPECT_FALSE(lamp.Lit());
    const Surface off = PaintedAlone(lamp);
    lamp.SetOn(false);
    EXPECT_FALSE(lamp.NeedsPaint());
    lamp.SetBlink(400, 0.25);  // lit for the first 100 ms of every 400
    EXPECT_TRUE(lamp.Lit());
    const Surface on = PaintedAlone(lamp);
    EXPECT_FALSE(on.SamePixels(off));
    lamp.Advance(99);
    EXPECT_TRUE(lamp.Lit());
    EXPECT_FALSE(lamp.NeedsPaint());
    lamp.Advance(2);
    EXPECT_FALSE(lamp.Lit());
    EXPECT_TRUE(lamp.NeedsPaint());
    EXPECT_TRUE(PaintedAlone(lamp).SamePixels(off));
    lamp.Advance(300);
    EXPECT_TRUE(lamp.Lit());
    EXPECT_THROW(lamp.SetBlink(0, 0.5), SettingsError);
    EXPECT_THROW(lamp.SetBlink(100, 1.5), SettingsError);
}

TEST(Lamp, TakesSchemesByNameOrAnyColour) {
    EXPECT_THROW(Lamp({24, 24}, {.scheme = "rosso"}), SettingsError);
    EXPECT_THROW(Lamp({3, 24}, {}), SettingsError);
    EXPECT_THROW(Lamp({24, 24}, {.colour = 0x1000000}), SettingsError);
    Lamp blue({24, 24}, {.colour = Rgb(0, 0, 255)});
    blue.SetOn(true);
    const Surface surface = PaintedAlone(blue);
    // The rim is a darker blue than the middle of the lens.
    const Pixel middle = surface.At(13, 14), rim = surface.At(2, 12);
    EXPECT_EQ(middle & 0xFFFF00, 0u);
    EXPECT_GT(middle & 0xFF, rim & 0xFF);
}

TEST(BarGraph, LightsRoundedSegmentsInTheirZones) {
    BarGraph bar({200, 20}, {.segments = 20, .showUnlit = false});
    bar.SetValue(0.72);
    EXPECT_EQ(bar.LitSegments(), 14);
    const Surface surface = PaintedAlone(bar);
    const auto& colours = bar.settings().zoneColours;
    EXPECT_EQ(surface.At(5, 10), PixelFromColour(colours[0]));                   // segment 1
    EXPECT_EQ(surface.At(125, 10), PixelFromColour(colours[1]));                 // segment 13 (0.625)
    EXPECT_EQ(surface.At(145, 10), PixelFromColour(bar.settings().background));  // segment 15: dark
    EXPECT_EQ(surface.At(9, 10), PixelFromColour(bar.settings().background));    // the gap
    bar.SetValue(0.71);  // still 14 lit: nothing to paint
    EXPECT_FALSE(bar.NeedsPaint());
    bar.SetValue(0.76);
    EXPECT_TRUE(bar.NeedsPaint());
    BarGraph fresh({200, 20}, {.segments = 20});
    Surface ignored = PaintedAlone(fresh);
    fresh.SetValue(std::nan(""));
    EXPECT_EQ(fresh.LitSegments(), 0);
    EXPECT_FALSE(fresh.NeedsPaint());
    fresh.SetValue(7);
    EXPECT_EQ(fresh.LitSegments(), 20);
}

TEST(BarGraph, PeakHoldsThenFalls) {
    BarGraph bar({200, 20}, {.segments = 20, .peakHoldMs = 500, .peakFallPerSecond = 10});
    bar.SetValue(0.9);
    EXPECT_EQ(bar.PeakSegment(), 18);
    bar.Advance(100);
    bar.SetValue(0.3);  // the hold starts when the value falls
    EXPECT_EQ(bar.PeakSegment(), 18);
    bar.Advance(500);
    EXPECT_EQ(bar.PeakSegment(), 18);
    bar.Advance(100);
    EXPECT_EQ(bar.PeakSegment(), 17);
    bar.Advance(2000);
    EXPECT_EQ(bar.PeakSegment(), 6);  // down to the value, not below
    bar.SetValue(0.5);
    EXPECT_EQ(bar.PeakSegment(), 10);
    BarGraph jump({200, 20}, {.segments = 20, .peakHoldMs = 100});
    jump.SetValue(1);
    jump.SetValue(0);
    jump.Advance(101);
    EXPECT_EQ(jump.PeakSegment(), 0);
}

TEST(BarGraph, VerticalBarsGrowFromTheBottomAndContinuousOnesByThePixel) {
    BarGraph column({10, 100}, {.segments = 10, .orientation = BarOrientation::Vertical, .showUnlit = false});
    column.SetValue(0.3);
    const Surface segmented = PaintedAlone(column);
    const Pixel dark = PixelFromColour(column.settings().background);
    const Pixel green = PixelFromColour(column.settings().zoneColours[0]);
    EXPECT_EQ(segmented.At(5, 99), green);  // segment 1 is the bottom one
    EXPECT_EQ(segmented.At(5, 75), green);  // segment 3
    EXPECT_EQ(segmented.At(5, 65), dark);   // segment 4
    EXPECT_EQ(segmented.At(5, 1), dark);

    BarGraph bar({100, 10}, {.segments = 10, .style = BarStyle::Continuous, .showUnlit = false});
    bar.SetValue(0.434);  // 43 of the 100 pixels lit, all in the first zone
    Surface continuous = PaintedAlone(bar);
    EXPECT_EQ(continuous.At(42, 5), green);
    EXPECT_EQ(continuous.At(43, 5), dark);
    // Within the same lit segment count the continuous bar still moves.
    bar.SetValue(0.446);
    EXPECT_EQ(bar.LitSegments(), 4);
    EXPECT_TRUE(bar.NeedsPaint());
    bar.SetValue(0.9);
    continuous = PaintedAlone(bar);
    EXPECT_EQ(continuous.At(59, 5), green);
    EXPECT_EQ(continuous.At(70, 5), PixelFromColour(bar.settings().zoneColours[1]));
    EXPECT_EQ(continuous.At(89, 5), PixelFromColour(bar.settings().zoneColours[2]));
    EXPECT_EQ(continuous.At(90, 5), dark);
}

TEST(BarGraph, RefusesSettingsItCannotUse) {
    EXPECT_THROW(BarGraph({200, 20}, {.segments = 0}), SettingsError);
    EXPECT_THROW(BarGraph({200, 20}, {.zones = {0.8, 0.6}}), SettingsError);
    EXPECT_THROW(BarGraph({200, 20}, {.zones = {0.5}}), SettingsError);  // three colours for one threshold
    EXPECT_THROW(BarGraph({30, 20}, {.segments = 20}), SettingsError);
    EXPECT_THROW(BarGraph({200, 20}, {.peakHoldMs = -1}), SettingsError);
}

}  // namespace
}  // namespace instruments
