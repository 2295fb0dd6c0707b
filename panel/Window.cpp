// The window over a dialog back-end: its own loop, in which instruments paint
// straight onto the one client surface and only their changed parts are shown.

#include "instruments/Window.h"

#include <algorithm>
#include <limits>

#include "canvas/window/Dialog.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"

namespace instruments {

namespace {

constexpr std::int64_t kMinPeriodMs = 10;
constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;
// A deadline past the end of the clock's range stays there and never fires.
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

std::int64_t DeadlineAfter(std::int64_t from, std::int64_t periods, std::int64_t periodMs) {
    std::int64_t step = 0;
    std::int64_t deadline = 0;
    if (__builtin_mul_overflow(periods, periodMs, &step) || __builtin_add_overflow(from, step, &deadline)) {
        return kNever;
    }
    return deadline;
}

// Calls a copy, so that a callback may replace itself (or add instruments)
// while it runs.
template <typename Callback, typename... Args>
void Call(const Callback& callback, Args... args) {
    if (callback) {
        Callback running = callback;
        running(args...);
    }
}

void CheckClientSize(Size size) {
    if (std::string problem = Surface::SizeError(size.width, size.height); !problem.empty()) {
        throw SettingsError("window client area: " + problem);
    }
}

HeadlessOptions::Input ScriptInput(const ScriptedEvent& event) {
    using Kind = HeadlessOptions::Input::Kind;
    HeadlessOptions::Input input{.atMs = event.at.count()};
    switch (event.kind) {
        case ScriptedEvent::Kind::Click:
            input.kind = Kind::Click;
            input.x = event.position.x;
            input.y = event.position.y;
            break;
        case ScriptedEvent::Kind::KeyPress:
            input.kind = Kind::Key;
            input.key = event.key;
            break;
        case ScriptedEvent::Kind::Resize:
            input.kind = Kind::Resize;
            input.width = event.size.width;
            input.height = event.size.height;
            break;
        case ScriptedEvent::Kind::Close:
            input.kind = Kind::Close;
            break;
        case ScriptedEvent::Kind::Minimise:
            input.kind = Kind::Hide;
            break;
        case ScriptedEvent::Kind::Restore:
            input.kind = Kind::Show;
            break;
    }
    return input;
}

}  // namespace

struct Window::Timer::State {
    std::int64_t periodMs = kMinPeriodMs;
    std::int64_t deadlineMs = kNever;
    std::function<void()> callback;
    bool stopped = false;
};

Window::Timer::~Timer() {
    Stop();
}

Window::Timer& Window::Timer::operator=(Timer&& other) noexcept {
    if (this != &other) {
        Stop();
        state_ = std::move(other.state_);
    }
    return *this;
}

void Window::Timer::Stop() {
    if (state_) {
        state_->stopped = true;
        state_.reset();
    }
}

struct Window::State {
    struct Place {
        Instrument* instrument = nullptr;
        Rect rect;
        std::function<void(Point)> onClick;
    };
    enum class Presentation { Changed, Whole };

    State(std::unique_ptr<DialogBackend> backend_, Size size, Pixel background)
        : backend(std::move(backend_)),
          client(size.width, size.height, background),
          painter(client),
          freshState(painter.state()) {}
    ~State() { backend->Destroy(); }

    void Route(Point at);
    void CloseRequested();
    void FireDueTimers();
    std::int64_t NextDeadline();
    void PaintAndPresent(Presentation presentation);

