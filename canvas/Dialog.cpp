#include "canvas/Dialog.h"

#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "canvas/DialogEngine.h"
#include "canvas/surface/Surface.h"

namespace canvas {

namespace {

constexpr std::size_t kMaxCaption = 256;
// A dialog or control larger than this many pixels a side is refused: the
// surfaces behind them would be unreasonably large.
constexpr int kMaxSide = 16384;

// Dialog units of the 8-point template font in pixels: a quarter of the
// average character width across (6 / 4) and an eighth of its height down (13 / 8).
struct UnitScale {
    int numerator;
    int denominator;
};
constexpr UnitScale kUnitsAcross{3, 2};
constexpr UnitScale kUnitsDown{13, 8};

int DialogUnits(int value, UnitScale scale) {
    const std::int64_t pixels = static_cast<std::int64_t>(value) * scale.numerator / scale.denominator;
    return static_cast<int>(std::clamp<std::int64_t>(pixels, INT32_MIN, INT32_MAX));
}

struct Engine {
    std::vector<std::unique_ptr<DialogRecord>> dialogs;  // index = handle - 1
    bool headless = false;
    HeadlessOptions headlessOptions;
    std::string lastError;
    int beeps = 0;
    DialogRecord* modal = nullptr;
    std::function<void(const Surface&)> presentListener;
};

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

std::intptr_t Dispatch(DialogRecord& dialog, int event, std::uintptr_t wParam, std::intptr_t lParam) {
    return dialog.handler ? dialog.handler(dialog.handle, event, wParam, lParam) : 0;
}

std::intptr_t SizeParameter(int width, int height) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(height) & 0xffffu) << 16 |
                                      (static_cast<std::uint32_t>(width) & 0xffffu));
}

// The close command goes to the handler first; unhandled, it ends the dialog
// with result 0.
void CloseCommand(DialogRecord& dialog) {
    if (Dispatch(dialog, kEventSysCommand, kSysCommandClose, 0) == 0) {
        DialogEnd(dialog.handle, 0);
    }
}

// Fires every timer whose deadline has come. Deadlines are absolute multiples
// of the period from the moment SetTimer ran, so no drift accumulates; when the
// loop fell behind by whole periods they are skipped, as a platform timer
// coalesces its missed ticks into one event.
void FireDueTimers(DialogRecord& dialog, std::int64_t now) {
    for (std::size_t i = 0; i < dialog.timers.size() && !dialog.ended; ++i) {
        Timer& timer = dialog.timers[i];
        if (timer.deadlineMs > now) {
            continue;
        }
        const std::int64_t late = now - timer.deadlineMs;
        timer.deadlineMs += (late / timer.periodMs + 1) * timer.periodMs;
        Dispatch(dialog, kEventTimer, static_cast<std::uintptr_t>(timer.id), 0);
    }
}

std::int64_t NextDeadline(const DialogRecord& dialog) {
    std::int64_t next = -1;
    for (const Timer& timer : dialog.timers) {
        if (next < 0 || timer.deadlineMs < next) {
            next = timer.deadlineMs;
        }
    }
    return next;
}

void PresentIfPending(DialogRecord& dialog, bool force) {
    if (!dialog.presentPending && !force) {
        return;
    }
    ComposeChanged(dialog);
    dialog.presentPending = false;
    dialog.backend->Present(dialog.clientArea);
    if (TheEngine().presentListener) {
        TheEngine().presentListener(dialog.clientArea);
    }
}

void DestroyDialog(DialogHandle handle) {
    Engine& engine = TheEngine();
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    ForgetTargetsOf(*dialog);
    dialog->backend->Destroy();
    engine.dialogs[static_cast<std::size_t>(handle - 1)].reset();
}

}  // namespace

GraphicControl* DialogRecord::FindControl(int id) {
    for (auto& control : controls) {
        if (control->id == id) {
            return control.get();
        }
    }
    return nullptr;
}

DialogRecord* FindDialog(DialogHandle handle) {
    Engine& engine = TheEngine();
    if (handle <= 0 || static_cast<std::size_t>(handle) > engine.dialogs.size()) {
        return nullptr;
    }
    return engine.dialogs[static_cast<std::size_t>(handle - 1)].get();
}

