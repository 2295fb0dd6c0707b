#include "canvas/window/Dialog.h"

#include <algorithm>
#include <limits>

namespace instruments {

namespace {

std::intptr_t SizeParameter(int width, int height) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(height) & 0xffffu) << 16 |
                                      (static_cast<std::uint32_t>(width) & 0xffffu));
}

bool Overlap(const ClientRect& a, const ClientRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// A deadline that would lie past the end of the clock's range stays there and
// never fires.
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// While the window cannot be seen the loop wakes for timers at most this often:
// nothing drawn then shows, and every wake-up costs the machine (a late timer
// fires once however many periods it missed).
constexpr std::int64_t kHiddenWakeMs = 1000;

std::int64_t DeadlineAfter(std::int64_t from, std::int64_t periods, std::int64_t periodMs) {
    std::int64_t step = 0;
    std::int64_t deadline = 0;
    if (__builtin_mul_overflow(periods, periodMs, &step) || __builtin_add_overflow(from, step, &deadline)) {
        return kNever;
    }
    return deadline;
}

// Keeps a list of rectangles to show short: past a few dozen (a handler that
// composes on every tick while the window is hidden), one rectangle around them
// all shows the same pixels.
void Collapse(std::vector<ClientRect>& rects) {
    constexpr std::size_t kMaxRects = 64;
    if (rects.size() <= kMaxRects) {
        return;
    }
    int left = rects[0].x, top = rects[0].y, right = left + rects[0].width, bottom = top + rects[0].height;
    for (const ClientRect& r : rects) {
        left = std::min(left, r.x);
        top = std::min(top, r.y);
        right = std::max(right, r.x + r.width);
        bottom = std::max(bottom, r.y + r.height);
    }
    rects.assign(1, ClientRect{left, top, right - left, bottom - top});
}

}  // namespace

std::unique_ptr<Dialog> Dialog::Create(std::unique_ptr<DialogBackend> backend, const std::string& caption,
                                       int x, int y, int width, int height, std::string& error) {
    if (std::string problem = Surface::SizeError(width, height); !problem.empty()) {
        error = "client area: " + problem;
        return nullptr;
    }
    if (!backend->Create(caption, x, y, width, height, error)) {
        return nullptr;
    }
    return std::unique_ptr<Dialog>(new Dialog(std::move(backend), width, height));
}

Dialog::Dialog(std::unique_ptr<DialogBackend> backend, int width, int height)
    : backend_(std::move(backend)),
      clientWidth_(width),
      clientHeight_(height),
      clientArea_(width, height, PixelFromColour(kSystemButtonFace)) {}

Dialog::~Dialog() {
    backend_->Destroy();
}

Control* Dialog::AddControl(int id, int x, int y, int width, int height, std::uint32_t style,
                            std::string* error) {
    if (std::string problem = Surface::SizeError(width, height); !problem.empty()) {
        if (error != nullptr) {
            *error = "control " + std::to_string(id) + ": " + problem;
        }
        return nullptr;
    }
    auto control = std::make_unique<Control>(
        id, x, y, Surface(width, height, PixelFromColour(kSystemButtonFace)), style);
    control->canvas().ownerPresentPending_ = &presentPending_;
    control->canvas().redrawPending_ = true;
    Control* added = control.get();
    // A second control with the same id replaces the first, as a lookup by id
    // would only ever find one of them.
    auto existing =
        std::find_if(controls_.begin(), controls_.end(), [id](const auto& c) { return c->id() == id; });
    if (existing != controls_.end()) {
        const Surface& old = (*existing)->canvas().surface();
        const ClientRect was = ClipToClient((*existing)->x(), (*existing)->y(), old.width(), old.height());
        if (was.width > 0 && was.height > 0) {
            uncovered_.push_back(was);
            Collapse(uncovered_);
        }
        *existing = std::move(control);
    } else {
        controls_.push_back(std::move(control));
    }
    presentPending_ = true;
    return added;
}

