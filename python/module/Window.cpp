// A window of instruments with callbacks, or a headless one on virtual time.
// run() lets go of the interpreter lock while it waits and paints; each
// callback takes it again, and an exception a callback raises ends run() and
// comes out of it.

#include <pybind11/functional.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <vector>

#include "instruments/SettingsError.h"
#include "instruments/Window.h"
#include "python/module/Bindings.h"
#include "python/module/Convert.h"

namespace instruments::python {

namespace {

using namespace pybind11::literals;
using std::chrono::milliseconds;

// The last frame a headless window presented, and the program's frame callback.
struct FrameStore {
    std::optional<Surface> last;
    std::int64_t count = 0;
    py::object onFrame;
};

class PyWindow {
  public:
    PyWindow(Window window, std::shared_ptr<FrameStore> frames)
        : window_(std::make_unique<Window>(std::move(window))), frames_(std::move(frames)) {}
    ~PyWindow() {
        // The timers' and callbacks' Python functions go with the interpreter lock held.
        timers_.clear();
        window_.reset();
        if (frames_) {
            frames_->onFrame = py::object();
        }
    }

    Window& window() { return *window_; }
    bool headless() const { return frames_ != nullptr; }

    std::shared_ptr<Window::Timer> Every(double periodMs, std::function<void()> callback) {
        auto timer = std::make_shared<Window::Timer>(
            window_->Every(milliseconds(static_cast<std::int64_t>(periodMs)), std::move(callback)));
        timers_.push_back(timer);
        return timer;
    }

    int Run() {
        // A real window checks for Ctrl+C in the terminal now and then.
        Window::Timer signals;
        if (!headless()) {
            signals = window_->Every(milliseconds(100), [] {
                py::gil_scoped_acquire locked;
                if (PyErr_CheckSignals() != 0) {
                    throw py::error_already_set();
                }
            });
        }
        py::gil_scoped_release unlocked;
        return window_->Run();
    }

    py::object LastFrame() const {
        if (!frames_ || !frames_->last) {
            return py::none();
        }
        return py::cast(Surface(*frames_->last));
    }
    std::int64_t FrameCount() const { return frames_ ? frames_->count : 0; }

