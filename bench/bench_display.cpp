// The start-up painting cost: creating each of the demo's twelve displays
// (control, face picture, frame, background, kept copy, first show).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "app/Demo.h"
#include "canvas/bitmap/BmpFile.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/Painter.h"

namespace {

// A 24-bit picture of 200 x 200 pixels with a colour ramp, standing in for the
// demo's two picture files.
void WritePicture(const std::filesystem::path& path) {
    constexpr int kSide = 200;
    instruments::Surface picture(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            // Blue x, green y, red x + y, counted from the bottom row.
            const int up = kSide - 1 - y;
            picture.SetPixel(x, y, static_cast<instruments::Pixel>((x + up) % 256 << 16 | up << 8 | x));
        }
    }
    instruments::bitmap::WriteBmp(picture, path.string());
}

// One dialog for the whole run, in a folder holding the two pictures.
dialog::DialogHandle BenchDialog() {
    static const dialog::DialogHandle dialog = [] {
        const auto folder = std::filesystem::temp_directory_path() / "instruments-bench-display";
        std::filesystem::create_directories(folder);
        WritePicture(folder / "quadrante.bmp");
        WritePicture(folder / "quadrante1.bmp");
        std::filesystem::current_path(folder);
        dialog::UseHeadlessDialogs({});
        dialog::AllocateDisplayTable();
        return dialog::DialogNew(dialog::kDialogPixels, 0, "bench", -1, -1, 700, 500, 0, 0);
    }();
    return dialog;
}

void BM_CreateDisplay(benchmark::State& state) {
    const dialog::DialogHandle dialog = BenchDialog();
    const app::DemoDisplay& demo = app::DemoDisplays()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::to_string(demo.id));
    for (auto _ : state) {
        int x = demo.x;
        int y = demo.y;
        int width = demo.width;
        int height = demo.height;
        dialog::CreateDisplay(dialog, demo.id, x, y, width, height, demo.settings);
        benchmark::DoNotOptimize(height);
    }
}
// Every picture face keeps a new off-screen surface for the life of the process,
// so the rows with pictures run a fixed, modest number of iterations.
constexpr int kPictureIterations = 300;

const bool kRegistered = [] {
    for (int row = 0; row < static_cast<int>(app::DemoDisplays().size()); ++row) {
        auto* bench = benchmark::RegisterBenchmark("BM_CreateDisplay", BM_CreateDisplay)->Arg(row);
        if (!app::DemoDisplays()[static_cast<std::size_t>(row)].settings.faceText.empty()) {
            bench->Iterations(kPictureIterations);
        }
    }
    return true;
}();

// All twelve in the demo's order: the whole start-up painting.
void BM_CreateAllDemoDisplays(benchmark::State& state) {
    const dialog::DialogHandle dialog = BenchDialog();
    for (auto _ : state) {
        for (const app::DemoDisplay& demo : app::DemoDisplays()) {
            int x = demo.x;
            int y = demo.y;
            int width = demo.width;
            int height = demo.height;
            dialog::CreateDisplay(dialog, demo.id, x, y, width, height, demo.settings);
        }
    }
}
BENCHMARK(BM_CreateAllDemoDisplays)->Iterations(kPictureIterations);

// The box-stack background of a square display of side range(0), as deep as
// display creation paints it, inside a frame of 6.
void BM_BoxStack(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    instruments::Surface surface(side, side);
    instruments::Painter painter(surface);
    const instruments::ShadedColour grey = "grey";
    for (auto _ : state) {
        instruments::PaintBoxStack(painter, 6, grey, instruments::BoxStackDepth(side));
        benchmark::DoNotOptimize(surface.At(side / 2, side / 2));
    }
}
BENCHMARK(BM_BoxStack)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);

}  // namespace
