// A small window fed by live data: the local time as dots, the CPU load (from
// /proc/stat) on a needle meter, the available memory as text, an analog clock,
// and a switch that, clicked, pauses and resumes the updates. Close the window
// (or press Alt+F4) to end it.
//
//   system-monitor

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <exception>
#include <sstream>
#include <string>

#include <instruments/instruments.h>
#include <instruments/Window.h>

namespace {

using Pattern = instruments::BackgroundPattern;

constexpr std::chrono::milliseconds kUpdatePeriod{250};

// Busy and total jiffies of all CPUs since boot.
struct CpuTimes {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};

CpuTimes ReadCpuTimes() {
    std::ifstream stat("/proc/stat");
    std::string cpu;
    std::uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    const std::uint64_t busy = user + nice + system + irq + softirq + steal;
    return {busy, busy + idle + iowait};
}

// Available memory in MiB, from /proc/meminfo.
long AvailableMib() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string name;
        long kib = 0;
        if (fields >> name >> kib && name == "MemAvailable:") {
            return kib / 1024;
        }
    }
    return -1;
}

// The instruments of the window and what feeds them.
class Monitor {
  public:
    Monitor()
        : time_({210, 55}, {.frame = {.width = 6, .colour = "gold"},
                            .background = {.pattern = Pattern::RowsFromBottom, .colour = "#f06040"},
                            .ink = instruments::Rgb(255, 0, 0),
                            .dots = instruments::DotStyle::Joined}),
          memory_({210, 55}, {.frame = {.width = 6, .colour = "green"},
                              .background = {.pattern = Pattern::MirroredColumnsReversed, .colour = "grey"}}),
          load_({210, 55}, {.frame = {.width = 6, .colour = "green"},
                            .background = {.pattern = Pattern::RowsFromBottom, .colour = "blue-button"},
                            .needle = instruments::Rgb(0, 255, 0)}),
          dial_({180, 180}, {.frame = {.width = 6, .colour = "gold"},
                             .background = {.pattern = Pattern::BoxStack}}),
          pause_({400, 40}, {.frame = {.width = 3, .colour = "green"},
                             .background = {.pattern = Pattern::RowsFromTop, .colour = "grey"},
                             .onPattern = Pattern::MirroredRows,
                             .labels = "RUNNING/PAUSED"}),
          cpu_(ReadCpuTimes()) {
        Update();
    }

    void PlaceIn(instruments::Window& window) {
        window.Add(time_, {10, 10});
        window.Add(memory_, {10, 69});
        window.Add(load_, {10, 128});
        window.Add(dial_, {230, 10});
        window.Add(pause_, {10, 194});
        window.OnClick(pause_, [this](instruments::Point) { pause_.Toggle(); });
    }

    // Reads the time, memory and load; the window repaints what changed.
    void Update() {
        if (pause_.on()) {
            return;
        }
        const instruments::LocalTime now = instruments::SystemLocalTime();
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", now.hour, now.minute, now.second);
        time_.SetText(clock);
        dial_.SetTime(now);

        char memory[24];
        std::snprintf(memory, sizeof memory, "%ldM FREE", AvailableMib());
        memory_.SetText(memory);

        const CpuTimes cpu = ReadCpuTimes();
        const std::uint64_t total = cpu.total - cpu_.total;
        load_.SetLevel(total == 0 ? 0.0 : 100.0 * static_cast<double>(cpu.busy - cpu_.busy) / total);
        cpu_ = cpu;
    }

  private:
    instruments::TextDisplay time_, memory_;
    instruments::LevelMeter load_;
    instruments::AnalogClock dial_;
    instruments::Switch pause_;
    CpuTimes cpu_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::fprintf(stderr, "system-monitor: unknown argument '%s' (it takes none)\n", argv[1]);
        return 2;
    }
    try {
        Monitor monitor;
        instruments::Window window("System monitor", {420, 244});
        monitor.PlaceIn(window);
        const instruments::Window::Timer updates = window.Every(kUpdatePeriod, [&] { monitor.Update(); });
        return window.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "system-monitor: %s\n", error.what());
        return 1;
    }
}
