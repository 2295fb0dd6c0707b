#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Surface.h"

namespace dialog {
namespace {

using namespace instruments;
using dialog::Buffering;
using dialog::Source;

struct Event {
    int event;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::int64_t at;
};

DialogHandle NewHeadlessDialog(std::int64_t spanMs, HeadlessOptions options = {}) {
    options.spanMs = spanMs;
    UseHeadlessDialogs(std::move(options));
    return DialogNew(kDialogPixels, 0, "test", -1, -1, 700, 500, 0, 0);
}

TEST(DialogEngine, DeliversInitialisationSizeThenTimersAtTheirVirtualTimes) {
    const DialogHandle dialog = NewHeadlessDialog(200);
    ASSERT_NE(dialog, 0);
    std::vector<Event> events;
    const auto result =
        DialogShowModal(dialog, [&](DialogHandle d, int event, std::uintptr_t w, std::intptr_t l) {
            events.push_back({event, w, l, HeadlessVirtualTime()});
            if (event == kEventInitDialog) {
                SetTimer(d, 1, 40);
                SetTimer(d, 7, 100);
            }
            return std::intptr_t{1};
        });
    EXPECT_EQ(result, 0);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].event, kEventInitDialog);
    EXPECT_EQ(events[1].event, kEventSize);
    EXPECT_EQ(events[1].lParam, 700 | (500 << 16));

    std::vector<std::pair<std::uintptr_t, std::int64_t>> timers;
    for (std::size_t i = 2; i < events.size(); ++i) {
        ASSERT_EQ(events[i].event, kEventTimer);
        timers.emplace_back(events[i].wParam, events[i].at);
    }
    const std::vector<std::pair<std::uintptr_t, std::int64_t>> expected = {
        {1, 40}, {1, 80}, {7, 100}, {1, 120}, {1, 160}, {1, 200}, {7, 200}};
    EXPECT_EQ(timers, expected);
    // The dialog is gone with its controls once the modal show returns.
    EXPECT_EQ(ControlSurface(dialog, 1), nullptr);
    EXPECT_FALSE(Attach(dialog, 1, Buffering::Buffered));
}

// A timer whose wait comes back late fires once, however many periods it
// missed, and its later deadlines stay on the grid of its period from SetTimer.
// The dialog runs until the first deadline past 300 ms.
TEST(DialogEngine, LateTimerFiresOnceAndKeepsItsDeadlines) {
    struct Case {
        std::int64_t lateMs;
        std::vector<std::int64_t> expectedAt;
    };
    const Case cases[] = {
        // Deadlines 40, 80, 120, ...: each event 15 ms after one.
        {15, {55, 95, 135, 175, 215, 255, 295}},
        // Woken at 90, the deadlines 40 and 80 have passed: one event, then
        // the next deadline is 120 (not 130), woken at 170, and so on.
        {50, {90, 170, 250, 330}},
        // More than two periods late: 40, 80 and 120 give one event at 125;
        // then 160 at 245 and 280 at 365 (the span bounds the deadlines waited
        // for, not the late wake-ups).
        {85, {125, 245, 365}},
    };
    for (const Case& c : cases) {
        HeadlessOptions options;
        options.lateWakeMs = c.lateMs;
        const DialogHandle dialog = NewHeadlessDialog(300, options);
        ASSERT_NE(dialog, 0);
        std::vector<std::int64_t> at;
        DialogShowModal(dialog, [&](DialogHandle d, int event, std::uintptr_t, std::intptr_t) {
            if (event == kEventInitDialog) {
                SetTimer(d, 1, 40);
            } else if (event == kEventTimer) {
                at.push_back(HeadlessVirtualTime());
            }
            return std::intptr_t{1};
        });
        EXPECT_EQ(at, c.expectedAt) << "late by " << c.lateMs;
    }
}

