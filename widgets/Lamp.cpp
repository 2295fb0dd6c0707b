#include "instruments/Lamp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "canvas/surface/Rounding.h"
#include "colour/LampColour.h"
#include "colour/Mix.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace instruments {

namespace {

// The switch's lamp schemes by the names users give them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kSchemes{{
    {"green", "verdino"},
    {"red", "rosso"},
    {"blue", "blu-scuro"},
}};
// Schemes painted as colours of their own.
constexpr std::array<std::pair<std::string_view, Colour>, 4> kColourSchemes{{
    {"cyan", Rgb(0, 220, 255)},
    {"yellow", Rgb(255, 220, 0)},
    {"orange", Rgb(255, 140, 0)},
    {"white", Rgb(255, 255, 255)},
}};

std::string_view SchemeOf(std::string_view name) {
    for (const auto& [english, scheme] : kSchemes) {
        if (english == name) {
            return scheme;
        }
    }
    return {};
}

std::optional<Colour> SchemeColour(std::string_view name) {
    for (const auto& [english, colour] : kColourSchemes) {
        if (english == name) {
            return colour;
        }
    }
    return std::nullopt;
}

Colour Mix(Colour a, Colour b, double part) {
    return MixColours(a, b, RoundHalfEven(part * 256));
}

}  // namespace

Lamp::Lamp(Size size, Settings settings) : Instrument(size), settings_(std::move(settings)) {
    const std::string sizeError = Surface::SizeError(size.width, size.height);
    if (!sizeError.empty()) {
        throw SettingsError("lamp size: " + sizeError);
    }
    if (size.width < 4 || size.height < 4) {
        throw SettingsError("lamp size " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                            ": give at least 4 x 4");
    }
    if (settings_.colour && (*settings_.colour < 0 || *settings_.colour > 0xFFFFFF)) {
        throw SettingsError("lamp colour " + std::to_string(*settings_.colour) + " is outside 0..0xFFFFFF");
    }
    if (!settings_.colour && SchemeOf(settings_.scheme).empty()) {
        settings_.colour = SchemeColour(settings_.scheme);
        if (!settings_.colour) {
            throw SettingsError("unknown lamp scheme \"" + settings_.scheme +
                                "\": give green, red, blue, cyan, yellow, orange or white");
        }
    }
}

bool Lamp::Lit() const {
    switch (mode_) {
        case Mode::Off:
            return false;
        case Mode::On:
            return true;
        case Mode::Blinking:
            return std::fmod(nowMs_ - blinkStartMs_, periodMs_) < duty_ * periodMs_;
    }
    return false;
}

void Lamp::MarkIfChanged(bool wasLit) {
    if (Lit() != wasLit) {
        Invalidate();
    }
}

void Lamp::SetOn(bool on) {
    const bool was = Lit();
    mode_ = on ? Mode::On : Mode::Off;
    MarkIfChanged(was);
}

void Lamp::SetBlink(double periodMs, double duty) {
    if (!(periodMs >= 1) || !std::isfinite(periodMs)) {
        throw SettingsError("lamp blink period " + std::to_string(periodMs) + " ms: give at least 1");
    }
    if (!(duty >= 0 && duty <= 1)) {
        throw SettingsError("lamp blink duty " + std::to_string(duty) + ": give 0..1");
    }
    const bool was = Lit();
    mode_ = Mode::Blinking;
    periodMs_ = periodMs;
    duty_ = duty;
    blinkStartMs_ = nowMs_;
    MarkIfChanged(was);
}

void Lamp::Advance(double milliseconds) {
    if (!(milliseconds > 0) || !std::isfinite(milliseconds)) {
        return;
    }
    const bool was = Lit();
    nowMs_ += milliseconds;
    MarkIfChanged(was);
}

void Lamp::PaintState(Painter& painter) const {
    const Size s = size();
    painter.Box({0, 0, s.width, s.height},
                {.line = Ink(settings_.background), .fill = Ink(settings_.background)});
    const int radius = std::min(s.width, s.height) / 2 - 1;
    const double cx = s.width / 2.0;
    const double cy = s.height / 2.0;
    const bool lit = Lit();
    const std::string scheme(SchemeOf(settings_.scheme));
    const int step = std::max(1, RoundHalfEven(255.0 / std::max(1, radius)));
    // Rings from the rim in, each a little lighter, so the lens looks domed.
    for (int i = radius; i >= 0; --i) {
        const double inward = radius == 0 ? 1.0 : 1.0 - static_cast<double>(i) / radius;
        Colour colour = settings_.colour
                            ? Mix(Mix(*settings_.colour, 0, 0.45), *settings_.colour, inward)
                            : LampColour(scheme, step, -RoundHalfEven((1.0 - inward) * 8), 100.0f);
        if (!lit) {
            colour = Mix(0, colour, 0.3);
        }
        const double r = i + 1;
        const double shift = (radius - i) / 3.0;  // the centre drifts up and left
        const Ink ink(colour);
        if (settings_.shape == LampShape::Round) {
            painter.Box(cx - r - shift, cy - r - shift, cx + r - shift, cy + r - shift, kCornerEllipse, ink,
                        ink, FillStyle::Solid);
        } else {
            painter.Box(cx - r - shift, cy - r - shift, cx + r - shift, cy + r - shift, 25, ink, ink,
                        FillStyle::Solid);
        }
    }
    // The highlight of the lens.
    const double h = std::max(1.0, radius / 5.0);
    const Colour shine = lit ? Rgb(255, 255, 255) : Rgb(150, 150, 150);
    painter.Box(cx - radius / 2.5 - h, cy - radius / 2.5 - h, cx - radius / 2.5 + h, cy - radius / 2.5 + h,
                kCornerEllipse, Ink(shine), Ink(shine), FillStyle::Solid);
}

}  // namespace instruments
