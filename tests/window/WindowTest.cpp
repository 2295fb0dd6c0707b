// The public window on its headless back-end: routing of clicks, keys, resizes
// and close requests, timers, the exit code, exceptions, and what is painted
// and shown when.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <vector>

#include "instruments/Colour.h"
#include "instruments/SettingsError.h"
#include "instruments/Window.h"

namespace {

using namespace std::chrono_literals;
using instruments::Key;
using instruments::Point;
using instruments::Rect;
using instruments::ScriptedEvent;
using instruments::Size;
using instruments::Window;

constexpr instruments::Pixel kBackground = 0x102030;

// A plain patch of colour that counts its paints. It fills well beyond its own
// size, so that pixels outside its place show a missing clip.
class Patch : public instruments::Instrument {
  public:
    Patch(Size size, instruments::Colour colour) : Instrument(size), colour_(colour) {}

    void SetColour(instruments::Colour colour) {
        if (colour != colour_) {
            colour_ = colour;
            Invalidate();
        }
    }
    // Marks only the top-left quarter, as an instrument changing a part would.
    void TouchCorner() { Instrument::Invalidate(Rect{0, 0, size().width / 2, size().height / 2}); }
    instruments::Pixel pixel() const { return instruments::PixelFromColour(colour_); }
    int paints = 0;

  private:
    void PaintState(instruments::Painter& painter) const override {
        ++const_cast<Patch*>(this)->paints;
        painter.Box(-50, -50, size().width + 50, size().height + 50, 0, colour_, colour_);
    }
    instruments::Colour colour_;
};

struct Frame {
    std::int64_t atMs = 0;
    std::vector<Rect> shown;
    instruments::Surface client;
};

// A headless window that records every frame it presents.
struct Recorded {
    explicit Recorded(instruments::HeadlessScript script, Size size = {200, 100})
        : window(Make(std::move(script), size, frames)) {}

    static Window Make(instruments::HeadlessScript script, Size size, std::vector<Frame>& frames) {
        script.onFrame = [&frames](const instruments::PresentedFrame& frame) {
            frames.push_back({frame.at.count(), {frame.shown.begin(), frame.shown.end()}, frame.client});
        };
        return Window::Headless(size, std::move(script), {.background = kBackground});
    }

    std::vector<Frame> frames;
    Window window;
};

bool Filled(const instruments::Surface& surface, const Rect& rect, instruments::Pixel pixel) {
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            if (surface.At(x, y) != pixel) {
                return false;
            }
        }
    }
    return true;
}

TEST(WindowInput, ClickGoesToTheTopmostInstrumentInItsOwnCoordinates) {
    Window window = Window::Headless(
        {200, 100}, {.span = 1000ms,
                     .events = {ScriptedEvent::Click(10ms, {15, 12}), ScriptedEvent::Click(20ms, {59, 19}),
                                ScriptedEvent::Click(30ms, {55, 15}), ScriptedEvent::Click(40ms, {100, 50}),
                                ScriptedEvent::Click(50ms, {85, 15})}});
    Patch left({20, 10}, 0), right({20, 10}, 0), onTop({20, 10}, 0), silent({20, 10}, 0);
    window.Add(left, {10, 10});
    window.Add(right, {40, 10});
    window.Add(onTop, {50, 10});  // covers the right half of `right`
    window.Add(silent, {80, 10});
    std::vector<std::pair<const Patch*, Point>> clicks;
    for (const Patch* patch : {&left, &right, &onTop}) {
        window.OnClick(*patch, [&clicks, patch](Point at) { clicks.push_back({patch, at}); });
    }
    window.OnClick([&clicks](Point at) { clicks.push_back({nullptr, at}); });

    EXPECT_EQ(window.Run(), 0);
    const std::vector<std::pair<const Patch*, Point>> expected = {
        {&left, {5, 2}},
        {&onTop, {9, 9}},
        {&onTop, {5, 5}},
        {nullptr, {100, 50}},
        // An instrument without a callback leaves its clicks to the client area.
        {nullptr, {85, 15}}};
    EXPECT_EQ(clicks, expected);
}

TEST(WindowInput, KeysResizesAndCloseReachTheirCallbacksInOrderOfTime) {
    Recorded recorded(
        {.span = 1000ms,
         .events = {ScriptedEvent::KeyPress(10ms, Key::Enter), ScriptedEvent::Resize(20ms, {300, 150}),
                    ScriptedEvent::KeyPress(30ms, Key::Left), ScriptedEvent::KeyPress(30ms, Key::Space),
                    ScriptedEvent::Close(400ms)}});
    Window& window = recorded.window;
    std::vector<Key> keys;
    std::vector<std::pair<std::int64_t, Size>> resizes;
    window.OnKey([&](Key key) { keys.push_back(key); });
    window.OnResize([&](Size size) { resizes.push_back({window.NowMs(), size}); });

    EXPECT_EQ(window.Run(), 0);
    EXPECT_EQ(window.NowMs(), 400) << "a close request without a callback ends Run";
    EXPECT_EQ(keys, (std::vector<Key>{Key::Enter, Key::Left, Key::Space}));
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0].first, 20);
    EXPECT_EQ(resizes[0].second, (Size{300, 150}));
    // The client area keeps its size; the resize shows the whole of it again.
    EXPECT_EQ(window.clientSize(), (Size{200, 100}));
    ASSERT_EQ(recorded.frames.size(), 2u);
    EXPECT_EQ(recorded.frames[1].atMs, 20);
    EXPECT_EQ(recorded.frames[1].shown, (std::vector<Rect>{{0, 0, 200, 100}}));
}

