// A small window fed by live data: the local time as dots, the CPU load (from
// /proc/stat) on a needle meter, the available memory as text, an analog clock,
// and a switch that, clicked, pauses and resumes the updates. Close the window
// (or press Alt+F4) to end it.
//
//   system-monitor

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <instruments/instruments.h>
#include <instruments/window.h>

namespace {

using instruments::Control;
using instruments::Size;
using instruments::TextDisplay;
using Pattern = instruments::BackgroundPattern;

enum ControlId { kTime = 1, kMemory, kLoad, kDial, kPause };
constexpr int kUpdateTimer = 1;
constexpr int kUpdateMs = 250;

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

class Monitor {
  public:
    explicit Monitor(instruments::Dialog& dialog) : dialog_(dialog) {
        time_ = std::make_unique<TextDisplay>(
            Size{210, 55}, TextDisplay::Settings{
                               .frame = {.width = 6, .colour = "gold"},
                               .background = {.pattern = Pattern::RowsFromBottom, .colour = "#f06040"},
                               .ink = instruments::Rgb(255, 0, 0),
                               .dots = instruments::DotStyle::Joined,
                           });
        memory_ = std::make_unique<TextDisplay>(
            Size{210, 55}, TextDisplay::Settings{
                               .frame = {.width = 6, .colour = "green"},
                               .background = {.pattern = Pattern::MirroredColumnsReversed, .colour = "grey"},
                           });
        load_ = std::make_unique<instruments::LevelMeter>(
            Size{210, 55}, instruments::LevelMeter::Settings{
                               .frame = {.width = 6, .colour = "green"},
                               .background = {.pattern = Pattern::RowsFromBottom, .colour = "blue-button"},
                               .needle = instruments::Rgb(0, 255, 0),
                           });
        dial_ = std::make_unique<instruments::AnalogClock>(Size{180, 180},
                                                           instruments::AnalogClock::Settings{
                                                               .frame = {.width = 6, .colour = "gold"},
                                                               .background = {.pattern = Pattern::BoxStack},
                                                           });
        pause_ = std::make_unique<instruments::Switch>(
            Size{400, 40}, instruments::Switch::Settings{
                               .frame = {.width = 3, .colour = "green"},
                               .background = {.pattern = Pattern::RowsFromTop, .colour = "grey"},
                               .onPattern = Pattern::MirroredRows,
                               .labels = "RUNNING/PAUSED",
                           });

        dialog.AddControl(kTime, 10, 10, 210, 55, 0);
        dialog.AddControl(kMemory, 10, 69, 210, 55, 0);
        dialog.AddControl(kLoad, 10, 128, 210, 55, 0);
        dialog.AddControl(kDial, 230, 10, 180, 180, 0);
        dialog.AddControl(kPause, 10, 194, 400, 40, instruments::kNotifyStyle);
        cpu_ = ReadCpuTimes();
        PaintSwitch();
        Update();
    }

    std::intptr_t Handle(int event, std::uintptr_t wParam) {
        switch (event) {
            case instruments::kEventInitDialog:
                dialog_.SetTimer(kUpdateTimer, kUpdateMs);
                return 1;
            case instruments::kEventTimer:
                if (!pause_->on()) {
                    Update();
                }
                return 1;
            case instruments::kEventCommand:
                if ((wParam & 0xFFFF) == kPause) {
                    pause_->Toggle();
                    PaintSwitch();
                    return 1;
                }
                return 0;
            default:
                return 0;
        }
    }

  private:
    void Update() {
        const instruments::LocalTime now = instruments::SystemLocalTime();
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", now.hour, now.minute, now.second);
        time_->SetText(clock);
        Paint(kTime, [&](instruments::Painter& p) { return time_->PaintIfChanged(p); });

        char memory[24];
        std::snprintf(memory, sizeof memory, "%ldM FREE", AvailableMib());
        memory_->SetText(memory);
        Paint(kMemory, [&](instruments::Painter& p) { return memory_->PaintIfChanged(p); });

        const CpuTimes cpu = ReadCpuTimes();
        const std::uint64_t total = cpu.total - cpu_.total;
        const float load = total == 0 ? 0.0f : 100.0f * static_cast<float>(cpu.busy - cpu_.busy) / total;
        cpu_ = cpu;
        load_->SetLevel(load);
        Paint(kLoad, [&](instruments::Painter& p) { return load_->PaintIfChanged(p); });
        dial_->SetTime(now);
        Paint(kDial, [&](instruments::Painter& p) { return dial_->PaintIfChanged(p); });
    }

    void PaintSwitch() {
        Paint(kPause, [&](instruments::Painter& p) {
            pause_->Paint(p);
            return true;
        });
    }

    // Draws on a control and marks it for the next present when the drawing
    // says it painted; Update paints only what changed, so an unchanged control
    // is neither painted nor sent to the screen again.
    template <typename Draw>
    void Paint(int id, Draw&& draw) {
        if (Control* control = dialog_.FindControl(id);
            control != nullptr && draw(control->canvas().painter())) {
            control->canvas().Redraw();
        }
    }

    instruments::Dialog& dialog_;
    std::unique_ptr<instruments::TextDisplay> time_, memory_;
    std::unique_ptr<instruments::LevelMeter> load_;
    std::unique_ptr<instruments::AnalogClock> dial_;
    std::unique_ptr<instruments::Switch> pause_;
    CpuTimes cpu_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::fprintf(stderr, "system-monitor: unknown argument '%s' (it takes none)\n", argv[1]);
        return 2;
    }
    std::string error;
    const auto dialog = instruments::Dialog::Create(instruments::MakeWindowBackend(), "System monitor", -1,
                                                    -1, 420, 244, error);
    if (!dialog) {
        std::fprintf(stderr, "system-monitor: %s\n", error.c_str());
        return 1;
    }
    Monitor monitor(*dialog);
    dialog->ShowModal(
        [&](int event, std::uintptr_t wParam, std::intptr_t) { return monitor.Handle(event, wParam); });
    return 0;
}
