// Repaint cost of one dot-matrix display: an 8-character time text on a 210 x 55
// display with a 6-pixel frame, in the plain style and the three styles that
// paint more boxes per dot. Each repaint restores the background copy first.
// Last, the same text again on a display nothing else touched: the repaint
// that is skipped.

#include <benchmark/benchmark.h>

#include <string>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/GlyphTable.h"
#include "dialog/Painters.h"
#include "instruments/Surface.h"
#include "widgets/TextLayout.h"

namespace {

constexpr int kWidth = 210;
constexpr int kHeight = 55;
constexpr int kFirstId = 207;

struct Setup {
    dialog::DialogHandle dialog = 0;
    int nextId = kFirstId;
};

Setup& TheSetup() {
    static Setup setup = [] {
        dialog::UseHeadlessDialogs({});
        Setup s;
        s.dialog = dialog::DialogNew(dialog::kDialogPixels, 0, "bench", -1, -1, 700, 500, 0, 0);
        dialog::AllocateDisplayTable();
        dialog::EnsureBackgroundTable();
        dialog::BuildGlyphTable();
        return s;
    }();
    return setup;
}

// A display as creation leaves it, with a shaded background copy so that the
// restore copies real pixels.
int MakeDisplay(const char* styleWords) {
    Setup& setup = TheSetup();
    const int id = setup.nextId++;
    dialog::ControlAddGraphic(setup.dialog, id, "", 10, 10, kWidth, kHeight, 0);
    dialog::DisplayRecord& record = *dialog::RecordOf(id);
    record.frameWidth = 6;
    record.inkColour = 0x00FF00;
    record.styleWords.Store(styleWords);
    instruments::Surface face(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        face.FillSpan(y, 0, kWidth, static_cast<instruments::Pixel>(0x101010 * (y % 16)));
    }
    *dialog::BackgroundOf(id) = instruments::PixelBlock::FromSurface(face);
    return id;
}

void PaintTime(benchmark::State& state, const char* styleWords,
               dialog::Repaints repaints = dialog::Repaints::Always) {
    dialog::SetRepaints(repaints);
    const int id = MakeDisplay(styleWords);
    const std::string text = instruments::ToSegmentDigits("12:34:56");
    for (auto _ : state) {
        dialog::PaintDisplayText(TheSetup().dialog, id, text);
        benchmark::ClobberMemory();
    }
}

void BM_PaintPlain(benchmark::State& state) {
    PaintTime(state, "");
}
void BM_PaintJoined(benchmark::State& state) {
    PaintTime(state, "unito");
}
void BM_PaintShadow(benchmark::State& state) {
    PaintTime(state, "ombra");
}
void BM_PaintUnlit(benchmark::State& state) {
    PaintTime(state, "fondo");
}
void BM_RepaintUnchanged(benchmark::State& state) {
    PaintTime(state, "", dialog::Repaints::SkipUnchanged);
}

void BM_LayoutText(benchmark::State& state) {
    TheSetup();
    const std::string text = instruments::ToSegmentDigits("12:34:56");
    for (auto _ : state) {
        int lit = 0;
        instruments::LayoutText(kWidth, kHeight, 6, text).ForEachDot([&](const instruments::Dot& dot) {
            lit += dot.lit;
        });
        benchmark::DoNotOptimize(lit);
    }
}

}  // namespace

BENCHMARK(BM_PaintPlain);
BENCHMARK(BM_PaintJoined);
BENCHMARK(BM_PaintShadow);
BENCHMARK(BM_PaintUnlit);
BENCHMARK(BM_RepaintUnchanged);
BENCHMARK(BM_LayoutText);
