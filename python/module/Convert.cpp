#include "python/module/Convert.h"

#include <cmath>

namespace instruments::python {

void RefuseValue(const std::string& message) {
    throw py::value_error(message);
}

void RaiseOsError(const std::string& message) {
    PyErr_SetString(PyExc_OSError, message.c_str());
    throw py::error_already_set();
}

std::string PathOf(py::handle file) {
    const py::object path = py::module_::import("os").attr("fspath")(file);
    if (!py::isinstance<py::str>(path)) {
        throw py::type_error("a file name is a str or a path, not " + py::repr(file).cast<std::string>());
    }
    return path.cast<std::string>();
}

namespace {

std::string Repr(py::handle value) {
    return py::repr(value).cast<std::string>();
}

// (r, g, b) as 0x00BBGGRR.
Colour FromTriple(py::handle value, const char* what) {
    const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    if (items.size() != 3) {
        RefuseValue(std::string(what) + ": a colour tuple has three parts (r, g, b), not " + Repr(value));
    }
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const py::handle part = items[i];
        if (!py::isinstance<py::int_>(part) || py::isinstance<py::bool_>(part)) {
            RefuseValue(std::string(what) + ": colour parts are whole numbers 0..255, not " + Repr(value));
        }
        const long long component = part.cast<long long>();
        if (component < 0 || component > 255) {
            RefuseValue(std::string(what) + ": colour parts are whole numbers 0..255, not " + Repr(value));
        }
        parts[i] = static_cast<int>(component);
    }
    return Rgb(parts[0], parts[1], parts[2]);
}

}  // namespace

ShadedColour ToShaded(py::handle value, const char* what) {
    if (value.is_none()) {
        return {};
    }
    if (py::isinstance<py::str>(value)) {
        try {
            return ShadedColour(value.cast<std::string>());
        } catch (const std::invalid_argument& error) {
            RefuseValue(std::string(what) + ": " + error.what());
        }
    }
    return ShadedColour(ToColour(value, what));
}

Colour ToColour(py::handle value, const char* what) {
    if (py::isinstance<py::str>(value)) {
        const ShadedColour colour = ToShaded(value, what);
        return colour.At(0);
    }
    if (py::isinstance<py::int_>(value) && !py::isinstance<py::bool_>(value)) {
        const long long rgb = value.cast<long long>();
        if (rgb < 0 || rgb > 0xFFFFFF) {
            RefuseValue(std::string(what) + ": a colour number is 0x000000..0xFFFFFF, not " + Repr(value));
        }
        return ColourFromPixel(static_cast<Pixel>(rgb));
    }
    if (py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value)) {
        return FromTriple(value, what);
    }
    RefuseValue(std::string(what) + ": give a colour name, \"#rrggbb\" or (r, g, b), not " + Repr(value));
}

namespace {

std::pair<long long, long long> Pair(py::handle value, const char* what, const char* form) {
    if (!(py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value)) || py::len(value) != 2) {
        RefuseValue(std::string(what) + ": expected " + form + ", not " + Repr(value));
    }
    const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    long long parts[2];
    for (int i = 0; i < 2; ++i) {
        const py::handle part = items[i];
        if (!py::isinstance<py::int_>(part) || py::isinstance<py::bool_>(part)) {
            RefuseValue(std::string(what) + ": expected " + form + " in whole numbers, not " + Repr(value));
        }
        parts[i] = part.cast<long long>();
    }
    return {parts[0], parts[1]};
}

}  // namespace

Size ToSize(py::handle value, const char* what) {
    const auto [width, height] = Pair(value, what, "(width, height)");
    const std::string error = Surface::SizeError(width, height);
    if (!error.empty() || width == 0 || height == 0) {
        RefuseValue(std::string(what) + ": " +
                    (error.empty() ? "a side of 0 leaves nothing to paint" : error));
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

Point ToPoint(py::handle value, const char* what) {
    const auto [x, y] = Pair(value, what, "(x, y)");
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
        RefuseValue(std::string(what) + ": " + Repr(value) + " is out of range");
    }
    return {static_cast<int>(x), static_cast<int>(y)};
}

Frame ToFrame(py::handle value) {
    if (value.is_none()) {
        return {};
    }
    if (!py::hasattr(value, "width") || !py::hasattr(value, "colour")) {
        RefuseValue("frame: expected instruments.Frame(width=..., colour=...), not " + Repr(value));
    }
    const py::object width = value.attr("width");
    if (!py::isinstance<py::int_>(width) || py::isinstance<py::bool_>(width)) {
        RefuseValue("frame width: expected a whole number, not " + Repr(width));
    }
    const long long rings = width.cast<long long>();
    if (rings < 0 || rings > 100000) {
        RefuseValue("frame width " + std::to_string(rings) + ": give 0 or more rings (at most 100000)");
    }
    Frame frame{static_cast<int>(rings), ToShaded(value.attr("colour"), "frame colour"), std::nullopt};
    if (py::hasattr(value, "top_left_colour") && !value.attr("top_left_colour").is_none()) {
        frame.topLeftColour = ToShaded(value.attr("top_left_colour"), "frame top_left_colour");
    }
    return frame;
}

Background ToBackground(py::handle value) {
    if (value.is_none()) {
        return {};
    }
    if (!py::hasattr(value, "pattern") || !py::hasattr(value, "colour")) {
        RefuseValue("background: expected instruments.Background(pattern=..., colour=...), not " +
                    Repr(value));
    }
    return {ToEnum<BackgroundPattern>(value.attr("pattern"), "background pattern"),
            ToShaded(value.attr("colour"), "background colour")};
}

std::unique_lock<std::mutex> LockOf(const Instrument& instrument) {
    if (const auto* guarded = dynamic_cast<const Guarded*>(&instrument)) {
        return std::unique_lock(guarded->mutex);
    }
    return {};
}

}  // namespace instruments::python
