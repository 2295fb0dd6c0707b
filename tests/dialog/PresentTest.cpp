// What the modal loop hands its back-end to show: the whole client area when
// the window was shown or exposed, then only the rectangles of the controls
// that changed, clipped to the client area, and nothing for a tick that changed
// nothing.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/window/Dialog.h"
#include "instruments/Surface.h"

namespace instruments {
namespace {

// Replays a script of wait results, one per wait, at 40 ms steps, and writes
// down every present, with "red" when client pixel (10, 10) is red. The window
// is visible unless the visibility script says otherwise for the step.
class ScriptedBackend final : public DialogBackend {
  public:
    ScriptedBackend(std::vector<BackendEventKind> script, std::vector<std::string>& log,
                    std::vector<bool> visible = {})
        : script_(std::move(script)), visible_(std::move(visible)), log_(log) {}
    bool Create(const std::string&, int, int, int, int, std::string&) override { return true; }
    void Show() override {}
    bool Visible() const override { return next_ == 0 || next_ > visible_.size() || visible_[next_ - 1]; }
    std::int64_t Now() override { return now_; }
    BackendEvent Wait(std::int64_t) override {
        now_ += 40;
        const std::size_t step = next_++;
        return {step < script_.size() ? script_[step] : BackendEventKind::SpanElapsed};
    }
    void Present(const Surface& clientArea) override {
        log_.push_back("whole " + std::to_string(clientArea.width()) + "x" +
                       std::to_string(clientArea.height()) + Corner(clientArea));
    }
    void PresentChanged(const Surface& clientArea, std::span<const ClientRect> changed) override {
        std::string line = "changed" + Corner(clientArea);
        for (const ClientRect& rect : changed) {
            line += " " + std::to_string(rect.x) + "," + std::to_string(rect.y) + " " +
                    std::to_string(rect.width) + "x" + std::to_string(rect.height);
        }
        log_.push_back(line);
    }
    void Destroy() override {}

  private:
    static std::string Corner(const Surface& clientArea) {
        return clientArea.At(10, 10) == PixelFromColour(0x0000FF) ? " red" : "";
    }
    std::vector<BackendEventKind> script_;
    std::vector<bool> visible_;
    std::vector<std::string>& log_;
    std::int64_t now_ = 0;
    std::size_t next_ = 0;
};

TEST(Present, WholeWhenShownOrExposedThenOnlyWhatChanged) {
    using Kind = BackendEventKind;
    std::vector<std::string> log;
    std::string error;
    auto dialog =
        Dialog::Create(std::make_unique<ScriptedBackend>(
                           std::vector<Kind>{Kind::None, Kind::None, Kind::None, Kind::Exposed}, log),
                       "test", -1, -1, 100, 80, error);
    ASSERT_NE(dialog, nullptr) << error;
    Control* inside = dialog->AddControl(1, 10, 10, 20, 20, 0);
    Control* overEdge = dialog->AddControl(2, 90, 70, 30, 30, 0);
    int tick = 0;
    dialog->ShowModal([&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        if (event == kEventInitDialog) {
            dialog->SetTimer(1, 40);
        }
        if (event != kEventTimer) {
            return 0;
        }
        ++tick;
        if (tick == 1) {  // both change; the second only partly shows
            inside->canvas().painter().SetPixel(0, 0, 0x0000FF);
            inside->canvas().Redraw();
            overEdge->canvas().Redraw();
        } else if (tick == 2) {
            overEdge->canvas().Redraw();
        }  // tick 3 changes nothing; tick 4 comes with an expose
        return 1;
    });
    const std::vector<std::string> expected = {"whole 100x80", "changed red 10,10 20x20 90,70 10x10",
                                               "changed red 90,70 10x10", "whole 100x80 red"};
    EXPECT_EQ(log, expected);
}

TEST(Present, NothingWhileTheWindowCannotBeSeenThenTheWholeOnExposure) {
    using Kind = BackendEventKind;
    std::vector<std::string> log;
    std::string error;
    auto dialog = Dialog::Create(
        std::make_unique<ScriptedBackend>(std::vector<Kind>{Kind::None, Kind::None, Kind::Exposed}, log,
                                          std::vector<bool>{false, false, true}),
        "test", -1, -1, 100, 80, error);
    ASSERT_NE(dialog, nullptr) << error;
    Control* control = dialog->AddControl(1, 10, 10, 20, 20, 0);
    dialog->ShowModal([&](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        if (event == kEventInitDialog) {
            dialog->SetTimer(1, 40);
        } else if (event == kEventTimer) {
            // The handlers run while hidden; what they draw shows on exposure.
            control->canvas().painter().SetPixel(0, 0, 0x0000FF);
            control->canvas().Redraw();
        }
        return 0;
    });
    const std::vector<std::string> expected = {"whole 100x80", "whole 100x80 red"};
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace instruments
