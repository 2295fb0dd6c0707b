#pragma once

// Dialogs and their graphic controls named by handle and control id: the
// window operations the id-based instruments rely on, over instruments::Dialog.
// Handles are small integers never reused; 0 names none.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "canvas/window/Dialog.h"

namespace instruments {
class Surface;
}

namespace dialog {

using DialogHandle = std::int32_t;

// The handler receives the dialog, the event number and two parameters, and
// returns non-zero when it handled the event (zero lets the engine's default run).
using EventHandler =
    std::function<std::intptr_t(DialogHandle dialog, int event, std::uintptr_t wParam, std::intptr_t lParam)>;

// DialogNew flag: width, height and all control positions are pixels.
inline constexpr int kDialogPixels = 2;
// The id that names the dialog itself in SetUser and GetUser.
inline constexpr int kDialogItself = INT32_MIN;

DialogHandle DialogNew(int flags, DialogHandle parent, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t style, std::uint32_t exStyle);
// Adds a graphic control; returns false when it could not be created.
bool ControlAddGraphic(DialogHandle dialog, int id, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t style);
// Outer width and height of the control (pixels in pixel mode); (0, 0) if none.
void ControlGetSize(DialogHandle dialog, int id, int& width, int& height);
// User slots 1..8 of the dialog (id = kDialogItself) or of one of its controls;
// numbers outside 1..8 wrap onto the eight slots.
void SetUser(DialogHandle dialog, int id, int slot, std::intptr_t value);
std::intptr_t GetUser(DialogHandle dialog, int id, int slot);
// Shows the dialog and runs its loop until it ends; returns the result given to DialogEnd.
std::intptr_t DialogShowModal(DialogHandle dialog, EventHandler handler);
void DialogEnd(DialogHandle dialog, std::intptr_t result);
void SetTimer(DialogHandle dialog, int timerId, int periodMs);
// Whether the dialog's window can be seen (false for no dialog, and while it is
// minimised or hidden).
bool DialogVisible(DialogHandle dialog);
void Beep();

// ---- Back-end selection (per process; dialogs created later use it).
// Real windows, each pixel shown as a scale x scale block (1..4).
void UseWindowDialogs(int scale = 1);
void UseHeadlessDialogs(instruments::HeadlessOptions options);
// Virtual milliseconds since DialogShowModal began, in the headless back-end
// (0 elsewhere); tools use it to drive a fixed clock.
std::int64_t HeadlessVirtualTime();
// Why the last DialogNew returned 0 or the last ControlAddGraphic failed (for
// example no display, or a size refused), or empty.
std::string LastDialogError();

// Called after every present of any dialog's client area, on either back-end
// (tools use it to time start-up); an empty function removes it.
void SetPresentListener(std::function<void(const instruments::Surface& clientArea)> listener);

// ---- For the drawing operations, tests and tools.
// The live dialog of a handle, and a control of it, or null.
instruments::Dialog* FindDialog(DialogHandle dialog);
instruments::Control* FindControl(DialogHandle dialog, int id);
// The surface of a graphic control, or null.
const instruments::Surface* ControlSurface(DialogHandle dialog, int id);
// Composes every control onto the client area and returns it (null for no dialog).
const instruments::Surface* ComposeClientArea(DialogHandle dialog);
// How many times Beep was called in this process.
int BeepCount();

}  // namespace dialog
