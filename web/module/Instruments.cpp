// The face instruments and the companions, each made from an option object
// with the C++ defaults for what it leaves out.

#include <emscripten/bind.h>

#include <cmath>

#include "instruments/AnalogClock.h"
#include "instruments/BarGraph.h"
#include "instruments/Lamp.h"
#include "instruments/LevelMeter.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"
#include "web/module/Bindings.h"

namespace instruments::web {

namespace {

using emscripten::allow_raw_pointers;
using emscripten::val;

TextDisplay* MakeTextDisplay(val object) {
    const Options options(object, "TextDisplay");
    TextDisplay::Settings settings;
    settings.frame = options.FrameOf("frame", settings.frame);
    settings.background = options.BackgroundOf("background");
    settings.ink = options.ColourOf("ink", settings.ink);
    settings.dots = options.Dots("dots", settings.dots);
    settings.label = options.Text("label", settings.label);
    const std::string align = options.Text("align", "left");
    if (align != "left" && align != "centre" && align != "center" && align != "right") {
        Refuse("TextDisplay align: \"" + align + "\" is not left, centre or right");
    }
    settings.align = align == "left"    ? TextAlign::Left
                     : align == "right" ? TextAlign::Right
                                        : TextAlign::Centre;
    const Size size = options.SizeOf();
    TextDisplay* display = Refusing("TextDisplay", [&] { return new TextDisplay(size, settings); });
    if (options.Has("text")) {
        display->SetText(options.Text("text", ""));
    }
    return display;
}

AnalogClock* MakeAnalogClock(val object) {
    const Options options(object, "AnalogClock");
    AnalogClock::Settings settings{options.FrameOf("frame", {}), options.BackgroundOf("background")};
    const Size size = options.SizeOf();
    return Refusing("AnalogClock", [&] { return new AnalogClock(size, settings); });
}

void SetTime(AnalogClock& clock, int hour, int minute, int second, int hourOffset) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        Refuse("setTime: " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
               std::to_string(second) + " is not a time of day (0..23, 0..59, 0..59)");
    }
    if (hourOffset < -24 || hourOffset > 24) {
        Refuse("setTime: hourOffset " + std::to_string(hourOffset) + " is not -24..24");
    }
    clock.SetTime({hour, minute, second, 0}, hourOffset);
}

LevelMeter* MakeLevelMeter(val object) {
    const Options options(object, "LevelMeter");
    LevelMeter::Settings settings;
    settings.frame = options.FrameOf("frame", settings.frame);
    settings.background = options.BackgroundOf("background");
    settings.needle = options.ColourOf("needle", settings.needle);
    if (options.Has("range")) {
        const val range = options.Member("range");
        if (!val::global("Array").call<bool>("isArray", range) || range["length"].as<int>() != 2 ||
            !range[0].isNumber() || !range[1].isNumber()) {
            Refuse("LevelMeter range: expected [min, max]");
        }
        settings.range = {range[0].as<double>(), range[1].as<double>()};
    }
    if (options.Has("labels")) {
        const val labels = options.Member("labels");
        const int count =
            val::global("Array").call<bool>("isArray", labels) ? labels["length"].as<int>() : -1;
        for (int i = 0; i < count; ++i) {
            const val label = labels[i];
            if (!val::global("Array").call<bool>("isArray", label) || label["length"].as<int>() != 2 ||
                !label[0].isNumber() || !label[1].isString()) {
                Refuse("LevelMeter labels: each label is [value, \"text\"]");
            }
            settings.labels.push_back({label[0].as<double>(), label[1].as<std::string>()});
        }
        if (count < 0) {
            Refuse("LevelMeter labels: expected an array of [value, \"text\"]");
        }
    }
    const Size size = options.SizeOf();
    LevelMeter* meter = Refusing("LevelMeter", [&] { return new LevelMeter(size, settings); });
    if (options.Has("level")) {
        meter->SetLevel(options.Number("level", 0));
    }
    return meter;
}

Switch* MakeSwitch(val object) {
    const Options options(object, "Switch");
    Switch::Settings settings;
    settings.frame = options.FrameOf("frame", settings.frame);
    settings.background = options.BackgroundOf("background");
    settings.onPattern = options.Pattern("onBackground", settings.onPattern);
    settings.labelColour = options.ColourOf("labelColour", settings.labelColour);
    settings.labels = options.Text("labels", settings.labels);
    const Size size = options.SizeOf();
    Switch* result = Refusing("Switch", [&] { return new Switch(size, settings); });
    result->SetOn(options.Flag("on", false));
    return result;
}

SegmentDisplay* MakeSegmentDisplay(val object) {
    const Options options(object, "SegmentDisplay");
    SegmentDisplay::Settings settings;
    settings.digits = options.Integer("digits", settings.digits);
    const int kind = options.Integer("kind", 7);
    if (kind != 7 && kind != 14) {
        Refuse("SegmentDisplay kind: " + std::to_string(kind) + " is not 7 or 14");
    }
    settings.kind = kind == 7 ? SegmentKind::Seven : SegmentKind::Fourteen;
    settings.colons = options.Flag("colons", false);
    settings.slantDegrees = options.Number("slant", 0);
    const std::string preset = options.Text("preset", "red");
    settings.look = Refusing("SegmentDisplay preset", [&] { return SegmentLook::Preset(preset); });
    settings.look.frame = options.FrameOf("frame", settings.look.frame);
    settings.look.background = options.ColourOf("background", settings.look.background);
    settings.look.ink = options.ColourOf("ink", settings.look.ink);
    settings.look.showUnlit = options.Flag("showUnlit", settings.look.showUnlit);
    const Size size = options.SizeOf();
    SegmentDisplay* display = Refusing("SegmentDisplay", [&] { return new SegmentDisplay(size, settings); });
    if (options.Has("text")) {
        display->SetText(options.Text("text", ""));
    }
    return display;
}

