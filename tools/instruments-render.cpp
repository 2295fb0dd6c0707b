// Paints one instrument to a PNG from flags, for documentation, scripts and
// tests.
//
//   instruments-render segments --digits N [--kind 7|14] [--colon] [--slant DEG] [--preset NAME]
//                      --text TEXT [--size WxH] --png OUT [--lit]
//   instruments-render bar --segments N [--vertical] [--zones T1,T2,...] [--peak-hold MS]
//                      [--peak-fall SEG_PER_S] --values MS:V,MS:V,... [--at MS] [--size WxH] --png OUT
//                      [--lit]
//   instruments-render lamp (--scheme NAME | --colour #rrggbb) [--blink PERIOD_MS,DUTY] [--at MS]
//                      [--size WxH] --png OUT
//   instruments-render text --text TEXT [--ink #rrggbb] FACE [--size WxH] --png OUT
//   instruments-render clock --time HH:MM:SS [--hour-offset N] FACE [--size WxH] --png OUT
//   instruments-render meter --level V [--range MIN,MAX] [--labels V:TEXT,...] [--needle #rrggbb] FACE
//                      [--size WxH] --png OUT
//   instruments-render switch [--on] [--labels OFF/ON] [--label-colour #rrggbb] [--on-background PATTERN]
//                      [--off-picture F.png] [--on-picture F.png] FACE [--size WxH] --png OUT
//
// FACE: [--frame N] [--frame-colour C] [--background PATTERN] [--background-colour C]
//       [--picture F.png] (with --background picture; not for the switch)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "instruments/AnalogClock.h"
#include "instruments/BarGraph.h"
#include "instruments/Colour.h"
#include "instruments/Lamp.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/Png.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

namespace {

struct BadInput {
    std::string message;
};

[[noreturn]] void Refuse(const std::string& message) {
    throw BadInput{message};
}

// The flags after the instrument's name: --name value, or --name alone for the
// switches in `bare`.
struct Flags {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> used;

    std::optional<std::string> Get(const std::string& name) {
        used[name] = true;
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool Has(const std::string& name) { return Get(name).has_value(); }
    std::string Need(const std::string& name) {
        const auto value = Get(name);
        if (!value) {
            Refuse("--" + name + " is needed");
        }
        return *value;
    }
    void RefuseUnused() const {
        for (const auto& [name, value] : values) {
            if (!used.count(name)) {
                Refuse("unknown or misplaced flag --" + name);
            }
        }
    }
};

Flags ParseFlags(int argc, char** argv, std::initializer_list<std::string_view> bare) {
    Flags flags;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 3 || arg.substr(0, 2) != "--") {
            Refuse("unexpected argument \"" + std::string(arg) + "\"");
        }
        const std::string name(arg.substr(2));
        if (flags.values.count(name)) {
            Refuse("--" + name + " given twice");
        }
        if (std::find(bare.begin(), bare.end(), name) != bare.end()) {
            flags.values[name] = "";
        } else if (i + 1 < argc) {
            flags.values[name] = argv[++i];
        } else {
            Refuse("--" + name + " needs a value");
        }
    }
    return flags;
}

double Number(const std::string& text, const std::string& what, double low, double high) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < low || value > high) {
        Refuse(what + " \"" + text + "\": give a number from " + std::to_string(static_cast<long long>(low)) +
               " to " + std::to_string(static_cast<long long>(high)));
    }
    return value;
}

int Whole(const std::string& text, const std::string& what, int low, int high) {
    const double value = Number(text, what, low, high);
    if (value != std::floor(value)) {
        Refuse(what + " \"" + text + "\": give a whole number");
    }
    return static_cast<int>(value);
}

instruments::Size SizeFlag(Flags& flags, instruments::Size fallback) {
    const auto text = flags.Get("size");
    if (!text) {
        return fallback;
    }
    const auto x = text->find('x');
    if (x == std::string::npos) {
        Refuse("--size \"" + *text + "\": expected WIDTHxHEIGHT");
    }
    return {Whole(text->substr(0, x), "--size width", 1, 8192),
            Whole(text->substr(x + 1), "--size height", 1, 8192)};
}

