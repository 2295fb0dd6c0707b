#include <emscripten/emscripten.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "web/module/Bindings.h"

namespace instruments::web {

using emscripten::val;

void RefuseText(const char* message) {
    EM_ASM({ throw new RangeError(UTF8ToString($0)); }, message);
    __builtin_unreachable();
}

void Refuse(const std::string& message) {
    char copy[512];
    std::snprintf(copy, sizeof copy, "%s", message.c_str());
    RefuseText(copy);
}

val ImageDataOf(const Surface& surface) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(surface.width()) * surface.height() * 4);
    std::size_t at = 0;
    for (int y = 0; y < surface.height(); ++y) {
        const Pixel* row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            rgba[at++] = static_cast<std::uint8_t>(row[x] >> 16);
            rgba[at++] = static_cast<std::uint8_t>(row[x] >> 8);
            rgba[at++] = static_cast<std::uint8_t>(row[x]);
            rgba[at++] = 255;
        }
    }
    // The Uint8ClampedArray copies the bytes out of the module's memory.
    const val bytes =
        val::global("Uint8ClampedArray").new_(emscripten::typed_memory_view(rgba.size(), rgba.data()));
    return val::global("ImageData").new_(bytes, surface.width(), surface.height());
}

val Render(Instrument& instrument) {
    Surface surface(instrument.size().width, instrument.size().height);
    Painter painter(surface);
    instrument.Paint(painter);
    return ImageDataOf(surface);
}

Options::Options(const val& object, const char* what) : object_(object), what_(what) {
    if (object_.isUndefined() || object_.isNull()) {
        object_ = val::object();
    } else if (object_.typeOf().as<std::string>() != "object") {
        Refuse(what_ + ": settings are an object, as {columns: 16}");
    }
}

std::string Options::Name(const char* member) const {
    return what_ + " " + member;
}

bool Options::Has(const char* name) const {
    const val value = object_[name];
    return !value.isUndefined() && !value.isNull();
}

double Options::Number(const char* name, double fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    const val value = object_[name];
    if (!value.isNumber() || !std::isfinite(value.as<double>())) {
        Refuse(Name(name) + ": expected a finite number");
    }
    return value.as<double>();
}

int Options::Integer(const char* name, int fallback) const {
    const double value = Number(name, fallback);
    if (value != std::floor(value) || value < -1e9 || value > 1e9) {
        Refuse(Name(name) + ": expected a whole number");
    }
    return static_cast<int>(value);
}

bool Options::Flag(const char* name, bool fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    const val value = object_[name];
    if (!value.isTrue() && !value.isFalse()) {
        Refuse(Name(name) + ": expected true or false");
    }
    return value.isTrue();
}

std::string Options::Text(const char* name, const std::string& fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    const val value = object_[name];
    if (!value.isString()) {
        Refuse(Name(name) + ": expected a string");
    }
    return value.as<std::string>();
}