BarGraph* MakeBarGraph(val object) {
    const Options options(object, "BarGraph");
    BarGraph::Settings settings;
    settings.segments = options.Integer("segments", settings.segments);
    const std::string orientation = options.Text("orientation", "horizontal");
    if (orientation != "horizontal" && orientation != "vertical") {
        Refuse("BarGraph orientation: \"" + orientation + "\" is not horizontal or vertical");
    }
    settings.orientation = orientation == "vertical" ? BarOrientation::Vertical : BarOrientation::Horizontal;
    const std::string style = options.Text("style", "segmented");
    if (style != "segmented" && style != "continuous") {
        Refuse("BarGraph style: \"" + style + "\" is not segmented or continuous");
    }
    settings.style = style == "continuous" ? BarStyle::Continuous : BarStyle::Segmented;
    settings.background = options.ColourOf("background", settings.background);
    settings.showUnlit = options.Flag("showUnlit", settings.showUnlit);
    settings.peakHoldMs = options.Number("peakHoldMs", settings.peakHoldMs);
    const Size size = options.SizeOf();
    BarGraph* bar = Refusing("BarGraph", [&] { return new BarGraph(size, settings); });
    if (options.Has("value")) {
        bar->SetValue(options.Number("value", 0));
    }
    return bar;
}

Lamp* MakeLamp(val object) {
    const Options options(object, "Lamp");
    Lamp::Settings settings;
    const std::string shape = options.Text("shape", "round");
    if (shape != "round" && shape != "square") {
        Refuse("Lamp shape: \"" + shape + "\" is not round or square");
    }
    settings.shape = shape == "square" ? LampShape::Square : LampShape::Round;
    settings.scheme = options.Text("scheme", settings.scheme);
    if (options.Has("colour")) {
        settings.colour = options.ColourOf("colour", 0);
    }
    settings.background = options.ColourOf("background", settings.background);
    const Size size = options.SizeOf();
    Lamp* lamp = Refusing("Lamp", [&] { return new Lamp(size, settings); });
    lamp->SetOn(options.Flag("on", false));
    return lamp;
}

void SetBlink(Lamp& lamp, double periodMs, double duty) {
    Refusing("setBlink", [&] {
        lamp.SetBlink(periodMs, duty);
        return 0;
    });
}

template <typename T>
int WidthOf(const T& instrument) {
    return instrument.size().width;
}
template <typename T>
int HeightOf(const T& instrument) {
    return instrument.size().height;
}
template <typename T>
bool NeedsPaintOf(const T& instrument) {
    return instrument.NeedsPaint();
}
template <typename T>
val RenderOf(T& instrument) {
    return Render(instrument);
}

// What every instrument class has: its size and its picture.
template <typename T>
emscripten::class_<T> InstrumentClass(const char* name, T* (*make)(val)) {
    return std::move(emscripten::class_<T>(name)
                         .constructor(make, allow_raw_pointers())
                         .property("width", &WidthOf<T>)
                         .property("height", &HeightOf<T>)
                         .function("render", &RenderOf<T>)
                         .function("needsPaint", &NeedsPaintOf<T>));
}

}  // namespace

void BindInstruments() {
    InstrumentClass<TextDisplay>("TextDisplay", &MakeTextDisplay)
        .function("setText", emscripten::optional_override([](TextDisplay& display, const std::string& text) {
                      display.SetText(text);
                  }));
    InstrumentClass<AnalogClock>("AnalogClock", &MakeAnalogClock).function("setTime", &SetTime);
    InstrumentClass<LevelMeter>("LevelMeter", &MakeLevelMeter)
        .function("setLevel", &LevelMeter::SetLevel)
        .property("level", &LevelMeter::level);
    InstrumentClass<Switch>("Switch", &MakeSwitch)
        .function("setOn", &Switch::SetOn)
        .function("toggle", &Switch::Toggle)
        .property("on", &Switch::on);
    InstrumentClass<SegmentDisplay>("SegmentDisplay", &MakeSegmentDisplay)
        .function("setText",
                  emscripten::optional_override(
                      [](SegmentDisplay& display, const std::string& text) { display.SetText(text); }))
        .property("text", emscripten::optional_override(
                              [](const SegmentDisplay& display) { return std::string(display.text()); }));
    InstrumentClass<BarGraph>("BarGraph", &MakeBarGraph)
        .function("setValue", &BarGraph::SetValue)
        .function("advance", &BarGraph::Advance)
        .property("litSegments", &BarGraph::LitSegments);
    InstrumentClass<Lamp>("Lamp", &MakeLamp)
        .function("setOn", &Lamp::SetOn)
        .function("setBlink", &SetBlink)
        .function("advance", &Lamp::Advance);
}

}  // namespace instruments::web