instruments::Colour HexColour(const std::string& text, const std::string& what) {
    try {
        const instruments::ShadedColour parsed(text);
        return parsed.At(0);
    } catch (const instruments::SettingsError& error) {
        Refuse(what + ": " + error.what());
    }
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

int WritePanel(instruments::Instrument& instrument, const std::string& out) {
    instruments::Surface surface(instrument.size().width, instrument.size().height);
    instruments::Painter painter(surface);
    instrument.Paint(painter);
    if (!instruments::WritePng(surface, out)) {
        std::fprintf(stderr, "instruments-render: cannot write \"%s\"\n", out.c_str());
        return 1;
    }
    return 0;
}

int Segments(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {"colon", "lit"});
    instruments::SegmentDisplay::Settings settings;
    settings.digits = Whole(flags.Need("digits"), "--digits", 1, 64);
    if (const auto kind = flags.Get("kind")) {
        if (*kind != "7" && *kind != "14") {
            Refuse("--kind \"" + *kind + "\": give 7 or 14");
        }
        settings.kind = *kind == "7" ? instruments::SegmentKind::Seven : instruments::SegmentKind::Fourteen;
    }
    settings.colons = flags.Has("colon");
    if (const auto slant = flags.Get("slant")) {
        settings.slantDegrees = Number(*slant, "--slant", 0, 20);
    }
    if (const auto preset = flags.Get("preset")) {
        try {
            settings.look = instruments::SegmentLook::Preset(*preset);
        } catch (const instruments::SettingsError& error) {
            Refuse(std::string("--preset: ") + error.what());
        }
    }
    const std::string text = flags.Need("text");
    const instruments::Size size = SizeFlag(flags, {settings.digits * 50, 80});
    const std::string png = flags.Need("png");
    const bool lit = flags.Has("lit");
    flags.RefuseUnused();
    std::optional<instruments::SegmentDisplay> display;
    try {
        display.emplace(size, settings);
    } catch (const instruments::SettingsError& error) {
        Refuse(error.what());
    }
    display->SetText(text);
    if (lit) {
        const auto names = instruments::SegmentDisplay::SegmentNames(settings.kind);
        for (int cell = 0; cell < settings.digits; ++cell) {
            std::string line = "cell " + std::to_string(cell) + ":";
            for (std::size_t bit = 0; bit < names.size(); ++bit) {
                if ((display->CellSegments(cell) & (1u << bit)) != 0) {
                    line += ' ';
                    line.append(names[bit]);
                }
            }
            if (display->CellPoint(cell)) {
                line += " dp";
            }
            std::printf("%s\n", line.c_str());
            if (display->ColonAfter(cell)) {
                std::printf("colon %d: on\n", cell);
            }
        }
    }
    return WritePanel(*display, png);
}

