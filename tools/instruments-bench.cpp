// Start-up and N ticks of the demo on the headless back-end.
//
//   instruments-bench [--ticks N]
//
// A tick is all twelve repaints and the compose of the client area. The last
// line reads: tick median X us p99 Y us startup Z ms

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "dialog/Dialogs.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = 2000;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--ticks" && i + 1 < argc) {
            ticks = std::strtol(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: instruments-bench [--ticks N]\n");
            return 2;
        }
    }
    if (ticks < 1 || ticks > 10000000) {
        std::fprintf(stderr, "instruments-bench: --ticks needs a number from 1 to 10000000\n");
        return 2;
    }

    dialog::UseHeadlessDialogs({});
    const auto startBegin = Clock::now();
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments-bench: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    app::DemoEventHandler(app::mainDialog, instruments::kEventInitDialog, 0, 0);
    dialog::ComposeClientArea(app::mainDialog);
    const double startupMs = Microseconds(Clock::now() - startBegin) / 1000.0;

    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(ticks));
    for (long i = 0; i < ticks; ++i) {
        const auto begin = Clock::now();
        app::DemoEventHandler(app::mainDialog, instruments::kEventTimer, 1, 0);
        dialog::ComposeClientArea(app::mainDialog);
        samples.push_back(Microseconds(Clock::now() - begin));
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    std::printf("ticks %ld\n", ticks);
    std::printf("tick median %.1f us p99 %.1f us startup %.2f ms\n", median, p99, startupMs);
    return 0;
}
