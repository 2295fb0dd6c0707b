#include "python/module/InstrumentClass.h"

namespace instruments::python {

using namespace pybind11::literals;

void BindInstrumentBase(py::module_& m) {
    py::class_<Instrument>(m, "Instrument",
                           R"(What every instrument is: an object of a fixed size that holds its
state, paints it at the painter's origin and inside its clip, and knows what
changed since it was last painted.)")
        .def_property_readonly(
            "size", [](const Instrument& i) { return py::make_tuple(i.size().width, i.size().height); })
        .def_property_readonly(
            "dirty",
            [](const Instrument& i) -> py::object {
                const auto lock = LockOf(i);
                const Rect d = i.Dirty();
                if (d.empty()) {
                    return py::none();
                }
                return py::make_tuple(d.x, d.y, d.width, d.height);
            },
            "The (x, y, width, height) changed since the last paint, or None.")
        .def_property_readonly("needs_paint",
                               [](const Instrument& i) {
                                   const auto lock = LockOf(i);
                                   return i.NeedsPaint();
                               })
        .def(
            "invalidate",
            [](Instrument& i) {
                const auto lock = LockOf(i);
                i.Invalidate();
            },
            "Marks the whole instrument changed (its pixels on the host were overwritten).")
        .def(
            "paint",
            [](Instrument& i, PyPainter& painter) {
                const auto painterLock = painter.Lock();
                const auto lock = LockOf(i);
                i.Paint(painter);
            },
            "painter"_a, py::call_guard<py::gil_scoped_release>(),
            "Paints the whole state, (0, 0) at the painter's origin, inside its clip.")
        .def(
            "paint_if_changed",
            [](Instrument& i, PyPainter& painter) {
                const auto painterLock = painter.Lock();
                const auto lock = LockOf(i);
                return i.PaintIfChanged(painter);
            },
            "painter"_a, py::call_guard<py::gil_scoped_release>(),
            "Paints only when something changed since the last paint; True when it painted.");
}

}  // namespace instruments::python
