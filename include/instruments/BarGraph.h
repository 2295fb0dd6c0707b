#pragma once

// An LED bar graph: N segments across or up, lit to a value of 0..1, coloured
// by zones, with an optional peak that holds and then falls by a virtual clock.
//
//   instruments::BarGraph level({200, 20}, {.segments = 20, .zones = {0.6, 0.85}});
//   level.SetValue(0.72);   // 14 segments lit: 12 green, 2 amber
//
// Segment k (1..N) spans [(k - 1) / N, k / N) of the length; its zone is the
// number of zone thresholds below its middle. A value lights round(value x N)
// segments (clamped to 0..1; NaN is 0). Geometry: inside the frame-less face,
// segments share the length at a pitch of length / N (in whole pixels from
// round((k - 1) x length / N)), leaving a gap of max(1, pitch / 5) before the
// next one; the continuous bar fills round(value x length) pixels.

#include <vector>

#include "instruments/Colour.h"
#include "instruments/Export.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"

namespace instruments {

enum class BarOrientation { Horizontal, Vertical };
enum class BarStyle { Segmented, Continuous };

class INSTRUMENTS_API BarGraph : public Instrument {
  public:
    struct Settings {
        int segments = 20;
        BarOrientation orientation = BarOrientation::Horizontal;
        BarStyle style = BarStyle::Segmented;
        // Increasing thresholds in 0..1; zone n runs from threshold n - 1 to n.
        std::vector<double> zones{0.6, 0.85};
        // One colour per zone (zones.size() + 1).
        std::vector<Colour> zoneColours{Rgb(40, 220, 60), Rgb(255, 180, 0), Rgb(255, 40, 30)};
        Colour background = Rgb(20, 20, 20);
        // Unlit segments shown faintly in their zone's colour.
        bool showUnlit = true;
        // The peak stays this long after the value falls below it (0: no peak),
        double peakHoldMs = 0;
        // then falls by this many segments a second (0: it jumps to the value).
        double peakFallPerSecond = 0;
    };

    // Throws SettingsError for segments outside 1..1000, thresholds that are not
    // increasing within 0..1, a colour count other than thresholds + 1, negative
    // or NaN peak times, or a size that cannot be a surface or gives a segment
    // less than 2 pixels.
    BarGraph(Size size, Settings settings);

    const Settings& settings() const { return settings_; }
    void SetValue(double value);
    void Advance(double milliseconds);
    // Lit segments, and the peak segment (1..N; 0 for none).
    int LitSegments() const { return lit_; }
    int PeakSegment() const;

  protected:
    void PaintState(Painter& painter) const override;

  private:
    int Length() const;
    Colour ZoneColour(double position) const;

    Settings settings_;
    double value_ = 0;
    int lit_ = 0;
    int peak_ = 0;            // the peak the value fell from
    double peakSinceMs_ = 0;  // when it fell from it
    bool atPeak_ = true;      // the value is at its peak
    double nowMs_ = 0;
};

}  // namespace instruments
