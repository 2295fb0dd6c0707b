// The instrument objects from a user's side: painters and instruments are
// independent values, paint the same pixels every time, and paint exactly what
// the id-based operations paint for the same settings.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "instruments/AnalogClock.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace instruments {
namespace {

using instruments::Painter;
using instruments::Surface;

// A few strokes in the painter's current state.
void Scribble(Painter& painter) {
    painter.LineTo(30, 20);
    painter.Box(5, 5, 25, 15, 40, instruments::Ink::Default(), instruments::Ink::Default());
    painter.SetPos(2, 22);
    painter.Print("Ab");
}

TEST(Painter, TwoPaintersKeepTheirOwnState) {
    Surface first(40, 40, 0xFFFFFF);
    Surface second(40, 40, 0xFFFFFF);
    Painter a(first);
    Painter b(second);
    a.ColourFg(0x0000FF);
    a.Width(3);
    b.ColourFg(0x00FF00);
    b.Font("courier new", 12, instruments::kFontBold);
    // Interleaved, each painter draws as if it were alone.
    a.SetPos(1, 1);
    b.SetPos(8, 2);
    Scribble(a);
    Scribble(b);

    Surface aloneA(40, 40, 0xFFFFFF);
    Painter onlyA(aloneA);
    onlyA.ColourFg(0x0000FF);
    onlyA.Width(3);
    onlyA.SetPos(1, 1);
    Scribble(onlyA);
    Surface aloneB(40, 40, 0xFFFFFF);
    Painter onlyB(aloneB);
    onlyB.ColourFg(0x00FF00);
    onlyB.Font("courier new", 12, instruments::kFontBold);
    onlyB.SetPos(8, 2);
    Scribble(onlyB);

    EXPECT_TRUE(first.SamePixels(aloneA));
    EXPECT_TRUE(second.SamePixels(aloneB));
    EXPECT_FALSE(first.SamePixels(second));
}

TEST(Painter, StateSaverPutsTheStateBack) {
    Surface surface(20, 20);
    Painter painter(surface);
    painter.SetPos(3, 4);
    painter.ColourFg(0x123456);
    {
        instruments::PainterStateSaver saver(painter);
        painter.ColourFg(0xFFFFFF);
        painter.Width(5);
        painter.ColourBg(instruments::Ink::None());
        painter.LineTo(15, 15);
        painter.Font("courier new", 20, 0);
    }
    EXPECT_EQ(painter.state().x, 3);
    EXPECT_EQ(painter.state().y, 4);
    EXPECT_EQ(painter.state().foreground, 0x123456);
    EXPECT_EQ(painter.state().penWidth, 0);
    EXPECT_EQ(painter.state().textBackground, instruments::TextBackground::Opaque);
    EXPECT_EQ(painter.state().font, instruments::DefaultFont());
}

// The demo's display 207 and clock 702. A display created without a background
// colour has the left and top sides of its frame black.
TextDisplay::Settings Display207() {
    return {.frame = {.width = 6, .colour = "gold"},
            .background = {.pattern = BackgroundPattern::RowsFromBottom, .colour = "#f06040"},
            .ink = 0x0000FF,
            .dots = DotStyle::Joined,
            .label = "unito"};
}
AnalogClock::Settings Clock702() {
    return {.frame = {.width = 6, .colour = "gold", .topLeftColour = ShadedColour{}},
            .background = {.pattern = BackgroundPattern::BoxStack}};
}

// The instrument painted alone on a surface of its size.
Surface Painted(Instrument& instrument) {
    Surface surface(instrument.size().width, instrument.size().height);
    Painter painter(surface);
    instrument.Paint(painter);
    return surface;
}
Surface Painted(TextDisplay& display, std::string_view text) {
    display.SetCodes(text);
    return Painted(display);
}

TEST(TextDisplay, SameTextSamePixelsAndDisplaysDoNotShareSettings) {
    TextDisplay red({210, 55}, Display207());
    TextDisplay grey({210, 55},
                     {.frame = {.width = 6, .colour = "green"},
                      .background = {.pattern = BackgroundPattern::MirroredColumnsReversed, .colour = "grey"},
                      .dots = DotStyle::Shadow | DotStyle::Rounded});
    const Surface first = Painted(red, "12:34:56");
    const Surface other = Painted(grey, "12:34:56");
    EXPECT_FALSE(first.SamePixels(other));
    // Painting another display, or over an old face, changes nothing of the next paint.
    Surface reused(210, 55);
    Painter painter(reused);
    red.SetCodes("88888888");
    red.Paint(painter);
    grey.SetCodes("00:00:00");
    grey.Paint(painter);
    red.SetCodes("12:34:56");
    red.Paint(painter);
    EXPECT_TRUE(reused.SamePixels(first));
    EXPECT_TRUE(Painted(red, "12:34:56").SamePixels(first));
}

TEST(TextDisplay, AGlyphOfTheProgramsOwnShows) {
    GlyphTable own = GlyphTable::Builtin();
    TextDisplay::Settings settings;
    settings.ink = 0x0000FF;
    settings.glyphs = &own;
    TextDisplay display(settings, PixelBlock::FromSurface(Surface(60, 30)));
    const Surface before = Painted(display, "A");
    // The display keeps its own copy of the table it starts with.
    ASSERT_TRUE(own.Replace('A', {"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}));
    EXPECT_TRUE(Painted(display).SamePixels(before));
    display.SetGlyph('A', {"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"});
    const Surface after = Painted(display);
    // The block glyph lights the corner dot that the built-in "A" leaves dark.
    EXPECT_NE(before.At(1, 1), after.At(1, 1));
    EXPECT_EQ(after.At(1, 1), instruments::PixelFromColour(0x0000FF));
}

TEST(Instruments, DestroyingThemReleasesTheirSurfaces) {
    const std::int64_t before = Surface::LivePixels();
    {
        const Surface picture(210, 55, 0x808080);
        const TextDisplay display({210, 55}, Display207(), &picture);
        Switch::Settings settings;
        const Switch toggle({80, 40}, settings, Surface(80, 40), Surface(80, 40));
        EXPECT_GT(Surface::LivePixels(), before);
    }
    EXPECT_EQ(Surface::LivePixels(), before);
}

// The objects against the id-based operations for the same settings.
class ObjectsAndIds : public testsupport::DisplayTest {};

TEST_F(ObjectsAndIds, PaintTheSamePixels) {
    int x = 0, y = 0, width = 210, height = 55;
    dialog::CreateDisplay(dialog, 207, x, y, width, height, "", 6, "oro", 0, 0x0000FF, "unito", "#f06040", 1);
    dialog::PaintDisplayText(dialog, 207, "12:34:56");
    TextDisplay display({210, 55}, Display207());
    EXPECT_TRUE(SurfaceOf(207).SamePixels(Painted(display, "12:34:56")));

    width = height = 180;
    dialog::CreateDisplay(dialog, 702, x, y, width, height, "", 6, "oro", 0, 0x00FF00, "", "", 3);
    const instruments::LocalTime time{9, 30, 15, 0};
    dialog::SetLocalClockSource([&] { return time; });
    dialog::PaintClock(dialog, 702, -1);
    dialog::SetLocalClockSource({});
    AnalogClock clock({180, 180}, Clock702());
    clock.SetTime(time, -1);
    EXPECT_TRUE(SurfaceOf(702).SamePixels(Painted(clock)));

    width = 210;
    height = 55;
    dialog::CreateDisplay(dialog, 602, x, y, width, height, "", 6, "verde", 0, 0x00FF00, "", "pulsanteblu",
                          1);
    dialog::PaintLevelMeter(dialog, 602, 37.0f);
    LevelMeter meter({210, 55},
                     {.frame = {.width = 6, .colour = "green"},
                      .background = {.pattern = BackgroundPattern::RowsFromBottom, .colour = "blue-button"},
                      .needle = 0x00FF00});
    meter.SetLevel(37.0f);
    EXPECT_TRUE(SurfaceOf(602).SamePixels(Painted(meter)));
}

TEST(Switch, TogglesBetweenItsTwoFacesAndPaintsEachTheSame) {
    Switch::Settings settings;
    settings.frame = {.width = 3, .colour = "green"};
    settings.background = {.pattern = BackgroundPattern::RowsFromTop, .colour = "grey"};
    settings.onPattern = BackgroundPattern::MirroredRows;
    Switch toggle({90, 30}, settings);
    auto paint = [&] { return Painted(toggle); };
    const Surface off = paint();
    toggle.Toggle();
    const Surface on = paint();
    EXPECT_TRUE(toggle.on());
    EXPECT_FALSE(off.SamePixels(on));
    toggle.Toggle();
    EXPECT_TRUE(paint().SamePixels(off));
    EXPECT_EQ(SwitchLabel("OFF/ON", false), "OFF");
    EXPECT_EQ(SwitchLabel("OFF/ON", true), "ON");
    EXPECT_EQ(SwitchLabel("STOP", true), "");
}

}  // namespace
}  // namespace instruments
