#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "dialog/Keywords.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "instruments/AnalogClock.h"
#include "instruments/Background.h"
#include "instruments/Frame.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

namespace fuzz {

namespace {

// Accepted sizes stay up to this a side and this many pixels (1024 x 256, 512 x
// 512); refused ones may be any size. Every face is a fresh surface and a fresh
// block of its size, and on a machine where touching fresh memory is slow
// (about 20 ms for 4 MB measured on one) a larger face alone would take most
// of the time one call may take.
constexpr int kMaxSide = 1024;
constexpr int kMaxArea = 1 << 18;
constexpr int kMaxSteps = 24;

std::string SizeText(instruments::Size size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// Mostly small sizes, now and then a large one, and sizes every surface
// refuses: negative, or past the limits of a side or of the pixel count.
instruments::Size PickSize(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    switch (kind % 16) {
        case 0:
            return {in.Between(-3, 40), -in.Between(1, 1 << 30)};
        case 1:
            return {instruments::Surface::kMaxSide + in.Between(1, 1 << 20), in.Between(0, 8)};
        case 2:
            return {9000, 9000};
        case 3:
        case 4: {
            const int width = in.Between(0, kMaxSide);
            return {width, in.Between(0, std::min(kMaxSide, kMaxArea / std::max(width, 1)))};
        }
        default:
            return {in.Between(0, 240), in.Between(0, 120)};
    }
}

// A colour text: one of the names, a hex form, or any bytes.
std::string PickColour(FuzzInput& in) {
    static constexpr const char* kNames[] = {"",
                                             " ",
                                             "rosso",
                                             "verde",
                                             "grigio",
                                             "oro",
                                             "pulsanterosso",
                                             "pulsanteverde",
                                             "pulsantegrigio",
                                             "pulsanteoro",
                                             "pulsanteblu",
                                             " Oro ",
                                             "#f06040",
                                             "#fff0f0",
                                             "#"};
    const std::uint8_t pick = in.Byte();
    if (pick < 0xc0) {
        return kNames[pick % std::size(kNames)];
    }
    return std::string(in.Text(24));
}

std::string PickStyle(FuzzInput& in) {
    static constexpr const char* kWords[] = {
        "", "unito", "vuoto", "cerchio", "ombra", "spento", "unito vuoto cerchio"};
    const std::uint8_t pick = in.Byte();
    if (pick < 0xc0) {
        return kWords[pick % std::size(kWords)];
    }
    return std::string(in.Text(48));
}

float PickLevel(FuzzInput& in) {
    static constexpr float kLevels[] = {0.0f,
                                        -0.0f,
                                        50.0f,
                                        100.0f,
                                        -1e30f,
                                        1e30f,
                                        std::numeric_limits<float>::infinity(),
                                        -std::numeric_limits<float>::infinity(),
                                        std::numeric_limits<float>::quiet_NaN()};
    const std::uint8_t pick = in.Byte();
    if (pick < 0x80) {
        return kLevels[pick % std::size(kLevels)];
    }
    const std::uint32_t bits = in.Word();
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

instruments::LocalTime PickTime(FuzzInput& in) {
    if (in.Byte() < 0xc0) {
        return {in.Between(0, 23), in.Between(0, 59), in.Between(0, 59), in.Between(0, 999)};
    }
    return {in.Number(30), in.Number(70), in.Number(70), in.Number(1000)};
}

// Changes the same piece of drawing state on both painters.
void ChangeState(FuzzInput& in, instruments::Painter& a, instruments::Painter& b) {
    const std::uint8_t what = in.Byte();
    const int n = in.Number(12);
    for (instruments::Painter* p : {&a, &b}) {
        switch (what % 5) {
            case 0:
                p->Width(n);
                break;
            case 1:
                p->ColourFg(n);
                break;
            case 2:
                p->ColourBg(n);
                break;
            case 3:
                p->SetPos(n, -n);
                break;
            default:
                p->Width(n < 0 ? -n : n + 1);
                break;
        }
    }
}

// Two surfaces that must stay alike, each with its painter: Update goes to
// `updated`, Paint to `painted`.
struct Side {
    instruments::Surface surface;
    std::optional<instruments::Painter> painter;

    // A new painter on the replacement, in the given state (a new painter's
    // own without one).
    void Attach(instruments::Surface replacement, std::optional<instruments::DrawingState> state) {
        painter.reset();
        surface = std::move(replacement);
        painter.emplace(surface);
        if (state) {
            painter->RestoreState(std::move(*state));
        }
    }
};

}  // namespace

std::string CheckInstruments(std::span<const std::uint8_t> input) {
    FuzzInput in(input);
    const instruments::Size size = PickSize(in);
    const int frameWidth = in.Number(40);
    const std::string frameColour = PickColour(in);
    const std::string styleWords = PickStyle(in);
    const std::string backColour = PickColour(in);
    const int backStyle = in.Number(8);
    const instruments::Colour ink = static_cast<instruments::Colour>(in.Word());
    const bool withPicture = in.Byte() % 4 == 0;
    // The keyword texts as the adapter reads them, onto the public settings.
    const dialog::KeywordLook settings =
        dialog::LookOfKeywords(frameWidth, frameColour, ink, styleWords, backColour, backStyle);
    const instruments::TextDisplay::Settings textSettings{settings.frame, settings.background, settings.ink,
                                                          settings.dots, settings.label};
    const instruments::AnalogClock::Settings clockSettings{settings.frame, settings.background};
    const instruments::LevelMeter::Settings meterSettings{settings.frame, settings.background, settings.ink};

    std::string failure;
    const auto timed = [&failure](std::string_view what, const std::function<void()>& call) {
        std::string message = Timed(what, call);
        if (failure.empty()) {
            failure = std::move(message);
        }
        return failure.empty();
    };

    // A picture of the face's size, for the picture background.
    std::optional<instruments::Surface> picture;
    if (withPicture && instruments::Surface::SizeError(size.width, size.height).empty() &&
        size.width <= kMaxSide && size.height <= kMaxSide) {
        picture.emplace(size.width, size.height, in.Word() & 0xFFFFFFu);
        instruments::Painter onPicture(*picture);
        onPicture.Box(0, 0, size.width / 2.0, size.height / 2.0, 0, in.Word() & 0xFFFFFF, -1);
    }
    const instruments::Surface* pictureOrNone = picture ? &*picture : nullptr;

    std::optional<instruments::TextDisplay> display;
    std::optional<instruments::AnalogClock> clock;
    std::optional<instruments::LevelMeter> meter;
    // A size no surface takes, or a frame that leaves no inside, is refused
    // by every instrument alike.
    const int shorter = std::min(size.width, size.height);
    const bool unusable = frameWidth < 0 ||
                          !instruments::Surface::SizeError(size.width, size.height).empty() ||
                          (shorter > 0 && 2LL * frameWidth >= shorter);
    int refusals = 0;
    const auto build = [&refusals](const std::function<void()>& make) {
        try {
            make();
        } catch (const instruments::SettingsError&) {
            ++refusals;
        }
    };
    if (!timed("TextDisplay", [&] { build([&] { display.emplace(size, textSettings, pictureOrNone); }); }) ||
        !timed("AnalogClock", [&] { build([&] { clock.emplace(size, clockSettings, pictureOrNone); }); }) ||
        !timed("LevelMeter", [&] { build([&] { meter.emplace(size, meterSettings, pictureOrNone); }); })) {
        return failure;
    }
    if (refusals != (unusable ? 3 : 0)) {
        return std::to_string(refusals) + " of the three instruments refused frame width " +
               std::to_string(frameWidth) + " on " + SizeText(size);
    }
    if (unusable) {
        return {};
    }
    // A face is a block of the asked size, or empty for a size no surface takes.
    const bool refused = size.width == 0 || size.height == 0;
    const instruments::PixelBlock& face = display->face();
    if (refused ? face.width() != 0 || face.height() != 0
                : !face.Valid() || face.width() != size.width || face.height() != size.height) {
        return "a face of " + std::to_string(face.width()) + " x " + std::to_string(face.height()) + " for " +
               SizeText(size);
    }
    if (refused) {
        return {};
    }

    // Painting the frame and background again over the face changes nothing:
    // creation and every repaint (a switch face, a dialog's background
    // painter) paint the same background.
    {
        instruments::Surface again(size.width, size.height);
        instruments::Painter onAgain(again);
        onAgain.SetBits(face);
        if (!timed("PaintFrame", [&] { instruments::PaintFrame(onAgain, settings.frame); }) ||
            !timed("PaintBackground", [&] {
                instruments::PaintBackground(onAgain, settings.frame.width, settings.background.colour,
                                             settings.background.pattern, pictureOrNone);
            })) {
            return failure;
        }
        if (!(instruments::PixelBlock::FromSurface(again) == face)) {
            return "painting the frame and background again over a face of " + SizeText(size) + " changed it";
        }
    }

    instruments::Switch::Settings own;
    own.frame = {frameWidth, settings.frame.colour, std::nullopt};
    own.background = settings.background;
    own.onPattern = dialog::KeywordPattern(in.Number(8));
    own.labelColour = ink;
    own.labels = std::string(in.Text(24));
    instruments::Switch lever(size, own);

    // One side paints only the instruments that changed, the other paints the
    // stepped one every time; both must show the same. The instruments share
    // one surface, so what one paints overwrites the others, and the first
    // side marks them changed, as any host must after overwriting an
    // instrument's pixels or changing the drawing state it paints with.
    instruments::Instrument* const all[] = {&*display, &*clock, &*meter, &lever};
    const auto invalidateAll = [&] {
        for (instruments::Instrument* instrument : all) {
            instrument->Invalidate();
        }
    };
    const auto paint = [&](std::string_view what, instruments::Instrument& stepped, instruments::Painter& a,
                           instruments::Painter& b) {
        bool painted = false;
        const bool ok =
            timed(std::string(what) + "::PaintIfChanged", [&] { painted = stepped.PaintIfChanged(a); }) &&
            timed(std::string(what) + "::Paint", [&] { stepped.Paint(b); });
        if (painted) {
            for (instruments::Instrument* instrument : all) {
                if (instrument != &stepped) {
                    instrument->Invalidate();
                }
            }
        }
        return ok;
    };

    // The surfaces are mostly the face's size; larger ones leave a part the
    // instruments do not cover.
    instruments::Size surfaceSize = size;
    if (in.Byte() % 8 == 0) {
        surfaceSize = {size.width + in.Between(0, 3), std::max(1, size.height + in.Between(-1, 3))};
    }
    const instruments::Pixel fill = in.Word() & 0xFFFFFFu;
    Side updated;
    Side painted;
    updated.Attach(instruments::Surface(surfaceSize.width, surfaceSize.height, fill), std::nullopt);
    painted.Attach(instruments::Surface(surfaceSize.width, surfaceSize.height, fill), std::nullopt);

    const int steps = in.Between(1, kMaxSteps);
    for (int step = 0; step < steps; ++step) {
        instruments::Painter& a = *updated.painter;
        instruments::Painter& b = *painted.painter;
        const std::uint8_t op = in.Byte();
        std::string what;
        bool ok = true;
        switch (op % 8) {
            case 0:
            case 1: {
                const std::string text(in.Text(40));
                what = "text \"" + text + "\"";
                display->SetCodes(text);
                ok = paint("TextDisplay", *display, a, b);
                break;
            }
            case 2: {
                const instruments::LocalTime time = PickTime(in);
                const int hourOffset = in.Number(48);
                what = "clock";
                clock->SetTime(time, hourOffset);
                ok = paint("AnalogClock", *clock, a, b);
                break;
            }
            case 3: {
                const float level = PickLevel(in);
                what = "meter at " + std::to_string(level);
                meter->SetLevel(level);
                ok = paint("LevelMeter", *meter, a, b);
                break;
            }
            case 4: {
                // One pixel written behind the instruments' backs.
                const int x = in.Between(0, surfaceSize.width - 1);
                const int y = in.Between(0, surfaceSize.height - 1);
                const instruments::Pixel pixel = in.Word() & 0xFFFFFFu;
                what = "a pixel written";
                updated.surface.SetPixel(x, y, pixel);
                painted.surface.SetPixel(x, y, pixel);
                invalidateAll();
                break;
            }
            case 5:
                what = "state changed";
                ChangeState(in, a, b);
                invalidateAll();
                break;
            case 6: {
                // Another surface with the same pixels and state: a skip must
                // notice that it was never painted.
                what = "surface replaced";
                const instruments::DrawingState stateA = a.state();
                const instruments::DrawingState stateB = b.state();
                updated.Attach(instruments::Surface(updated.surface), stateA);
                painted.Attach(instruments::Surface(painted.surface), stateB);
                invalidateAll();
                break;
            }
            default: {
                what = "switch";
                if (in.Byte() % 2 == 0) {
                    lever.Toggle();
                }
                ok = paint("Switch", lever, a, b);
                break;
            }
        }
        if (!ok) {
            return failure;
        }
        if (!updated.surface.SamePixels(painted.surface)) {
            return "after step " + std::to_string(step) + " (" + what + ") on " + SizeText(surfaceSize) +
                   ", what PaintIfChanged left differs from what Paint left";
        }
        if (!(updated.painter->state() == painted.painter->state())) {
            return "after step " + std::to_string(step) + " (" + what +
                   "), the drawing state PaintIfChanged left differs";
        }
    }
    return {};
}

}  // namespace fuzz
