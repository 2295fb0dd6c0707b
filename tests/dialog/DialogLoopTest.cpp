// The modal loop under inputs that once broke it: time near the end of its
// range, handlers that compose by themselves, controls replaced by smaller
// ones, a second modal run, and sizes no surface can hold.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "canvas/window/Dialog.h"
#include "instruments/Surface.h"
#include "tests/support/MirrorBackend.h"

namespace instruments {
namespace {

constexpr std::int64_t kEndOfTime = std::numeric_limits<std::int64_t>::max();
constexpr Pixel kRed = PixelFromColour(0x0000FF);

std::unique_ptr<Dialog> MirroredDialog(const HeadlessOptions& options, Surface& screen, int width = 100,
                                       int height = 80) {
    std::string error;
    auto dialog = Dialog::Create(std::make_unique<testsupport::MirrorBackend>(options, screen), "loop", -1,
                                 -1, width, height, error);
    EXPECT_NE(dialog, nullptr) << error;
    return dialog;
}

// Near the end of virtual time, with a wake-up that comes late, a timer's next
// deadline would lie past the end: it saturates and never fires, and the loop
// ends with the span instead of spinning on a deadline that wrapped around.
TEST(DialogLoop, TimersNearTheEndOfTimeSaturateAndTheLoopEnds) {
    for (const std::int64_t late : {0, 7, 3'600'000}) {
        HeadlessOptions options;
        options.spanMs = kEndOfTime;
        options.lateWakeMs = late;
        // Escape late in time moves virtual time there; the timer starts then.
        options.inputs.push_back({kEndOfTime - 25, HeadlessOptions::Input::Kind::Escape});
        Surface screen;
        auto dialog = MirroredDialog(options, screen);
        ASSERT_NE(dialog, nullptr);
        int ticks = 0;
        dialog->ShowModal([&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
            if (event == kEventCommand) {
                dialog->SetTimer(1, 10);
            } else if (event == kEventTimer) {
                // Re-arming late in time must saturate too.
                dialog->SetTimer(2, 1'000'000);
                if (++ticks > 10) {
                    dialog->End(-1);  // a loop that no longer ends on its own
                }
            }
            return 1;
        });
        EXPECT_LE(ticks, 4) << "late " << late;
        EXPECT_GE(ticks, 1) << "late " << late;
        EXPECT_EQ(dialog->Now(), kEndOfTime) << "late " << late;
    }
}

TEST(DialogLoop, ATimerSetAtTheEndOfTimeNeverFires) {
    HeadlessOptions options;
    options.spanMs = kEndOfTime;
    options.inputs.push_back({kEndOfTime - 1, HeadlessOptions::Input::Kind::Escape});
    Surface screen;
    auto dialog = MirroredDialog(options, screen);
    int timers = 0;
    dialog->ShowModal([&](int event, std::uintptr_t wParam, std::intptr_t) -> std::intptr_t {
        if (event == kEventCommand && wParam == kCommandCancel) {
            dialog->SetTimer(5, 10);
        }
        timers += event == kEventTimer;
        return 1;
    });
    EXPECT_EQ(timers, 0);
}

// A handler that composes the client area itself after a redraw must not keep
// the window from showing the new pixels.
TEST(DialogLoop, WhatAHandlerComposedItselfStillReachesTheWindow) {
    HeadlessOptions options;
    options.spanMs = 200;
    Surface screen;
    auto dialog = MirroredDialog(options, screen);
    Control* control = dialog->AddControl(1, 10, 10, 20, 20, 0);
    ASSERT_NE(control, nullptr);
    dialog->ShowModal([&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        if (event == kEventInitDialog) {
            dialog->SetTimer(1, 40);
        } else if (event == kEventTimer) {
            control->canvas().surface().Fill(kRed);
            control->canvas().Redraw();
            dialog->ComposeClientArea();
        }
        return 1;
    });
    EXPECT_EQ(screen.At(15, 15), kRed);
    EXPECT_TRUE(screen.SamePixels(testsupport::FreshComposition(*dialog, 100, 80, std::to_array({1}))));
}

// Replacing a control by a smaller one under the same id uncovers what the old
// one covered: the button face and the controls below show there again.
TEST(DialogLoop, AControlReplacedByASmallerOneLeavesNoOldPixels) {
    HeadlessOptions options;
    options.spanMs = 200;
    Surface screen;
    auto dialog = MirroredDialog(options, screen);
    Control* below = dialog->AddControl(1, 0, 0, 30, 30, 0);
    below->canvas().surface().Fill(PixelFromColour(0x00FF00));
    Control* big = dialog->AddControl(2, 10, 10, 60, 50, 0);
    big->canvas().surface().Fill(kRed);
    dialog->ShowModal([&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        if (event == kEventInitDialog) {
            dialog->SetTimer(1, 40);
        } else if (event == kEventTimer && dialog->Now() < 50) {
            dialog->AddControl(2, 40, 40, 5, 5, 0);
        }
        return 1;
    });
    EXPECT_TRUE(screen.SamePixels(testsupport::FreshComposition(*dialog, 100, 80, std::to_array({1, 2}))));
    EXPECT_EQ(screen.At(20, 20), PixelFromColour(0x00FF00));
    EXPECT_EQ(screen.At(60, 50), PixelFromColour(kSystemButtonFace));
}

TEST(DialogLoop, ADialogRunsAgainAfterItsLoopReturned) {
    HeadlessOptions options;
    options.spanMs = 1000;
    Surface screen;
    auto dialog = MirroredDialog(options, screen);
    int timers = 0;
    const auto handler = [&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        if (event == kEventInitDialog) {
            dialog->SetTimer(1, 40);
        } else if (event == kEventTimer && ++timers % 3 == 0) {
            dialog->End(timers);
        }
        return 1;
    };
    EXPECT_EQ(dialog->ShowModal(handler), 3);
    EXPECT_EQ(dialog->ShowModal(handler), 6);
}

// One size rule for dialogs, controls and surfaces, refused with a message.
TEST(DialogLoop, SizesNoSurfaceCanHoldAreRefusedWithTheReason) {
    std::string error;
    EXPECT_EQ(Dialog::Create(MakeHeadlessBackend({}), "big", -1, -1, 10000, 10000, error), nullptr);
    EXPECT_NE(error.find("10000 x 10000"), std::string::npos) << error;
    EXPECT_EQ(Dialog::Create(MakeHeadlessBackend({}), "wide", -1, -1, Surface::kMaxSide + 1, 1, error),
              nullptr);
    EXPECT_NE(error.find("a side"), std::string::npos) << error;
    EXPECT_EQ(Dialog::Create(MakeHeadlessBackend({}), "negative", -1, -1, -1, 5, error), nullptr);
    EXPECT_NE(error.find("negative"), std::string::npos) << error;

    auto dialog = Dialog::Create(MakeHeadlessBackend({}), "ok", -1, -1, 100, 80, error);
    ASSERT_NE(dialog, nullptr) << error;
    EXPECT_EQ(dialog->AddControl(1, 0, 0, 16384, 16384, 0, &error), nullptr);
    EXPECT_NE(error.find("control 1"), std::string::npos) << error;
    EXPECT_EQ(dialog->FindControl(1), nullptr);
    Control* widest = dialog->AddControl(2, 0, 0, Surface::kMaxSide, 1, 0, &error);
    ASSERT_NE(widest, nullptr);
    EXPECT_EQ(widest->canvas().surface().width(), Surface::kMaxSide);
    Control* empty = dialog->AddControl(3, 0, 0, 0, 0, 0, &error);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->canvas().surface().empty());
}

}  // namespace
}  // namespace instruments
