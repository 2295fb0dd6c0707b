// Settings the instruments cannot use are refused with a message that names
// the field and its limit; usable ones at the limits are taken.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "instruments/AnalogClock.h"
#include "instruments/Face.h"
#include "instruments/LevelMeter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

namespace instruments {
namespace {

// The message of the SettingsError the call throws, or "" when it throws none.
std::string Refusal(const std::function<void()>& call) {
    try {
        call();
    } catch (const SettingsError& error) {
        return error.what();
    }
    return "";
}

TEST(Settings, AFrameWidthMustBeNonNegativeAndLeaveAnInside) {
    const auto text = [](Size size, int width) {
        return Refusal([&] { TextDisplay(size, {.frame = {.width = width, .colour = "gold"}}); });
    };
    EXPECT_EQ(text({210, 55}, -1), "frame.width -1 is negative: it must be 0 or more");
    // 55 high: 27 rings leave one row inside, 28 none.
    EXPECT_EQ(text({210, 55}, 27), "");
    EXPECT_EQ(text({210, 55}, 28), "frame.width 28 leaves no inside in a 210 x 55 face: it must be below 28");
    EXPECT_EQ(text({40, 80}, 20), "frame.width 20 leaves no inside in a 40 x 80 face: it must be below 20");
    EXPECT_EQ(text({40, 80}, 0), "");

    // Every instrument applies the same rule.
    EXPECT_NE(Refusal([] { AnalogClock({80, 80}, {.frame = {.width = 40}}); }), "");
    EXPECT_EQ(Refusal([] { AnalogClock({80, 80}, {.frame = {.width = 39}}); }), "");
    EXPECT_NE(Refusal([] { LevelMeter({210, 55}, {.frame = {.width = -6}}); }), "");
    EXPECT_NE(Refusal([] {
                  Switch({80, 40}, {.frame = {.width = -1}});
              }).find("frame.width -1"),
              std::string::npos);
    EXPECT_EQ(Refusal([] { Switch({80, 40}, {.frame = {.width = 0}}); }), "");
}

TEST(Settings, AFaceFromElsewhereIsCheckedAtItsOwnSize) {
    const PixelBlock face = PixelBlock::FromSurface(Surface(30, 12));
    EXPECT_NE(Refusal([&] { TextDisplay({.frame = {.width = 6}}, face); }).find("30 x 12"),
              std::string::npos);
    EXPECT_EQ(Refusal([&] { TextDisplay({.frame = {.width = 5}}, face); }), "");
    EXPECT_NE(Refusal([&] { LevelMeter({.frame = {.width = 6}}, face); }), "");
    // Without a face only the sign counts.
    EXPECT_EQ(Refusal([] { AnalogClock({.frame = {.width = 500}}, PixelBlock{}); }), "");
    EXPECT_NE(Refusal([] { AnalogClock({.frame = {.width = -1}}, PixelBlock{}); }), "");
}

TEST(Settings, SizesNoSurfaceTakesAreRefusedWithTheSurfacesReason) {
    for (const Size size : {Size{-1, 10}, Size{Surface::kMaxSide + 1, 2}, Size{9000, 9000}}) {
        EXPECT_EQ(Refusal([&] { TextDisplay(size, {}); }), Surface::SizeError(size.width, size.height));
        EXPECT_NE(Surface::SizeError(size.width, size.height), "");
    }
    // An empty face is a face.
    EXPECT_EQ(Refusal([] { TextDisplay({0, 55}, {.frame = {.width = 6}}); }), "");
}

TEST(Settings, HollowDotsMustBeJoined) {
    EXPECT_NE(Refusal([] {
                  TextDisplay({60, 30}, {.dots = DotStyle::Hollow});
              }).find("DotStyle::Joined"),
              std::string::npos);
    EXPECT_EQ(Refusal([] { TextDisplay({60, 30}, {.dots = DotStyle::Hollow | DotStyle::Joined}); }), "");
}

TEST(Settings, ABadColourTextIsRefusedWhereTheSettingsAreWritten) {
    EXPECT_NE(Refusal([] {
                  TextDisplay({60, 30}, {.frame = {.width = 2, .colour = "goldd"}});
              }).find("nearest: \"gold\""),
              std::string::npos);
}

TEST(Settings, TheLabelIsOnlyWhatItSays) {
    const Frame frame{.width = 2, .colour = "grey"};
    const Background background{.pattern = BackgroundPattern::MirroredRows, .colour = "grey"};
    const auto paint = [&](const std::string& label) {
        TextDisplay display(
            {90, 30}, {.frame = frame, .background = background, .dots = DotStyle::Joined, .label = label});
        Surface surface(90, 30);
        Painter painter(surface);
        display.Paint(painter);
        return surface;
    };
    const Surface plain = paint("");
    Surface face(90, 30);
    Painter onFace(face);
    onFace.SetBits(PaintFace({90, 30}, frame, background));
    // No label: the joined dots' style gives no text of its own.
    EXPECT_TRUE(plain.SamePixels(face));
    EXPECT_FALSE(paint("JOINED").SamePixels(face));
}

}  // namespace
}  // namespace instruments
