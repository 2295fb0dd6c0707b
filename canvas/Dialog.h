#pragma once

// The dialog engine: one top-level dialog with graphic child controls, user
// slots, timers and a modal message loop. Two back-ends sit behind it: a real
// window (SDL) and a headless one with virtual time for tests and tools.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace canvas {

class Surface;

// A dialog is named by a small integer that is never reused; 0 names none.
using DialogHandle = std::int32_t;

// Event numbers delivered to a dialog's handler.
inline constexpr int kEventSize = 5;
inline constexpr int kEventInitDialog = 272;
inline constexpr int kEventCommand = 273;
inline constexpr int kEventTimer = 275;
inline constexpr int kEventSysCommand = 0x112;
inline constexpr int kSysCommandClose = 0xF060;

// The handler receives the dialog, the event number and two parameters, and
// returns non-zero when it handled the event (zero lets the engine's default run).
using EventHandler =
    std::function<std::intptr_t(DialogHandle dialog, int event, std::uintptr_t wParam, std::intptr_t lParam)>;

// DialogNew flag: width, height and all control positions are pixels.
inline constexpr int kDialogPixels = 2;

DialogHandle DialogNew(int flags, DialogHandle parent, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t style, std::uint32_t exStyle);
// Adds a graphic control; returns false when it could not be created.
bool ControlAddGraphic(DialogHandle dialog, int id, std::string_view caption, int x, int y, int width,
                       int height, std::uint32_t style);
// The control's handle (a non-zero value naming it), or 0 when there is none.
std::intptr_t ControlHandle(DialogHandle dialog, int id);
// Outer width and height of the control (pixels in pixel mode); (0, 0) if none.
void ControlGetSize(DialogHandle dialog, int id, int& width, int& height);
// User slots 1..8 of the dialog (id = kDialogItself) or of one of its controls;
// numbers outside 1..8 wrap onto the eight slots.
inline constexpr int kDialogItself = INT32_MIN;
void SetUser(DialogHandle dialog, int id, int slot, std::intptr_t value);
std::intptr_t GetUser(DialogHandle dialog, int id, int slot);
// Shows the dialog and runs its loop until it ends; returns the result given to DialogEnd.
std::intptr_t DialogShowModal(DialogHandle dialog, EventHandler handler);
void DialogEnd(DialogHandle dialog, std::intptr_t result);
void SetTimer(DialogHandle dialog, int timerId, int periodMs);
void Beep();

// ---- Back-end selection (per process; dialogs created later use it).
struct HeadlessOptions {
    // Virtual time that DialogShowModal runs for before ending the dialog with
    // result 0; timer events are delivered at their virtual times within it.
    std::int64_t spanMs = 0;
    // Called after every present of the composed client area (once per loop
    // iteration in which some control was redrawn) with the virtual time.
    std::function<void(const Surface& clientArea, std::int64_t virtualMs)> onPresent;
    // Every wait that ends at a timer deadline comes back this many milliseconds
    // after it, as on a busy machine (0: exactly at the deadline).
    std::int64_t lateWakeMs = 0;
    // Changes of the client size that the "window" reports, each at its virtual
    // time, in increasing order of time.
    struct Resize {
        std::int64_t atMs = 0;
        int width = 0;
        int height = 0;
    };
    std::vector<Resize> resizes;
};
void UseWindowDialogs();
void UseHeadlessDialogs(HeadlessOptions options);
// Virtual milliseconds since DialogShowModal began, in the headless back-end
// (0 elsewhere); tools use it to drive a fixed clock.
std::int64_t HeadlessVirtualTime();
// Why the last DialogNew returned 0 (for example no display), or empty.
std::string LastDialogError();

// Called after every present of any dialog's client area, on either back-end
// (tools use it to time start-up); an empty function removes it.
void SetPresentListener(std::function<void(const Surface& clientArea)> listener);

// ---- Inspection, for tests and tools.
// The surface of a graphic control, or null.
const Surface* ControlSurface(DialogHandle dialog, int id);
// Composes every control onto the client area and returns it (null for no dialog).
const Surface* ComposeClientArea(DialogHandle dialog);
// How many times Beep was called in this process.
int BeepCount();

}  // namespace canvas
