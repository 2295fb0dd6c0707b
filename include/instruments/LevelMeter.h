#pragma once

#include "instruments/Background.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/PaintMemo.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// A needle meter over a 0..100 scale, as if pivoted at (ROUND(w / 2), 2h) far
// below the face: the needle in its colour, and 21 white ticks, one every 5
// units, where those needles cross the tick row. Values outside 0..100 lean
// further out; a NaN value shows no needle. A face 10 pixels high has its pivot
// on the scale line, where no needle has a crossing: it shows neither needle
// nor ticks.
class INSTRUMENTS_API LevelMeter {
  public:
    struct Settings {
        Frame frame{};
        Background background{};
        instruments::Colour needle = 0;
    };

    // Throws SettingsError for a size that cannot be a surface, a negative
    // frame width or one that leaves no inside.
    LevelMeter(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // Over a face painted elsewhere; throws as above, the size being the face's.
    LevelMeter(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }

    // Restores the face and draws the needle for the value and the ticks.
    // Leaves the painter's pen width at 1.
    void Paint(instruments::Painter& painter, float value) const;
    // Paints as Paint does, unless the last Update drew the same value on this
    // painter and nothing has drawn on it since (see PaintMemo); true when it
    // painted.
    bool Update(instruments::Painter& painter, float value);

  private:
    Settings settings_;
    instruments::PixelBlock face_;
    instruments::PaintMemo memo_;
};

// The x, rounded half to even, at which the straight line through (x1, y1) and
// (x2, y2) crosses row y. A horizontal line (y1 == y2) has no single crossing:
// it gives x1 rather than dividing by zero.
INSTRUMENTS_API int LineXAtY(int x1, int y1, int x2, int y2, int y);

}  // namespace instruments
