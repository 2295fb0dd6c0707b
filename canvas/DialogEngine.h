#pragma once

// The dialog engine's own records, shared by the window operations and the
// drawing operations. Not for use outside canvas/.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "canvas/Dialog.h"
#include "canvas/DialogBackend.h"
#include "canvas/DrawTarget.h"

namespace canvas {

using UserSlots = std::array<std::intptr_t, 8>;

// Slot n is kept at index (n - 1) AND 7, so every number lands on one of the eight.
inline std::size_t SlotIndex(int slot) {
    return (static_cast<unsigned>(slot) - 1u) & 7u;
}

struct GraphicControl {
    explicit GraphicControl(Surface surface) : target(std::move(surface)) {}
    int id = 0;
    int x = 0;
    int y = 0;
    std::uint32_t style = 0;
    UserSlots user{};
    DrawTarget target;
};

struct Timer {
    int id = 0;
    std::int64_t periodMs = 0;
    std::int64_t deadlineMs = 0;
};

struct DialogRecord {
    DialogHandle handle = 0;
    bool pixelUnits = true;
    int clientWidth = 0;
    int clientHeight = 0;
    UserSlots user{};
    std::vector<std::unique_ptr<GraphicControl>> controls;
    std::vector<Timer> timers;
    std::unique_ptr<DialogBackend> backend;
    Surface clientArea;
    EventHandler handler;
    bool running = false;
    bool ended = false;
    std::intptr_t result = 0;
    // Set by Redraw (and by drawing on an unbuffered control): the loop then
    // composes and presents once after the handler returns.
    bool presentPending = false;

    GraphicControl* FindControl(int id);
};

// The live dialog of a handle, or null.
DialogRecord* FindDialog(DialogHandle handle);
// Leaves no current drawing target if it points into the given dialog.
void ForgetTargetsOf(DialogRecord& dialog);
// Marks the current target for presenting (Redraw), or, on an unbuffered
// target, after every drawing operation.
void NoteTargetChanged(DrawTarget& target);
// Copies every control that changed since the last compose onto the client area.
void ComposeChanged(DialogRecord& dialog);

std::unique_ptr<DialogBackend> MakeWindowBackend();
std::unique_ptr<DialogBackend> MakeHeadlessBackend(const HeadlessOptions& options);

}  // namespace canvas
