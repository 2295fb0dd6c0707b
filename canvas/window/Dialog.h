#pragma once

// A top-level dialog with graphic child controls, user slots, timers and a
// modal message loop. Two back-ends sit behind it: a real window (SDL) and a
// headless one with virtual time for tests and tools.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "canvas/window/Control.h"
#include "canvas/window/DialogBackend.h"
#include "instruments/Surface.h"

namespace instruments {

// Event numbers delivered to a dialog's handler.
inline constexpr int kEventSize = 5;
inline constexpr int kEventInitDialog = 272;
inline constexpr int kEventCommand = 273;
inline constexpr int kEventTimer = 275;
inline constexpr int kEventSysCommand = 0x112;
inline constexpr int kSysCommandClose = 0xF060;
// The command of the Escape key, and the notification code of a click on a
// control made with kNotifyStyle: a command's wParam holds the control id in its
// low 16 bits and the notification code in the high 16.
inline constexpr int kCommandCancel = 2;
inline constexpr int kNotificationClicked = 0;
// Control style that makes a control report its clicks as commands.
inline constexpr std::uint32_t kNotifyStyle = 0x100;

// The handler receives the event number and two parameters, and returns
// non-zero when it handled the event (zero lets the dialog's default run).
using DialogHandler = std::function<std::intptr_t(int event, std::uintptr_t wParam, std::intptr_t lParam)>;

struct HeadlessOptions {
    // Virtual time that the modal loop runs for before ending the dialog with
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
    // Left-button clicks at client positions, key presses (Escape has a kind
    // of its own), changes of the client size, close requests, and the window
    // being hidden (minimised) and shown again, each at its virtual time, in
    // increasing order of time. Between Hide and Show the back-end is not
    // Visible; Show exposes the window.
    struct Input {
        std::int64_t atMs = 0;
        enum class Kind { Click, Escape, Key, Resize, Close, Hide, Show } kind = Kind::Click;
        int x = 0;  // Click: the position
        int y = 0;
        instruments::Key key = instruments::Key::Escape;  // Key: which
        int width = 0;                                    // Resize: the new size
        int height = 0;
    };
    std::vector<Input> inputs;
    // Spans of virtual time, from fromMs up to untilMs, in which the "window"
    // cannot be seen (as if minimised), in increasing order of time; at the end
    // of each it reports that it is exposed again.
    struct Hidden {
        std::int64_t fromMs = 0;
        std::int64_t untilMs = 0;
    };
    std::vector<Hidden> hidden;
    // When set, called instead of onPresent with the parts of the client area
    // each present shows (the whole of it for a whole present).
    std::function<void(const Surface& clientArea, std::int64_t virtualMs, std::span<const ClientRect> shown)>
        onPresentParts;
};

// A real window; each client pixel shown as a scale x scale block (1..4), which
// Ctrl+plus and Ctrl+minus change while it runs.
std::unique_ptr<DialogBackend> MakeWindowBackend(int scale = 1);
std::unique_ptr<DialogBackend> MakeHeadlessBackend(const HeadlessOptions& options);

class Dialog {
  public:
    // Creates the hidden window of a client area of width x height pixels
    // (x = y = -1 centres it); null, with the reason in `error`, when the size
    // is refused (Surface::SizeError) or the back-end has none to give.
    static std::unique_ptr<Dialog> Create(std::unique_ptr<DialogBackend> backend, const std::string& caption,
                                          int x, int y, int width, int height, std::string& error);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Adds a graphic control of width x height pixels filled with the
    // button-face colour; a control with the same id is replaced (what it
    // covered is composed again). Null, with the reason in `error` when one is
    // given, when the size is refused (Surface::SizeError).
    Control* AddControl(int id, int x, int y, int width, int height, std::uint32_t style,
                        std::string* error = nullptr);
    Control* FindControl(int id);
    UserSlots& user() { return user_; }

    // Calls the handler with the initialisation and size events, shows the
    // window and runs the loop until End; returns End's result. A dialog can be
    // run again after its loop returned.
    std::intptr_t ShowModal(DialogHandler handler);
    void End(std::intptr_t result);
    bool running() const { return running_; }
    // A timer event with this id every period (at least 10 ms); the same id
    // again restarts it. Deadlines saturate: one past the end of the clock's
    // range never fires. A timer that comes due late fires once, however many
    // periods it missed; while the window cannot be seen, timers fire at most
    // once a second (and when it is exposed again).
    void SetTimer(int timerId, int periodMs);
    // Milliseconds on the back-end's clock (real or virtual).
    std::int64_t Now() { return backend_->Now(); }
    // False while nothing of the window can be seen (minimised or hidden): what
    // is drawn then is shown only when the window is exposed again.
    bool Visible() const { return backend_->Visible(); }

    // Copies every control that changed since the last compose onto the client
    // area and returns it. What it copies is shown by the loop's next present,
    // whoever called it.
    const Surface& ComposeClientArea();
    // The parts of the client area that the last ComposeClientArea copied to.
    std::span<const ClientRect> Composed() const { return changed_; }
    // Called after every present, whole or in parts.
    void SetPresentListener(std::function<void(const Surface&)> listener) {
        presentListener_ = std::move(listener);
    }

  private:
    struct Timer {
        int id = 0;
        std::int64_t periodMs = 0;
        std::int64_t deadlineMs = 0;
    };

    Dialog(std::unique_ptr<DialogBackend> backend, int width, int height);
    std::intptr_t Dispatch(int event, std::uintptr_t wParam, std::intptr_t lParam);
    void CloseCommand();
    void Clicked(int x, int y);
    void FireDueTimers(std::int64_t now);
    std::int64_t NextDeadline() const;
    void PresentIfPending(bool force);
    // The part of a rectangle that lies on the client area (empty when none).
    ClientRect ClipToClient(int x, int y, int width, int height) const;

    std::unique_ptr<DialogBackend> backend_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    Surface clientArea_;
    UserSlots user_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Timer> timers_;
    std::vector<ClientRect> changed_;      // what the last ComposeClientArea copied, clipped
    std::vector<ClientRect> unpresented_;  // what composes copied since the last present
    std::vector<ClientRect> uncovered_;    // where replaced controls were, to compose again
    DialogHandler handler_;
    std::function<void(const Surface&)> presentListener_;
    bool running_ = false;
    bool ended_ = false;
    std::intptr_t result_ = 0;
    // Set by Redraw (and by drawing on an unbuffered control): the loop then
    // composes and presents once after the handler returns.
    bool presentPending_ = false;
};

}  // namespace instruments