  private:
    std::unique_ptr<Window> window_;
    std::shared_ptr<FrameStore> frames_;
    std::vector<std::shared_ptr<Window::Timer>> timers_;
};

Key ToKey(const std::string& name) {
    static const std::pair<const char*, Key> kKeys[] = {{"escape", Key::Escape},
                                                        {"enter", Key::Enter},
                                                        {"space", Key::Space},
                                                        {"tab", Key::Tab},
                                                        {"backspace", Key::Backspace},
                                                        {"left", Key::Left},
                                                        {"right", Key::Right},
                                                        {"up", Key::Up},
                                                        {"down", Key::Down}};
    for (const auto& [text, key] : kKeys) {
        if (name == text) {
            return key;
        }
    }
    RefuseValue("key \"" + name + "\": give escape, enter, space, tab, backspace, left, right, up or down");
}

const char* KeyName(Key key) {
    switch (key) {
        case Key::Escape:
            return "escape";
        case Key::Enter:
            return "enter";
        case Key::Space:
            return "space";
        case Key::Tab:
            return "tab";
        case Key::Backspace:
            return "backspace";
        case Key::Left:
            return "left";
        case Key::Right:
            return "right";
        case Key::Up:
            return "up";
        case Key::Down:
            return "down";
    }
    return "";
}

// One scripted event: ("click", at_ms, (x, y)), ("key", at_ms, "escape"),
// ("resize", at_ms, (w, h)), ("close", at_ms), ("minimise", at_ms), ("restore", at_ms).
ScriptedEvent ToEvent(py::handle value) {
    const std::string shape =
        "events are (\"click\", ms, (x, y)), (\"key\", ms, name), (\"resize\", ms, (w, h)), (\"close\", ms), "
        "(\"minimise\", ms) or (\"restore\", ms), not ";
    if (!py::isinstance<py::tuple>(value) || py::len(value) < 2) {
        RefuseValue(shape + py::repr(value).cast<std::string>());
    }
    const py::tuple items = py::reinterpret_borrow<py::tuple>(value);
    const std::string kind = items[0].cast<std::string>();
    const milliseconds at(static_cast<std::int64_t>(items[1].cast<double>()));
    const bool withArgument = kind == "click" || kind == "key" || kind == "resize";
    if (items.size() != (withArgument ? 3u : 2u)) {
        RefuseValue(shape + py::repr(value).cast<std::string>());
    }
    if (kind == "click") {
        return ScriptedEvent::Click(at, ToPoint(items[2], "click"));
    }
    if (kind == "key") {
        return ScriptedEvent::KeyPress(at, ToKey(items[2].cast<std::string>()));
    }
    if (kind == "resize") {
        return ScriptedEvent::Resize(at, ToSize(items[2], "resize"));
    }
    if (kind == "close") {
        return ScriptedEvent::Close(at);
    }
    if (kind == "minimise" || kind == "minimize") {
        return ScriptedEvent::Minimise(at);
    }
    if (kind == "restore") {
        return ScriptedEvent::Restore(at);
    }
    RefuseValue(shape + py::repr(value).cast<std::string>());
}

WindowOptions Options(int scale, py::handle background) {
    return {.scale = scale, .background = PixelFromColour(ToColour(background, "background"))};
}

}  // namespace

void BindWindow(py::module_& m) {
    py::register_exception<WindowError>(m, "WindowError", PyExc_RuntimeError);

    py::class_<Window::Timer, std::shared_ptr<Window::Timer>>(m, "Timer",
                                                              "A repeating callback made by Window.every.")
        .def("stop", &Window::Timer::Stop, "No further calls.");

    py::class_<PyWindow>(m, "Window", R"(A window whose client area shows instruments, with callbacks.

    window = instruments.Window("Clock", size=(220, 75))
    window.add(clock, at=(5, 10))
    window.every(1000, lambda: clock.set_time(*time.localtime()[3:6]))
    window.run()

Window.headless(...) is the same on virtual time, for tests and snapshots.
Change the instruments of a running window from its callbacks.)")
        .def(py::init([](const std::string& title, py::handle size, int scale, py::handle background) {
                 const Size client = ToSize(size, "size");
                 const WindowOptions options = Options(scale, background);
                 std::optional<Window> window;
                 {
                     py::gil_scoped_release unlocked;
                     window.emplace(title, client, options);
                 }
                 return new PyWindow(std::move(*window), nullptr);
             }),
             "title"_a, py::kw_only(), "size"_a, "scale"_a = 1,
             "background"_a = py::make_tuple(240, 240, 240))
        .def_static(
            "headless",
            [](py::handle size, double spanMs, const std::vector<py::object>& events, py::object onFrame,
               py::handle background) {
                HeadlessScript script;
                if (!(spanMs >= 0) || spanMs > 1e12) {
                    RefuseValue("span_ms: give a time of 0 ms or more");
                }
                script.span = milliseconds(static_cast<std::int64_t>(spanMs));
                for (const py::object& event : events) {
                    script.events.push_back(ToEvent(event));
                }
                auto frames = std::make_shared<FrameStore>();
                frames->onFrame = std::move(onFrame);
                script.onFrame = [frames](const PresentedFrame& frame) {
                    frames->last = frame.client;
                    ++frames->count;
                    py::gil_scoped_acquire locked;
                    if (!frames->onFrame.is_none()) {
                        frames->onFrame(Surface(frame.client), frame.at.count());
                    }
                };
                return new PyWindow(
                    Window::Headless(ToSize(size, "size"), std::move(script), Options(1, background)),
                    frames);
            },
            py::kw_only(), "size"_a, "span_ms"_a, "events"_a = std::vector<py::object>{},
            "on_frame"_a = py::none(), "background"_a = py::make_tuple(240, 240, 240),
            "A window that shows nothing and runs on virtual time for span_ms; on_frame(surface, at_ms) "
            "sees every present.")
        .def_property_readonly("client_size",
                               [](PyWindow& w) {
                                   const Size s = w.window().clientSize();
                                   return py::make_tuple(s.width, s.height);
                               })
        .def(
            "add",
            [](PyWindow& w, Instrument& instrument, py::handle at) {
                w.window().Add(instrument, ToPoint(at, "at"));
            },
            "instrument"_a, py::kw_only(), "at"_a, py::keep_alive<1, 2>(),
            "Shows the instrument with its top-left corner at (x, y) of the client area.")
        .def(
            "on_click",
            [](PyWindow& w, const Instrument& instrument, std::function<void(int, int)> callback) {
                w.window().OnClick(instrument,
                                   [callback = std::move(callback)](Point p) { callback(p.x, p.y); });
            },
            "instrument"_a, "callback"_a,
            "callback(x, y) on a click on the instrument, in its own coordinates.")
        .def(
            "on_click",
            [](PyWindow& w, std::function<void(int, int)> callback) {
                w.window().OnClick([callback = std::move(callback)](Point p) { callback(p.x, p.y); });
            },
            "callback"_a, "callback(x, y) on every other click, in client coordinates.")
        .def(
            "on_key",
            [](PyWindow& w, std::function<void(std::string)> callback) {
                w.window().OnKey([callback = std::move(callback)](Key key) { callback(KeyName(key)); });
            },
            "callback"_a, "callback(name): escape, enter, space, tab, backspace, left, right, up, down.")
        .def(
            "on_resize",
            [](PyWindow& w, std::function<void(int, int)> callback) {
                w.window().OnResize(
                    [callback = std::move(callback)](Size s) { callback(s.width, s.height); });
            },
            "callback"_a)
        .def(
            "on_close",
            [](PyWindow& w, std::function<void()> callback) { w.window().OnClose(std::move(callback)); },
            "callback"_a, "Called on a close request; run() then ends unless it calls keep_open().")
        .def("keep_open", [](PyWindow& w) { w.window().KeepOpen(); })
        .def("every", &PyWindow::Every, "period_ms"_a, "callback"_a,
             "Calls callback() every period (at least 10 ms) until the returned Timer is stopped.")
        .def("run", &PyWindow::Run,
             "Shows the window and calls the callbacks until quit() or a close; "
             "returns quit's code.")
        .def(
            "quit", [](PyWindow& w, int code) { w.window().Quit(code); }, "code"_a = 0)
        .def_property_readonly("now_ms", [](PyWindow& w) { return w.window().NowMs(); })
        .def("last_frame", &PyWindow::LastFrame,
             "A copy of the last presented client area (headless), or None.")
        .def_property_readonly("frame_count", &PyWindow::FrameCount);
}

}  // namespace instruments::python
