// The demo's twelve rows of keyword texts read as the public settings they
// stand for.

#include <gtest/gtest.h>

#include "app/Demo.h"
#include "dialog/Keywords.h"

namespace app {
namespace {

using instruments::BackgroundPattern;
using instruments::DotStyle;
using instruments::Rgb;
using instruments::ShadedColour;
using Name = ShadedColour::Name;

struct Expected {
    int id;
    dialog::KeywordLook look;
};

// Frame width and colour, top-left colour, pattern, background colour, ink,
// dots, label.
dialog::KeywordLook Look(int width, ShadedColour frame, std::optional<ShadedColour> topLeft,
                         BackgroundPattern pattern, ShadedColour back, instruments::Colour ink,
                         DotStyle dots = DotStyle::Plain, std::string label = "") {
    return {{width, frame, topLeft}, {pattern, back}, ink, dots, std::move(label)};
}

TEST(DemoKeywords, TheTwelveRowsGiveTheseSettings) {
    const ShadedColour none;
    const ShadedColour black = ShadedColour::Flat(0);
    const Expected expected[] = {
        {207, Look(6, Name::Gold, {}, BackgroundPattern::RowsFromBottom, Rgb(0xF0, 0x60, 0x40), 0x0000FF,
                   DotStyle::Joined, "unito")},
        {208,
         Look(6, Name::Gold, {}, BackgroundPattern::MirroredRows, Rgb(0xFF, 0xF0, 0xF0), Rgb(140, 160, 140))},
        {209, Look(6, Name::Red, {}, BackgroundPattern::BoxStack, Rgb(0xFF, 0xDD, 0xDD), Rgb(160, 40, 40))},
        {210, Look(6, Name::Gold, {}, BackgroundPattern::MirroredColumns, Rgb(0, 0, 0xFA), 0x00FFFF)},
        // "unto" is no "unito", so "vuoto" has nothing to hollow.
        {211, Look(6, Name::Green, {}, BackgroundPattern::MirroredColumnsReversed, Name::Grey, 0,
                   DotStyle::Rounded, "unto vuoto cerchio")},
        {212, Look(6, Name::Gold, none, BackgroundPattern::BoxStack, none, 0, DotStyle::ShowUnlit, "fondo")},
        {213,
         Look(6, Name::Green, {}, BackgroundPattern::Picture, black, 0xFFFFFF, DotStyle::Joined, "unito")},
        {602, Look(6, Name::Green, {}, BackgroundPattern::RowsFromBottom, Name::BlueButton, 0x00FF00)},
        {702, Look(6, Name::Gold, none, BackgroundPattern::BoxStack, none, 0x00FF00)},
        {703, Look(8, Name::Green, {}, BackgroundPattern::Picture, black, 0)},
        {704, Look(10, Rgb(0xAF, 0xFF, 0xFF), {}, BackgroundPattern::BoxStack, Rgb(0xAF, 0xFF, 0xFF), 0)},
        {705, Look(3, Name::Red, {}, BackgroundPattern::MirroredRows, Name::RedButton, 0)},
    };
    const std::vector<DemoDisplay>& displays = DemoDisplays();
    ASSERT_EQ(displays.size(), std::size(expected));
    for (std::size_t i = 0; i < displays.size(); ++i) {
        const dialog::DisplaySettings& s = displays[i].settings;
        SCOPED_TRACE(displays[i].id);
        EXPECT_EQ(displays[i].id, expected[i].id);
        const dialog::KeywordLook look = dialog::LookOfKeywords(s.frameWidth, s.frameColour, s.inkColour,
                                                                s.styleWords, s.backColour, s.backStyle);
        EXPECT_EQ(look.frame, expected[i].look.frame);
        EXPECT_EQ(look.background, expected[i].look.background);
        EXPECT_EQ(look.ink, expected[i].look.ink);
        EXPECT_EQ(look.dots, expected[i].look.dots);
        EXPECT_EQ(look.label, expected[i].look.label);
    }
}

}  // namespace
}  // namespace app
