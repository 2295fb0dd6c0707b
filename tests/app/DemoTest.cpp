#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "app/Demo.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "instruments/Surface.h"
#include "widgets/TextLayout.h"

namespace app {
namespace {

TEST(SecondsText, RoundsTheExactDecimalValueWithTiesToEven) {
    EXPECT_EQ(SecondsSinceMidnightText({0, 1, 5, 500}), "65.50");
    EXPECT_EQ(SecondsSinceMidnightText({0, 1, 5, 505}), "65.50");
    EXPECT_EQ(SecondsSinceMidnightText({0, 1, 5, 515}), "65.52");
    EXPECT_EQ(SecondsSinceMidnightText({0, 1, 5, 506}), "65.51");
    EXPECT_EQ(SecondsSinceMidnightText({0, 0, 2, 675}), "2.68");  // a binary double would say 2.67
    EXPECT_EQ(SecondsSinceMidnightText({0, 0, 0, 500}), "0.50");
    EXPECT_EQ(SecondsSinceMidnightText({0, 0, 0, 4}), "0.00");
    EXPECT_EQ(SecondsSinceMidnightText({0, 0, 5, 500}), "5.50");
    EXPECT_EQ(SecondsSinceMidnightText({2, 46, 40, 0}), "10000.00");
    EXPECT_EQ(SecondsSinceMidnightText({23, 59, 59, 999}), "86400.00");
    EXPECT_EQ(SecondsSinceMidnightText({23, 59, 59, 994}), "86399.99");
}

TEST(TimeOfDay, IsTwoDigitsEach) {
    EXPECT_EQ(TimeOfDayText({9, 5, 7, 999}), "09:05:07");
    EXPECT_EQ(TimeOfDayText({23, 59, 0, 0}), "23:59:00");
}

class DemoRun : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog::SetLocalClockSource([] { return instruments::LocalTime{12, 34, 56, 789}; });
    }
    void TearDown() override { dialog::SetLocalClockSource({}); }
};

TEST_F(DemoRun, StartUpPlacesTheTwelveDisplaysInThreeColumns) {
    dialog::UseHeadlessDialogs({});
    ASSERT_NE(StartUp(), 0);
    struct Place {
        int id, x, y, width, height;
    };
    const std::vector<Place> places = {
        {207, 10, 10, 210, 55},   {208, 10, 69, 210, 55},    {209, 10, 128, 210, 55}, {210, 10, 187, 210, 55},
        {211, 10, 246, 210, 55},  {212, 10, 305, 210, 55},   {213, 10, 364, 210, 55}, {602, 10, 423, 210, 55},
        {702, 250, 10, 180, 180}, {703, 250, 194, 180, 180}, {704, 450, 10, 80, 80},  {705, 450, 94, 80, 80}};
    const instruments::Surface* client = dialog::ComposeClientArea(mainDialog);
    ASSERT_NE(client, nullptr);
    for (const Place& place : places) {
        int width = 0, height = 0;
        dialog::ControlGetSize(mainDialog, place.id, width, height);
        EXPECT_EQ(width, place.width) << place.id;
        EXPECT_EQ(height, place.height) << place.id;
        const instruments::Surface* face = dialog::ControlSurface(mainDialog, place.id);
        ASSERT_NE(face, nullptr);
        // The composed client area shows each face at its place.
        EXPECT_EQ(client->At(place.x, place.y), face->At(0, 0)) << place.id;
        EXPECT_EQ(client->At(place.x + width - 1, place.y + height - 1), face->At(width - 1, height - 1))
            << place.id;
        EXPECT_FALSE(dialog::BackgroundOf(place.id)->empty()) << place.id;
    }
    EXPECT_EQ(dialog::RecordOf(704)->frameWidth, 10);
}

