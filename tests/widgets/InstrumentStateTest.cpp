// The state the instruments hold: a setter marks an instrument changed only
// when what it shows changes, a paint clears that, and a paint through a clip
// and origin shows what the instrument paints on a surface of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "instruments/AnalogClock.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

namespace instruments {
namespace {

const Frame kFrame{.width = 6, .colour = "gold"};
const Background kBackground{.pattern = BackgroundPattern::RowsFromBottom, .colour = "#f06040"};

Surface Alone(Instrument& instrument, Pixel fill = 0) {
    Surface surface(instrument.size().width, instrument.size().height, fill);
    Painter painter(surface);
    instrument.Paint(painter);
    return surface;
}

// Paints, then tells whether the change `step` made needs another paint.
bool Changes(Instrument& instrument, const std::function<void()>& step) {
    Surface surface(instrument.size().width, instrument.size().height);
    Painter painter(surface);
    instrument.Paint(painter);
    step();
    return instrument.NeedsPaint();
}

TEST(Dirty, ANewInstrumentIsChangedAllOverAndAPaintClearsIt) {
    TextDisplay display({210, 55}, {.frame = kFrame, .background = kBackground});
    EXPECT_TRUE(display.NeedsPaint());
    EXPECT_EQ(display.Dirty(), (Rect{0, 0, 210, 55}));
    Surface surface(210, 55);
    Painter painter(surface);
    EXPECT_TRUE(display.PaintIfChanged(painter));
    EXPECT_FALSE(display.NeedsPaint());
    EXPECT_TRUE(display.Dirty().empty());
    const Surface::Revision painted = surface.revision();
    EXPECT_FALSE(display.PaintIfChanged(painter));
    EXPECT_EQ(surface.revision(), painted);
    display.Invalidate();
    EXPECT_EQ(display.Dirty(), (Rect{0, 0, 210, 55}));
    EXPECT_TRUE(display.PaintIfChanged(painter));
}

TEST(Dirty, APaintKeepsThePaintersDrawingState) {
    AnalogClock clock({80, 80}, {.frame = kFrame, .background = kBackground});
    Surface surface(80, 80);
    Painter painter(surface);
    painter.SetPos(3, 4);
    painter.Width(7);
    painter.ColourFg(0x123456);
    const DrawingState before = painter.state();
    clock.Paint(painter);
    EXPECT_TRUE(painter.state() == before);
}

TEST(Dirty, TextDisplaySettersMarkOnlyWhatShowsOtherwise) {
    TextDisplay display({210, 55}, {.frame = kFrame, .background = kBackground});
    display.SetCodes("12:34");
    EXPECT_FALSE(Changes(display, [&] { display.SetCodes("12:34"); }));
    EXPECT_FALSE(Changes(display, [&] { display.SetText("12:34"); }));
    EXPECT_TRUE(Changes(display, [&] { display.SetCodes("12:35"); }));
    EXPECT_TRUE(Changes(display, [&] { display.SetCodes("12:3"); }));
    EXPECT_TRUE(Changes(display, [&] { display.SetCodes("12\n:3"); }));
    // Codes 1 and 2 both show the placeholder: the codes change, the dots do not.
    display.SetCodes("A\x01");
    EXPECT_FALSE(Changes(display, [&] { display.SetCodes("A\x02"); }));
    EXPECT_EQ(display.codes(), "A\x02");

    const GlyphTable::GlyphArt bar = {"XXXXX", ".....", ".....", ".....", ".....", ".....", "....."};
    EXPECT_FALSE(Changes(display, [&] { display.SetGlyph('Z', bar); }));  // no Z shown
    EXPECT_TRUE(Changes(display, [&] { display.SetGlyph(2, bar); }));
    EXPECT_FALSE(Changes(display, [&] { display.SetGlyph(2, bar); }));  // the same design again
}

TEST(Dirty, AClockChangesWhenAHandMoves) {
    AnalogClock clock({80, 80}, {.frame = kFrame, .background = kBackground});
    clock.SetTime({12, 30, 15, 0});
    EXPECT_FALSE(Changes(clock, [&] { clock.SetTime({12, 30, 15, 999}); }));
    EXPECT_EQ(clock.time().millisecond, 999);
    EXPECT_TRUE(Changes(clock, [&] { clock.SetTime({12, 30, 16, 0}); }));
    EXPECT_TRUE(Changes(clock, [&] { clock.SetTime({12, 31, 16, 0}); }));
    EXPECT_TRUE(Changes(clock, [&] { clock.SetTime({12, 31, 16, 0}, 1); }));
    // A whole day of offset leaves the hour hand where it was.
    EXPECT_FALSE(Changes(clock, [&] { clock.SetTime({13, 31, 16, 0}, 24); }));
    EXPECT_EQ(clock.hourOffset(), 24);
}

TEST(Dirty, AMeterChangesWhenItsNeedleMovesToAnotherPixel) {
    LevelMeter meter({210, 55}, {.frame = kFrame, .background = kBackground, .needle = 0x00FF00});
    EXPECT_TRUE(std::isnan(meter.level()));
    EXPECT_TRUE(Changes(meter, [&] { meter.SetLevel(50); }));
    EXPECT_FALSE(Changes(meter, [&] { meter.SetLevel(50.001); }));
    EXPECT_EQ(meter.level(), 50.001);
    EXPECT_TRUE(Changes(meter, [&] { meter.SetLevel(60); }));
    EXPECT_TRUE(Changes(meter, [&] { meter.SetLevel(NAN); }));
    EXPECT_FALSE(Changes(meter, [&] { meter.SetLevel(NAN); }));
    // A 10-pixel face shows no needle at any level.
    LevelMeter flat({100, 10}, {.needle = 0x00FF00});
    EXPECT_FALSE(Changes(flat, [&] { flat.SetLevel(30); }));
}

TEST(Dirty, ASwitchChangesWithItsState) {
    Switch toggle({90, 30}, {.frame = {.width = 3, .colour = "green"}});
    EXPECT_FALSE(Changes(toggle, [&] { toggle.SetOn(false); }));
    EXPECT_TRUE(Changes(toggle, [&] { toggle.SetOn(true); }));
    EXPECT_TRUE(toggle.on());
    EXPECT_FALSE(Changes(toggle, [&] { toggle.SetOn(true); }));
    EXPECT_TRUE(Changes(toggle, [&] { toggle.Toggle(); }));
    EXPECT_FALSE(toggle.on());
    EXPECT_THROW(Switch({-1, 30}, {}), SettingsError);
}

// Each instrument in a 300 x 200 panel at (37, 21), through a clip and origin,
// and cut by a clip that leaves only part of it: inside the clip the panel
// shows what the instrument paints alone; outside it nothing changes.
class InAPanel : public ::testing::TestWithParam<int> {
  protected:
    static constexpr Pixel kUntouched = 0x01ABCDEF;

