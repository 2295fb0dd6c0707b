#include "dialog/Dialogs.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "dialog/Canvas.h"

namespace dialog {

namespace {

constexpr std::size_t kMaxCaption = 256;

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

struct Entry {
    std::unique_ptr<instruments::Dialog> dialog;
    bool pixelUnits = true;
};

// The dialogs of the process by handle, and the settings that new ones take.
struct Dialogs {
    std::vector<Entry> entries;  // index = handle - 1; empty once destroyed
    bool headless = false;
    int scale = 1;
    instruments::HeadlessOptions headlessOptions;
    std::string lastError;
    int beeps = 0;
    instruments::Dialog* modal = nullptr;
    std::function<void(const instruments::Surface&)> presentListener;
};

Dialogs& TheDialogs() {
    static Dialogs dialogs;
    return dialogs;
}

Entry* EntryOf(DialogHandle handle) {
    auto& entries = TheDialogs().entries;
    if (handle <= 0 || static_cast<std::size_t>(handle) > entries.size()) {
        return nullptr;
    }
    Entry& entry = entries[static_cast<std::size_t>(handle - 1)];
    return entry.dialog ? &entry : nullptr;
}

void DestroyDialog(DialogHandle handle) {
    if (Entry* entry = EntryOf(handle)) {
        ForgetTargetsOf(*entry->dialog);
        entry->dialog.reset();
    }
}

}  // namespace

instruments::Dialog* FindDialog(DialogHandle handle) {
    Entry* entry = EntryOf(handle);
    return entry ? entry->dialog.get() : nullptr;
}

instruments::Control* FindControl(DialogHandle handle, int id) {
    instruments::Dialog* dialog = FindDialog(handle);
    return dialog ? dialog->FindControl(id) : nullptr;
}

void UseWindowDialogs(int scale) {
    TheDialogs().headless = false;
    TheDialogs().scale = scale;
}

void UseHeadlessDialogs(instruments::HeadlessOptions options) {
    Dialogs& dialogs = TheDialogs();
    dialogs.headless = true;
    dialogs.headlessOptions = std::move(options);
}

std::int64_t HeadlessVirtualTime() {
    Dialogs& dialogs = TheDialogs();
    return dialogs.modal != nullptr && dialogs.headless ? dialogs.modal->Now() : 0;
}

bool DialogVisible(DialogHandle handle) {
    const instruments::Dialog* dialog = FindDialog(handle);
    return dialog != nullptr && dialog->Visible();
}

std::string LastDialogError() {
    return TheDialogs().lastError;
}

DialogHandle DialogNew(int flags, DialogHandle /*parent*/, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t /*style*/, std::uint32_t /*exStyle*/) {
    Dialogs& dialogs = TheDialogs();
    dialogs.lastError.clear();
    const bool pixelUnits = (flags & kDialogPixels) != 0;
    if (!pixelUnits) {
        x = x < 0 ? x : DialogUnits(x, kUnitsAcross);
        y = y < 0 ? y : DialogUnits(y, kUnitsDown);
        width = DialogUnits(width, kUnitsAcross);
        height = DialogUnits(height, kUnitsDown);
    }
    auto backend = dialogs.headless ? instruments::MakeHeadlessBackend(dialogs.headlessOptions)
                                    : instruments::MakeWindowBackend(dialogs.scale);
    const std::string text(caption.substr(0, std::min(caption.size(), kMaxCaption)));
    std::string error;
    std::unique_ptr<instruments::Dialog> dialog =
        instruments::Dialog::Create(std::move(backend), text, x, y, width, height, error);
    if (!dialog) {
        dialogs.lastError = error;
        return 0;
    }
    dialog->SetPresentListener([](const instruments::Surface& clientArea) {
        if (TheDialogs().presentListener) {
            TheDialogs().presentListener(clientArea);
        }
    });
    dialogs.entries.push_back({std::move(dialog), pixelUnits});
    return static_cast<DialogHandle>(dialogs.entries.size());
}

bool ControlAddGraphic(DialogHandle handle, int id, std::string_view /*caption*/, int x, int y, int width,
                       int height, std::uint32_t style) {
    Entry* entry = EntryOf(handle);
    if (entry == nullptr) {
        return false;
    }
    if (!entry->pixelUnits) {
        x = DialogUnits(x, kUnitsAcross);
        y = DialogUnits(y, kUnitsDown);
        width = DialogUnits(width, kUnitsAcross);
        height = DialogUnits(height, kUnitsDown);
    }
    const bool replacing = entry->dialog->FindControl(id) != nullptr;
    TheDialogs().lastError.clear();
    instruments::Control* control =
        entry->dialog->AddControl(id, x, y, width, height, style, &TheDialogs().lastError);
    if (control != nullptr && replacing) {
        // The replaced control's face may have been the current target.
        ForgetTargetsOf(*entry->dialog);
    }
    return control != nullptr;
}

void ControlGetSize(DialogHandle handle, int id, int& width, int& height) {
    const instruments::Control* control = FindControl(handle, id);
    width = control ? control->canvas().surface().width() : 0;
    height = control ? control->canvas().surface().height() : 0;
}

void SetUser(DialogHandle handle, int id, int slot, std::intptr_t value) {
    instruments::Dialog* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    if (id == kDialogItself) {
        dialog->user().Set(slot, value);
    } else if (instruments::Control* control = dialog->FindControl(id)) {
        control->user().Set(slot, value);
    }
}

std::intptr_t GetUser(DialogHandle handle, int id, int slot) {
    instruments::Dialog* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return 0;
    }
    if (id == kDialogItself) {
        return dialog->user().Get(slot);
    }
    instruments::Control* control = dialog->FindControl(id);
    return control ? control->user().Get(slot) : 0;
}

