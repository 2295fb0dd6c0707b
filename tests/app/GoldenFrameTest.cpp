// Whole frames of the demo compared with committed golden images, exactly.
// The style texts printed in the corners of four displays come from the
// machine's fonts: each is masked over its extent as measured with the
// display's own font. Regenerate the images only on purpose:
//   make update-golden

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/Demo.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Keywords.h"
#include "dialog/LocalClock.h"
#include "instruments/Png.h"
#include "instruments/Surface.h"

namespace app {
namespace {

struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Where the style texts land: each display's text, blanks trimmed, measured
// with the display's font from its top-left corner.
std::vector<Area> LabelAreas() {
    std::vector<Area> areas;
    for (const DemoDisplay& display : DemoDisplays()) {
        const std::string_view label = dialog::LabelOf(display.settings.styleWords);
        if (label.empty() || !dialog::Attach(mainDialog, display.id, dialog::Buffering::Buffered)) {
            continue;
        }
        const instruments::Size extent = dialog::TextSize(label);
        EXPECT_GT(extent.width, 0) << "display " << display.id;
        areas.push_back({display.x, display.y, display.x + extent.width, display.y + extent.height});
    }
    EXPECT_EQ(areas.size(), 4u);  // 207, 211, 212 and 213
    return areas;
}

struct Frame {
    instruments::Surface pixels;
    std::vector<Area> masked;
};

// Runs start-up and `ticks` timer ticks headless, tick k reading the clock at
// `start` + (k - 1) x 40 ms, and returns the last presented client area.
Frame RunFrames(instruments::LocalTime start, int ticks) {
    FollowVirtualTime(((start.hour * 60LL + start.minute) * 60 + start.second) * 1000 + start.millisecond);
    Frame frame;
    instruments::HeadlessOptions options;
    options.spanMs = static_cast<std::int64_t>(ticks) * kTickMs;
    options.onPresent = [&](const instruments::Surface& client, std::int64_t) { frame.pixels = client; };
    dialog::UseHeadlessDialogs(options);
    levelCounter = 0.0f;
    EXPECT_EQ(chdir(INSTRUMENTS_SOURCE_DIR "/assets"), 0);
    EXPECT_NE(StartUp(), 0);
    frame.masked = LabelAreas();
    dialog::DialogShowModal(mainDialog, DemoEventHandler);
    dialog::SetLocalClockSource({});
    return frame;
}

void CompareWithGolden(const Frame& run, const std::string& name) {
    const instruments::Surface& frame = run.pixels;
    const std::string golden = std::string(INSTRUMENTS_SOURCE_DIR) + "/tests/app/golden/" + name;
    if (std::getenv("INSTRUMENTS_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(instruments::bitmap::WritePng(frame, golden));
        GTEST_SKIP() << "golden image rewritten: " << golden;
    }
    const auto expected = instruments::bitmap::ReadPng(golden);
    ASSERT_TRUE(expected.has_value()) << "missing golden image " << golden << " (make update-golden)";
    ASSERT_EQ(frame.width(), expected->width());
    ASSERT_EQ(frame.height(), expected->height());
    instruments::Surface diff(frame.width(), frame.height());
    int differing = 0;
    std::string first;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const instruments::Pixel want = expected->At(x, y);
            diff.SetPixel(x, y, (want >> 2) & 0x3F3F3F);
            const bool masked = std::any_of(run.masked.begin(), run.masked.end(),
                                            [&](const Area& area) { return area.Holds(x, y); });
            if (masked || frame.At(x, y) == want) {
                continue;
            }
            if (differing++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first difference at (%d, %d): %06X, golden %06X", x, y,
                              frame.At(x, y), want);
                first = text;
            }
            diff.SetPixel(x, y, 0xFF0000);
        }
    }
    if (differing != 0) {
        // Failure images go into the build tree, beside the test programs.
        const std::string folder = std::string(INSTRUMENTS_BUILD_DIR) + "/golden-failures";
        std::filesystem::create_directories(folder);
        const std::string actualPath = folder + "/" + name + ".actual.png";
        const std::string diffPath = folder + "/" + name + ".diff.png";
        instruments::bitmap::WritePng(frame, actualPath);
        instruments::bitmap::WritePng(diff, diffPath);
        ADD_FAILURE() << differing << " pixels differ; " << first << "; frame: " << actualPath
                      << ", diff: " << diffPath;
    }
}

TEST(GoldenFrame, AfterThreeTicksPastHalfPastTwelve) {
    CompareWithGolden(RunFrames({12, 34, 56, 789}, 3), "frame-123456-3ticks.png");
}

TEST(GoldenFrame, FiveSecondsAfterMidnightShowsAFourCharacterReadout) {
    CompareWithGolden(RunFrames({0, 0, 5, 500}, 1), "frame-000005-1tick.png");
}

TEST(GoldenFrame, LevelAfterSeventyTicksNearElevenAtNight) {
    CompareWithGolden(RunFrames({23, 59, 58, 0}, 70), "frame-235958-70ticks.png");
}

}  // namespace
}  // namespace app