int Bar(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {"vertical", "lit"});
    instruments::BarGraph::Settings settings;
    settings.segments = Whole(flags.Need("segments"), "--segments", 1, 1000);
    if (flags.Has("vertical")) {
        settings.orientation = instruments::BarOrientation::Vertical;
    }
    if (const auto zones = flags.Get("zones")) {
        settings.zones.clear();
        for (const std::string& part : Split(*zones, ',')) {
            settings.zones.push_back(Number(part, "--zones", 0, 1));
        }
        const std::vector<instruments::Colour> palette{
            instruments::Rgb(40, 220, 60), instruments::Rgb(255, 180, 0), instruments::Rgb(255, 40, 30)};
        settings.zoneColours.clear();
        for (std::size_t i = 0; i <= settings.zones.size(); ++i) {
            settings.zoneColours.push_back(palette[std::min(i, palette.size() - 1)]);
        }
    }
    if (const auto hold = flags.Get("peak-hold")) {
        settings.peakHoldMs = Number(*hold, "--peak-hold", 0, 1e9);
    }
    if (const auto fall = flags.Get("peak-fall")) {
        settings.peakFallPerSecond = Number(*fall, "--peak-fall", 0, 1e6);
    }
    std::vector<std::pair<double, double>> values;
    double last = 0;
    for (const std::string& part : Split(flags.Need("values"), ',')) {
        const auto colon = part.find(':');
        if (colon == std::string::npos) {
            Refuse("--values \"" + part + "\": give MS:VALUE pairs separated by commas");
        }
        const double at = Number(part.substr(0, colon), "--values time", 0, 1e9);
        if (at < last) {
            Refuse("--values: times must not decrease");
        }
        last = at;
        values.emplace_back(at, Number(part.substr(colon + 1), "--values value", -1e9, 1e9));
    }
    const double atMs = flags.Get("at") ? Number(*flags.Get("at"), "--at", 0, 1e9) : last;
    const bool vertical = settings.orientation == instruments::BarOrientation::Vertical;
    const instruments::Size size = SizeFlag(flags, vertical ? instruments::Size{20, settings.segments * 10}
                                                            : instruments::Size{settings.segments * 10, 20});
    const std::string png = flags.Need("png");
    const bool lit = flags.Has("lit");
    flags.RefuseUnused();
    std::optional<instruments::BarGraph> bar;
    try {
        bar.emplace(size, settings);
    } catch (const instruments::SettingsError& error) {
        Refuse(error.what());
    }
    double now = 0;
    for (const auto& [at, value] : values) {
        if (at > atMs) {
            break;
        }
        bar->Advance(at - now);
        now = at;
        bar->SetValue(value);
    }
    bar->Advance(atMs - now);
    if (lit) {
        std::printf("lit %d peak %d\n", bar->LitSegments(), bar->PeakSegment());
    }
    return WritePanel(*bar, png);
}

int LampCommand(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {});
    instruments::Lamp::Settings settings;
    const auto scheme = flags.Get("scheme");
    const auto colour = flags.Get("colour");
    if (scheme.has_value() == colour.has_value()) {
        Refuse("give one of --scheme and --colour");
    }
    if (scheme) {
        settings.scheme = *scheme;
    } else {
        settings.colour = HexColour(*colour, "--colour");
    }
    std::optional<std::pair<double, double>> blink;
    if (const auto text = flags.Get("blink")) {
        const auto parts = Split(*text, ',');
        if (parts.size() != 2) {
            Refuse("--blink \"" + *text + "\": give PERIOD_MS,DUTY");
        }
        blink = {Number(parts[0], "--blink period", 1, 1e9), Number(parts[1], "--blink duty", 0, 1)};
    }
    const double atMs = flags.Get("at") ? Number(*flags.Get("at"), "--at", 0, 1e9) : 0;
    const instruments::Size size = SizeFlag(flags, {32, 32});
    const std::string png = flags.Need("png");
    flags.RefuseUnused();
    std::optional<instruments::Lamp> lamp;
    try {
        lamp.emplace(size, settings);
    } catch (const instruments::SettingsError& error) {
        Refuse(error.what());
    }
    if (blink) {
        lamp->SetBlink(blink->first, blink->second);
    } else {
        lamp->SetOn(true);
    }
    lamp->Advance(atMs);
    return WritePanel(*lamp, png);
}

// The face every framed instrument shares: --frame N, --frame-colour C,
// --background PATTERN, --background-colour C and --picture FILE.png (what the
// picture pattern stretches).
struct Face {
    instruments::Frame frame;
    instruments::Background background;
    std::optional<instruments::Surface> picture;
    const instruments::Surface* PicturePointer() const { return picture ? &*picture : nullptr; }
};