TEST_F(DemoRun, HandlerResultsAndTheLevelCycle) {
    dialog::UseHeadlessDialogs({});
    ASSERT_NE(StartUp(), 0);
    levelCounter = 0.0f;
    EXPECT_EQ(DemoEventHandler(mainDialog, instruments::kEventTimer, 1, 0), 1);
    EXPECT_EQ(levelCounter, 1.0f);
    for (int tick = 2; tick <= 100; ++tick) {
        DemoEventHandler(mainDialog, instruments::kEventTimer, 1, 0);
    }
    EXPECT_EQ(levelCounter, 0.0f);
    // Another timer id is accepted and ignored.
    EXPECT_EQ(DemoEventHandler(mainDialog, instruments::kEventTimer, 2, 0), 1);
    EXPECT_EQ(levelCounter, 0.0f);
    // Commands other than 402 (the cancel command 2 among them) leave the dialog open.
    const int beeps = dialog::BeepCount();
    EXPECT_EQ(DemoEventHandler(mainDialog, instruments::kEventCommand, 2, 0), 0);
    EXPECT_EQ(dialog::BeepCount(), beeps);
    EXPECT_EQ(DemoEventHandler(mainDialog, 0x0200, 0, 0), 0);
}

TEST_F(DemoRun, CommandFourHundredTwoBeepsAndEndsWithZero) {
    instruments::HeadlessOptions options;
    options.spanMs = 1000;
    dialog::UseHeadlessDialogs(options);
    ASSERT_NE(StartUp(), 0);
    const int beeps = dialog::BeepCount();
    int ticks = 0;
    const auto result = dialog::DialogShowModal(
        mainDialog,
        [&](dialog::DialogHandle d, int event, std::uintptr_t w, std::intptr_t l) -> std::intptr_t {
            if (event == instruments::kEventTimer && ++ticks == 2) {
                return DemoEventHandler(d, instruments::kEventCommand, (1u << 16) | 402u, 0);
            }
            return DemoEventHandler(d, event, w, l);
        });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(dialog::BeepCount(), beeps + 1);
}

// The frames presented by a headless run of the demo, with their virtual times,
// the clock following virtual time from 12:34:56.
struct Frame {
    std::int64_t at;
    instruments::Surface clientArea;
};

std::vector<Frame> RunDemo(instruments::HeadlessOptions options) {
    std::vector<Frame> frames;
    options.onPresent = [&frames](const instruments::Surface& client, std::int64_t at) {
        frames.push_back({at, client});
    };
    dialog::UseHeadlessDialogs(options);
    FollowVirtualTime((12 * 3600 + 34 * 60 + 56) * 1000LL);
    levelCounter = 0.0f;
    if (StartUp() == 0) {
        ADD_FAILURE() << dialog::LastDialogError();
        return frames;
    }
    dialog::DialogShowModal(mainDialog, DemoEventHandler);
    return frames;
}

std::vector<Frame> RunDemo(std::vector<instruments::HeadlessOptions::Resize> resizes) {
    instruments::HeadlessOptions options;
    options.spanMs = 200;
    options.resizes = std::move(resizes);
    return RunDemo(std::move(options));
}

const Frame* FrameAt(const std::vector<Frame>& frames, std::int64_t at) {
    for (const Frame& frame : frames) {
        if (frame.at == at) {
            return &frame;
        }
    }
    return nullptr;
}

