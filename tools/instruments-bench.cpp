// Start-up and N ticks of the demo on the headless back-end.
//
//   instruments-bench [--ticks N] [--full-repaint]
//   instruments-bench --lcd [--ticks N]
//   instruments-bench --companions [--ticks N]
//   instruments-bench --each [--ticks N]
//
// A tick is the demo's twelve paint calls and the compose of what changed on
// the client area. The local clock advances 40 ms a tick from 23:59:50, as in
// the running demo, so the seconds turn and midnight passes. With
// --full-repaint every tick of a second series repaints all twelve instruments,
// as before unchanged repaints were skipped; the two series run in alternating
// blocks so that the machine's load falls on both alike.
//
// The last line reads: tick median X us p99 Y us startup Z ms
// or, with --full-repaint:
//   tick median X us full-repaint median Y us ratio R
//
// --lcd measures a 20 x 4 character LCD at the default geometry instead: a
// full repaint, and one character written and its changed cells repainted.
// The last line reads: lcd full-repaint median X us one-character median Y us
//
// --companions measures a six-digit seven-segment clock face of 300 x 80, a
// 20-segment bar graph and a lamp: each painted whole, and after one change
// (a digit, a segment, the lamp turned), medians in microseconds.
//
// --each paints each kind of instrument whole, in the settings
// bench/bench_python.py paints them from Python, so that the two give the cost
// of a call from Python: lines "paint NAME median X us" per call, the median
// of batches of 100 calls; and "paint empty-clip median X us", a call that
// paints nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "dialog/Dialogs.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "instruments/AnalogClock.h"
#include "instruments/BarGraph.h"
#include "instruments/CharacterLcd.h"
#include "instruments/Lamp.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kBlockTicks = 100;
constexpr long long kStartMs = app::kDayMs - 10'000;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Series {
    std::vector<double> samples;
    double Median() {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    }
    double P99() {
        std::sort(samples.begin(), samples.end());
        return samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    }
};

long long virtualMs = kStartMs;

// One tick into `series`, and its compose alone into `compose`.
void Tick(Series& series, Series& compose) {
    virtualMs += app::kTickMs;
    const auto begin = Clock::now();
    app::DemoEventHandler(app::mainDialog, instruments::kEventTimer, 1, 0);
    const auto painted = Clock::now();
    dialog::ComposeClientArea(app::mainDialog);
    const auto end = Clock::now();
    series.samples.push_back(Microseconds(end - begin));
    compose.samples.push_back(Microseconds(end - painted));
}

int BenchLcd(long rounds) {
    instruments::CharacterLcd lcd({.columns = 20, .rows = 4});
    lcd.Begin();
    for (int row = 0; row < 4; ++row) {
        lcd.SetCursor(0, row);
        lcd.Print("A status line, row " + std::to_string(row));
    }
    instruments::Surface surface(lcd.size().width, lcd.size().height);
    instruments::Painter painter(surface);
    Series full, oneCharacter;
    for (long i = 0; i < rounds; ++i) {
        lcd.Invalidate();
        const auto begin = Clock::now();
        lcd.Paint(painter);
        full.samples.push_back(Microseconds(Clock::now() - begin));
    }
    for (long i = 0; i < rounds; ++i) {
        lcd.SetCursor(10, 2);
        const auto begin = Clock::now();
        lcd.WriteByte(instruments::LcdRegister::Data, static_cast<std::uint8_t>('0' + i % 10));
        lcd.PaintChangedCells(painter);
        oneCharacter.samples.push_back(Microseconds(Clock::now() - begin));
    }
    std::printf("rounds %ld\n", rounds);
    std::printf("lcd full-repaint median %.2f us one-character median %.2f us\n", full.Median(),
                oneCharacter.Median());
    return 0;
}

// The median time of `rounds` calls of `run`.
template <typename Run>
double MedianOf(long rounds, Run&& run) {
    Series series;
    for (long i = 0; i < rounds; ++i) {
        const auto begin = Clock::now();
        run(i);
        series.samples.push_back(Microseconds(Clock::now() - begin));
    }
    return series.Median();
}

