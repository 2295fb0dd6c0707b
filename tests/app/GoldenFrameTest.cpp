// Whole frames of the demo compared with committed golden images, exactly.
// The style texts printed in the corners of four displays come from the
// machine's fonts and are masked. Regenerate the images only on purpose:
//   make update-golden

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/Demo.h"
#include "canvas/Dialog.h"
#include "canvas/LocalClock.h"
#include "canvas/bitmap/PngFile.h"
#include "canvas/surface/Surface.h"

namespace app {
namespace {

// Runs start-up and `ticks` timer ticks headless, tick k reading the clock at
// `start` + (k - 1) x 40 ms, and returns the last presented client area.
canvas::Surface RunFrames(canvas::LocalTime start, int ticks) {
    FollowVirtualTime(((start.hour * 60LL + start.minute) * 60 + start.second) * 1000 + start.millisecond);
    canvas::Surface last;
    canvas::HeadlessOptions options;
    options.spanMs = static_cast<std::int64_t>(ticks) * kTickMs;
    options.onPresent = [&](const canvas::Surface& client, std::int64_t) { last = client; };
    canvas::UseHeadlessDialogs(options);
    levelCounter = 0.0f;
    EXPECT_EQ(chdir(INSTRUMENTS_SOURCE_DIR "/assets"), 0);
    EXPECT_NE(StartUp(), 0);
    canvas::DialogShowModal(mainDialog, DemoEventHandler);
    canvas::SetLocalClockSource({});
    return last;
}

// The corner where a display prints its style text, in client coordinates.
bool Masked(int x, int y) {
    for (int top : {10, 246, 305, 364}) {
        if (x >= 10 && x < 100 && y >= top && y < top + 20) {
            return true;
        }
    }
    return false;
}

void CompareWithGolden(const canvas::Surface& frame, const std::string& name) {
    const std::string golden = std::string(INSTRUMENTS_SOURCE_DIR) + "/tests/app/golden/" + name;
    if (std::getenv("INSTRUMENTS_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(canvas::bitmap::WritePng(frame, golden));
        GTEST_SKIP() << "golden image rewritten: " << golden;
    }
    const auto expected = canvas::bitmap::ReadPng(golden);
    ASSERT_TRUE(expected.has_value()) << "missing golden image " << golden << " (make update-golden)";
    ASSERT_EQ(frame.width(), expected->width());
    ASSERT_EQ(frame.height(), expected->height());
    canvas::Surface diff(frame.width(), frame.height());
    int differing = 0;
    std::string first;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const canvas::Pixel want = expected->At(x, y);
            diff.SetPixel(x, y, (want >> 2) & 0x3F3F3F);
            if (Masked(x, y) || frame.At(x, y) == want) {
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
        const std::string actualPath = "/tmp/" + name + ".actual.png";
        const std::string diffPath = "/tmp/" + name + ".diff.png";
        canvas::bitmap::WritePng(frame, actualPath);
        canvas::bitmap::WritePng(diff, diffPath);
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