namespace {

struct Area {
    std::int64_t left, top, right, bottom;
    bool Overlaps(const Area& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

Area AreaOf(const GraphicControl& control) {
    return {control.x, control.y, std::int64_t{control.x} + control.target.surface.width(),
            std::int64_t{control.y} + control.target.surface.height()};
}

}  // namespace

// Controls are composed in creation order, later ones on top. A changed control
// is copied again, and so is every later control that overlaps something copied
// before it, so that overlapping siblings keep their order.
void ComposeChanged(DialogRecord& dialog) {
    static std::vector<Area> copied;
    copied.clear();
    for (auto& control : dialog.controls) {
        DrawTarget& target = control->target;
        const Area area = AreaOf(*control);
        const bool covered = std::any_of(copied.begin(), copied.end(),
                                         [&](const Area& other) { return other.Overlaps(area); });
        if (!target.redrawPending && !covered) {
            continue;
        }
        dialog.clientArea.Blit(control->x, control->y, target.surface, 0, 0, target.surface.width(),
                               target.surface.height());
        target.redrawPending = false;
        copied.push_back(area);
    }
}

void UseWindowDialogs() {
    TheEngine().headless = false;
}

void UseHeadlessDialogs(HeadlessOptions options) {
    Engine& engine = TheEngine();
    engine.headless = true;
    engine.headlessOptions = std::move(options);
}

std::int64_t HeadlessVirtualTime() {
    Engine& engine = TheEngine();
    if (engine.modal == nullptr || !engine.headless) {
        return 0;
    }
    return engine.modal->backend->Now();
}

std::string LastDialogError() {
    return TheEngine().lastError;
}

DialogHandle DialogNew(int flags, DialogHandle /*parent*/, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t /*style*/, std::uint32_t /*exStyle*/) {
    Engine& engine = TheEngine();
    engine.lastError.clear();
    auto dialog = std::make_unique<DialogRecord>();
    dialog->pixelUnits = (flags & kDialogPixels) != 0;
    if (!dialog->pixelUnits) {
        x = x < 0 ? x : DialogUnits(x, kUnitsAcross);
        y = y < 0 ? y : DialogUnits(y, kUnitsDown);
        width = DialogUnits(width, kUnitsAcross);
        height = DialogUnits(height, kUnitsDown);
    }
    width = std::clamp(width, 0, kMaxSide);
    height = std::clamp(height, 0, kMaxSide);
    dialog->clientWidth = width;
    dialog->clientHeight = height;
    dialog->clientArea = Surface(width, height, PixelFromColour(kSystemButtonFace));
    dialog->backend = engine.headless ? MakeHeadlessBackend(engine.headlessOptions) : MakeWindowBackend();
    const std::string text(caption.substr(0, std::min(caption.size(), kMaxCaption)));
    std::string error;
    if (!dialog->backend->Create(text, x, y, width, height, error)) {
        engine.lastError = error;
        return 0;
    }
    engine.dialogs.push_back(std::move(dialog));
    const auto handle = static_cast<DialogHandle>(engine.dialogs.size());
    engine.dialogs.back()->handle = handle;
    return handle;
}

bool ControlAddGraphic(DialogHandle handle, int id, std::string_view /*caption*/, int x, int y, int width,
                       int height, std::uint32_t style) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return false;
    }
    if (!dialog->pixelUnits) {
        x = DialogUnits(x, kUnitsAcross);
        y = DialogUnits(y, kUnitsDown);
        width = DialogUnits(width, kUnitsAcross);
        height = DialogUnits(height, kUnitsDown);
    }
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
        return false;
    }
    auto control =
        std::make_unique<GraphicControl>(Surface(width, height, PixelFromColour(kSystemButtonFace)));
    control->id = id;
    control->x = x;
    control->y = y;
    control->style = style;
    control->target.ownerPresentPending = &dialog->presentPending;
    control->target.redrawPending = true;
    // A second control with the same id replaces the first, as a lookup by id
    // would only ever find one of them.
    auto existing = std::find_if(dialog->controls.begin(), dialog->controls.end(),
                                 [id](const auto& c) { return c->id == id; });
    if (existing != dialog->controls.end()) {
        ForgetTargetsOf(*dialog);
        *existing = std::move(control);
    } else {
        dialog->controls.push_back(std::move(control));
    }
    dialog->presentPending = true;
    return true;
}

std::intptr_t ControlHandle(DialogHandle handle, int id) {
    DialogRecord* dialog = FindDialog(handle);
    GraphicControl* control = dialog ? dialog->FindControl(id) : nullptr;
    return control ? reinterpret_cast<std::intptr_t>(control) : 0;
}