int BenchCompanions(long rounds) {
    instruments::SegmentDisplay clock({300, 80}, {.digits = 6});
    instruments::Surface clockSurface(300, 80);
    instruments::Painter clockPainter(clockSurface);
    clock.SetText("123456");
    const double clockFull = MedianOf(rounds, [&](long) {
        clock.Invalidate();
        clock.Paint(clockPainter);
    });
    const double clockDigit = MedianOf(rounds, [&](long i) {
        clock.SetText(i % 2 == 0 ? "123457" : "123456");
        clock.PaintChangedCells(clockPainter);
    });

    instruments::BarGraph bar({200, 20}, {.segments = 20});
    instruments::Surface barSurface(200, 20);
    instruments::Painter barPainter(barSurface);
    bar.SetValue(0.5);
    const double barFull = MedianOf(rounds, [&](long) {
        bar.Invalidate();
        bar.Paint(barPainter);
    });
    const double barChange = MedianOf(rounds, [&](long i) {
        bar.SetValue(i % 2 == 0 ? 0.55 : 0.5);
        bar.PaintIfChanged(barPainter);
    });

    instruments::Lamp lamp({24, 24}, {.scheme = "red"});
    instruments::Surface lampSurface(24, 24);
    instruments::Painter lampPainter(lampSurface);
    const double lampFull = MedianOf(rounds, [&](long) {
        lamp.Invalidate();
        lamp.Paint(lampPainter);
    });
    const double lampChange = MedianOf(rounds, [&](long i) {
        lamp.SetOn(i % 2 == 0);
        lamp.PaintIfChanged(lampPainter);
    });
    std::printf("rounds %ld\n", rounds);
    std::printf("segments 300x80 full %.2f us one-digit %.2f us\n", clockFull, clockDigit);
    std::printf("bar 20 full %.2f us one-segment %.2f us\n", barFull, barChange);
    std::printf("lamp 24x24 full %.2f us on-off %.2f us\n", lampFull, lampChange);
    std::printf("companions one-digit median %.2f us\n", clockDigit);
    return 0;
}

// The median time per call of `run` over batches of 100 calls.
template <typename Run>
double BatchedMedianOf(long batches, Run&& run) {
    constexpr int kBatch = 100;
    Series series;
    for (long i = 0; i < batches; ++i) {
        const auto begin = Clock::now();
        for (int call = 0; call < kBatch; ++call) {
            run();
        }
        series.samples.push_back(Microseconds(Clock::now() - begin) / kBatch);
    }
    return series.Median();
}

void PrintPaintMedian(const char* name, instruments::Instrument& instrument, long batches) {
    instruments::Surface surface(instrument.size().width, instrument.size().height);
    instruments::Painter painter(surface);
    std::printf("paint %s median %.3f us\n", name,
                BatchedMedianOf(batches, [&] { instrument.Paint(painter); }));
}

