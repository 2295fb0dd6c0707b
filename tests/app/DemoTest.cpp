#include <gtest/gtest.h>

#include <vector>

#include "app/Demo.h"
#include "canvas/Canvas.h"
#include "canvas/Dialog.h"
#include "canvas/LocalClock.h"
#include "display/DisplayRecord.h"

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
        canvas::SetLocalClockSource([] { return canvas::LocalTime{12, 34, 56, 789}; });
    }
    void TearDown() override { canvas::SetLocalClockSource({}); }
};

TEST_F(DemoRun, StartUpPlacesTheTwelveDisplaysInThreeColumns) {
    canvas::UseHeadlessDialogs({});
    ASSERT_NE(StartUp(), 0);
    struct Place {
        int id, x, y, width, height;
    };
    const std::vector<Place> places = {
        {207, 10, 10, 210, 55},   {208, 10, 69, 210, 55},    {209, 10, 128, 210, 55}, {210, 10, 187, 210, 55},
        {211, 10, 246, 210, 55},  {212, 10, 305, 210, 55},   {213, 10, 364, 210, 55}, {602, 10, 423, 210, 55},
        {702, 250, 10, 180, 180}, {703, 250, 194, 180, 180}, {704, 450, 10, 80, 80},  {705, 450, 94, 80, 80}};
    const canvas::Surface* client = canvas::ComposeClientArea(mainDialog);
    ASSERT_NE(client, nullptr);
    for (const Place& place : places) {
        int width = 0, height = 0;
        canvas::ControlGetSize(mainDialog, place.id, width, height);
        EXPECT_EQ(width, place.width) << place.id;
        EXPECT_EQ(height, place.height) << place.id;
        const canvas::Surface* face = canvas::ControlSurface(mainDialog, place.id);
        ASSERT_NE(face, nullptr);
        // The composed client area shows each face at its place.
        EXPECT_EQ(client->At(place.x, place.y), face->At(0, 0)) << place.id;
        EXPECT_EQ(client->At(place.x + width - 1, place.y + height - 1), face->At(width - 1, height - 1))
            << place.id;
        EXPECT_FALSE(display::BackgroundOf(place.id)->empty()) << place.id;
    }
    EXPECT_EQ(display::RecordOf(704)->frameWidth, 10);
}

TEST_F(DemoRun, HandlerResultsAndTheLevelCycle) {
    canvas::UseHeadlessDialogs({});
    ASSERT_NE(StartUp(), 0);
    levelCounter = 0.0f;
    EXPECT_EQ(DemoEventHandler(mainDialog, canvas::kEventTimer, 1, 0), 1);
    EXPECT_EQ(levelCounter, 1.0f);
    for (int tick = 2; tick <= 100; ++tick) {
        DemoEventHandler(mainDialog, canvas::kEventTimer, 1, 0);
    }
    EXPECT_EQ(levelCounter, 0.0f);
    // Another timer id is accepted and ignored.
    EXPECT_EQ(DemoEventHandler(mainDialog, canvas::kEventTimer, 2, 0), 1);
    EXPECT_EQ(levelCounter, 0.0f);
    // Commands other than 402 (the cancel command 2 among them) leave the dialog open.
    const int beeps = canvas::BeepCount();
    EXPECT_EQ(DemoEventHandler(mainDialog, canvas::kEventCommand, 2, 0), 0);
    EXPECT_EQ(canvas::BeepCount(), beeps);
    EXPECT_EQ(DemoEventHandler(mainDialog, 0x0200, 0, 0), 0);
}

TEST_F(DemoRun, CommandFourHundredTwoBeepsAndEndsWithZero) {
    canvas::HeadlessOptions options;
    options.spanMs = 1000;
    canvas::UseHeadlessDialogs(options);
    ASSERT_NE(StartUp(), 0);
    const int beeps = canvas::BeepCount();
    int ticks = 0;
    const auto result = canvas::DialogShowModal(
        mainDialog,
        [&](canvas::DialogHandle d, int event, std::uintptr_t w, std::intptr_t l) -> std::intptr_t {
            if (event == canvas::kEventTimer && ++ticks == 2) {
                return DemoEventHandler(d, canvas::kEventCommand, (1u << 16) | 402u, 0);
            }
            return DemoEventHandler(d, event, w, l);
        });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(canvas::BeepCount(), beeps + 1);
}

}  // namespace
}  // namespace app
