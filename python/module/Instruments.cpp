// The instruments: one Python class each, constructed with size=(w, h) and
// keyword settings whose defaults are the C++ ones.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>

#include "instruments/AnalogClock.h"
#include "instruments/BarGraph.h"
#include "instruments/Lamp.h"
#include "instruments/LevelMeter.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"
#include "python/module/Bindings.h"
#include "python/module/Convert.h"
#include "python/module/InstrumentClass.h"

namespace instruments::python {

namespace {

using namespace pybind11::literals;

const Surface* PictureOf(const std::optional<Surface>& picture) {
    return picture ? &*picture : nullptr;
}

// An instrument that keeps the picture its background stretches.
template <typename T>
struct WithPicture {
    std::optional<Surface> picture;
};
template <typename T>
struct PicturedHeld : WithPicture<T>, Held<T> {
    template <typename Settings>
    PicturedHeld(Size size, Settings settings, std::optional<Surface> pictureIn)
        : WithPicture<T>{std::move(pictureIn)},
          Held<T>(size, std::move(settings), PictureOf(this->picture)) {}
};

void CheckPicture(const Background& background, const std::optional<Surface>& picture,
                  const char* argument = "picture") {
    if (background.pattern == BackgroundPattern::Picture && !picture) {
        RefuseValue(std::string("background pattern PICTURE needs ") + argument + "=Surface");
    }
}

void BindTextDisplay(py::module_& m) {
    py::enum_<TextAlign>(m, "TextAlign", "Where each line of a text display lies.")
        .value("LEFT", TextAlign::Left)
        .value("CENTRE", TextAlign::Centre)
        .value("RIGHT", TextAlign::Right);

    InstrumentClass<TextDisplay>(m, "TextDisplay",
                                 R"(A dot-matrix text display: 5 x 7 glyphs filling the face.

    display = instruments.TextDisplay(size=(210, 55), frame=instruments.Frame(width=6, colour="gold"),
                                      ink=(255, 0, 0), dots=instruments.DotStyle.JOINED)
    display.set_text("21.5°C"))")
        .def(py::init([](py::handle size, py::handle frame, py::handle background, py::handle ink,
                         py::handle dots, std::string label, py::handle align,
                         std::optional<Surface> picture) {
                 TextDisplay::Settings settings;
                 settings.frame = ToFrame(frame);
                 settings.background = ToBackground(background);
                 settings.ink = ToColour(ink, "ink");
                 settings.dots = ToEnum<DotStyle>(dots, "dots");
                 settings.label = std::move(label);
                 settings.align = ToEnum<TextAlign>(align, "align");
                 CheckPicture(settings.background, picture);
                 return new PicturedHeld<TextDisplay>(ToSize(size, "size"), settings, std::move(picture));
             }),
             py::kw_only(), "size"_a, "frame"_a = py::none(), "background"_a = py::none(),
             "ink"_a = py::make_tuple(0, 0, 0), "dots"_a = DotStyle::Plain, "label"_a = "",
             "align"_a = TextAlign::Left, "picture"_a = py::none())
        .def(
            "set_text",
            [](TextDisplay& d, std::string_view text) {
                const auto lock = LockOf(d);
                d.SetText(text);
            },
            "text"_a, "Shows a text; characters without a glyph show the placeholder. \"\\n\" starts a line.")
        .def(
            "set_codes",
            [](TextDisplay& d, const py::bytes& codes) {
                const auto lock = LockOf(d);
                d.SetCodes(std::string(codes));
            },
            "codes"_a, "Shows raw glyph codes, one byte a character (10 ends a line).")
        .def_property_readonly("codes", [](const TextDisplay& d) { return py::bytes(d.codes()); })
        .def(
            "set_glyph",
            [](TextDisplay& d, int code, const std::vector<std::string>& rows) {
                if (code < 0 || code > 255) {
                    RefuseValue("set_glyph: code " + std::to_string(code) + " is not 0..255");
                }
                if (rows.size() != 7) {
                    RefuseValue("set_glyph: a glyph is 7 rows of 5 \"X\" or \".\", not " +
                                std::to_string(rows.size()) + " rows");
                }
                GlyphTable::GlyphArt art;
                std::copy(rows.begin(), rows.end(), art.begin());
                const auto lock = LockOf(d);
                d.SetGlyph(static_cast<std::uint8_t>(code), art);
            },
            "code"_a, "rows"_a, "Gives a code a glyph of its own: 7 strings of 5 \"X\" (lit) or \".\".");
}

void BindAnalogClock(py::module_& m) {
    InstrumentClass<AnalogClock>(m, "AnalogClock",
                                 R"(An analog clock: hour, minute and second hands and hour dots.

    clock = instruments.AnalogClock(size=(180, 180), frame=instruments.Frame(width=6, colour="gold"))
    clock.set_time(10, 8, 30))")
        .def(py::init([](py::handle size, py::handle frame, py::handle background,
                         std::optional<Surface> picture) {
                 AnalogClock::Settings settings{ToFrame(frame), ToBackground(background)};
                 CheckPicture(settings.background, picture);
                 return new PicturedHeld<AnalogClock>(ToSize(size, "size"), settings, std::move(picture));
             }),
             py::kw_only(), "size"_a, "frame"_a = py::none(), "background"_a = py::none(),
             "picture"_a = py::none())
        .def(
            "set_time",
            [](AnalogClock& c, int hour, int minute, int second, int hourOffset) {
                if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
                    RefuseValue("set_time: " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                                std::to_string(second) + " is not a time of day (0..23, 0..59, 0..59)");
                }
                if (hourOffset < -24 || hourOffset > 24) {
                    RefuseValue("set_time: hour_offset " + std::to_string(hourOffset) + " is not -24..24");
                }
                const auto lock = LockOf(c);
                c.SetTime({hour, minute, second, 0}, hourOffset);
            },
            "hour"_a, "minute"_a, "second"_a = 0, py::kw_only(), "hour_offset"_a = 0,
            "Shows a time of day, the hour shifted by hour_offset.")
        .def_property_readonly("time", [](const AnalogClock& c) {
            return py::make_tuple(c.time().hour, c.time().minute, c.time().second);
        });
}

void BindLevelMeter(py::module_& m) {
    InstrumentClass<LevelMeter>(m, "LevelMeter", R"(A needle meter over a scale with 21 ticks.

    meter = instruments.LevelMeter(size=(210, 55), needle=(0, 255, 0), range=(-20, 5),
                                   labels=[(-20, "-20"), (0, "0"), (5, "+5")])
    meter.set_level(-3.5))")
        .def(py::init([](py::handle size, py::handle frame, py::handle background, py::handle needle,
                         std::pair<double, double> range, std::vector<std::pair<double, std::string>> labels,
                         std::optional<Surface> picture) {
                 LevelMeter::Settings settings;
                 settings.frame = ToFrame(frame);
                 settings.background = ToBackground(background);
                 settings.needle = ToColour(needle, "needle");
                 settings.range = {range.first, range.second};
                 for (auto& [value, text] : labels) {
                     settings.labels.push_back({value, std::move(text)});
                 }
                 CheckPicture(settings.background, picture);
                 return new PicturedHeld<LevelMeter>(ToSize(size, "size"), settings, std::move(picture));
             }),
             py::kw_only(), "size"_a, "frame"_a = py::none(), "background"_a = py::none(),
             "needle"_a = py::make_tuple(0, 0, 0), "range"_a = std::pair<double, double>(0, 100),
             "labels"_a = std::vector<std::pair<double, std::string>>{}, "picture"_a = py::none())
        .def(
            "set_level",
            [](LevelMeter& meter, double level) {
                const auto lock = LockOf(meter);
                meter.SetLevel(level);
            },
            "level"_a, "Shows a level in the range's units; NaN shows no needle.")
        .def_property_readonly("level", &LevelMeter::level);
}

struct SwitchPictures {
    std::optional<Surface> off;
    std::optional<Surface> on;
};

void BindSwitch(py::module_& m) {
    InstrumentClass<Switch>(m, "Switch", R"(A two-state switch face: a lamp and the state's label.

    pause = instruments.Switch(size=(400, 40), labels="RUNNING/PAUSED")
    pause.toggle())")
        .def(py::init([](py::handle size, py::handle frame, py::handle background, py::handle onBackground,
                         py::handle labelColour, std::string labels, std::optional<Surface> offPicture,
                         std::optional<Surface> onPicture) {
                 Switch::Settings settings;
                 settings.frame = ToFrame(frame);
                 settings.background = ToBackground(background);
                 settings.onPattern = ToEnum<BackgroundPattern>(onBackground, "on_background");
                 settings.labelColour = ToColour(labelColour, "label_colour");
                 settings.labels = std::move(labels);
                 CheckPicture(settings.background, offPicture, "off_picture");
                 return new Held<Switch>(ToSize(size, "size"), settings, std::move(offPicture),
                                         std::move(onPicture));
             }),
             py::kw_only(), "size"_a, "frame"_a = py::none(), "background"_a = py::none(),
             "on_background"_a = BackgroundPattern::None, "label_colour"_a = py::make_tuple(0, 0, 0),
             "labels"_a = "OFF/ON", "off_picture"_a = py::none(), "on_picture"_a = py::none())
        .def(
            "set_on",
            [](Switch& s, bool on) {
                const auto lock = LockOf(s);
                s.SetOn(on);
            },
            "on"_a)
        .def("toggle",
             [](Switch& s) {
                 const auto lock = LockOf(s);
                 s.Toggle();
             })
        .def_property_readonly("on", &Switch::on);
}

SegmentLook LookOf(py::handle preset, py::handle frame, py::handle background, py::handle ink,
                   std::optional<bool> showUnlit) {
    SegmentLook look;
    try {
        look = SegmentLook::Preset(preset.cast<std::string>());
    } catch (const py::cast_error&) {
        RefuseValue("preset: expected a name, not " + py::repr(preset).cast<std::string>());
    }
    if (!frame.is_none()) {
        look.frame = ToFrame(frame);
    }
    if (!background.is_none()) {
        look.background = ToColour(background, "background");
    }
    if (!ink.is_none()) {
        look.ink = ToColour(ink, "ink");
    }
    if (showUnlit) {
        look.showUnlit = *showUnlit;
    }
    return look;
}

void BindSegmentDisplay(py::module_& m) {
    InstrumentClass<SegmentDisplay>(m, "SegmentDisplay", R"(A row of seven- or fourteen-segment digits.

    clock = instruments.SegmentDisplay(size=(300, 80), digits=6, colons=True, preset="red")
    clock.set_text("12:34:56"))")
        .def(py::init([](py::handle size, int digits, int kind, bool colons, double slant, py::handle preset,
                         py::handle frame, py::handle background, py::handle ink,
                         std::optional<bool> showUnlit) {
                 if (kind != 7 && kind != 14) {
                     RefuseValue("kind " + std::to_string(kind) + ": give 7 or 14");
                 }
                 SegmentDisplay::Settings settings;
                 settings.digits = digits;
                 settings.kind = kind == 7 ? SegmentKind::Seven : SegmentKind::Fourteen;
                 settings.colons = colons;
                 settings.slantDegrees = slant;
                 settings.look = LookOf(preset, frame, background, ink, showUnlit);
                 return new Held<SegmentDisplay>(ToSize(size, "size"), settings);
             }),
             py::kw_only(), "size"_a, "digits"_a = 4, "kind"_a = 7, "colons"_a = false, "slant"_a = 0.0,
             "preset"_a = "red", "frame"_a = py::none(), "background"_a = py::none(), "ink"_a = py::none(),
             "show_unlit"_a = py::none())
        .def(
            "set_text",
            [](SegmentDisplay& d, std::string_view text) {
                const auto lock = LockOf(d);
                d.SetText(text);
            },
            "text"_a, "Shows a text right-aligned; \".\" and \":\" light the point and colon.")
        .def_property_readonly("text", &SegmentDisplay::text)
        .def_property_readonly("unshown", &SegmentDisplay::Unshown,
                               "The characters of the text that could not be shown, in order.")
        .def(
            "lit_segments",
            [](const SegmentDisplay& d, int cell) {
                if (cell < 0 || cell >= d.settings().digits) {
                    throw py::index_error("cell " + std::to_string(cell) + " is not 0.." +
                                          std::to_string(d.settings().digits - 1));
                }
                std::vector<std::string> lit;
                const auto names = SegmentDisplay::SegmentNames(d.settings().kind);
                for (std::size_t bit = 0; bit < names.size(); ++bit) {
                    if ((d.CellSegments(cell) & (1u << bit)) != 0) {
                        lit.emplace_back(names[bit]);
                    }
                }
                if (d.CellPoint(cell)) {
                    lit.emplace_back("dp");
                }
                return lit;
            },
            "cell"_a, "The names of the cell's lit segments (a b c ... then dp).")
        .def(
            "colon_after", [](const SegmentDisplay& d, int cell) { return d.ColonAfter(cell); }, "cell"_a)
        .def(
            "paint_changed_cells",
            [](SegmentDisplay& d, PyPainter& painter) {
                py::gil_scoped_release unlocked;
                const auto painterLock = painter.Lock();
                const auto lock = LockOf(d);
                return d.PaintChangedCells(painter);
            },
            "painter"_a, "Repaints only the cells changed since the last paint, on a surface that holds it.");
}

void BindBarGraph(py::module_& m) {
    py::enum_<BarOrientation>(m, "BarOrientation")
        .value("HORIZONTAL", BarOrientation::Horizontal)
        .value("VERTICAL", BarOrientation::Vertical);
    py::enum_<BarStyle>(m, "BarStyle")
        .value("SEGMENTED", BarStyle::Segmented)
        .value("CONTINUOUS", BarStyle::Continuous);

    InstrumentClass<BarGraph>(m, "BarGraph", R"(An LED bar graph lit to a value of 0..1, coloured by zones.

    level = instruments.BarGraph(size=(200, 20), segments=20, zones=(0.6, 0.85), peak_hold_ms=500)
    level.set_value(0.72)
    level.advance(40))")
        .def(py::init([](py::handle size, int segments, py::handle orientation, py::handle style,
                         std::vector<double> zones, std::optional<py::sequence> zoneColours,
                         py::handle background, bool showUnlit, double peakHoldMs, double peakFallPerSecond) {
                 BarGraph::Settings settings;
                 settings.segments = segments;
                 settings.orientation = ToEnum<BarOrientation>(orientation, "orientation");
                 settings.style = ToEnum<BarStyle>(style, "style");
                 settings.zones = std::move(zones);
                 if (zoneColours) {
                     settings.zoneColours.clear();
                     for (const py::handle colour : *zoneColours) {
                         settings.zoneColours.push_back(ToColour(colour, "zone_colours"));
                     }
                 }
                 settings.background = ToColour(background, "background");
                 settings.showUnlit = showUnlit;
                 settings.peakHoldMs = peakHoldMs;
                 settings.peakFallPerSecond = peakFallPerSecond;
                 return new Held<BarGraph>(ToSize(size, "size"), settings);
             }),
             py::kw_only(), "size"_a, "segments"_a = 20, "orientation"_a = BarOrientation::Horizontal,
             "style"_a = BarStyle::Segmented, "zones"_a = std::vector<double>{0.6, 0.85},
             "zone_colours"_a = py::none(), "background"_a = py::make_tuple(20, 20, 20),
             "show_unlit"_a = true, "peak_hold_ms"_a = 0.0, "peak_fall_per_second"_a = 0.0)
        .def(
            "set_value",
            [](BarGraph& bar, double value) {
                const auto lock = LockOf(bar);
                bar.SetValue(value);
            },
            "value"_a, "Lights round(value x segments) segments; clamped to 0..1, NaN is 0.")
        .def(
            "advance",
            [](BarGraph& bar, double ms) {
                const auto lock = LockOf(bar);
                bar.Advance(ms);
            },
            "ms"_a, "Moves the virtual clock on (the peak holds, then falls).")
        .def_property_readonly("lit_segments", &BarGraph::LitSegments)
        .def_property_readonly("peak_segment", &BarGraph::PeakSegment, "The peak segment, 1..N; 0 for none.");
}

void BindLamp(py::module_& m) {
    py::enum_<LampShape>(m, "LampShape").value("ROUND", LampShape::Round).value("SQUARE", LampShape::Square);
    py::enum_<Lamp::Mode>(m, "LampMode")
        .value("OFF", Lamp::Mode::Off)
        .value("ON", Lamp::Mode::On)
        .value("BLINKING", Lamp::Mode::Blinking);

    InstrumentClass<Lamp>(m, "Lamp", R"(An indicator lamp: round or square, on, off or blinking.

    alarm = instruments.Lamp(size=(24, 24), scheme="red")
    alarm.set_blink(500, 0.5)
    alarm.advance(40))")
        .def(py::init([](py::handle size, py::handle shape, std::string scheme, py::handle colour,
                         py::handle background) {
                 Lamp::Settings settings;
                 settings.shape = ToEnum<LampShape>(shape, "shape");
                 settings.scheme = std::move(scheme);
                 if (!colour.is_none()) {
                     settings.colour = ToColour(colour, "colour");
                 }
                 settings.background = ToColour(background, "background");
                 return new Held<Lamp>(ToSize(size, "size"), settings);
             }),
             py::kw_only(), "size"_a = py::make_tuple(24, 24), "shape"_a = LampShape::Round,
             "scheme"_a = "green", "colour"_a = py::none(), "background"_a = py::make_tuple(240, 240, 240))
        .def(
            "set_on",
            [](Lamp& lamp, bool on) {
                const auto lock = LockOf(lamp);
                lamp.SetOn(on);
            },
            "on"_a)
        .def(
            "set_blink",
            [](Lamp& lamp, double periodMs, double duty) {
                const auto lock = LockOf(lamp);
                lamp.SetBlink(periodMs, duty);
            },
            "period_ms"_a, "duty"_a = 0.5, "Blinks from now on, lit for `duty` (0..1) of each period.")
        .def(
            "advance",
            [](Lamp& lamp, double ms) {
                const auto lock = LockOf(lamp);
                lamp.Advance(ms);
            },
            "ms"_a)
        .def_property_readonly("mode", &Lamp::mode)
        .def_property_readonly("lit", &Lamp::Lit, "Whether the lamp shows lit now.");
}

}  // namespace

void BindInstruments(py::module_& m) {
    BindInstrumentBase(m);
    BindTextDisplay(m);
    BindAnalogClock(m);
    BindLevelMeter(m);
    BindSwitch(m);
    BindSegmentDisplay(m);
    BindBarGraph(m);
    BindLamp(m);
}

}  // namespace instruments::python
