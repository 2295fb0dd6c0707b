#pragma once

#include <string>

#include "instruments/Background.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/LocalTime.h"
#include "instruments/PaintMemo.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// An analog clock over a display's face: hour, minute and second hands from
// the centre and twelve white hour dots on the ellipse of the second hand's
// tip. The hands and dots reach (100 - (frame width + 4)) percent of the
// half-width and half-height.
class INSTRUMENTS_API AnalogClock {
  public:
    struct Settings {
        Frame frame{};
        Background background{};
    };

    // Throws SettingsError for a size that cannot be a surface, a negative
    // frame width or one that leaves no inside.
    AnalogClock(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // Over a face painted elsewhere; throws as above, the size being the face's.
    AnalogClock(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }

    // Restores the face and draws the given time, its hour shifted by
    // hourOffset. Leaves the painter's pen width at 1 and its position at the
    // last dot.
    void Paint(instruments::Painter& painter, const instruments::LocalTime& time, int hourOffset = 0) const;
    // Paints as Paint does, unless the last Update drew the same hands on this
    // painter and nothing has drawn on it since (see PaintMemo); true when it
    // painted. Milliseconds do not move the hands.
    bool Update(instruments::Painter& painter, const instruments::LocalTime& time, int hourOffset = 0);

    // What a paint reads of the time besides the settings, face and painter.
    static void AppendPaintInputs(std::string& key, const instruments::LocalTime& time, int hourOffset);

  private:
    Settings settings_;
    instruments::PixelBlock face_;
    instruments::PaintMemo memo_;
};

// The hour hand's angle in whole degrees clockwise from twelve: 30 per hour and
// half a degree per minute, rounded half to even (23:59 gives 720). The hour is
// (hh + hourOffset) remainder 24 with the sign of the sum, so -1 leans left of
// twelve like 23 does.
INSTRUMENTS_API int HourAngle(int hh, int mm, int hourOffset);

}  // namespace instruments