namespace {

// "#rrggbb", a colour name, 0xRRGGBB or [r, g, b].
ShadedColour ShadedFrom(const val& value, const std::string& what) {
    if (value.isString()) {
        const std::string text = value.as<std::string>();
        return Refusing(what.c_str(), [&] { return ShadedColour(text); });
    }
    if (value.isNumber()) {
        const double rgb = value.as<double>();
        if (!(rgb >= 0 && rgb <= 0xFFFFFF) || rgb != std::floor(rgb)) {
            Refuse(what + ": a colour number is 0x000000..0xFFFFFF");
        }
        return ShadedColour::Flat(ColourFromPixel(static_cast<Pixel>(rgb)));
    }
    if (val::global("Array").call<bool>("isArray", value) && value["length"].as<int>() == 3) {
        int parts[3];
        for (int i = 0; i < 3; ++i) {
            const val part = value[i];
            const double number = part.isNumber() ? part.as<double>() : -1;
            if (!(number >= 0 && number <= 255) || number != std::floor(number)) {
                Refuse(what + ": colour parts are whole numbers 0..255");
            }
            parts[i] = static_cast<int>(number);
        }
        return ShadedColour::Flat(Rgb(parts[0], parts[1], parts[2]));
    }
    Refuse(what + ": give a colour name, \"#rrggbb\", 0xRRGGBB or [r, g, b]");
}

// Lower case without '-', '_' or spaces: "rows-from-bottom", "rowsFromBottom"
// and "ROWS_FROM_BOTTOM" are one name.
std::string Folded(std::string text) {
    std::string folded;
    for (const char c : text) {
        if (c != '-' && c != '_' && c != ' ') {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

}  // namespace

ShadedColour Options::Shaded(const char* name, const ShadedColour& fallback) const {
    return Has(name) ? ShadedFrom(object_[name], Name(name)) : fallback;
}

Colour Options::ColourOf(const char* name, Colour fallback) const {
    return Has(name) ? ShadedFrom(object_[name], Name(name)).At(0) : fallback;
}

instruments::Frame Options::FrameOf(const char* name, const instruments::Frame& fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    const Options frame(object_[name], Name(name).c_str());
    instruments::Frame result = fallback;
    result.width = frame.Integer("width", fallback.width);
    result.colour = frame.Shaded("colour", fallback.colour);
    if (frame.Has("topLeftColour")) {
        result.topLeftColour = frame.Shaded("topLeftColour", {});
    }
    return result;
}

BackgroundPattern Options::Pattern(const char* name, BackgroundPattern fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    static constexpr std::pair<const char*, BackgroundPattern> kPatterns[] = {
        {"none", BackgroundPattern::None},
        {"mirrored-rows", BackgroundPattern::MirroredRows},
        {"rows-from-bottom", BackgroundPattern::RowsFromBottom},
        {"mirrored-columns", BackgroundPattern::MirroredColumns},
        {"box-stack", BackgroundPattern::BoxStack},
        {"rows-from-top", BackgroundPattern::RowsFromTop},
        {"mirrored-columns-reversed", BackgroundPattern::MirroredColumnsReversed},
    };
    const std::string text = Folded(Text(name, ""));
    for (const auto& [patternName, pattern] : kPatterns) {
        if (Folded(patternName) == text) {
            return pattern;
        }
    }
    Refuse(Name(name) + ": \"" + Text(name, "") +
           "\" is not a pattern (none, mirrored-rows, rows-from-bottom, mirrored-columns, box-stack, "
           "rows-from-top, mirrored-columns-reversed; pictures are not in the browser build)");
}

instruments::Background Options::BackgroundOf(const char* name) const {
    if (!Has(name)) {
        return {};
    }
    const Options background(object_[name], Name(name).c_str());
    return {background.Pattern("pattern", BackgroundPattern::None), background.Shaded("colour", {})};
}

DotStyle Options::Dots(const char* name, DotStyle fallback) const {
    if (!Has(name)) {
        return fallback;
    }
    static constexpr std::pair<const char*, DotStyle> kStyles[] = {
        {"plain", DotStyle::Plain},   {"shadow", DotStyle::Shadow}, {"showunlit", DotStyle::ShowUnlit},
        {"joined", DotStyle::Joined}, {"hollow", DotStyle::Hollow}, {"rounded", DotStyle::Rounded},
    };
    // One name, or several joined by '|' or ',' ("rounded|showUnlit").
    const std::string text = Text(name, "");
    DotStyle style = DotStyle::Plain;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("|,", start), text.size());
        const std::string word = Folded(text.substr(start, end - start));
        const auto found = std::find_if(std::begin(kStyles), std::end(kStyles),
                                        [&](const auto& entry) { return entry.first == word; });
        if (found == std::end(kStyles)) {
            Refuse(Name(name) + ": \"" + text +
                   "\" is not made of plain, shadow, showUnlit, joined, hollow, rounded");
        }
        style |= found->second;
        start = end + 1;
    }
    return style;
}

Size Options::SizeOf() const {
    int width = 0;
    int height = 0;
    if (Has("size")) {
        const val size = object_["size"];
        if (!val::global("Array").call<bool>("isArray", size) || size["length"].as<int>() != 2 ||
            !size[0].isNumber() || !size[1].isNumber()) {
            Refuse(Name("size") + ": expected [width, height]");
        }
        width = static_cast<int>(std::floor(size[0].as<double>()));
        height = static_cast<int>(std::floor(size[1].as<double>()));
    } else {
        width = Integer("width", 0);
        height = Integer("height", 0);
    }
    const std::string error = Surface::SizeError(width, height);
    if (!error.empty() || width == 0 || height == 0) {
        Refuse(Name("size") + ": " + (error.empty() ? "give size: [width, height], neither 0" : error));
    }
    return {width, height};
}

}  // namespace instruments::web
