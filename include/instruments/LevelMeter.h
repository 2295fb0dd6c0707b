#pragma once

#include <string>
#include <vector>

#include "instruments/Background.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// A needle meter over a 0..100 scale, as if pivoted at (ROUND(w / 2), 2h) far
// below the face: the needle in its colour, and 21 white ticks, one every 5
// units, where those needles cross the tick row. The level is given in the
// units of Settings::range, whose ends map onto 0 and 100. Levels outside the
// range lean further out; a NaN level shows no needle. A face 10 pixels high
// has its pivot on the scale line, where no needle has a crossing: it shows
// neither needle, ticks nor labels.
//
//   instruments::LevelMeter meter({210, 55}, {
//       .needle = instruments::Rgb(0, 255, 0),
//       .range = {.min = -20, .max = 5},
//       .labels = {{-20, "-20"}, {0, "0"}, {5, "+5"}},
//   });
//   meter.SetLevel(-3.5);
class INSTRUMENTS_API LevelMeter : public Instrument {
  public:
    // The levels at the left (0) and right (100) ends of the scale. Any two
    // different finite numbers; max below min turns the scale round.
    struct Range {
        double min = 0;
        double max = 100;
    };
    // A text printed in white in the painter's font, centred under the tick
    // row where the needle of `value` (in the range's units) crosses it.
    struct Label {
        double value = 0;
        std::string text;
    };
    struct Settings {
        Frame frame{};
        Background background{};
        instruments::Colour needle = 0;
        Range range{};
        std::vector<Label> labels{};
    };

    // A meter showing no needle (a NaN level). Throws SettingsError for a size
    // that cannot be a surface, a negative frame width, one that leaves no
    // inside, a range whose ends are equal or not finite, or a label value that
    // is not finite.
    LevelMeter(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // Over a face painted elsewhere; throws as above, the size being the face's.
    LevelMeter(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }

    // Shows a level in the range's units. The meter changes only when the
    // needle moves to another pixel (or shows or hides).
    void SetLevel(double value);
    double level() const { return level_; }

  protected:
    // Restores the face and draws the needle, the ticks and the labels.
    void PaintState(instruments::Painter& painter) const override;

  private:
    // The level on the 0..100 scale.
    double ScaleValue(double value) const;

    Settings settings_;
    instruments::PixelBlock face_;
    double level_;
};

// The x, rounded half to even, at which the straight line through (x1, y1) and
// (x2, y2) crosses row y. A horizontal line (y1 == y2) has no single crossing:
// it gives x1 rather than dividing by zero.
INSTRUMENTS_API int LineXAtY(int x1, int y1, int x2, int y2, int y);

}  // namespace instruments
