#include "instruments/Switch.h"

#include <climits>
#include <string>

#include "canvas/surface/Rounding.h"
#include "colour/LampColour.h"
#include "instruments/Frame.h"
#include "instruments/SettingsError.h"
#include "widgets/Caption.h"

namespace instruments {

namespace {

constexpr int kLampRings = 5;
constexpr float kLampLevel = 100.0f;
constexpr std::string_view kOffScheme = "rosso";  // the lamp schemes of colour/LampColour
constexpr std::string_view kOnScheme = "verdino";

// The lamp sits in the square of side h at the left end; its discs shrink from
// the rim inward, their centres drifting left, so the centre is brightest.
void PaintLamp(instruments::Painter& painter, int h, std::string_view scheme) {
    const int step = instruments::RoundHalfEven(255.0 / h);
    const int centreY = instruments::RoundHalfEven(h / 2.0);
    for (int i = kLampRings; i >= 0; --i) {
        const instruments::Colour colour = instruments::LampColour(scheme, step, -i, kLampLevel);
        LampDisc(painter, instruments::RoundHalfEven(h / 2.0 + i / 2.0), centreY, i, colour);
    }
}

}  // namespace

Switch::Switch(instruments::Size size, Settings settings, std::optional<instruments::Surface> offPicture,
               std::optional<instruments::Surface> onPicture)
    : Instrument(size),
      settings_(std::move(settings)),
      offPicture_(std::move(offPicture)),
      onPicture_(std::move(onPicture)) {
    const std::string sizeError = instruments::Surface::SizeError(size.width, size.height);
    if (!sizeError.empty()) {
        throw SettingsError(sizeError);
    }
    if (settings_.frame.width < 0 || settings_.frame.width == INT_MAX) {
        throw SettingsError(
            "frame.width " + std::to_string(settings_.frame.width) +
            " is out of range: it must be 0 or more, and the ON face's one wider must be an int");
    }
}

void Switch::SetOn(bool on) {
    if (on != on_) {
        on_ = on;
        Invalidate();
    }
}

void Switch::PaintState(instruments::Painter& painter) const {
    const std::optional<instruments::Surface>& picture = on_ ? onPicture_ : offPicture_;
    if (picture) {
        painter.Copy(*picture);
        return;
    }
    PaintSwitchFace(painter, settings_, on_, SwitchLabel(settings_.labels, on_),
                    offPicture_ ? &*offPicture_ : nullptr);
}

std::string SwitchLabel(std::string_view labels, bool on) {
    const auto slash = labels.find('/');
    if (on) {
        return slash == std::string_view::npos ? std::string{} : std::string(labels.substr(slash + 1));
    }
    return std::string(slash == std::string_view::npos ? labels : labels.substr(0, slash));
}

void PaintSwitchFace(instruments::Painter& painter, const Switch::Settings& settings, bool on,
                     std::string label, const instruments::Surface* picture) {
    int inset = settings.frame.width;
    BackgroundPattern pattern = settings.background.pattern;
    if (on) {
        pattern = settings.onPattern;
        inset = inset < INT_MAX ? inset + 1 : inset;
    }
    PaintFrame(painter, Frame{inset, settings.frame.colour, settings.frame.topLeftColour});
    PaintBackground(painter, inset, settings.background.colour, pattern, picture);
    PaintLamp(painter, painter.ClientSize().height, on ? kOnScheme : kOffScheme);
    PaintCaption(painter, label, settings.labelColour, 0);
}

void LampDisc(instruments::Painter& painter, int x, int y, int radius, instruments::Colour colour) {
    const double cx = x;
    const double cy = y;
    const double r = radius;
    painter.Box(cx - r, cy - r, cx + r, cy + r, instruments::kCornerEllipse, colour, colour,
                instruments::FillStyle::Solid);
}

}  // namespace instruments
