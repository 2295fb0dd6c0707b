#pragma once

#include "instruments/Background.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Instrument.h"
#include "instruments/LocalTime.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// An analog clock over a display's face: hour, minute and second hands from
// the centre and twelve white hour dots on the ellipse of the second hand's
// tip. The hands and dots reach (100 - (frame width + 4)) percent of the
// half-width and half-height.
//
//   instruments::AnalogClock clock({180, 180}, {.frame = {.width = 6, .colour = "gold"}});
//   clock.SetTime(instruments::SystemLocalTime());
//   clock.PaintIfChanged(painter);  // paints when a hand has moved
class INSTRUMENTS_API AnalogClock : public Instrument {
  public:
    struct Settings {
        Frame frame{};
        Background background{};
    };

    // A clock showing 00:00:00. Throws SettingsError for a size that cannot be
    // a surface, a negative frame width or one that leaves no inside.
    AnalogClock(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // Over a face painted elsewhere; throws as above, the size being the face's.
    AnalogClock(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }

    // Shows a time, its hour shifted by hourOffset. The clock changes only
    // when a hand moves: milliseconds do not move one.
    void SetTime(const instruments::LocalTime& time, int hourOffset = 0);
    const instruments::LocalTime& time() const { return time_; }
    int hourOffset() const { return hourOffset_; }

  protected:
    // Restores the face and draws the hands and the hour dots.
    void PaintState(instruments::Painter& painter) const override;

  private:
    Settings settings_;
    instruments::PixelBlock face_;
    instruments::LocalTime time_{};
    int hourOffset_ = 0;
};

// The hour hand's angle in whole degrees clockwise from twelve: 30 per hour and
// half a degree per minute, rounded half to even (23:59 gives 720). The hour is
// (hh + hourOffset) remainder 24 with the sign of the sum, so -1 leans left of
// twelve like 23 does.
INSTRUMENTS_API int HourAngle(int hh, int mm, int hourOffset);

}  // namespace instruments
