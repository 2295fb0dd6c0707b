#pragma once

// A window on screen (SDL2) whose client area shows instruments at places of
// their own, with callbacks for clicks, keys, timers, resizes and closing; or a
// headless stand-in on virtual time for tests and tools.
//
//   instruments::Window window("Clock", {220, 75});
//   window.Add(clock, {5, 10});  // any Instrument
//   auto tick = window.Every(std::chrono::seconds(1), [&] { /* set the clock's time */ });
//   window.OnKey([&](instruments::Key key) {
//       if (key == instruments::Key::Escape) window.Quit(0);
//   });
//   return window.Run();

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "instruments/Export.h"
#include "instruments/Geometry.h"
#include "instruments/Instrument.h"
#include "instruments/Key.h"
#include "instruments/Pixel.h"
#include "instruments/Surface.h"

namespace instruments {

// Thrown by Window's constructor when no window can be had: there is no display,
// or the window system refused one. The message gives the reason.
class INSTRUMENTS_API WindowError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct WindowOptions {
    // A real window shows each client pixel as a scale x scale block (1..4);
    // Ctrl+plus and Ctrl+minus change it while it runs.
    int scale = 1;
    // What the client area shows where no instrument is, as 0xRRGGBB.
    Pixel background = 0xF0F0F0;
};

// One thing that happens to a headless window at a moment of virtual time.
struct ScriptedEvent {
    enum class Kind { Click, KeyPress, Resize, Close, Minimise, Restore };

    std::chrono::milliseconds at{0};
    Kind kind = Kind::Click;
    Point position{};       // Click: where, in client coordinates
    Key key = Key::Escape;  // KeyPress: which
    Size size{};            // Resize: the new client size

    static ScriptedEvent Click(std::chrono::milliseconds at, Point position) {
        return {.at = at, .kind = Kind::Click, .position = position};
    }
    static ScriptedEvent KeyPress(std::chrono::milliseconds at, Key key) {
        return {.at = at, .kind = Kind::KeyPress, .key = key};
    }
    static ScriptedEvent Resize(std::chrono::milliseconds at, Size size) {
        return {.at = at, .kind = Kind::Resize, .size = size};
    }
    static ScriptedEvent Close(std::chrono::milliseconds at) { return {.at = at, .kind = Kind::Close}; }
    static ScriptedEvent Minimise(std::chrono::milliseconds at) { return {.at = at, .kind = Kind::Minimise}; }
    static ScriptedEvent Restore(std::chrono::milliseconds at) { return {.at = at, .kind = Kind::Restore}; }
};

// What a window showed: the whole client area as it is now, and the parts of it
// this present sent to the screen (the whole of it after an exposure).
struct PresentedFrame {
    const Surface& client;
    std::chrono::milliseconds at;
    std::span<const Rect> shown;
};

struct HeadlessScript {
    // The virtual time Run runs for; Run then returns 0, as for a closed window
    // (without calling OnClose's callback).
    std::chrono::milliseconds span{0};
    // In increasing order of time; events after the span never happen. Virtual
    // time jumps from one event or timer deadline to the next.
    std::vector<ScriptedEvent> events{};
    // Called with every present, while Run runs.
    std::function<void(const PresentedFrame&)> onFrame{};
};

class INSTRUMENTS_API Window {
  public:
    // Repeats a callback until stopped; made by Every. Stops when destroyed, so
    // keep it for as long as the callback should run. A moved-from or default
    // timer is stopped.
    class INSTRUMENTS_API Timer {
      public:
        Timer() = default;
        ~Timer();
        Timer(Timer&& other) noexcept = default;
        // Stops the timer this one was before taking over the other.
        Timer& operator=(Timer&& other) noexcept;
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;

        // No further calls; the callback may stop its own timer. Harmless when
        // stopped already, and after the window is gone.
        void Stop();

      private:
        friend class Window;
        struct State;
        explicit Timer(std::shared_ptr<State> state) : state_(std::move(state)) {}
        std::shared_ptr<State> state_;
    };

    // Opens a hidden window titled `title` (Latin-1, as the instruments' texts)
    // with a client area of clientSize, centred on the screen; Run shows it.
    // Throws SettingsError for a size that cannot be a surface or a scale outside
    // 1..4, WindowError when no window can be had.
    Window(const std::string& title, Size clientSize, WindowOptions options = {});
    // A window that shows nothing and runs on virtual time from 0, fed by the
    // script. Throws SettingsError for a size that cannot be a surface, a
    // negative span or events out of order of time.
    static Window Headless(Size clientSize, HeadlessScript script, WindowOptions options = {});

    ~Window();
    // Moving a window moves its instruments, callbacks and timers with it; not
    // while it runs.
    Window(Window&& other) noexcept;
    Window& operator=(Window&& other) noexcept;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Size clientSize() const;

    // Places an instrument with its top-left corner at `at` of the client area;
    // what lies outside the client area is not shown. Instruments added later
    // lie on top of earlier ones. The window keeps a reference: the instrument
    // must outlive the window. Throws SettingsError for one added already.
    void Add(Instrument& instrument, Point at);

    // A click on the added instrument (the topmost one under the pointer), at
    // the point in the instrument's own coordinates. Throws SettingsError for an
    // instrument not added. An empty function removes the callback.
    void OnClick(const Instrument& instrument, std::function<void(Point)> callback);
    // Every other click, in client coordinates.
    void OnClick(std::function<void(Point)> callback);
    void OnKey(std::function<void(Key)> callback);
    // The window's new size, in client pixels. The client area keeps the size it
    // was made with: what does not fit is not shown, room beyond it shows none
    // of it.
    void OnResize(std::function<void(Size)> callback);
    // A close request (close box, Alt+F4, the window manager). Run then ends with
    // 0, unless the callback calls KeepOpen (or Quit, whose code it ends with).
    void OnClose(std::function<void()> callback);
    // Called by the close callback: the window stays open. Elsewhere it does nothing.
    void KeepOpen();

    // Calls the callback every period from now on, at whole multiples of it (a
    // late round skips the ticks it missed rather than catching up). Periods
    // below 10 ms, zero and negative ones included, are raised to 10 ms.
    [[nodiscard]] Timer Every(std::chrono::milliseconds period, std::function<void()> callback);

    // Shows the window and calls the callbacks until Quit, a close request (see
    // OnClose) or, headless, the end of the span; returns Quit's code, 0
    // otherwise. After every round of callbacks each instrument that NeedsPaint
    // is painted and only the changed parts are shown; while the window is
    // minimised or hidden nothing is painted, and on showing again every
    // instrument is painted once. An exception thrown by a callback (or by a
    // Paint) ends Run and comes out of it. Run can be called again after it
    // returned; not from a callback (std::logic_error).
    int Run();
    // Ends Run with `code` once the current callback returns.
    void Quit(int code);
    // Milliseconds on the window's clock: a steady clock of arbitrary origin for
    // a real window, virtual time from 0 for a headless one.
    std::int64_t NowMs() const;

  private:
    struct State;
    explicit Window(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace instruments