Control* Dialog::FindControl(int id) {
    for (auto& control : controls_) {
        if (control->id() == id) {
            return control.get();
        }
    }
    return nullptr;
}

std::intptr_t Dialog::Dispatch(int event, std::uintptr_t wParam, std::intptr_t lParam) {
    return handler_ ? handler_(event, wParam, lParam) : 0;
}

// The close command goes to the handler first; unhandled, it ends the dialog
// with result 0.
void Dialog::CloseCommand() {
    if (Dispatch(kEventSysCommand, kSysCommandClose, 0) == 0) {
        End(0);
    }
}

// Fires every timer whose deadline has come. Deadlines are absolute multiples
// of the period from the moment SetTimer ran, so no drift accumulates; when the
// loop fell behind by whole periods they are skipped, as a platform timer
// coalesces its missed ticks into one event.
// A click goes to the topmost control under it (the last created), as a
// command, when that control was made with the notify style.
void Dialog::Clicked(int x, int y) {
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
        const Surface& face = (*control)->canvas().surface();
        const std::int64_t dx = std::int64_t{x} - (*control)->x();
        const std::int64_t dy = std::int64_t{y} - (*control)->y();
        if (dx < 0 || dy < 0 || dx >= face.width() || dy >= face.height()) {
            continue;
        }
        if (((*control)->style() & kNotifyStyle) != 0) {
            const auto id = static_cast<std::uint32_t>((*control)->id()) & 0xFFFFu;
            Dispatch(kEventCommand, static_cast<std::uintptr_t>(kNotificationClicked) << 16 | id, 0);
        }
        return;
    }
}

void Dialog::FireDueTimers(std::int64_t now) {
    for (std::size_t i = 0; i < timers_.size() && !ended_; ++i) {
        Timer& timer = timers_[i];
        if (timer.deadlineMs > now || timer.deadlineMs == kNever) {
            continue;
        }
        const std::int64_t late = now - timer.deadlineMs;
        timer.deadlineMs = DeadlineAfter(timer.deadlineMs, late / timer.periodMs + 1, timer.periodMs);
        Dispatch(kEventTimer, static_cast<std::uintptr_t>(timer.id), 0);
    }
}

std::int64_t Dialog::NextDeadline() const {
    std::int64_t next = -1;
    for (const Timer& timer : timers_) {
        if (timer.deadlineMs == kNever) {
            continue;
        }
        if (next < 0 || timer.deadlineMs < next) {
            next = timer.deadlineMs;
        }
    }
    return next;
}

// A forced present (the window was exposed) shows the whole client area; any
// other shows only what the compose copied, and nothing when that is nothing.
// While the window cannot be seen the changes wait, marked, for its exposure.
// What reaches the window is everything composed since the last present,
// also by a handler that composed itself.
void Dialog::PresentIfPending(bool force) {
    const bool pending = presentPending_ || !unpresented_.empty() || !uncovered_.empty();
    if ((!pending && !force) || (!force && !backend_->Visible())) {
        return;
    }
    ComposeClientArea();
    presentPending_ = false;
    std::vector<ClientRect> parts = std::move(unpresented_);
    unpresented_.clear();
    if (force) {
        backend_->Present(clientArea_);
    } else if (!parts.empty()) {
        backend_->PresentChanged(clientArea_, parts);
    } else {
        return;
    }
    if (presentListener_) {
        presentListener_(clientArea_);
    }
}