TEST(DialogEngine, HeadlessResizeSendsASizeEventAndShowsTheClientAreaAgain) {
    HeadlessOptions options;
    std::vector<std::int64_t> presentedAt;
    options.onPresent = [&](const Surface&, std::int64_t virtualMs) { presentedAt.push_back(virtualMs); };
    options.resizes = {{30, 320, 240}};
    const DialogHandle dialog = NewHeadlessDialog(100, options);
    ASSERT_NE(dialog, 0);
    std::vector<Event> sizes;
    DialogShowModal(dialog, [&](DialogHandle, int event, std::uintptr_t w, std::intptr_t l) {
        if (event == kEventSize) {
            sizes.push_back({event, w, l, HeadlessVirtualTime()});
        }
        return std::intptr_t{0};
    });
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].lParam, 700 | (500 << 16));
    EXPECT_EQ(sizes[1].lParam, 320 | (240 << 16));
    EXPECT_EQ(sizes[1].at, 30);
    // Shown once at start and again after the resize, though nothing was redrawn.
    EXPECT_EQ(presentedAt, (std::vector<std::int64_t>{0, 30}));
}

TEST(DialogEngine, HandlerCanEndTheDialogAndUnhandledCloseEndsWithZero) {
    const DialogHandle dialog = NewHeadlessDialog(10000);
    int ticks = 0;
    const auto result =
        DialogShowModal(dialog, [&](DialogHandle d, int event, std::uintptr_t, std::intptr_t) {
            if (event == kEventInitDialog) {
                SetTimer(d, 1, 40);
            } else if (event == kEventTimer && ++ticks == 3) {
                DialogEnd(d, 42);
            }
            return std::intptr_t{1};
        });
    EXPECT_EQ(result, 42);
    EXPECT_EQ(ticks, 3);
}

TEST(DialogEngine, ClicksOnNotifyingControlsAndEscapeBecomeCommands) {
    HeadlessOptions options;
    using Kind = HeadlessOptions::Input::Kind;
    options.inputs = {{10, Kind::Click, 15, 15},    // control 7, which notifies
                      {20, Kind::Click, 45, 15},    // control 8 over control 7: 8 is on top
                      {30, Kind::Click, 75, 15},    // control 9, made without the notify style
                      {40, Kind::Click, 300, 300},  // no control there
                      {50, Kind::Escape}};
    const DialogHandle dialog = NewHeadlessDialog(100, options);
    ASSERT_TRUE(dialog::ControlAddGraphic(dialog, 7, "", 10, 10, 40, 20, kNotifyStyle));
    ASSERT_TRUE(dialog::ControlAddGraphic(dialog, 8, "", 40, 10, 20, 20, kNotifyStyle));
    ASSERT_TRUE(dialog::ControlAddGraphic(dialog, 9, "", 70, 10, 20, 20, 0));
    std::vector<std::uintptr_t> commands;
    dialog::DialogShowModal(dialog, [&](DialogHandle, int event, std::uintptr_t wParam, std::intptr_t) {
        if (event == kEventCommand) {
            commands.push_back(wParam);
        }
        return std::intptr_t{0};
    });
    const std::vector<std::uintptr_t> expected = {7, 8, kCommandCancel};
    EXPECT_EQ(commands, expected);
}

TEST(DialogEngine, UserSlotsWrapOntoEightSlots) {
    const DialogHandle dialog = NewHeadlessDialog(0);
    ASSERT_TRUE(ControlAddGraphic(dialog, 5, "", 0, 0, 10, 10, 0));
    SetUser(dialog, 5, 9, 123);
    EXPECT_EQ(GetUser(dialog, 5, 1), 123);
    SetUser(dialog, 5, 0, 77);
    EXPECT_EQ(GetUser(dialog, 5, 8), 77);
    SetUser(dialog, kDialogItself, 2, 5);
    EXPECT_EQ(GetUser(dialog, kDialogItself, 10), 5);
    EXPECT_EQ(GetUser(dialog, 5, 2), 0);
    EXPECT_EQ(GetUser(dialog, 6, 1), 0);
    EXPECT_EQ(GetUser(0, 5, 1), 0);
}