    std::unique_ptr<DialogBackend> backend;
    Surface client;
    Painter painter;
    DrawingState freshState;  // each instrument paints as on a new painter
    std::vector<Place> places;
    std::vector<std::shared_ptr<Timer::State>> timers;
    std::function<void(Point)> onClientClick;
    std::function<void(Key)> onKey;
    std::function<void(Size)> onResize;
    std::function<void()> onClose;
    bool running = false;
    bool quitting = false;
    bool closing = false;  // inside the close callback
    bool keptOpen = false;
    int exitCode = 0;
};

// The topmost instrument under the point takes the click when it has a
// callback; any other click is the client area's.
void Window::State::Route(Point at) {
    for (auto place = places.rbegin(); place != places.rend(); ++place) {
        if (!place->rect.Contains(at)) {
            continue;
        }
        if (place->onClick) {
            Call(place->onClick, Point{at.x - place->rect.x, at.y - place->rect.y});
            return;
        }
        break;
    }
    Call(onClientClick, at);
}

void Window::State::CloseRequested() {
    closing = true;
    keptOpen = false;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{closing};
    Call(onClose);
    if (!keptOpen && !quitting) {
        quitting = true;
        exitCode = 0;
    }
}

// Deadlines are whole multiples of the period from Every, so no drift builds
// up; ticks a late round missed are skipped, not delivered in a burst.
void Window::State::FireDueTimers() {
    const std::int64_t now = backend->Now();
    // By index: a callback may start timers, which come due a period later.
    for (std::size_t i = 0; i < timers.size() && !quitting; ++i) {
        const std::shared_ptr<Timer::State> timer = timers[i];
        if (timer->stopped || timer->deadlineMs > now || timer->deadlineMs == kNever) {
            continue;
        }
        const std::int64_t late = now - timer->deadlineMs;
        timer->deadlineMs = DeadlineAfter(timer->deadlineMs, late / timer->periodMs + 1, timer->periodMs);
        // The callback lives as long as `timer`; nothing can replace it.
        if (timer->callback) {
            timer->callback();
        }
    }
}

std::int64_t Window::State::NextDeadline() {
    std::erase_if(timers, [](const auto& timer) { return timer->stopped; });
    std::int64_t next = -1;
    for (const auto& timer : timers) {
        if (timer->deadlineMs != kNever && (next < 0 || timer->deadlineMs < next)) {
            next = timer->deadlineMs;
        }
    }
    return next;
}

// Instruments paint in the order they were added. One that paints makes every
// later one overlapping its changed part paint too, so that what lies on top
// stays on top.
void Window::State::PaintAndPresent(Presentation presentation) {
    if (!backend->Visible()) {
        return;
    }
    const Rect clientRect = Rect::At({}, Size{client.width(), client.height()});
    std::vector<Rect> changed;
    for (Place& place : places) {
        Instrument& instrument = *place.instrument;
        if (presentation == Presentation::Whole ||
            std::any_of(changed.begin(), changed.end(),
                        [&](const Rect& other) { return !other.Intersect(place.rect).empty(); })) {
            instrument.Invalidate();
        }
        if (!instrument.NeedsPaint()) {
            continue;
        }
        const Rect dirty = instrument.Dirty();
        painter.RestoreState(freshState);
        painter.Clip(place.rect);
        painter.Translate(place.rect.origin());
        instrument.Paint(painter);
        const Rect shown =
            Rect::At({place.rect.x + dirty.x, place.rect.y + dirty.y}, dirty.size()).Intersect(clientRect);
        if (!shown.empty()) {
            changed.push_back(shown);
        }
    }
    if (presentation == Presentation::Whole) {
        backend->Present(client);
        return;
    }
    if (changed.empty()) {
        return;
    }
    std::vector<ClientRect> parts;
    parts.reserve(changed.size());
    for (const Rect& rect : changed) {
        parts.push_back({rect.x, rect.y, rect.width, rect.height});
    }
    backend->PresentChanged(client, parts);
}

Window::Window(std::unique_ptr<State> state) : state_(std::move(state)) {}

Window::Window(const std::string& title, Size clientSize, WindowOptions options) {
    CheckClientSize(clientSize);
    if (options.scale < kMinScale || options.scale > kMaxScale) {
        throw SettingsError("window scale " + std::to_string(options.scale) + ": must be 1 to 4");
    }
    auto backend = MakeWindowBackend(options.scale);
    std::string error;
    if (!backend->Create(title, -1, -1, clientSize.width, clientSize.height, error)) {
        throw WindowError("cannot open the window: " + error);
    }
    state_ = std::make_unique<State>(std::move(backend), clientSize, options.background);
}

Window Window::Headless(Size clientSize, HeadlessScript script, WindowOptions options) {
    CheckClientSize(clientSize);
    if (script.span.count() < 0) {
        throw SettingsError("headless script span " + std::to_string(script.span.count()) +
                            " ms: must not be negative");
    }
    HeadlessOptions headless;
    headless.spanMs = script.span.count();
    for (std::size_t i = 0; i < script.events.size(); ++i) {
        if (i > 0 && script.events[i].at < script.events[i - 1].at) {
            throw SettingsError("headless script event " + std::to_string(i) + " at " +
                                std::to_string(script.events[i].at.count()) + " ms: follows one at " +
                                std::to_string(script.events[i - 1].at.count()) +
                                " ms (events go in increasing order of time)");
        }
        headless.inputs.push_back(ScriptInput(script.events[i]));
    }
    if (script.onFrame) {
        headless.onPresentParts = [onFrame = std::move(script.onFrame)](const Surface& client,
                                                                        std::int64_t virtualMs,
                                                                        std::span<const ClientRect> parts) {
            std::vector<Rect> shown;
            shown.reserve(parts.size());
            for (const ClientRect& part : parts) {
                shown.push_back({part.x, part.y, part.width, part.height});
            }
            onFrame({client, std::chrono::milliseconds(virtualMs), shown});
        };
    }
    auto backend = MakeHeadlessBackend(headless);
    std::string error;
    if (!backend->Create("", -1, -1, clientSize.width, clientSize.height, error)) {
        throw WindowError("cannot make the headless window: " + error);
    }
    return Window(std::make_unique<State>(std::move(backend), clientSize, options.background));
}

Window::~Window() = default;
Window::Window(Window&& other) noexcept = default;
Window& Window::operator=(Window&& other) noexcept = default;

Size Window::clientSize() const {
    return {state_->client.width(), state_->client.height()};
}

void Window::Add(Instrument& instrument, Point at) {
    for (const State::Place& place : state_->places) {
        if (place.instrument == &instrument) {
            throw SettingsError("Window::Add: the instrument at (" + std::to_string(place.rect.x) + ", " +
                                std::to_string(place.rect.y) + ") is added already");
        }
    }
    instrument.Invalidate();
    state_->places.push_back({&instrument, Rect::At(at, instrument.size()), {}});
}

void Window::OnClick(const Instrument& instrument, std::function<void(Point)> callback) {
    for (State::Place& place : state_->places) {
        if (place.instrument == &instrument) {
            place.onClick = std::move(callback);
            return;
        }
    }
    throw SettingsError("Window::OnClick: the instrument is not added to this window");
}

void Window::OnClick(std::function<void(Point)> callback) {
    state_->onClientClick = std::move(callback);
}

void Window::OnKey(std::function<void(Key)> callback) {
    state_->onKey = std::move(callback);
}

void Window::OnResize(std::function<void(Size)> callback) {
    state_->onResize = std::move(callback);
}

void Window::OnClose(std::function<void()> callback) {
    state_->onClose = std::move(callback);
}

void Window::KeepOpen() {
    if (state_->closing) {
        state_->keptOpen = true;
    }
}

Window::Timer Window::Every(std::chrono::milliseconds period, std::function<void()> callback) {
    auto timer = std::make_shared<Timer::State>();
    timer->periodMs = std::max<std::int64_t>(period.count(), kMinPeriodMs);
    timer->deadlineMs = DeadlineAfter(state_->backend->Now(), 1, timer->periodMs);
    timer->callback = std::move(callback);
    state_->timers.push_back(timer);
    return Timer(std::move(timer));
}

int Window::Run() {
    State& s = *state_;
    if (s.running) {
        throw std::logic_error("Window::Run: the window is running already");
    }
    s.running = true;
    s.quitting = false;
    struct Stopped {
        State& state;
        ~Stopped() { state.running = false; }
    } stopped{s};

    s.backend->Show();
    s.PaintAndPresent(State::Presentation::Whole);
    while (!s.quitting) {
        const BackendEvent event = s.backend->Wait(s.NextDeadline());
        auto presentation = State::Presentation::Changed;
        switch (event.kind) {
            case BackendEventKind::Close:
                s.CloseRequested();
                break;
            case BackendEventKind::SpanElapsed:
                s.quitting = true;
                s.exitCode = 0;
                break;
            case BackendEventKind::Resized:
                Call(s.onResize, Size{event.width, event.height});
                presentation = State::Presentation::Whole;
                break;
            case BackendEventKind::Exposed:
                presentation = State::Presentation::Whole;
                break;
            case BackendEventKind::Click:
                s.Route({event.width, event.height});
                break;
            case BackendEventKind::KeyPressed:
                Call(s.onKey, event.key);
                break;
            case BackendEventKind::None:
                break;
        }
        if (!s.quitting) {
            s.FireDueTimers();
        }
        if (!s.quitting) {
            s.PaintAndPresent(presentation);
        }
    }
    return s.exitCode;
}

void Window::Quit(int code) {
    state_->quitting = true;
    state_->exitCode = code;
}

std::int64_t Window::NowMs() const {
    return state_->backend->Now();
}

}  // namespace instruments