TEST(WindowClose, KeepOpenOutlivesOneRequestAndQuitGivesTheCode) {
    const std::vector<ScriptedEvent> closes = {ScriptedEvent::Close(100ms), ScriptedEvent::Close(200ms),
                                               ScriptedEvent::Close(300ms)};
    {
        Window window = Window::Headless({50, 50}, {.span = 1000ms, .events = closes});
        int requests = 0;
        window.OnClose([&] {
            if (++requests == 1) {
                window.KeepOpen();
            }
        });
        EXPECT_EQ(window.Run(), 0);
        EXPECT_EQ(requests, 2);
        EXPECT_EQ(window.NowMs(), 200);
    }
    {
        Window window = Window::Headless({50, 50}, {.span = 1000ms, .events = closes});
        window.OnClose([&] {
            window.KeepOpen();
            window.Quit(window.NowMs() == 300 ? 9 : -1);
            window.KeepOpen();
        });
        EXPECT_EQ(window.Run(), -1) << "Quit ends Run even in a close callback that keeps it open";
    }
    {
        Window window = Window::Headless({50, 50}, {.span = 1000ms, .events = closes});
        window.KeepOpen();  // outside a close callback: nothing
        window.OnClose([&] {});
        EXPECT_EQ(window.Run(), 0);
        EXPECT_EQ(window.NowMs(), 100);
    }
}

TEST(WindowTimers, EveryTicksAtWholePeriodsUntilStopped) {
    Window window = Window::Headless({50, 50}, {.span = 1000ms});
    std::vector<std::int64_t> fast, slow, stopped;
    Window::Timer fastTimer = window.Every(3ms, [&] { fast.push_back(window.NowMs()); });
    Window::Timer slowTimer;
    slowTimer = window.Every(250ms, [&] {
        slow.push_back(window.NowMs());
        if (slow.size() == 2) {
            slowTimer.Stop();
        }
    });
    {
        Window::Timer dropped = window.Every(100ms, [&] { stopped.push_back(window.NowMs()); });
    }
    EXPECT_EQ(window.Run(), 0);

    // Raised to 10 ms: 100 ticks in the second.
    ASSERT_EQ(fast.size(), 100u);
    for (std::size_t i = 0; i < fast.size(); ++i) {
        EXPECT_EQ(fast[i], 10 * static_cast<std::int64_t>(i + 1));
    }
    EXPECT_EQ(slow, (std::vector<std::int64_t>{250, 500}));
    EXPECT_TRUE(stopped.empty()) << "a timer stops when its handle goes";
    fastTimer.Stop();
    fastTimer.Stop();
}

TEST(WindowTimers, QuitEndsRunWithItsCode) {
    Window window = Window::Headless({50, 50}, {.span = 10s});
    int ticks = 0;
    auto timer = window.Every(100ms, [&] {
        if (++ticks == 3) {
            window.Quit(7);
        }
    });
    EXPECT_EQ(window.Run(), 7);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(window.NowMs(), 300);
}

TEST(WindowTimers, AnExceptionFromACallbackComesOutOfRun) {
    Window window = Window::Headless({50, 50}, {.span = 1000ms});
    int ticks = 0;
    auto timer = window.Every(100ms, [&] {
        if (++ticks == 2) {
            throw std::runtime_error("from the callback");
        }
    });
    try {
        window.Run();
        ADD_FAILURE() << "Run returned";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "from the callback");
    }
    EXPECT_EQ(window.NowMs(), 200);
    // Run can go on afterwards; from inside a callback it is refused.
    auto nested = window.Every(50ms, [&] { window.Run(); });
    EXPECT_THROW(window.Run(), std::logic_error);
}

