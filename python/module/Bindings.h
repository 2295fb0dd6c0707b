#pragma once

#include <pybind11/pybind11.h>

namespace instruments::python {

// Each adds one part of the module.
void BindDrawing(pybind11::module_& m);
void BindInstruments(pybind11::module_& m);
void BindCharacterLcd(pybind11::module_& m);
void BindWindow(pybind11::module_& m);

}  // namespace instruments::python
