// A 20 x 4 status panel written the way firmware is: setup() once, loop()
// again and again, through the driver calls of a character LCD. It runs in a
// window, or with --snapshot writes the module after three seconds as PNG.
//
//   lcd-sketch [--snapshot OUT.png]

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include <instruments/Window.h>
#include <instruments/instruments.h>

namespace {

constexpr int kLoopMs = 100;
constexpr std::string_view kMarquee = "  instruments: panels, dashboards and firmware  ";

// The sketch: what would run on the device.
class Sketch {
  public:
    explicit Sketch(instruments::CharacterLcd& lcd) : lcd_(lcd) {}

    void setup() {
        lcd_.Begin();
        lcd_.CreateChar(0, {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x00});  // a full bar cell
        lcd_.CreateChar(1, {0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x00});  // a started one
        lcd_.SetCursor(0, 0);
        lcd_.Print("PUMP 2   count");
        lcd_.SetCursor(0, 2);
        lcd_.Print("flow");
    }

    void loop() {
        ++count_;
        char text[8];
        std::snprintf(text, sizeof text, "%5ld", count_ % 100000);
        lcd_.SetCursor(15, 0);
        lcd_.Print(text);

        // A bar of 20 cells that fills and empties, in half cells.
        const int halves = static_cast<int>(count_ % 80 < 40 ? count_ % 80 : 80 - count_ % 80);
        std::string bar;
        for (int cell = 0; cell < 20; ++cell) {
            const int left = halves - 2 * cell;
            bar += left >= 2 ? '\0' : left == 1 ? '\1' : ' ';
        }
        lcd_.SetCursor(0, 1);
        lcd_.Print(bar);
        std::snprintf(text, sizeof text, "%3d%%", halves * 100 / 40);
        lcd_.SetCursor(16, 2);
        lcd_.Print(text);

        // The marquee moves one character every third loop.
        const std::size_t start = static_cast<std::size_t>(count_ / 3) % kMarquee.size();
        std::string line;
        for (std::size_t i = 0; i < 20; ++i) {
            line += kMarquee[(start + i) % kMarquee.size()];
        }
        lcd_.SetCursor(0, 3);
        lcd_.Print(line);
    }

  private:
    instruments::CharacterLcd& lcd_;
    long count_ = 0;
};

instruments::CharacterLcd::Settings PanelSettings() {
    return {.columns = 20, .rows = 4, .look = instruments::LcdLook::Preset("blue")};
}

int Snapshot(const std::string& out) {
    instruments::CharacterLcd lcd(PanelSettings());
    Sketch sketch(lcd);
    sketch.setup();
    for (int i = 0; i < 3000 / kLoopMs; ++i) {
        sketch.loop();
        lcd.Advance(kLoopMs);
    }
    instruments::Surface panel(lcd.size().width, lcd.size().height);
    instruments::Painter painter(panel);
    lcd.Paint(painter);
    if (!instruments::WritePng(panel, out)) {
        std::fprintf(stderr, "lcd-sketch: cannot write \"%s\"\n", out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--snapshot") {
        return Snapshot(argv[2]);
    }
    if (argc != 1) {
        std::fprintf(stderr, "lcd-sketch: unknown arguments (usage: lcd-sketch [--snapshot OUT.png])\n");
        return 2;
    }
    try {
        instruments::CharacterLcd lcd(PanelSettings());
        Sketch sketch(lcd);
        sketch.setup();
        instruments::Window window("lcd-sketch", lcd.size());
        window.Add(lcd, {0, 0});
        const auto loop = window.Every(std::chrono::milliseconds(kLoopMs), [&] {
            sketch.loop();
            lcd.Advance(kLoopMs);
        });
        window.OnKey([&](instruments::Key key) {
            if (key == instruments::Key::Escape) {
                window.Quit(0);
            }
        });
        return window.Run();
    } catch (const instruments::WindowError& error) {
        std::fprintf(stderr, "lcd-sketch: %s\n", error.what());
        return 1;
    }
}
