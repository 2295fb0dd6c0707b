// Segment digits: how a text falls into cells, points and colons, what each
// kind can show, and incremental painting against a full repaint.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "instruments/Painter.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

TEST(SegmentDisplay, TextFallsIntoCellsPointsAndColons) {
    SegmentDisplay clock({300, 80}, {.digits = 6, .colons = true});
    clock.SetText("12:34.5");
    // Right-aligned: " 1234 5" has five cells, the first blank.
    EXPECT_EQ(clock.CellSegments(0), 0);
    EXPECT_EQ(clock.CellSegments(1), 0x06);  // 1: b c
    EXPECT_TRUE(clock.ColonAfter(2));        // after the 2
    EXPECT_TRUE(clock.CellPoint(4));         // after the 4
    EXPECT_EQ(clock.CellSegments(5), 0x6D);  // 5
    EXPECT_TRUE(clock.Unshown().empty());

    SegmentDisplay plain({300, 80}, {.digits = 4});
    plain.SetText("..1:W");
    EXPECT_TRUE(plain.CellPoint(0));  // a point with no cell before it, then one after a point
    EXPECT_TRUE(plain.CellPoint(1));
    EXPECT_EQ(plain.CellSegments(2), 0x06);
    EXPECT_EQ(plain.Unshown(), ":W");  // no colons here; no W on seven segments
    plain.SetText("123456");
    EXPECT_EQ(plain.Unshown(), "##");
    EXPECT_EQ(plain.CellSegments(0), 0x4F);  // the 3: the front fell off
}

TEST(SegmentDisplay, EachKindShowsItsCharacters) {
    SegmentDisplay seven({300, 80}, {.digits = 1});
    for (const char c : std::string("0123456789AbCcdEFGHhIJLnoPqrStUuy-_= \xB0")) {
        seven.SetText(std::string(1, c));
        EXPECT_TRUE(seven.Unshown().empty()) << c;
        EXPECT_EQ(seven.CellSegments(0) == 0, c == ' ') << c;
    }
    SegmentDisplay fourteen({300, 80}, {.digits = 1, .kind = SegmentKind::Fourteen});
    for (char c = 'A'; c <= 'Z'; ++c) {
        fourteen.SetText(std::string(1, c));
        EXPECT_TRUE(fourteen.Unshown().empty()) << c;
        EXPECT_NE(fourteen.CellSegments(0), 0) << c;
        const std::uint16_t upper = fourteen.CellSegments(0);
        fourteen.SetText(std::string(1, static_cast<char>(c - 'A' + 'a')));
        EXPECT_EQ(fourteen.CellSegments(0), upper) << c;
    }
    fourteen.SetText("~");
    EXPECT_EQ(fourteen.Unshown(), "~");
    EXPECT_EQ(SegmentDisplay::SegmentNames(SegmentKind::Fourteen).size(), 14u);
}

TEST(SegmentDisplay, LitSegmentsShowInTheInk) {
    SegmentDisplay display({100, 100}, {.digits = 1, .look = {.frame = {}, .showUnlit = false}});
    Surface surface(100, 100);
    Painter painter(surface);
    const Pixel ink = PixelFromColour(display.settings().look.ink);
    display.SetText("8");
    display.Paint(painter);
    // Inside: margin 10, height 80, width 40, thickness 9: segment a runs along y = 14.
    EXPECT_EQ(surface.At(30, 14), ink);
    EXPECT_EQ(surface.At(30, 50), ink);  // g
    EXPECT_EQ(surface.At(30, 30), PixelFromColour(display.settings().look.background));
    display.SetText("1");
    display.Paint(painter);
    EXPECT_NE(surface.At(30, 14), ink);
    EXPECT_EQ(surface.At(46, 30), ink);  // b
}

TEST(SegmentDisplay, ChangedCellsRepaintToTheFullRepaint) {
    std::mt19937 random(3);
    const std::string alphabet = "0123456789AbCdEF-_ .:";
    for (const SegmentKind kind : {SegmentKind::Seven, SegmentKind::Fourteen}) {
        SegmentDisplay display({300, 80}, {.digits = 6, .kind = kind, .colons = true, .slantDegrees = 12});
        Surface surface(310, 90, 0x123456);
        Painter painter(surface);
        painter.Translate({5, 5});
        for (int step = 0; step < 200; ++step) {
            std::string text;
            for (int i = static_cast<int>(random() % 9); i > 0; --i) {
                text += alphabet[random() % alphabet.size()];
            }
            display.SetText(text);
            display.PaintChangedCells(painter);
            ASSERT_FALSE(display.NeedsPaint());
            SegmentDisplay fresh({300, 80}, display.settings());
            fresh.SetText(text);
            Surface full(300, 80);
            Painter fullPainter(full);
            fresh.Paint(fullPainter);
            for (int y = 0; y < 80; ++y) {
                for (int x = 0; x < 300; ++x) {
                    ASSERT_EQ(surface.At(x + 5, y + 5), full.At(x, y))
                        << "\"" << text << "\" at " << x << ", " << y;
                }
            }
            ASSERT_EQ(surface.At(2, 2), 0x123456u);
        }
    }
}

TEST(SegmentDisplay, RefusesWhatItCannotPaint) {
    EXPECT_THROW(SegmentDisplay({300, 80}, {.digits = 0}), SettingsError);
    EXPECT_THROW(SegmentDisplay({300, 80}, {.slantDegrees = 30}), SettingsError);
    EXPECT_THROW(SegmentDisplay({20, 80}, {.digits = 8}), SettingsError);
    EXPECT_THROW(SegmentDisplay({300, 12}, {}), SettingsError);
    EXPECT_THROW(SegmentLook::Preset("blue"), SettingsError);
    EXPECT_NO_THROW(SegmentLook::Preset("vfd"));
}

}  // namespace
}  // namespace instruments
