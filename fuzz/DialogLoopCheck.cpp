#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "canvas/window/Dialog.h"
#include "tests/support/MirrorBackend.h"

namespace fuzz {

namespace {

constexpr std::int64_t kEndOfTime = std::numeric_limits<std::int64_t>::max();
// Spans stay short enough that the loop's timers fire a few thousand times at
// most; more events than this means the loop no longer ends by itself.
constexpr std::int64_t kMaxSpanMs = 5000;
constexpr int kMaxEvents = 20000;
constexpr int kIds = 6;

// What the handler does at each event, read from the input as it goes.
enum class Action : std::uint8_t {
    Fill,            // fills part of a control and redraws it
    DrawUnbuffered,  // draws on an unbuffered control
    Replace,         // replaces a control under its id, at another place and size
    Compose,         // composes the client area from the handler
    SetTimer,        // starts or restarts a timer
    End,             // ends the dialog
    Count
};

class LoopRun {
  public:
    explicit LoopRun(FuzzInput& in) : in_(in) {}

    std::string Run() {
        const bool lateInTime = in_.Byte() % 4 == 0;
        base_ = lateInTime ? kEndOfTime - in_.Between(0, 20000) : 0;
        instruments::HeadlessOptions options;
        options.spanMs =
            lateInTime && in_.Byte() % 2 == 0 ? kEndOfTime : After(base_, in_.Between(0, kMaxSpanMs));
        options.lateWakeMs = in_.Byte() < 0xf0 ? in_.Between(0, 60) : in_.Number(1000);
        std::int64_t at = base_;
        for (int i = in_.Byte() % 6; i > 0; --i) {
            at = Later(at);
            options.resizes.push_back({at, in_.Between(0, 400), in_.Between(0, 300)});
        }
        at = base_;
        for (int i = in_.Byte() % 10; i > 0; --i) {
            at = Later(at);
            const auto kind = in_.Byte() % 3 == 0 ? instruments::HeadlessOptions::Input::Kind::Escape
                                                  : instruments::HeadlessOptions::Input::Kind::Click;
            options.inputs.push_back({at, kind, in_.Between(-10, 310), in_.Between(-10, 210)});
        }
        width_ = in_.Between(0, 300);
        height_ = in_.Between(0, 200);

        std::string error;
        dialog_ = instruments::Dialog::Create(std::make_unique<testsupport::MirrorBackend>(options, screen_),
                                              "fuzz", -1, -1, width_, height_, error);
        if (!dialog_) {
            return "no headless dialog of " + std::to_string(width_) + " x " + std::to_string(height_) +
                   ": " + error;
        }
        for (int i = in_.Byte() % (kIds + 1); i > 0; --i) {
            AddControl(in_.Byte() % kIds);
        }
        dialog_->SetPresentListener([this](const instruments::Surface&) { CheckScreen(); });
        for (int run = 0; run < 2 && problem_.empty(); ++run) {
            dialog_->ShowModal([this](int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
                Handle(event);
                return 1;
            });
        }
        return problem_;
    }

  private:
    static std::int64_t After(std::int64_t at, std::int64_t step) {
        return at > kEndOfTime - step ? kEndOfTime : at + step;
    }
    std::int64_t Later(std::int64_t at) { return After(at, in_.Between(0, 400)); }

    void AddControl(int id) {
        const int x = in_.Between(-60, 320);
        const int y = in_.Between(-60, 220);
        const int w = in_.Byte() < 0xf8 ? in_.Between(0, 160) : in_.Number(20000);
        const int h = in_.Byte() < 0xf8 ? in_.Between(0, 160) : in_.Number(20000);
        const std::uint32_t style = in_.Byte() % 2 == 0 ? instruments::kNotifyStyle : 0;
        instruments::Control* control = dialog_->AddControl(id, x, y, w, h, style);
        const bool fits = instruments::Surface::SizeError(w, h).empty();
        if ((control != nullptr) != fits) {
            problem_ = "a control of " + std::to_string(w) + " x " + std::to_string(h) +
                       (fits ? " was refused" : " was accepted");
            return;
        }
        if (control != nullptr && std::find(order_.begin(), order_.end(), id) == order_.end()) {
            order_.push_back(id);
        }
    }

