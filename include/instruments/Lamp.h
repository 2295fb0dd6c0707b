#pragma once

// An indicator lamp: a round or square lens, on, off or blinking by a virtual
// clock, in one of the lamp colour schemes or any colour, with a highlight.
//
//   instruments::Lamp alarm({24, 24}, {.scheme = "red"});
//   alarm.SetBlink(500, 0.5);   // 500 ms period, lit half of it
//   alarm.Advance(40);          // the caller moves the clock

#include <optional>
#include <string>
#include <string_view>

#include "instruments/Colour.h"
#include "instruments/Export.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"

namespace instruments {

enum class LampShape { Round, Square };

class INSTRUMENTS_API Lamp : public Instrument {
  public:
    struct Settings {
        LampShape shape = LampShape::Round;
        // "green", "red", "blue", "cyan", "yellow", "orange" or "white"; ignored
        // when a colour is given.
        std::string scheme = "green";
        std::optional<Colour> colour{};
        Colour background = Rgb(240, 240, 240);
    };
    enum class Mode { Off, On, Blinking };

    // Throws SettingsError for a size that cannot be a surface or is below 4 x 4,
    // an unknown scheme (naming it) or a colour outside 0..0xFFFFFF.
    Lamp(Size size, Settings settings);

    const Settings& settings() const { return settings_; }
    void SetOn(bool on);
    // Blinks with a period (ms, at least 1) lit for `duty` (0..1) of it, from
    // the clock's present moment. SettingsError for values outside those.
    void SetBlink(double periodMs, double duty);
    // Moves the virtual clock on; negative and NaN amounts do nothing.
    void Advance(double milliseconds);
    Mode mode() const { return mode_; }
    // Whether the lamp shows lit now.
    bool Lit() const;

  protected:
    void PaintState(Painter& painter) const override;

  private:
    void MarkIfChanged(bool wasLit);

    Settings settings_;
    Mode mode_ = Mode::Off;
    double nowMs_ = 0;
    double blinkStartMs_ = 0;
    double periodMs_ = 1000;
    double duty_ = 0.5;
};

}  // namespace instruments