// While the window cannot be seen the timer fires at most once a second and
// its ticks paint nothing; nothing is presented. Exposed again, the late tick
// paints at once, and from the next tick on every display but the level meter
// (whose level counts ticks) shows what a run that was never hidden shows.
TEST_F(DemoRun, AHiddenWindowPaintsNothingAndCatchesUpWhenShownAgain) {
    instruments::HeadlessOptions plain;
    plain.spanMs = 1000;
    instruments::HeadlessOptions hiding = plain;
    hiding.hidden = {{100, 700}};
    const std::vector<Frame> shown = RunDemo(plain);
    const std::vector<Frame> hidden = RunDemo(hiding);
    // Ticks at 40, 80 and 120 (hidden since 100), one late at 700, then 720 .. 1000.
    EXPECT_EQ(levelCounter, 12.0f);

    const std::vector<DemoDisplay> displays = DemoDisplays();
    const auto meter = std::find_if(displays.begin(), displays.end(),
                                    [](const DemoDisplay& display) { return display.id == 602; });
    ASSERT_NE(meter, displays.end());
    const auto sameBesideTheMeter = [&](const instruments::Surface& a, const instruments::Surface& b) {
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const bool inMeter = x >= meter->x && x < meter->x + meter->width && y >= meter->y &&
                                     y < meter->y + meter->height;
                if (!inMeter && a.At(x, y) != b.At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    int compared = 0;
    for (const Frame& frame : hidden) {
        EXPECT_FALSE(frame.at >= 100 && frame.at < 700) << "presented while hidden, at " << frame.at;
        if (frame.at > 700) {
            const Frame* expected = FrameAt(shown, frame.at);
            ASSERT_NE(expected, nullptr) << frame.at;
            EXPECT_TRUE(sameBesideTheMeter(frame.clientArea, expected->clientArea))
                << "frame at " << frame.at;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 8);                    // the ticks at 720, 760, ..., 1000
    EXPECT_NE(FrameAt(hidden, 700), nullptr);  // the exposure shows the late tick's paint
}

TEST_F(DemoRun, ResizingTheWindowChangesNothingOnTheDisplays) {
    const std::vector<Frame> still = RunDemo(std::vector<instruments::HeadlessOptions::Resize>{});
    const std::vector<Frame> resized = RunDemo({{100, 320, 240}, {150, 1400, 900}});
    ASSERT_EQ(still.size(), 6u);  // the start and ticks at 40, 80, ..., 200
    // Each resize shows the client area again: two frames more, at 100 and 150.
    ASSERT_EQ(resized.size(), still.size() + 2);
    for (const Frame& frame : resized) {
        // The frame of the run without resizes that was showing at that time.
        const Frame* expected = nullptr;
        for (const Frame& candidate : still) {
            if (candidate.at <= frame.at) {
                expected = &candidate;
            }
        }
        ASSERT_NE(expected, nullptr);
        EXPECT_TRUE(frame.clientArea.SamePixels(expected->clientArea)) << "frame at " << frame.at;
    }
}

// A tick reads the clock once: with a clock that moves on one second at every
// read, every display still shows the time of that one read.
TEST_F(DemoRun, EveryDisplayOfATickShowsTheOneReadingOfTheClock) {
    dialog::UseHeadlessDialogs({});
    ASSERT_NE(StartUp(), 0);
    const int start = 12 * 3600 + 34 * 60;
    int reads = 0;
    dialog::SetLocalClockSource([&reads, start] {
        const int t = start + reads++;
        return instruments::LocalTime{t / 3600, t / 60 % 60, t % 60, 250};
    });
    Tick(mainDialog);
    ASSERT_EQ(reads, 1);

    const int ids[] = {207, 208, 209, 210, 211, 702, 703, 704, 705};
    std::vector<instruments::Surface> shown;
    for (const int id : ids) {
        shown.push_back(*dialog::ControlSurface(mainDialog, id));
    }
    // Repaint each display alone at the tick's time, and at the second
    // before, which must look different.
    auto paintAt = [](int id, int t) {
        const instruments::LocalTime time{t / 3600, t / 60 % 60, t % 60, 250};
        dialog::SetLocalClockSource([time] { return time; });
        switch (id) {
            case 207:
                dialog::PaintDisplayText(mainDialog, id,
                                         instruments::ToSegmentDigits(SecondsSinceMidnightText(time)));
                break;
            case 208:
                dialog::PaintDisplayText(mainDialog, id, instruments::ToSegmentDigits(TimeOfDayText(time)));
                break;
            case 702:
            case 703:
            case 704:
            case 705:
                dialog::PaintClock(mainDialog, id, id == 702 ? 0 : id == 703 ? -1 : id - 703);
                break;
            default:
                dialog::PaintDisplayText(mainDialog, id, TimeOfDayText(time));
        }
        return *dialog::ControlSurface(mainDialog, id);
    };
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_TRUE(paintAt(ids[i], start).SamePixels(shown[i])) << ids[i];
        EXPECT_FALSE(paintAt(ids[i], start - 1).SamePixels(shown[i])) << ids[i];
    }
}

}  // namespace
}  // namespace app