    instruments::Control* SomeControl() {
        return order_.empty() ? nullptr : dialog_->FindControl(order_[in_.Byte() % order_.size()]);
    }

    void Handle(int event) {
        if (++events_ > kMaxEvents) {
            problem_ = "the loop did not end after " + std::to_string(kMaxEvents) + " events";
            dialog_->End(0);
            return;
        }
        if (event == instruments::kEventInitDialog && base_ == 0) {
            dialog_->SetTimer(1, in_.Between(10, 200));
        }
        for (int i = in_.Byte() % 4; i > 0 && problem_.empty(); --i) {
            Act(static_cast<Action>(in_.Byte() % static_cast<int>(Action::Count)));
        }
    }

    void Act(Action action) {
        switch (action) {
            case Action::Fill:
                if (instruments::Control* control = SomeControl()) {
                    instruments::Surface& face = control->canvas().surface();
                    face.FillRect(in_.Between(-5, 160), in_.Between(-5, 160), in_.Between(-5, 170),
                                  in_.Between(-5, 170), in_.Word() & 0xffffff);
                    control->canvas().Redraw();
                }
                break;
            case Action::DrawUnbuffered:
                if (instruments::Control* control = SomeControl()) {
                    control->canvas().buffering = instruments::Buffering::Unbuffered;
                    control->canvas().surface().SetPixel(in_.Between(0, 160), in_.Between(0, 160),
                                                         in_.Word() & 0xffffff);
                    control->canvas().Drew();
                }
                break;
            case Action::Replace:
                AddControl(in_.Byte() % kIds);
                break;
            case Action::Compose:
                dialog_->ComposeClientArea();
                break;
            case Action::SetTimer: {
                // Before the late start, a short timer would tick all the way there.
                const int period = in_.Byte() < 0xf0 ? in_.Between(-5, 300) : in_.Number(1000);
                if (base_ == 0 || dialog_->Now() >= base_) {
                    dialog_->SetTimer(in_.Byte() % 3, period);
                }
                break;
            }
            case Action::End:
                if (in_.Byte() % 4 == 0) {
                    dialog_->End(0);
                }
                break;
            case Action::Count:
                break;
        }
    }

    // After every present the window shows what composing the live controls
    // afresh gives, and nothing of the controls or places that went.
    void CheckScreen() {
        if (!problem_.empty()) {
            return;
        }
        const instruments::Surface fresh = testsupport::FreshComposition(*dialog_, width_, height_, order_);
        if (screen_.width() != fresh.width() || screen_.height() != fresh.height()) {
            problem_ = "the window shows " + std::to_string(screen_.width()) + " x " +
                       std::to_string(screen_.height()) + " pixels";
            return;
        }
        for (int y = 0; y < fresh.height() && !screen_.SamePixels(fresh); ++y) {
            for (int x = 0; x < fresh.width(); ++x) {
                if (screen_.At(x, y) != fresh.At(x, y)) {
                    problem_ = "after a present at " + std::to_string(dialog_->Now()) +
                               " ms, window pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                               ") is not what the live controls compose to";
                    return;
                }
            }
        }
        for (const instruments::ClientRect& r : dialog_->Composed()) {
            if (r.width <= 0 || r.height <= 0 || r.x < 0 || r.y < 0 || r.x + r.width > width_ ||
                r.y + r.height > height_) {
                problem_ = "a composed rectangle lies outside the client area";
                return;
            }
        }
    }

    FuzzInput& in_;
    std::int64_t base_ = 0;
    int width_ = 0;
    int height_ = 0;
    instruments::Surface screen_;
    std::unique_ptr<instruments::Dialog> dialog_;
    std::vector<int> order_;  // ids of the live controls, in creation order
    int events_ = 0;
    std::string problem_;
};

}  // namespace

std::string CheckDialogLoop(std::span<const std::uint8_t> input) {
    FuzzInput in(input);
    return LoopRun(in).Run();
}

}  // namespace fuzz
