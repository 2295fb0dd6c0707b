// The start-up painting cost: creating each of the demo's twelve displays
// (control, face picture, frame, background, kept copy, first show).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "canvas/bitmap/BmpFile.h"

namespace {

struct DemoDisplay {
    int id;
    int x;
    int y;
    int size[2];
    dialog::DisplaySettings settings;
};

constexpr canvas::Colour Rgb(int red, int green, int blue) {
    return red | green << 8 | blue << 16;
}

const DemoDisplay kDemo[] = {
    {207, 10, 10, {210, 55}, {"", 6, "oro", 0, 0x0000FF, "unito", "#f06040", 1}},
    {208, 10, 69, {210, 55}, {"", 6, "oro", 0, Rgb(140, 160, 140), "", "#fff0f0", 0}},
    {209, 10, 128, {210, 55}, {"", 6, "rosso", 0, Rgb(160, 40, 40), "", "#ffdddd", 3}},
    {210, 10, 187, {210, 55}, {"", 6, "oro", 0, 0x00FFFF, "", "#0000fa", 2}},
    {211, 10, 246, {210, 55}, {"", 6, "verde", 0, 0x000000, "unto vuoto cerchio", "grigio", 5}},
    {212, 10, 305, {210, 55}, {"", 6, "oro", 0, 0x000000, "fondo", "", 3}},
    {213, 10, 364, {210, 55}, {"quadrante1.bmp", 6, "verde", 0, 0xFFFFFF, "unito", " ", 6}},
    {602, 10, 423, {210, 55}, {"", 6, "verde", 0, 0x00FF00, "", "pulsanteblu", 1}},
    {702, 250, 10, {180, 180}, {"", 6, "oro", 0, 0x00FF00, "", "", 3}},
    {703, 250, 194, {180, 180}, {"quadrante.bmp", 8, "verde", 0, 0x000000, " ", " ", 6}},
    {704, 450, 10, {80, 80}, {"", 10, "#afffff", 0, 0x000000, "", "#afffff", 3}},
    {705, 450, 94, {80, 80}, {"", 3, "rosso", 0, 0x000000, "", "pulsanterosso", 0}},
};

// A 24-bit picture of 200 x 200 pixels with a colour ramp, standing in for the
// demo's two picture files.
void WritePicture(const std::filesystem::path& path) {
    constexpr int kSide = 200;
    canvas::Surface picture(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            // Blue x, green y, red x + y, counted from the bottom row.
            const int up = kSide - 1 - y;
            picture.SetPixel(x, y, static_cast<canvas::Pixel>((x + up) % 256 << 16 | up << 8 | x));
        }
    }
    canvas::bitmap::WriteBmp(picture, path.string());
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
    const DemoDisplay& demo = kDemo[state.range(0)];
    state.SetLabel(std::to_string(demo.id));
    for (auto _ : state) {
        int x = demo.x;
        int y = demo.y;
        int width = demo.size[0];
        int height = demo.size[1];
        dialog::CreateDisplay(dialog, demo.id, x, y, width, height, demo.settings);
        benchmark::DoNotOptimize(height);
    }
}
// Every picture face keeps a new off-screen surface for the life of the process,
// so the rows with pictures run a fixed, modest number of iterations.
constexpr int kPictureIterations = 300;

const bool kRegistered = [] {
    for (int row = 0; row < static_cast<int>(std::size(kDemo)); ++row) {
        auto* bench = benchmark::RegisterBenchmark("BM_CreateDisplay", BM_CreateDisplay)->Arg(row);
        if (!kDemo[row].settings.faceText.empty()) {
            bench->Iterations(kPictureIterations);
        }
    }
    return true;
}();

// All twelve in the demo's order: the whole start-up painting.
void BM_CreateAllDemoDisplays(benchmark::State& state) {
    const dialog::DialogHandle dialog = BenchDialog();
    for (auto _ : state) {
        for (const DemoDisplay& demo : kDemo) {
            int x = demo.x;
            int y = demo.y;
            int width = demo.size[0];
            int height = demo.size[1];
            dialog::CreateDisplay(dialog, demo.id, x, y, width, height, demo.settings);
        }
    }
}
BENCHMARK(BM_CreateAllDemoDisplays)->Iterations(kPictureIterations);

}  // namespace
