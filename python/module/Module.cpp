// The native part of the Python package `instruments` (see
// python/instruments/__init__.py, which adds Frame and Background).

#include <pybind11/pybind11.h>

#include "python/module/Bindings.h"

PYBIND11_MODULE(_native, m) {
    m.doc() =
        "Software-painted instrument faces: dot-matrix text displays, character LCD modules, "
        "clocks, meters, switches, segment digits, bar graphs and lamps.";
    instruments::python::BindDrawing(m);
    instruments::python::BindInstruments(m);
    instruments::python::BindCharacterLcd(m);
    instruments::python::BindWindow(m);
}