std::intptr_t DialogShowModal(DialogHandle handle, EventHandler handler) {
    instruments::Dialog* dialog = FindDialog(handle);
    if (dialog == nullptr || dialog->running()) {
        return 0;
    }
    Dialogs& dialogs = TheDialogs();
    instruments::Dialog* const outer = dialogs.modal;
    dialogs.modal = dialog;
    const std::intptr_t result = dialog->ShowModal(
        [handle, handler = std::move(handler)](int event, std::uintptr_t w, std::intptr_t l) {
            return handler ? handler(handle, event, w, l) : 0;
        });
    dialogs.modal = outer;
    DestroyDialog(handle);
    return result;
}

void DialogEnd(DialogHandle handle, std::intptr_t result) {
    instruments::Dialog* dialog = FindDialog(handle);
    if (dialog == nullptr) {
        return;
    }
    if (!dialog->running()) {
        DestroyDialog(handle);
        return;
    }
    // The modal loop notices the end and returns; DialogShowModal destroys it.
    dialog->End(result);
}

void SetTimer(DialogHandle handle, int timerId, int periodMs) {
    if (instruments::Dialog* dialog = FindDialog(handle)) {
        dialog->SetTimer(timerId, periodMs);
    }
}

void Beep() {
    ++TheDialogs().beeps;
    // The terminal's bell stands in for the system sound.
    if (!TheDialogs().headless && isatty(STDERR_FILENO)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

void SetPresentListener(std::function<void(const instruments::Surface&)> listener) {
    TheDialogs().presentListener = std::move(listener);
}

int BeepCount() {
    return TheDialogs().beeps;
}

const instruments::Surface* ControlSurface(DialogHandle handle, int id) {
    const instruments::Control* control = FindControl(handle, id);
    return control ? &control->canvas().surface() : nullptr;
}

const instruments::Surface* ComposeClientArea(DialogHandle handle) {
    instruments::Dialog* dialog = FindDialog(handle);
    return dialog ? &dialog->ComposeClientArea() : nullptr;
}

}  // namespace dialog