void ControlGetSize(DialogHandle handle, int id, int& width, int& height) {
    DialogRecord* dialog = FindDialog(handle);
    GraphicControl* control = dialog ? dialog->FindControl(id) : nullptr;
    width = control ? control->target.surface.width() : 0;
    height = control ? control->target.surface.height() : 0;
}

void SetUser(DialogHandle handle, int id, int slot, std::intptr_t value) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    if (id == kDialogItself) {
        dialog->user[SlotIndex(slot)] = value;
    } else if (GraphicControl* control = dialog->FindControl(id)) {
        control->user[SlotIndex(slot)] = value;
    }
}

std::intptr_t GetUser(DialogHandle handle, int id, int slot) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return 0;
    }
    if (id == kDialogItself) {
        return dialog->user[SlotIndex(slot)];
    }
    GraphicControl* control = dialog->FindControl(id);
    return control ? control->user[SlotIndex(slot)] : 0;
}

std::intptr_t DialogShowModal(DialogHandle handle, EventHandler handler) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr || dialog->running) {
        return 0;
    }
    Engine& engine = TheEngine();
    DialogRecord* const outer = engine.modal;
    engine.modal = dialog;
    dialog->running = true;
    dialog->handler = std::move(handler);

    Dispatch(*dialog, kEventInitDialog, 0, 0);
    if (!dialog->ended) {
        Dispatch(*dialog, kEventSize, 0, SizeParameter(dialog->clientWidth, dialog->clientHeight));
    }
    if (!dialog->ended) {
        dialog->backend->Show();
        PresentIfPending(*dialog, true);
    }
    while (!dialog->ended) {
        const BackendEvent event = dialog->backend->Wait(NextDeadline(*dialog));
        bool exposed = false;
        switch (event.kind) {
            case BackendEventKind::Close:
                CloseCommand(*dialog);
                break;
            case BackendEventKind::SpanElapsed:
                DialogEnd(handle, 0);
                break;
            case BackendEventKind::Resized:
                Dispatch(*dialog, kEventSize, 0, SizeParameter(event.width, event.height));
                exposed = true;
                break;
            case BackendEventKind::Exposed:
                exposed = true;
                break;
            case BackendEventKind::None:
                break;
        }
        if (dialog->ended) {
            break;
        }
        FireDueTimers(*dialog, dialog->backend->Now());
        if (!dialog->ended) {
            PresentIfPending(*dialog, exposed);
        }
    }
    const std::intptr_t result = dialog->result;
    engine.modal = outer;
    DestroyDialog(handle);
    return result;
}

void DialogEnd(DialogHandle handle, std::intptr_t result) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    if (!dialog->running) {
        DestroyDialog(handle);
        return;
    }
    // The modal loop notices the end, destroys the dialog and returns.
    dialog->ended = true;
    dialog->result = result;
    dialog->timers.clear();
}

void SetTimer(DialogHandle handle, int timerId, int periodMs) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    // Periods below 10 ms are raised to 10 ms, as the platform does; a second
    // SetTimer with the same id restarts that timer.
    const std::int64_t period = std::max(periodMs, 10);
    const std::int64_t deadline = dialog->backend->Now() + period;
    for (Timer& timer : dialog->timers) {
        if (timer.id == timerId) {
            timer.periodMs = period;
            timer.deadlineMs = deadline;
            return;
        }
    }
    dialog->timers.push_back({timerId, period, deadline});
}

void Beep() {
    ++TheEngine().beeps;
    // The terminal's bell stands in for the system sound.
    if (!TheEngine().headless && isatty(STDERR_FILENO)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

void SetPresentListener(std::function<void(const Surface&)> listener) {
    TheEngine().presentListener = std::move(listener);
}

int BeepCount() {
    return TheEngine().beeps;
}

const Surface* ControlSurface(DialogHandle handle, int id) {
    DialogRecord* dialog = FindDialog(handle);
    GraphicControl* control = dialog ? dialog->FindControl(id) : nullptr;
    return control ? &control->target.surface : nullptr;
}

const Surface* ComposeClientArea(DialogHandle handle) {
    DialogRecord* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return nullptr;
    }
    ComposeChanged(*dialog);
    return &dialog->clientArea;
}

}  // namespace canvas
