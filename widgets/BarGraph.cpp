#include "instruments/BarGraph.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "canvas/surface/Rounding.h"
#include "colour/Mix.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace instruments {

namespace {

Colour Faint(Colour c, Colour background) {
    return MixColours(background, c, 56);
}

}  // namespace

BarGraph::BarGraph(Size size, Settings settings) : Instrument(size), settings_(std::move(settings)) {
    const std::string sizeError = Surface::SizeError(size.width, size.height);
    if (!sizeError.empty()) {
        throw SettingsError("bar graph size: " + sizeError);
    }
    const Settings& s = settings_;
    if (s.segments < 1 || s.segments > 1000) {
        throw SettingsError("bar graph segments " + std::to_string(s.segments) + ": give 1..1000");
    }
    for (std::size_t i = 0; i < s.zones.size(); ++i) {
        if (!(s.zones[i] >= 0 && s.zones[i] <= 1) || (i > 0 && !(s.zones[i] > s.zones[i - 1]))) {
            throw SettingsError("bar graph zones: thresholds must increase within 0..1");
        }
    }
    if (s.zoneColours.size() != s.zones.size() + 1) {
        throw SettingsError("bar graph zoneColours: give " + std::to_string(s.zones.size() + 1) +
                            " colours for " + std::to_string(s.zones.size()) + " thresholds");
    }
    if (!(s.peakHoldMs >= 0) || !(s.peakFallPerSecond >= 0) || !std::isfinite(s.peakHoldMs) ||
        !std::isfinite(s.peakFallPerSecond)) {
        throw SettingsError("bar graph peak times must be finite and not negative");
    }
    if (Length() / s.segments < 2) {
        throw SettingsError("bar graph of " + std::to_string(Length()) + " pixels is too short for " +
                            std::to_string(s.segments) + " segments: each needs 2");
    }
}

int BarGraph::Length() const {
    return settings_.orientation == BarOrientation::Horizontal ? size().width : size().height;
}

Colour BarGraph::ZoneColour(double position) const {
    std::size_t zone = 0;
    while (zone < settings_.zones.size() && settings_.zones[zone] < position) {
        ++zone;
    }
    return settings_.zoneColours[zone];
}

int BarGraph::PeakSegment() const {
    if (settings_.peakHoldMs <= 0) {
        return 0;
    }
    if (atPeak_) {
        return lit_;
    }
    const double falling = nowMs_ - peakSinceMs_ - settings_.peakHoldMs;
    if (falling <= 0) {
        return std::max(peak_, lit_);
    }
    if (settings_.peakFallPerSecond <= 0) {
        return lit_;
    }
    const double fallen = std::floor(falling / 1000.0 * settings_.peakFallPerSecond);
    return std::max(lit_, static_cast<int>(std::max(0.0, peak_ - fallen)));
}

void BarGraph::SetValue(double value) {
    value = std::isnan(value) ? 0 : std::clamp(value, 0.0, 1.0);
    const int before = lit_;
    const int peakBefore = PeakSegment();
    const double valueBefore = value_;
    value_ = value;
    lit_ = RoundHalfEven(value * settings_.segments);
    if (lit_ >= peakBefore) {
        peak_ = lit_;
        atPeak_ = true;
    } else if (atPeak_) {
        // The value fell below its peak: the hold starts now.
        peak_ = peakBefore;
        peakSinceMs_ = nowMs_;
        atPeak_ = false;
    }
    const bool continuousMoved = settings_.style == BarStyle::Continuous && value_ != valueBefore;
    if (lit_ != before || PeakSegment() != peakBefore || continuousMoved) {
        Invalidate();
    }
}

void BarGraph::Advance(double milliseconds) {
    if (!(milliseconds > 0) || !std::isfinite(milliseconds)) {
        return;
    }
    const int before = PeakSegment();
    nowMs_ += milliseconds;
    if (PeakSegment() != before) {
        Invalidate();
    }
}

void BarGraph::PaintState(Painter& painter) const {
    const Size s = size();
    const auto fill = [&](int from, int to, Colour colour) {
        const Ink ink(colour);
        const Rect area = settings_.orientation == BarOrientation::Horizontal
                              ? Rect{from, 0, to - from, s.height}
                              : Rect{0, s.height - to, s.width, to - from};
        if (area.width > 0 && area.height > 0) {
            painter.Box(area, {.line = ink, .fill = ink});
        }
    };
    fill(0, Length(), settings_.background);
    const int n = settings_.segments;
    const int length = Length();
    const int peak = PeakSegment();
    const auto start = [&](int k) { return static_cast<int>(static_cast<long long>(k) * length / n); };
    if (settings_.style == BarStyle::Continuous) {
        const int filled = RoundHalfEven(value_ * length);
        for (int x = 0; x < length;) {
            // Runs of one zone.
            const Colour colour = ZoneColour((x + 0.5) / length);
            int end = x + 1;
            while (end < length && ZoneColour((end + 0.5) / length) == colour) {
                ++end;
            }
            const int litEnd = std::clamp(filled, x, end);
            fill(x, litEnd, colour);
            if (settings_.showUnlit) {
                fill(litEnd, end, Faint(colour, settings_.background));
            }
            x = end;
        }
        if (peak > 0) {
            const int at = std::min(length - 2, start(peak) - 2);
            fill(std::max(0, at), std::max(0, at) + 2, ZoneColour((peak - 0.5) / n));
        }
        return;
    }
    for (int k = 1; k <= n; ++k) {
        const int from = start(k - 1);
        const int to = start(k);
        const int gap = std::max(1, (to - from) / 5);
        const Colour colour = ZoneColour((k - 0.5) / n);
        if (k <= lit_ || k == peak) {
            fill(from, to - gap, colour);
        } else if (settings_.showUnlit) {
            fill(from, to - gap, Faint(colour, settings_.background));
        }
    }
}

}  // namespace instruments
