// Every instrument of the library in its presets, in one window, animated from
// one timer on a virtual clock that starts at 10:08:30. With --snapshot the
// panel after three seconds is written as PNG, without a window.
//
//   gallery [--snapshot OUT.png]

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <instruments/Window.h>
#include <instruments/instruments.h>

namespace {

constexpr int kTickMs = 100;
constexpr instruments::Size kPanel{940, 430};

using instruments::Point;
using instruments::Rgb;

// The instruments and where they sit, fed from one tick.
class Gallery {
  public:
    Gallery() {
        text_ = Place<instruments::TextDisplay>(
            {10, 10}, instruments::Size{210, 55},
            instruments::TextDisplay::Settings{
                .frame = {.width = 6, .colour = "gold"},
                .background = {.pattern = instruments::BackgroundPattern::RowsFromBottom,
                               .colour = "#f06040"},
                .ink = Rgb(255, 0, 0),
                .dots = instruments::DotStyle::Joined});
        text2_ = Place<instruments::TextDisplay>(
            {10, 70}, instruments::Size{210, 55},
            instruments::TextDisplay::Settings{
                .frame = {.width = 6, .colour = "green"},
                .background = {.pattern = instruments::BackgroundPattern::BoxStack},
                .dots = instruments::DotStyle::ShowUnlit | instruments::DotStyle::Rounded,
                .align = instruments::TextAlign::Centre});
        meter_ = Place<instruments::LevelMeter>(
            {10, 130}, instruments::Size{210, 55},
            instruments::LevelMeter::Settings{
                .frame = {.width = 6, .colour = "green"},
                .background = {.pattern = instruments::BackgroundPattern::RowsFromBottom,
                               .colour = "blue-button"},
                .needle = Rgb(0, 255, 0)});
        clock_ = Place<instruments::AnalogClock>(
            {230, 10}, instruments::Size{175, 175},
            instruments::AnalogClock::Settings{
                .frame = {.width = 6, .colour = "gold"},
                .background = {.pattern = instruments::BackgroundPattern::BoxStack}});
        switch_ = Place<instruments::Switch>(
            {10, 190}, instruments::Size{395, 40},
            instruments::Switch::Settings{
                .frame = {.width = 3, .colour = "green"},
                .background = {.pattern = instruments::BackgroundPattern::RowsFromTop, .colour = "grey"},
                .onPattern = instruments::BackgroundPattern::MirroredRows,
                .labels = "/"});
        int y = 10;
        for (const char* preset : {"yellow-green", "blue"}) {
            instruments::CharacterLcd::Settings settings{
                .columns = 16, .rows = 2, .look = instruments::LcdLook::Preset(preset)};
            settings.look.dotSize = 2;
            lcds_.push_back(Place<instruments::CharacterLcd>({415, y}, settings));
            lcds_.back()->Begin();
            y += lcds_.back()->size().height + 6;
        }
        const std::vector<std::string_view> presets{"red", "green", "amber", "vfd", "lcd"};
        for (std::size_t i = 0; i < presets.size(); ++i) {
            segments_.push_back(Place<instruments::SegmentDisplay>(
                {10 + static_cast<int>(i % 3) * 205, 240 + static_cast<int>(i / 3) * 95},
                instruments::Size{200, 90},
                instruments::SegmentDisplay::Settings{
                    .digits = 4,
                    .kind = i == 3 ? instruments::SegmentKind::Fourteen : instruments::SegmentKind::Seven,
                    .colons = i == 0,
                    .slantDegrees = i == 1 ? 8.0 : 0.0,
                    .look = instruments::SegmentLook::Preset(presets[i])}));
        }
        bar_ = Place<instruments::BarGraph>(
            {415, 170}, instruments::Size{300, 24},
            instruments::BarGraph::Settings{.segments = 20, .peakHoldMs = 800, .peakFallPerSecond = 12});
        continuous_ = Place<instruments::BarGraph>(
            {415, 200}, instruments::Size{300, 14},
            instruments::BarGraph::Settings{.segments = 20, .style = instruments::BarStyle::Continuous});
        vertical_ = Place<instruments::BarGraph>(
            {725, 10}, instruments::Size{24, 220},
            instruments::BarGraph::Settings{.segments = 16,
                                            .orientation = instruments::BarOrientation::Vertical});
        int x = 620;
        for (const char* scheme : {"green", "red", "blue", "cyan", "yellow", "orange", "white"}) {
            lamps_.push_back(Place<instruments::Lamp>(
                {x, 245 + (x - 620) / 45 % 2 * 50}, instruments::Size{40, 40},
                instruments::Lamp::Settings{
                    .shape = x > 800 ? instruments::LampShape::Square : instruments::LampShape::Round,
                    .scheme = scheme,
                    .background = 0x303030}));
            x += 45;
        }
        lamps_[1]->SetBlink(600, 0.5);
        lamps_[0]->SetOn(true);
        lamps_[3]->SetOn(true);
        lamps_[4]->SetBlink(400, 0.25);
        lamps_[6]->SetOn(true);
        lcds_[0]->CreateChar(0, {0x04, 0x0E, 0x1F, 0x04, 0x04, 0x04, 0x04, 0x00});
        lcds_[1]->Cursor(true);
        lcds_[1]->Blink(true);
        Tick();
    }