    static void Check(Instrument& instrument) {
        // A drawn switch face leaves some pixels as they were.
        const Surface alone = Alone(instrument, kUntouched);
        const Point at{37, 21};
        const Rect whole = Rect::At(at, instrument.size());
        const Rect cuts[] = {whole, {at.x + 11, at.y + 5, 40, 17}, {0, 0, at.x + 20, at.y + 9}};
        for (const Rect& cut : cuts) {
            Surface panel(300, 200, kUntouched);
            Painter painter(panel);
            painter.Clip(cut);
            painter.Translate(at);
            instrument.Invalidate();
            EXPECT_TRUE(instrument.PaintIfChanged(painter));
            const Rect shown = cut.Intersect(whole);
            for (int y = 0; y < panel.height(); ++y) {
                for (int x = 0; x < panel.width(); ++x) {
                    const Pixel expected = shown.Contains({x, y}) ? alone.At(x - at.x, y - at.y) : kUntouched;
                    ASSERT_EQ(panel.At(x, y), expected)
                        << "at " << x << ", " << y << " cut at " << cut.x << ", " << cut.y << ", "
                        << cut.width << " x " << cut.height;
                }
            }
        }
    }
};

TEST_P(InAPanel, PaintsWhatItPaintsAlone) {
    switch (GetParam()) {
        case 0: {
            TextDisplay display({120, 40}, {.frame = kFrame,
                                            .background = kBackground,
                                            .ink = 0x0000FF,
                                            .dots = DotStyle::Joined | DotStyle::Shadow,
                                            .label = "T"});
            display.SetText("12°C\nOK");
            Check(display);
            break;
        }
        case 1: {
            AnalogClock clock({80, 80},
                              {.frame = kFrame, .background = {.pattern = BackgroundPattern::BoxStack}});
            clock.SetTime({10, 8, 42, 0});
            Check(clock);
            break;
        }
        case 2: {
            LevelMeter meter({150, 45}, {.frame = kFrame,
                                         .background = kBackground,
                                         .needle = 0x00FF00,
                                         .labels = {{0, "0"}, {100, "100"}}});
            meter.SetLevel(70);
            Check(meter);
            break;
        }
        default: {
            Switch toggle({90, 30},
                          {.frame = {.width = 3, .colour = "green"},
                           .background = {.pattern = BackgroundPattern::MirroredRows, .colour = "grey"}});
            toggle.SetOn(true);
            Check(toggle);
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInstrument, InAPanel, ::testing::Range(0, 4));

TEST(MeterRange, LevelsMapOntoTheScaleFromTheRangesEnds) {
    const LevelMeter::Settings base{.frame = kFrame, .background = kBackground, .needle = 0x00FF00};
    LevelMeter percent({210, 55}, base);
    LevelMeter decibels({210, 55}, [&] {
        LevelMeter::Settings settings = base;
        settings.range = {-20, 5};
        return settings;
    }());
    LevelMeter reversed({210, 55}, [&] {
        LevelMeter::Settings settings = base;
        settings.range = {100, 0};
        return settings;
    }());
    percent.SetLevel(50);
    decibels.SetLevel(-7.5);
    reversed.SetLevel(50);
    EXPECT_TRUE(Alone(decibels).SamePixels(Alone(percent)));
    EXPECT_TRUE(Alone(reversed).SamePixels(Alone(percent)));
    reversed.SetLevel(25);
    percent.SetLevel(75);
    EXPECT_TRUE(Alone(reversed).SamePixels(Alone(percent)));
    decibels.SetLevel(0);
    EXPECT_FALSE(Alone(decibels).SamePixels(Alone(percent)));
}

TEST(MeterRange, ARangeThatIsNoScaleIsRefused) {
    const auto refusal = [](LevelMeter::Settings settings) {
        try {
            LevelMeter meter({210, 55}, std::move(settings));
        } catch (const SettingsError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_NE(refusal({.range = {5, 5}}).find("range 5 .. 5"), std::string::npos);
    EXPECT_NE(refusal({.range = {0, inf}}).find("range 0 .. inf"), std::string::npos);
    EXPECT_NE(refusal({.range = {NAN, 1}}).find("range"), std::string::npos);
    EXPECT_NE(refusal({.labels = {{0, "0"}, {NAN, "?"}}}).find("labels[1].value"), std::string::npos);
    EXPECT_EQ(refusal({.range = {-1, 1}, .labels = {{-1, "-"}, {1, "+"}}}), "");
}

TEST(MeterLabels, PrintWhiteUnderTheTickOfTheirValue) {
    const LevelMeter::Settings plainSettings{.frame = kFrame, .background = kBackground, .needle = 0x00FF00};
    LevelMeter plain({210, 55}, plainSettings);
    LevelMeter::Settings labelled = plainSettings;
    labelled.labels = {{100, "F"}};
    LevelMeter withLabel({210, 55}, labelled);
    const Surface without = Alone(plain);
    const Surface with = Alone(withLabel);
    // Every changed pixel is white and lies in a box under the rightmost tick.
    int left = with.width(), right = -1, top = with.height();
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.At(x, y) != without.At(x, y)) {
                ASSERT_EQ(with.At(x, y), PixelFromColour(0xFFFFFF)) << x << ", " << y;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
    }
    ASSERT_GE(right, left) << "the label printed nothing";
    // The ticks: the nearest row above the label with white pixels.
    int tickX = -1;
    for (int y = top - 1; y >= 0 && tickX < 0; --y) {
        for (int x = 0; x < without.width(); ++x) {
            if (without.At(x, y) == PixelFromColour(0xFFFFFF)) {
                tickX = x;  // the last one, the tick of 100
            }
        }
    }
    EXPECT_NEAR((left + right) / 2.0, tickX, 2.0);
}

}  // namespace
}  // namespace instruments
