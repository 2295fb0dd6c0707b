// Times the present of a full 700 x 500 frame in a real window at a zoom, and
// of the two rectangles that a tick of the demo changes
// (needs a display; under Xvfb: `Xvfb :1 & DISPLAY=:1 build/bin/measure-present 2`).
//
//   measure-present [SCALE]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/window/Dialog.h"

int main(int argc, char** argv) {
    const std::string_view argument = argc > 1 ? argv[1] : "1";
    if (argc > 2 || argument.size() != 1 || argument[0] < '1' || argument[0] > '4') {
        std::fprintf(stderr, "measure-present: the scale is 1, 2, 3 or 4 (usage: measure-present [SCALE])\n");
        return 2;
    }
    const int scale = argument[0] - '0';
    auto backend = instruments::MakeWindowBackend(scale);
    std::string error;
    if (!backend->Create("measure-present", -1, -1, 700, 500, error)) {
        std::fprintf(stderr, "measure-present: %s\n", error.c_str());
        return 1;
    }
    backend->Show();
    instruments::Surface frame(700, 500, 0x336699);
    // The whole frame, then the two displays that change on every tick of the demo.
    const instruments::ClientRect changed[] = {{10, 10, 210, 55}, {10, 423, 210, 55}};
    for (const bool whole : {true, false}) {
        std::vector<double> micros;
        for (int i = 0; i < 200; ++i) {
            frame.SetPixel(10 + i, 10 + i % 55, 0xFFFFFF);  // a frame that changes, as the demo's do
            const auto start = std::chrono::steady_clock::now();
            if (whole) {
                backend->Present(frame);
            } else {
                backend->PresentChanged(frame, changed);
            }
            micros.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(micros.begin(), micros.end());
        std::printf(
            "measure-present: scale %d, 200 presents of %s: median %.0f us, 90th percentile %.0f us\n", scale,
            whole ? "the whole 700 x 500" : "two 210 x 55 rectangles", micros[100], micros[180]);
    }
    backend->Destroy();
    return 0;
}