    // Every instrument with its place, in painting order.
    const std::vector<std::pair<instruments::Instrument*, Point>>& placed() const { return placed_; }

    // One step of kTickMs on the virtual clock.
    void Tick() {
        const long ms = 10 * 3'600'000L + 8 * 60'000L + 30'000L + elapsed_;
        const instruments::LocalTime time{static_cast<int>(ms / 3'600'000),
                                          static_cast<int>(ms / 60'000 % 60),
                                          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
        char hms[16];
        std::snprintf(hms, sizeof hms, "%02d:%02d:%02d", time.hour, time.minute, time.second);
        text_->SetText(hms);
        text2_->SetText(elapsed_ / 1000 % 2 == 0 ? "21.5°C" : "48% RH");
        clock_->SetTime(time);
        const double wave = 0.5 + 0.45 * std::sin(elapsed_ / 700.0);
        meter_->SetLevel(100 * wave);
        switch_->SetOn(elapsed_ / 1500 % 2 == 1);
        char line[32];
        lcds_[0]->SetCursor(0, 0);
        lcds_[0]->Print("Pump 2  running");
        lcds_[0]->SetCursor(0, 1);
        std::snprintf(line, sizeof line, "flow %3d%% ", static_cast<int>(wave * 100));
        lcds_[0]->Print(line);
        lcds_[0]->Print(std::string(1, '\0'));  // the arrow made in CGRAM
        lcds_[1]->SetCursor(0, 0);
        lcds_[1]->Print(hms);
        lcds_[1]->SetCursor(0, 1);
        std::snprintf(line, sizeof line, "level %5.1f", 100 * wave);
        lcds_[1]->Print(line);
        char four[8];
        std::snprintf(four, sizeof four, "%02d:%02d", time.minute, time.second);
        segments_[0]->SetText(four);
        std::snprintf(four, sizeof four, "%4.1f", 100 * wave);
        segments_[1]->SetText(four);
        segments_[2]->SetText(std::to_string(elapsed_ / kTickMs % 10000));
        segments_[3]->SetText(elapsed_ / 1000 % 2 == 0 ? "PUMP" : "FLOW");
        segments_[4]->SetText("-12.5");
        bar_->SetValue(wave);
        continuous_->SetValue(1 - wave);
        vertical_->SetValue(wave * wave);
        for (auto* timed : {bar_, continuous_, vertical_}) {
            timed->Advance(kTickMs);
        }
        for (auto* lamp : lamps_) {
            lamp->Advance(kTickMs);
        }
        for (auto* lcd : lcds_) {
            lcd->Advance(kTickMs);
        }
        elapsed_ += kTickMs;
    }

  private:
    template <typename T, typename... Args>
    T* Place(Point at, Args&&... args) {
        owned_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        T* made = static_cast<T*>(owned_.back().get());
        placed_.emplace_back(made, at);
        return made;
    }

    std::vector<std::unique_ptr<instruments::Instrument>> owned_;
    std::vector<std::pair<instruments::Instrument*, Point>> placed_;
    instruments::TextDisplay* text_ = nullptr;
    instruments::TextDisplay* text2_ = nullptr;
    instruments::LevelMeter* meter_ = nullptr;
    instruments::AnalogClock* clock_ = nullptr;
    instruments::Switch* switch_ = nullptr;
    std::vector<instruments::CharacterLcd*> lcds_;
    std::vector<instruments::SegmentDisplay*> segments_;
    instruments::BarGraph* bar_ = nullptr;
    instruments::BarGraph* continuous_ = nullptr;
    instruments::BarGraph* vertical_ = nullptr;
    std::vector<instruments::Lamp*> lamps_;
    long elapsed_ = 0;
};

int Snapshot(const std::string& out) {
    Gallery gallery;
    for (int i = 0; i < 3000 / kTickMs; ++i) {
        gallery.Tick();
    }
    instruments::Surface panel(kPanel.width, kPanel.height, 0x303030);
    instruments::Painter painter(panel);
    for (const auto& [instrument, at] : gallery.placed()) {
        instruments::PainterStateSaver saver(painter);
        painter.Clip(instruments::Rect::At(at, instrument->size()));
        painter.Translate(at);
        instrument->Paint(painter);
    }
    if (!instruments::WritePng(panel, out)) {
        std::fprintf(stderr, "gallery: cannot write \"%s\"\n", out.c_str());
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
        std::fprintf(stderr, "gallery: unknown arguments (usage: gallery [--snapshot OUT.png])\n");
        return 2;
    }
    try {
        Gallery gallery;
        instruments::Window window("gallery", kPanel, {.background = 0x303030});
        for (const auto& [instrument, at] : gallery.placed()) {
            window.Add(*instrument, at);
        }
        const auto tick = window.Every(std::chrono::milliseconds(kTickMs), [&] { gallery.Tick(); });
        window.OnKey([&](instruments::Key key) {
            if (key == instruments::Key::Escape) {
                window.Quit(0);
            }
        });
        return window.Run();
    } catch (const instruments::WindowError& error) {
        std::fprintf(stderr, "gallery: %s\n", error.what());
        return 1;
    }
}
