// A window holding two bar gauges that fill and empty on a timer. Click a gauge
// to pause or resume it, press Up or Down to change the speed, Escape to end.
// With --headless it runs two seconds of virtual time, clicking the first
// gauge once, and prints what it showed.
//
//   window-panel [--headless]

#include <cstdio>
#include <string_view>
#include <vector>

#include <instruments/instruments.h>
#include <instruments/Window.h>

namespace {

// A horizontal bar showing a level of 0..100: the program's own instrument.
class Gauge : public instruments::Instrument {
  public:
    Gauge(instruments::Size size, instruments::Colour colour) : Instrument(size), colour_(colour) {}

    void SetLevel(int level) {
        level = level < 0 ? 0 : level > 100 ? 100 : level;
        if (level != level_) {
            level_ = level;
            Invalidate();  // a setter that changes what shows marks it
        }
    }
    int level() const { return level_; }

  private:
    void PaintState(instruments::Painter& painter) const override {
        const int filled = (size().width - 4) * level_ / 100;
        painter.Box({0, 0, size().width, size().height},
                    {.line = instruments::Rgb(0, 0, 0), .fill = instruments::Rgb(230, 230, 230)});
        painter.Box({2, 2, filled, size().height - 4}, {.line = colour_, .fill = colour_});
    }
    int level_ = 0;
    instruments::Colour colour_;
};

int Run(instruments::Window& window, int& frames, bool headless) {
    using namespace std::chrono_literals;

    Gauge gauges[] = {{{200, 20}, instruments::Rgb(0, 120, 220)}, {{200, 20}, instruments::Rgb(220, 80, 0)}};
    bool paused[] = {false, false};
    int step = 2;
    for (int i = 0; i < 2; ++i) {
        window.Add(gauges[i], {10, 10 + 30 * i});
        window.OnClick(gauges[i], [&paused, i](instruments::Point) { paused[i] = !paused[i]; });
    }
    auto timer = window.Every(50ms, [&] {
        for (int i = 0; i < 2; ++i) {
            if (!paused[i]) {
                gauges[i].SetLevel((gauges[i].level() + step * (i + 1)) % 101);
            }
        }
    });
    window.OnKey([&](instruments::Key key) {
        if (key == instruments::Key::Escape) {
            window.Quit(0);
        } else if (key == instruments::Key::Up || key == instruments::Key::Down) {
            step = key == instruments::Key::Up ? step + 1 : step > 1 ? step - 1 : 1;
        }
    });

    const int code = window.Run();
    if (headless) {
        std::printf("window-panel: %d frames; levels %d and %d\n", frames, gauges[0].level(),
                    gauges[1].level());
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    const bool headless = argc == 2 && std::string_view(argv[1]) == "--headless";
    if (argc > 1 && !headless) {
        std::fprintf(stderr, "window-panel: unknown argument (usage: window-panel [--headless])\n");
        return 2;
    }
    int frames = 0;
    try {
        auto window = headless
                          ? instruments::Window::Headless(
                                {220, 70}, {.span = 2s,
                                            .events = {instruments::ScriptedEvent::Click(500ms, {50, 15})},
                                            .onFrame = [&](const instruments::PresentedFrame&) { ++frames; }})
                          : instruments::Window("window-panel", {220, 70});
        return Run(window, frames, headless);
    } catch (const instruments::WindowError& error) {
        std::fprintf(stderr, "window-panel: %s\n", error.what());
        return 1;
    }
}