TEST(WindowPainting, OnlyChangedInstrumentsArePaintedAndOnlyTheirPartsShown) {
    Recorded recorded({.span = 500ms});
    Window& window = recorded.window;
    Patch first({30, 20}, instruments::Rgb(255, 0, 0)), second({30, 20}, instruments::Rgb(0, 255, 0));
    window.Add(first, {10, 10});
    window.Add(second, {100, 60});
    int ticks = 0;
    auto timer = window.Every(100ms, [&] {
        ++ticks;
        if (ticks == 1) {
            first.SetColour(instruments::Rgb(0, 0, 255));
        } else if (ticks == 2) {
            second.TouchCorner();
        }  // later ticks change nothing
    });
    EXPECT_EQ(window.Run(), 0);

    EXPECT_EQ(first.paints, 2);
    EXPECT_EQ(second.paints, 2);
    ASSERT_EQ(recorded.frames.size(), 3u) << "a round that changes nothing presents nothing";
    const Frame& whole = recorded.frames[0];
    EXPECT_EQ(whole.shown, (std::vector<Rect>{{0, 0, 200, 100}}));
    EXPECT_TRUE(
        Filled(whole.client, {10, 10, 30, 20}, instruments::PixelFromColour(instruments::Rgb(255, 0, 0))));
    // The painter's clip keeps each instrument inside its place.
    EXPECT_TRUE(Filled(whole.client, {0, 0, 200, 10}, kBackground));
    EXPECT_TRUE(Filled(whole.client, {40, 10, 60, 50}, kBackground));
    EXPECT_TRUE(Filled(whole.client, {130, 60, 70, 40}, kBackground));

    EXPECT_EQ(recorded.frames[1].atMs, 100);
    EXPECT_EQ(recorded.frames[1].shown, (std::vector<Rect>{{10, 10, 30, 20}}));
    EXPECT_TRUE(Filled(recorded.frames[1].client, {10, 10, 30, 20}, first.pixel()));
    EXPECT_EQ(recorded.frames[2].atMs, 200);
    EXPECT_EQ(recorded.frames[2].shown, (std::vector<Rect>{{100, 60, 15, 10}}));
}

TEST(WindowPainting, AnInstrumentOnTopIsPaintedAgainOverAChangedOneBelow) {
    Recorded recorded({.span = 150ms});
    Patch below({40, 40}, instruments::Rgb(255, 0, 0)), above({20, 20}, instruments::Rgb(0, 255, 0)),
        apart({10, 10}, instruments::Rgb(0, 0, 255));
    recorded.window.Add(below, {0, 0});
    recorded.window.Add(above, {30, 30});
    recorded.window.Add(apart, {150, 80});
    auto timer = recorded.window.Every(100ms, [&] { below.SetColour(instruments::Rgb(255, 255, 0)); });
    recorded.window.Run();

    EXPECT_EQ(below.paints, 2);
    EXPECT_EQ(above.paints, 2);
    EXPECT_EQ(apart.paints, 1);
    ASSERT_EQ(recorded.frames.size(), 2u);
    const instruments::Surface& client = recorded.frames[1].client;
    EXPECT_TRUE(Filled(client, {30, 30, 20, 20}, above.pixel()));
    EXPECT_TRUE(Filled(client, {0, 0, 30, 30}, below.pixel()));
}

TEST(WindowPainting, AMinimisedWindowPaintsNothingAndEachInstrumentOnceWhenRestored) {
    Recorded recorded(
        {.span = 1000ms, .events = {ScriptedEvent::Minimise(50ms), ScriptedEvent::Restore(450ms)}});
    Patch changing({30, 20}, instruments::Rgb(255, 0, 0)), still({30, 20}, instruments::Rgb(0, 255, 0));
    recorded.window.Add(changing, {10, 10});
    recorded.window.Add(still, {100, 60});
    int ticks = 0;
    auto timer = recorded.window.Every(100ms, [&] {
        // Changes at 100, 200, 300 and 400 while minimised, none after.
        if (++ticks <= 4) {
            changing.SetColour(instruments::Rgb(0, 0, 50 * ticks));
        }
    });
    recorded.window.Run();

    EXPECT_EQ(changing.paints, 2);
    EXPECT_EQ(still.paints, 2);
    ASSERT_EQ(recorded.frames.size(), 2u);
    EXPECT_EQ(recorded.frames[0].atMs, 0);
    EXPECT_EQ(recorded.frames[1].atMs, 450);
    EXPECT_EQ(recorded.frames[1].shown, (std::vector<Rect>{{0, 0, 200, 100}}));
    EXPECT_TRUE(Filled(recorded.frames[1].client, {10, 10, 30, 20}, changing.pixel()));
}

TEST(WindowSettings, RefusedValuesNameThemselves) {
    const auto message = [](auto&& make) -> std::string {
        try {
            make();
        } catch (const instruments::SettingsError& error) {
            return error.what();
        }
        return "(accepted)";
    };
    EXPECT_NE(message([] {
                  Window::Headless({-1, 10}, {});
              }).find("client area: size -1 x 10"),
              std::string::npos);
    EXPECT_NE(message([] {
                  Window::Headless({10, 10}, {.span = -1ms});
              }).find("span -1 ms"),
              std::string::npos);
    EXPECT_NE(message([] {
                  Window::Headless(
                      {10, 10},
                      {.span = 1s, .events = {ScriptedEvent::Close(20ms), ScriptedEvent::Close(10ms)}});
              }).find("event 1 at 10 ms"),
              std::string::npos);

    Window window = Window::Headless({10, 10}, {});
    Patch added({5, 5}, 0), other({5, 5}, 0);
    window.Add(added, {0, 0});
    EXPECT_NE(message([&] { window.Add(added, {5, 5}); }).find("added already"), std::string::npos);
    EXPECT_NE(message([&] { window.OnClick(other, [](Point) {}); }).find("not added"), std::string::npos);
}

}  // namespace