int BenchEach(long batches) {
    using instruments::BackgroundPattern;
    using instruments::Rgb;
    instruments::TextDisplay text(
        {210, 55}, {.frame = {.width = 6, .colour = "gold"},
                    .background = {.pattern = BackgroundPattern::RowsFromBottom, .colour = "#f06040"},
                    .ink = Rgb(255, 0, 0)});
    text.SetText("21.5°C");
    instruments::AnalogClock clock({180, 180}, {.frame = {.width = 6, .colour = "gold"},
                                                .background = {.pattern = BackgroundPattern::BoxStack}});
    clock.SetTime({10, 8, 30, 0});
    instruments::LevelMeter meter({210, 55}, {.needle = Rgb(0, 255, 0), .range = {.min = -20, .max = 5}});
    meter.SetLevel(-3.5);
    instruments::Switch toggle({400, 40}, {.labels = "RUN/PAUSE"});
    toggle.SetOn(true);
    instruments::CharacterLcd lcd({.columns = 16, .rows = 2});
    lcd.Begin();
    lcd.Print("Hello, world");
    instruments::SegmentDisplay digits({300, 80}, {.digits = 6, .colons = true});
    digits.SetText("12:34:56");
    instruments::BarGraph bar({200, 20}, {.segments = 20});
    bar.SetValue(0.72);
    instruments::Lamp lamp({24, 24}, {.scheme = "red"});
    lamp.SetOn(true);
    std::printf("batches %ld of 100\n", batches);
    PrintPaintMedian("TextDisplay", text, batches);
    PrintPaintMedian("AnalogClock", clock, batches);
    PrintPaintMedian("LevelMeter", meter, batches);
    PrintPaintMedian("Switch", toggle, batches);
    PrintPaintMedian("CharacterLcd", lcd, batches);
    PrintPaintMedian("SegmentDisplay", digits, batches);
    PrintPaintMedian("BarGraph", bar, batches);
    PrintPaintMedian("Lamp", lamp, batches);
    // Through a painter clipped to nothing the call paints nothing: what is
    // left is the call itself.
    instruments::Surface surface(24, 24);
    instruments::Painter clipped(surface);
    clipped.Clip({0, 0, 0, 0});
    std::printf("paint empty-clip median %.3f us\n", BatchedMedianOf(batches, [&] { lamp.Paint(clipped); }));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = 2000;
    bool compare = false;
    bool lcd = false;
    bool companions = false;
    bool each = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--ticks" && i + 1 < argc) {
            ticks = std::strtol(argv[++i], nullptr, 10);
        } else if (name == "--full-repaint") {
            compare = true;
        } else if (name == "--lcd") {
            lcd = true;
        } else if (name == "--companions") {
            companions = true;
        } else if (name == "--each") {
            each = true;
        } else {
            std::fprintf(
                stderr,
                "usage: instruments-bench [--ticks N] [--full-repaint | --lcd | --companions | --each]\n");
            return 2;
        }
    }
    if (ticks < 1 || ticks > 10000000) {
        std::fprintf(stderr, "instruments-bench: --ticks needs a number from 1 to 10000000\n");
        return 2;
    }
    if (lcd) {
        return BenchLcd(ticks);
    }
    if (companions) {
        return BenchCompanions(ticks);
    }
    if (each) {
        return BenchEach(ticks);
    }

    dialog::SetLocalClockSource([] { return app::TimeOfDayAt(virtualMs); });
    dialog::UseHeadlessDialogs({});
    const auto startBegin = Clock::now();
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments-bench: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    app::DemoEventHandler(app::mainDialog, instruments::kEventInitDialog, 0, 0);
    dialog::ComposeClientArea(app::mainDialog);
    const double startupMs = Microseconds(Clock::now() - startBegin) / 1000.0;

    Series skipping, full, skippingCompose, fullCompose;
    skipping.samples.reserve(static_cast<std::size_t>(ticks));
    full.samples.reserve(compare ? static_cast<std::size_t>(ticks) : 0);
    for (long done = 0; done < ticks; done += kBlockTicks) {
        const long block = std::min(kBlockTicks, ticks - done);
        dialog::SetRepaints(dialog::Repaints::SkipUnchanged);
        for (long i = 0; i < block; ++i) {
            Tick(skipping, skippingCompose);
        }
        if (compare) {
            dialog::SetRepaints(dialog::Repaints::Always);
            for (long i = 0; i < block; ++i) {
                Tick(full, fullCompose);
            }
        }
    }
    std::printf("ticks %ld\n", ticks);
    std::printf("compose median %.1f us of the tick\n", skippingCompose.Median());
    std::printf("tick median %.1f us p99 %.1f us startup %.2f ms\n", skipping.Median(), skipping.P99(),
                startupMs);
    if (compare) {
        const double skippingMedian = skipping.Median();
        const double fullMedian = full.Median();
        std::printf("full-repaint median %.1f us p99 %.1f us, compose median %.1f us of it\n", fullMedian,
                    full.P99(), fullCompose.Median());
        std::printf("tick median %.1f us full-repaint median %.1f us ratio %.2f\n", skippingMedian,
                    fullMedian, skippingMedian / fullMedian);
    }
    return 0;
}