// Controls are composed in creation order, later ones on top. A changed control
// is copied again, and so is every later control that overlaps something copied
// before it, so that overlapping siblings keep their order. Where a replaced
// control was goes back to the button face first, and every control over it is
// copied again. Only the parts inside the client area count: nothing outside
// it is ever shown.
const Surface& Dialog::ComposeClientArea() {
    changed_ = std::move(uncovered_);
    uncovered_.clear();
    const Pixel buttonFace = PixelFromColour(kSystemButtonFace);
    for (const ClientRect& rect : changed_) {
        clientArea_.FillRect(rect.x, rect.y, rect.x + rect.width, rect.y + rect.height, buttonFace);
    }
    for (auto& control : controls_) {
        Canvas& canvas = control->canvas();
        const Surface& face = canvas.surface();
        const ClientRect shown = ClipToClient(control->x(), control->y(), face.width(), face.height());
        const bool covered = std::any_of(changed_.begin(), changed_.end(),
                                         [&](const ClientRect& other) { return Overlap(other, shown); });
        if (!canvas.redrawPending_ && !covered) {
            continue;
        }
        clientArea_.Blit(control->x(), control->y(), face, 0, 0, face.width(), face.height());
        canvas.redrawPending_ = false;
        if (shown.width > 0 && shown.height > 0) {
            changed_.push_back(shown);
        }
    }
    unpresented_.insert(unpresented_.end(), changed_.begin(), changed_.end());
    Collapse(unpresented_);
    return clientArea_;
}

ClientRect Dialog::ClipToClient(int x, int y, int width, int height) const {
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + width, clientArea_.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + height, clientArea_.height());
    if (left >= right || top >= bottom) {
        return {};
    }
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

std::intptr_t Dialog::ShowModal(DialogHandler handler) {
    if (running_) {
        return 0;
    }
    running_ = true;
    handler_ = std::move(handler);

    Dispatch(kEventInitDialog, 0, 0);
    if (!ended_) {
        Dispatch(kEventSize, 0, SizeParameter(clientWidth_, clientHeight_));
    }
    if (!ended_) {
        backend_->Show();
        PresentIfPending(true);
    }
    while (!ended_) {
        std::int64_t deadline = NextDeadline();
        if (deadline >= 0 && !backend_->Visible()) {
            const std::int64_t now = backend_->Now();
            deadline = std::max(deadline, now > kNever - kHiddenWakeMs ? kNever : now + kHiddenWakeMs);
        }
        const BackendEvent event = backend_->Wait(deadline);
        bool exposed = false;
        switch (event.kind) {
            case BackendEventKind::Close:
                CloseCommand();
                break;
            case BackendEventKind::SpanElapsed:
                End(0);
                break;
            case BackendEventKind::Resized:
                Dispatch(kEventSize, 0, SizeParameter(event.width, event.height));
                exposed = true;
                break;
            case BackendEventKind::Exposed:
                exposed = true;
                break;
            case BackendEventKind::Click:
                Clicked(event.width, event.height);
                break;
            case BackendEventKind::KeyPressed:
                // The dialogs hear only Escape, as their Cancel command.
                if (event.key == Key::Escape) {
                    Dispatch(kEventCommand, kCommandCancel, 0);
                }
                break;
            case BackendEventKind::None:
                break;
        }
        if (ended_) {
            break;
        }
        FireDueTimers(backend_->Now());
        if (!ended_) {
            PresentIfPending(exposed);
        }
    }
    running_ = false;
    ended_ = false;
    return result_;
}

void Dialog::End(std::intptr_t result) {
    // The modal loop notices the end and returns.
    ended_ = true;
    result_ = result;
    timers_.clear();
}

void Dialog::SetTimer(int timerId, int periodMs) {
    // Periods below 10 ms are raised to 10 ms, as the platform does; a second
    // SetTimer with the same id restarts that timer.
    const std::int64_t period = std::max(periodMs, 10);
    const std::int64_t deadline = DeadlineAfter(backend_->Now(), 1, period);
    for (Timer& timer : timers_) {
        if (timer.id == timerId) {
            timer.periodMs = period;
            timer.deadlineMs = deadline;
            return;
        }
    }
    timers_.push_back({timerId, period, deadline});
}

}  // namespace instruments
