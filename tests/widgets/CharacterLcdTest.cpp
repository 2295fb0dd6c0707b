// The character LCD module's glass and driver calls: the documented geometry,
// incremental painting against a full repaint on random bus traffic, and the
// driver calls agreeing with the bus.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "instruments/CharacterLcd.h"
#include "instruments/GlyphTable.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

constexpr auto kI = LcdRegister::Instruction;
constexpr auto kD = LcdRegister::Data;

Surface PaintedAlone(CharacterLcd& lcd) {
    Surface surface(lcd.size().width, lcd.size().height);
    Painter painter(surface);
    lcd.Paint(painter);
    return surface;
}

TEST(CharacterLcd, DotsLieWhereTheGeometrySays) {
    CharacterLcd::Settings settings{.columns = 16, .rows = 2};
    settings.look.dots = DotStyle::Plain;
    CharacterLcd lcd(settings);
    lcd.Begin();
    lcd.SetCursor(3, 1);
    lcd.Print("\xFF");  // every dot of rows 0..6 lit
    const Surface surface = PaintedAlone(lcd);
    const int w = settings.look.frame.width, s = 3, p = 4;
    EXPECT_EQ(lcd.size(), (Size{2 * w + 6 * p * 16 + 2 * p + s, 2 * w + 9 * p * 2 + 2 * p + s}));
    const auto dotAt = [&](int row, int column, int r, int c) {
        return Point{w + 2 * p + 6 * p * column + p * c, w + 2 * p + 9 * p * row + p * r};
    };
    const Pixel ink = PixelFromColour(settings.look.ink);
    const Pixel glass = PixelFromColour(settings.look.backlight);
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 5; ++c) {
            const Point at = dotAt(1, 3, r, c);
            ASSERT_EQ(surface.At(at.x, at.y), ink) << r << "," << c;
            ASSERT_EQ(surface.At(at.x + s - 1, at.y + s - 1), ink);
            ASSERT_EQ(surface.At(at.x + s, at.y), glass);  // the gap
        }
    }
    const Point dark = dotAt(1, 3, 7, 0);  // row 7 of a ROM glyph is dark
    EXPECT_EQ(surface.At(dark.x, dark.y), glass);
}

TEST(CharacterLcd, ChangedCellsRepaintToTheFullRepaint) {
    std::mt19937 random(17);
    for (const char* preset : {"yellow-green", "blue"}) {
        CharacterLcd::Settings settings{.columns = 20, .rows = 4, .look = LcdLook::Preset(preset)};
        settings.look.dots = DotStyle::ShowUnlit | DotStyle::Rounded;
        CharacterLcd lcd(settings);
        Surface incremental(lcd.size().width + 10, lcd.size().height + 10, 0x123456);
        Painter painter(incremental);
        painter.Translate({5, 5});
        lcd.Begin();
        lcd.Blink(true);
        int repaints = 0;
        for (int step = 0; step < 300; ++step) {
            switch (random() % 6) {
                case 0:
                    lcd.WriteByte(kI, static_cast<std::uint8_t>(random()));
                    break;
                case 1:
                    lcd.Advance(random() % 500);
                    break;
                default:
                    lcd.WriteByte(kD, static_cast<std::uint8_t>(random()));
            }
            if (lcd.PaintChangedCells(painter)) {
                ++repaints;
            }
            ASSERT_FALSE(lcd.NeedsPaint());
            // What the module keeps of its cells is what the controller shows.
            std::string expected;
            for (int row = 0; row < 4; ++row) {
                for (int r = 0; r < 8; ++r) {
                    for (int column = 0; column < 20; ++column) {
                        const auto bits = lcd.controller().CellRows(row, column, LcdFont::Dots5x8)[r];
                        for (int c = 0; c < 5; ++c) {
                            expected += (bits & (0x10 >> c)) != 0 ? '#' : '.';
                        }
                    }
                    expected += '\n';
                }
            }
            ASSERT_EQ(lcd.DotsText(), expected) << preset << " step " << step;
            CharacterLcd copy = lcd;
            copy.Invalidate();
            const Surface full = PaintedAlone(copy);
            for (int y = 0; y < full.height(); ++y) {
                for (int x = 0; x < full.width(); ++x) {
                    ASSERT_EQ(incremental.At(x + 5, y + 5), full.At(x, y))
                        << preset << " step " << step << " at " << x << ", " << y;
                }
            }
            ASSERT_EQ(incremental.At(2, 2), 0x123456u);
        }
        EXPECT_GT(repaints, 20);
    }
}