instruments::BackgroundPattern PatternFlag(const std::string& text) {
    using instruments::BackgroundPattern;
    static const std::pair<std::string_view, BackgroundPattern> kPatterns[] = {
        {"none", BackgroundPattern::None},
        {"mirrored-rows", BackgroundPattern::MirroredRows},
        {"rows-from-bottom", BackgroundPattern::RowsFromBottom},
        {"mirrored-columns", BackgroundPattern::MirroredColumns},
        {"box-stack", BackgroundPattern::BoxStack},
        {"rows-from-top", BackgroundPattern::RowsFromTop},
        {"mirrored-columns-reversed", BackgroundPattern::MirroredColumnsReversed},
        {"picture", BackgroundPattern::Picture},
    };
    std::string names;
    for (const auto& [name, pattern] : kPatterns) {
        if (text == name) {
            return pattern;
        }
        names += names.empty() ? "" : ", ";
        names += name;
    }
    Refuse("--background \"" + text + "\": give one of " + names);
}

instruments::ShadedColour ShadedFlag(const std::string& text, const std::string& what) {
    try {
        return instruments::ShadedColour(text);
    } catch (const instruments::SettingsError& error) {
        Refuse(what + ": " + error.what());
    }
}

Face FaceFlags(Flags& flags) {
    Face face;
    if (const auto frame = flags.Get("frame")) {
        face.frame.width = Whole(*frame, "--frame", 0, 100);
    }
    if (const auto colour = flags.Get("frame-colour")) {
        face.frame.colour = ShadedFlag(*colour, "--frame-colour");
    }
    if (const auto pattern = flags.Get("background")) {
        face.background.pattern = PatternFlag(*pattern);
    }
    if (const auto colour = flags.Get("background-colour")) {
        face.background.colour = ShadedFlag(*colour, "--background-colour");
    }
    if (const auto path = flags.Get("picture")) {
        face.picture = instruments::ReadPng(*path);
        if (!face.picture) {
            Refuse("--picture \"" + *path + "\": not a readable PNG file");
        }
    }
    if ((face.background.pattern == instruments::BackgroundPattern::Picture) != face.picture.has_value()) {
        Refuse("--background picture and --picture go together");
    }
    return face;
}

// Constructs an instrument, turning a refused setting into one line.
template <typename Instrument, typename... Arguments>
Instrument Make(Arguments&&... arguments) {
    try {
        return Instrument(std::forward<Arguments>(arguments)...);
    } catch (const instruments::SettingsError& error) {
        Refuse(error.what());
    }
}

int Text(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {});
    const Face face = FaceFlags(flags);
    instruments::TextDisplay::Settings settings;
    settings.frame = face.frame;
    settings.background = face.background;
    const std::string text = flags.Need("text");
    if (const auto ink = flags.Get("ink")) {
        settings.ink = HexColour(*ink, "--ink");
    }
    const instruments::Size size = SizeFlag(flags, {210, 55});
    const std::string png = flags.Need("png");
    flags.RefuseUnused();
    auto display = Make<instruments::TextDisplay>(size, settings, face.PicturePointer());
    display.SetText(text);
    return WritePanel(display, png);
}

// HH:MM:SS on the 24-hour clock.
instruments::LocalTime TimeFlag(const std::string& text) {
    const auto parts = Split(text, ':');
    if (parts.size() != 3) {
        Refuse("--time \"" + text + "\": expected HH:MM:SS");
    }
    return {Whole(parts[0], "--time hour", 0, 23), Whole(parts[1], "--time minute", 0, 59),
            Whole(parts[2], "--time second", 0, 59), 0};
}

int Clock(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {});
    const Face face = FaceFlags(flags);
    const instruments::LocalTime time = TimeFlag(flags.Need("time"));
    const int hourOffset =
        flags.Get("hour-offset") ? Whole(*flags.Get("hour-offset"), "--hour-offset", -24, 24) : 0;
    const instruments::Size size = SizeFlag(flags, {180, 180});
    const std::string png = flags.Need("png");
    flags.RefuseUnused();
    auto clock = Make<instruments::AnalogClock>(
        size, instruments::AnalogClock::Settings{face.frame, face.background}, face.PicturePointer());
    clock.SetTime(time, hourOffset);
    return WritePanel(clock, png);
}