TEST(DialogEngine, PresentsOnlyAfterARedrawAndShowsUnbufferedDrawingAtOnce) {
    std::vector<Pixel> presentedCorner;
    HeadlessOptions options;
    options.onPresent = [&](const Surface& client, std::int64_t) {
        presentedCorner.push_back(client.At(10, 10));
    };
    const DialogHandle dialog = NewHeadlessDialog(160, options);
    ASSERT_TRUE(ControlAddGraphic(dialog, 3, "", 10, 10, 20, 20, 0));
    int tick = 0;
    DialogShowModal(dialog, [&](DialogHandle d, int event, std::uintptr_t, std::intptr_t) {
        if (event == kEventInitDialog) {
            SetTimer(d, 1, 40);
        }
        if (event != kEventTimer) {
            return std::intptr_t{0};
        }
        ++tick;
        if (tick == 1) {  // buffered, no Redraw: nothing to present
            Attach(d, 3, Buffering::Buffered);
            SetPixel(0, 0, 0x0000FF);
        } else if (tick == 2) {  // Redraw presents the buffered change
            Attach(d, 3, Buffering::Buffered);
            Redraw();
        } else if (tick == 3) {  // unbuffered drawing shows without Redraw
            Attach(d, 3, Buffering::Unbuffered);
            SetPixel(0, 0, 0x00FF00);
        }
        return std::intptr_t{1};
    });
    const std::vector<Pixel> expected = {PixelFromColour(0xF0F0F0), PixelFromColour(0x0000FF),
                                         PixelFromColour(0x00FF00)};
    EXPECT_EQ(presentedCorner, expected);
}

TEST(DialogEngine, OverlappingControlsKeepTheirOrderWhenAnEarlierOneIsRedrawn) {
    const DialogHandle dialog = NewHeadlessDialog(0);
    ASSERT_TRUE(ControlAddGraphic(dialog, 1, "", 0, 0, 10, 10, 0));
    ASSERT_TRUE(ControlAddGraphic(dialog, 2, "", 5, 5, 10, 10, 0));
    Attach(dialog, 1, Buffering::Buffered);
    Box(0, 0, 10, 10, 0, 0x0000FF, 0x0000FF, 0);
    Redraw();
    Attach(dialog, 2, Buffering::Buffered);
    Box(0, 0, 10, 10, 0, 0x00FF00, 0x00FF00, 0);
    Redraw();
    ComposeClientArea(dialog);
    Attach(dialog, 1, Buffering::Buffered);
    Redraw();
    const Surface* client = ComposeClientArea(dialog);
    EXPECT_EQ(client->At(7, 7), PixelFromColour(0x00FF00));
    EXPECT_EQ(client->At(2, 2), PixelFromColour(0x0000FF));
}

TEST(DialogEngine, ExtremePositionsAndSlotNumbersAreHarmless) {
    const DialogHandle dialog = NewHeadlessDialog(0);
    ASSERT_TRUE(ControlAddGraphic(dialog, 1, "", INT32_MIN, INT32_MAX, 10, 10, 0));
    ASSERT_TRUE(ControlAddGraphic(dialog, 2, "", INT32_MAX, INT32_MIN, 10, 10, 0));
    EXPECT_NE(ComposeClientArea(dialog), nullptr);
    SetUser(dialog, 1, INT32_MIN, 9);
    EXPECT_EQ(GetUser(dialog, 1, 8), 9);
    // A size that cannot be a client area is refused, with the reason.
    EXPECT_EQ(DialogNew(0, 0, "units", INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0), 0);
    EXPECT_NE(LastDialogError().find("client area"), std::string::npos) << LastDialogError();
    EXPECT_FALSE(ControlAddGraphic(dialog, 3, "", 0, 0, 16384, 16384, 0));
    EXPECT_NE(LastDialogError().find("control 3"), std::string::npos) << LastDialogError();
    EXPECT_EQ(ControlSurface(dialog, 3), nullptr);
}

TEST(DialogEngine, WindowWithoutADisplayFailsWithAReasonNamingDisplay) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    UseWindowDialogs();
    EXPECT_EQ(DialogNew(kDialogPixels, 0, "x", -1, -1, 100, 100, 0, 0), 0);
    EXPECT_NE(LastDialogError().find("DISPLAY"), std::string::npos) << LastDialogError();
}

TEST(DialogEngine, BeepsAreCounted) {
    const int before = BeepCount();
    Beep();
    EXPECT_EQ(BeepCount(), before + 1);
}

}  // namespace
}  // namespace dialog
