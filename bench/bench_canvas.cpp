// Costs of the drawing operations that every tick leans on.
//   build/bin/bench_canvas

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"

namespace {

using namespace instruments;
using namespace dialog;

// A headless dialog with one 210 x 55 control (id 1) and one 180 x 180 control (id 2).
DialogHandle BenchDialog() {
    static DialogHandle dialog = [] {
        UseHeadlessDialogs({});
        const DialogHandle d = DialogNew(kDialogPixels, 0, "bench", -1, -1, 700, 500, 0, 0);
        ControlAddGraphic(d, 1, "", 10, 10, 210, 55, 0);
        ControlAddGraphic(d, 2, "", 250, 10, 180, 180, 0);
        return d;
    }();
    return dialog;
}

void BM_BoxDot(benchmark::State& state) {
    Attach(BenchDialog(), 1, Buffering::Buffered);
    const int size = static_cast<int>(state.range(0));
    int x = 12;
    for (auto _ : state) {
        Box(x, 12, x + size, 12 + size, 0, 0x0000FF, 0x0000FF, 0);
        x = x < 190 ? x + 4 : 12;
    }
}
BENCHMARK(BM_BoxDot)->Arg(3)->Arg(4);

void BM_SetBits(benchmark::State& state, int id) {
    Attach(BenchDialog(), id, Buffering::Buffered);
    const PixelBlock block = GetBits();
    for (auto _ : state) {
        SetBits(block);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(block.size()));
}
BENCHMARK_CAPTURE(BM_SetBits, 210x55, 1);
BENCHMARK_CAPTURE(BM_SetBits, 180x180, 2);

// The yardstick for SetBits: a plain memcpy of the same number of pixel bytes
// between two 64-byte aligned buffers.
void BM_MemcpyBaseline(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * 4;
    Surface from(static_cast<int>(state.range(0)), 1);
    Surface to(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        std::memcpy(to.mutableRow(0), from.row(0), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_MemcpyBaseline)->Arg(210 * 55)->Arg(180 * 180);

void BM_LineAcrossDial(benchmark::State& state) {
    Attach(BenchDialog(), 2, Buffering::Buffered);
    Width(static_cast<double>(state.range(0)));
    int angle = 0;
    static const int kEnds[8][2] = {{90, 9},   {147, 33}, {171, 90}, {147, 147},
                                    {90, 171}, {33, 147}, {9, 90},   {33, 33}};
    for (auto _ : state) {
        SetPos(90, 90);
        LineTo(kEnds[angle][0], kEnds[angle][1], 0x0000FF);
        angle = (angle + 1) & 7;
    }
    Width(1);
}
BENCHMARK(BM_LineAcrossDial)->Arg(1)->Arg(4);

void BM_Print18(benchmark::State& state) {
    Attach(BenchDialog(), 1, Buffering::Buffered);
    ColourFg(0xFFFFFF);
    ColourBg(kColourTransparent);
    for (auto _ : state) {
        SetPos(0, 0);
        Print("unto vuoto cerchio");
    }
}
BENCHMARK(BM_Print18);

// The same dot and face restore on a painter of a whole 700 x 500 panel,
// clipped and moved to the 210 x 55 display at (10, 10): the cost of drawing
// through a view of the clip.
void BM_BoxDotInPanel(benchmark::State& state) {
    Surface panel(700, 500);
    Painter painter(panel);
    painter.Clip({10, 10, 210, 55});
    painter.Translate({10, 10});
    const int size = static_cast<int>(state.range(0));
    int x = 12;
    for (auto _ : state) {
        painter.Box(x, 12, x + size, 12 + size, 0, 0x0000FF, 0x0000FF);
        x = x < 190 ? x + 4 : 12;
    }
}
BENCHMARK(BM_BoxDotInPanel)->Arg(3)->Arg(4);

void BM_SetBitsInPanel(benchmark::State& state) {
    Surface panel(700, 500);
    Painter painter(panel);
    painter.Clip({10, 10, 210, 55});
    painter.Translate({10, 10});
    const PixelBlock block = painter.GetBits();
    for (auto _ : state) {
        painter.SetBits(block);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(block.size()));
}
BENCHMARK(BM_SetBitsInPanel);

void BM_ComposeAndPresent(benchmark::State& state) {
    // Every control redrawn, then one loop iteration's compose and present.
    const int spanTicks = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        std::int64_t presents = 0;
        HeadlessOptions options;
        options.spanMs = 40LL * spanTicks;
        options.onPresent = [&](const Surface&, std::int64_t) { ++presents; };
        UseHeadlessDialogs(options);
        const DialogHandle d = DialogNew(kDialogPixels, 0, "bench", -1, -1, 700, 500, 0, 0);
        for (int i = 0; i < 8; ++i) {
            ControlAddGraphic(d, 100 + i, "", 10, 10 + 59 * i, 210, 55, 0);
        }
        ControlAddGraphic(d, 200, "", 250, 10, 180, 180, 0);
        ControlAddGraphic(d, 201, "", 250, 194, 180, 180, 0);
        ControlAddGraphic(d, 202, "", 450, 10, 80, 80, 0);
        ControlAddGraphic(d, 203, "", 450, 94, 80, 80, 0);
        state.ResumeTiming();
        DialogShowModal(d,
                        [](DialogHandle dialog, int event, std::uintptr_t, std::intptr_t) -> std::intptr_t {
                            if (event == kEventInitDialog) {
                                SetTimer(dialog, 1, 40);
                            } else if (event == kEventTimer) {
                                for (int id : {100, 101, 102, 103, 104, 105, 106, 107, 200, 201, 202, 203}) {
                                    Attach(dialog, id, Buffering::Buffered);
                                    Redraw();
                                }
                            }
                            return 1;
                        });
        state.counters["presents"] = static_cast<double>(presents);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * spanTicks);
}
BENCHMARK(BM_ComposeAndPresent)->Unit(benchmark::kMillisecond);

// A wide-pen ellipse 200000 pixels across whose top edge runs through a square
// surface of the given side: only the part on the surface should cost.
void BM_WideEllipseBeyondSurface(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    Surface surface(side, side, 0xFFFFFF);
    Painter painter(surface);
    painter.Width(static_cast<double>(state.range(1)));
    for (auto _ : state) {
        painter.Box(-100000, side / 4, 100000, side / 4 + 200000, kCornerEllipse, 0x0000FF, 0x00FF00);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WideEllipseBeyondSurface)
    ->Args({400, 1})
    ->Args({400, 40})
    ->Args({400, 4096})
    ->Args({2000, 40})
    ->Unit(benchmark::kMicrosecond);

// A huge dot with round corners: arg 0 has its lower-right corner on a 400 x 400
// surface, arg 1 lies wholly above and left of it (a text display with a large
// negative frame width paints thousands of those).
void BM_HugeRoundBoxOffSurface(benchmark::State& state) {
    Surface surface(400, 400, 0xFFFFFF);
    Painter painter(surface);
    painter.Width(3);
    const double end = state.range(0) == 0 ? 200 : -1000;
    for (auto _ : state) {
        painter.Box(-200000, -200000, end, end, 40, 0x0000FF, 0x00FF00);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HugeRoundBoxOffSurface)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