int Meter(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {});
    const Face face = FaceFlags(flags);
    instruments::LevelMeter::Settings settings;
    settings.frame = face.frame;
    settings.background = face.background;
    if (const auto needle = flags.Get("needle")) {
        settings.needle = HexColour(*needle, "--needle");
    }
    if (const auto range = flags.Get("range")) {
        const auto ends = Split(*range, ',');
        if (ends.size() != 2) {
            Refuse("--range \"" + *range + "\": give MIN,MAX");
        }
        settings.range = {Number(ends[0], "--range min", -1e9, 1e9),
                          Number(ends[1], "--range max", -1e9, 1e9)};
    }
    if (const auto labels = flags.Get("labels")) {
        for (const std::string& part : Split(*labels, ',')) {
            const auto colon = part.find(':');
            if (colon == std::string::npos) {
                Refuse("--labels \"" + part + "\": give VALUE:TEXT pairs separated by commas");
            }
            settings.labels.push_back(
                {Number(part.substr(0, colon), "--labels value", -1e9, 1e9), part.substr(colon + 1)});
        }
    }
    const double level = Number(flags.Need("level"), "--level", -1e9, 1e9);
    const instruments::Size size = SizeFlag(flags, {210, 55});
    const std::string png = flags.Need("png");
    flags.RefuseUnused();
    auto meter = Make<instruments::LevelMeter>(size, settings, face.PicturePointer());
    meter.SetLevel(level);
    return WritePanel(meter, png);
}

int SwitchCommand(int argc, char** argv) {
    Flags flags = ParseFlags(argc, argv, {"on"});
    const Face face = FaceFlags(flags);
    if (face.picture) {
        Refuse("--picture: a switch's pictures are its faces; give --off-picture and --on-picture");
    }
    instruments::Switch::Settings settings;
    settings.frame = face.frame;
    settings.background = face.background;
    if (const auto labels = flags.Get("labels")) {
        settings.labels = *labels;
    }
    if (const auto colour = flags.Get("label-colour")) {
        settings.labelColour = HexColour(*colour, "--label-colour");
    }
    if (const auto pattern = flags.Get("on-background")) {
        settings.onPattern = PatternFlag(*pattern);
    }
    const auto picture = [&flags](const std::string& name) -> std::optional<instruments::Surface> {
        const auto path = flags.Get(name);
        if (!path) {
            return std::nullopt;
        }
        auto read = instruments::ReadPng(*path);
        if (!read) {
            Refuse("--" + name + " \"" + *path + "\": not a readable PNG file");
        }
        return read;
    };
    auto offPicture = picture("off-picture");
    auto onPicture = picture("on-picture");
    const bool on = flags.Has("on");
    const instruments::Size size = SizeFlag(flags, {400, 40});
    const std::string png = flags.Need("png");
    flags.RefuseUnused();
    auto toggle = Make<instruments::Switch>(size, settings, std::move(offPicture), std::move(onPicture));
    toggle.SetOn(on);
    return WritePanel(toggle, png);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    try {
        if (what == "segments") {
            return Segments(argc, argv);
        }
        if (what == "bar") {
            return Bar(argc, argv);
        }
        if (what == "lamp") {
            return LampCommand(argc, argv);
        }
        if (what == "text") {
            return Text(argc, argv);
        }
        if (what == "clock") {
            return Clock(argc, argv);
        }
        if (what == "meter") {
            return Meter(argc, argv);
        }
        if (what == "switch") {
            return SwitchCommand(argc, argv);
        }
        Refuse(what.empty() ? "name an instrument" : "unknown instrument \"" + std::string(what) + "\"");
    } catch (const BadInput& bad) {
        std::fprintf(
            stderr, "instruments-render: %s (instruments: segments, bar, lamp, text, clock, meter, switch)\n",
            bad.message.c_str());
        return 2;
    }
}