TEST(CharacterLcd, OnlyChangedCellsAreMarked) {
    CharacterLcd lcd({.columns = 16, .rows = 2});
    lcd.Begin();
    Surface surface(lcd.size().width, lcd.size().height);
    Painter painter(surface);
    lcd.Paint(painter);
    lcd.SetCursor(5, 1);
    EXPECT_FALSE(lcd.NeedsPaint());  // no cursor shown: nothing changes
    lcd.Print("A");
    const Rect dirty = lcd.Dirty();
    EXPECT_EQ(dirty.width, 5 * 4);
    EXPECT_EQ(dirty.x, 4 + 8 + 24 * 5);
    lcd.Print("\x20");  // writing a space over a space changes nothing
    EXPECT_EQ(lcd.Dirty(), dirty);
}

TEST(CharacterLcd, DriverCallsIssueTheBusInstructions) {
    for (const LcdBus bus : {LcdBus::EightBit, LcdBus::FourBit}) {
        CharacterLcd lcd({.columns = 20, .rows = 4, .bus = bus, .timing = LcdTiming::Check});
        lcd.Begin();
        lcd.CreateChar(2, {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F, 0});
        lcd.SetCursor(2, 3);
        lcd.Print("ab");
        const LcdState& s = lcd.controller().state();
        EXPECT_EQ(s.droppedWrites, 0);
        EXPECT_EQ(s.eightBitBus, bus == LcdBus::EightBit);
        EXPECT_TRUE(s.twoLines && s.displayOn && !s.cursorOn);
        // Row 3 continues line 2 from 0x40 + 20.
        EXPECT_EQ(s.ddram[40 + 22], 'a');
        EXPECT_EQ(s.ddram[40 + 23], 'b');
        EXPECT_EQ(s.cgram[16], 0x1F);
        lcd.Autoscroll(true);
        EXPECT_TRUE(lcd.controller().state().shiftOnWrite);
        lcd.RightToLeft();
        EXPECT_FALSE(lcd.controller().state().increment);
        lcd.ScrollLeft();
        EXPECT_EQ(lcd.controller().state().displayShift, 1);
    }
}

TEST(CharacterLcd, DotsTextShowsEveryDotRow) {
    CharacterLcd lcd({.columns = 8, .rows = 1});
    lcd.Begin();
    lcd.Print("I");
    const std::string dots = lcd.DotsText();
    EXPECT_EQ(dots.size(), 8u * (8 * 5 + 1));
    std::string firstRow;
    for (int c = 0; c < 5; ++c) {
        firstRow += (GlyphTable::Builtin().Bits('I', 0) & (0x10 >> c)) != 0 ? '#' : '.';
    }
    EXPECT_EQ(dots.substr(0, 41), firstRow + std::string(35, '.') + "\n");
    CharacterLcd tall({.columns = 8, .rows = 1, .look = {.glass = LcdFont::Dots5x10}});
    EXPECT_EQ(tall.DotsText().size(), 11u * 41);
}

TEST(CharacterLcd, BacklightOffDimsTheGlass) {
    CharacterLcd::Settings settings{.columns = 8, .rows = 1};
    CharacterLcd on(settings);
    settings.look.backlightOn = false;
    CharacterLcd off(settings);
    const Surface a = PaintedAlone(on);
    const Surface b = PaintedAlone(off);
    const int mid = a.height() / 2;
    EXPECT_EQ(a.At(a.width() / 2, mid), PixelFromColour(LcdLook{}.backlight));
    EXPECT_LT(b.At(b.width() / 2, mid) & 0xFF00, a.At(a.width() / 2, mid) & 0xFF00);
}

TEST(CharacterLcd, RefusesGlassItCannotPaint) {
    const auto refused = [](CharacterLcd::Settings settings) {
        try {
            CharacterLcd lcd(settings);
        } catch (const SettingsError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(refused({.columns = 16, .rows = 2, .look = {.glass = LcdFont::Dots5x10}}).find("one row"),
              std::string::npos);
    EXPECT_NE(refused({.columns = 16, .rows = 2, .look = {.dotSize = 0}}).find("dot size"),
              std::string::npos);
    EXPECT_NE(refused({.columns = 16, .rows = 2, .look = {.dots = DotStyle::Shadow}}).find("dots"),
              std::string::npos);
    EXPECT_NE(refused({.columns = 50, .rows = 1}).find("50x1"), std::string::npos);
    EXPECT_THROW(LcdLook::Preset("purple"), SettingsError);
}

}  // namespace
}  // namespace instruments
