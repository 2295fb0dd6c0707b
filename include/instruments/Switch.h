#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"

namespace instruments {

// A two-state switch face. Each state shows its own picture, or, without one,
// a drawn face: frame and background, a lamp at the left end (red when off,
// green when on) and the state's label centred in the painter's font. The ON
// face has a frame one pixel wider. A picture is copied from the switch's
// top-left corner, cut to its size.
//
//   instruments::Switch pause({400, 40}, {.labels = "RUNNING/PAUSED"});
//   pause.Toggle();  // changed: the next PaintIfChanged paints the ON face
class INSTRUMENTS_API Switch : public Instrument {
  public:
    struct Settings {
        // The OFF face's frame; the ON face's is one ring wider.
        Frame frame{};
        // The OFF face's background; the ON face has the same colour.
        Background background{};
        BackgroundPattern onPattern = BackgroundPattern::None;
        instruments::Colour labelColour = 0;
        // The labels as "OFF/ON": before the first "/" the OFF label, after it the ON one.
        std::string labels = "OFF/ON";
    };

    // A switch of the given size in the OFF state; a missing picture gives
    // that state the drawn face. Throws SettingsError for a size that cannot
    // be a surface or a negative frame width.
    Switch(instruments::Size size, Settings settings,
           std::optional<instruments::Surface> offPicture = std::nullopt,
           std::optional<instruments::Surface> onPicture = std::nullopt);

    const Settings& settings() const { return settings_; }
    bool on() const { return on_; }
    // Both change the switch only when its state changes.
    void SetOn(bool on);
    void Toggle() { SetOn(!on_); }

  protected:
    // Paints the face of the current state (a drawn face goes over what the
    // surface shows).
    void PaintState(instruments::Painter& painter) const override;

  private:
    Settings settings_;
    std::optional<instruments::Surface> offPicture_;
    std::optional<instruments::Surface> onPicture_;
    bool on_ = false;
};

// The label of one state from a two-state text: the part before the first "/"
// when off (the whole text without a "/"), the part after it when on (nothing
// without a "/").
INSTRUMENTS_API std::string SwitchLabel(std::string_view labels, bool on);

// The drawn face of one state, with its label, for any settings (nothing is
// refused). `picture` is what the picture background pattern stretches.
INSTRUMENTS_API void PaintSwitchFace(instruments::Painter& painter, const Switch::Settings& settings, bool on,
                                     std::string label, const instruments::Surface* picture = nullptr);

// One solid disc of a lamp.
INSTRUMENTS_API void LampDisc(instruments::Painter& painter, int x, int y, int radius,
                              instruments::Colour colour);

}  // namespace instruments
