#pragma once

// Turns the values Python callers write (colours as names, "#rrggbb" or
// (r, g, b); sizes as (width, height); enums as members or their names) into
// the library's, refusing anything else with a ValueError that names it.

#include <pybind11/pybind11.h>

#include <cctype>
#include <mutex>
#include <string>

#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/Frame.h"
#include "instruments/Geometry.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"

namespace instruments::python {

namespace py = pybind11;

[[noreturn]] void RefuseValue(const std::string& message);

// A colour for drawing: a colour name, "#rrggbb" / "#rgb", (r, g, b) with each
// 0..255, or an int 0xRRGGBB.
Colour ToColour(py::handle value, const char* what);
// A shading colour (frames, backgrounds): as above, or None for no colour.
ShadedColour ToShaded(py::handle value, const char* what);
// (width, height), each refused beyond what a surface can be.
Size ToSize(py::handle value, const char* what);
Point ToPoint(py::handle value, const char* what);
// The frame and background objects of the Python package (width, colour,
// top_left_colour; pattern, colour), or None for the defaults.
Frame ToFrame(py::handle value);
Background ToBackground(py::handle value);

// An enum member, or its name in any case with "-" for "_" ("rows-from-top").
template <typename Enum>
Enum ToEnum(py::handle value, const char* what) {
    const py::type type = py::type::of<Enum>();
    if (py::isinstance<py::str>(value)) {
        std::string name = value.cast<std::string>();
        for (char& c : name) {
            c = c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        const py::dict members = type.attr("__members__");
        if (members.contains(name)) {
            return members[py::str(name)].cast<Enum>();
        }
        RefuseValue(std::string(what) + ": \"" + value.cast<std::string>() + "\" is not one of " +
                    py::str(py::list(members.attr("keys")())).cast<std::string>());
    }
    try {
        return value.cast<Enum>();
    } catch (const py::cast_error&) {
        RefuseValue(std::string(what) + ": expected a " + type.attr("__name__").cast<std::string>() +
                    " or its name, not " + py::repr(value).cast<std::string>());
    }
}

// What makes an instrument safe to use from several Python threads: painting
// runs without the interpreter lock, so every call on the object takes its own.
struct Guarded {
    virtual ~Guarded() = default;
    mutable std::mutex mutex;
};
template <typename T>
struct Held : T, Guarded {
    using T::T;
};
// The instrument's own lock (none for an instrument made outside Python).
std::unique_lock<std::mutex> LockOf(const Instrument& instrument);

// A painter that Python threads share: painting runs without the interpreter
// lock, so every call on it takes the painter's own first.
struct PyPainter : Painter {
    using Painter::Painter;
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock(mutex); }
    mutable std::mutex mutex;
};

// A file name: a str or any os.PathLike (pathlib.Path).
std::string PathOf(py::handle file);

// Raises OSError with the message.
[[noreturn]] void RaiseOsError(const std::string& message);

}  // namespace instruments::python
