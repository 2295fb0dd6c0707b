#pragma once

// What every instrument class of the module has: size, dirty, paint and render.

#include <pybind11/pybind11.h>

#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"
#include "python/module/Convert.h"

namespace instruments::python {

// Adds the base class `Instrument` (paint, paint_if_changed, size, dirty, ...).
void BindInstrumentBase(pybind11::module_& m);

// A new surface of the instrument's size with its current state painted, from
// a copy of it, so that what a host painted (and what it still has to paint)
// stays as it was.
template <typename T>
Surface Render(const T& instrument) {
    const auto lock = LockOf(instrument);
    T copy(instrument);
    Surface surface(copy.size().width, copy.size().height);
    Painter painter(surface);
    copy.Paint(painter);
    return surface;
}

template <typename T>
pybind11::class_<T, Instrument> InstrumentClass(pybind11::module_& m, const char* name, const char* doc) {
    pybind11::class_<T, Instrument> type(m, name, doc);
    type.def("render", &Render<T>, pybind11::call_guard<pybind11::gil_scoped_release>(),
             "A new Surface of the instrument's size showing its current state.");
    return type;
}

}  // namespace instruments::python
