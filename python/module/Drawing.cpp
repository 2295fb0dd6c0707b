// Surfaces (with the buffer protocol and PNG files), the painter, and the enums
// the instruments' settings use.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstring>

#include "instruments/Background.h"
#include "instruments/DotStyle.h"
#include "instruments/Painter.h"
#include "instruments/Png.h"
#include "instruments/Surface.h"
#include "python/module/Bindings.h"
#include "python/module/Convert.h"

namespace instruments::python {

namespace {

using namespace pybind11::literals;

// An ink argument: "default", "none" or a colour.
Ink ToInk(py::handle value, const char* what) {
    if (py::isinstance<py::str>(value)) {
        const std::string text = value.cast<std::string>();
        if (text == "default") {
            return Ink::Default();
        }
        if (text == "none") {
            return Ink::None();
        }
    }
    if (value.is_none()) {
        return Ink::None();
    }
    return Ink(ToColour(value, what));
}

Pixel ToPixel(py::handle value, const char* what) {
    return PixelFromColour(ToColour(value, what));
}

py::tuple SizeTuple(Size size) {
    return py::make_tuple(size.width, size.height);
}

py::tuple RectTuple(const Rect& r) {
    return py::make_tuple(r.x, r.y, r.width, r.height);
}

Rect ToRect(py::handle value, const char* what) {
    if (!(py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value)) || py::len(value) != 4) {
        RefuseValue(std::string(what) + ": expected (x, y, width, height), not " +
                    py::repr(value).cast<std::string>());
    }
    const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    return {items[0].cast<int>(), items[1].cast<int>(), items[2].cast<int>(), items[3].cast<int>()};
}

// Keeps a painter's state for a `with` block.
class StateSaver {
  public:
    explicit StateSaver(PyPainter& painter) : painter_(painter) {}
    void Enter() {
        const auto lock = painter_.Lock();
        saved_ = painter_.state();
    }
    void Exit() {
        const auto lock = painter_.Lock();
        if (saved_) {
            painter_.RestoreState(std::move(*saved_));
            saved_.reset();
        }
    }

  private:
    PyPainter& painter_;
    std::optional<DrawingState> saved_;
};

void BindEnums(py::module_& m) {
    py::enum_<BackgroundPattern>(m, "BackgroundPattern",
                                 "The patterns a face is painted with inside its frame.")
        .value("NONE", BackgroundPattern::None)
        .value("MIRRORED_ROWS", BackgroundPattern::MirroredRows)
        .value("ROWS_FROM_BOTTOM", BackgroundPattern::RowsFromBottom)
        .value("MIRRORED_COLUMNS", BackgroundPattern::MirroredColumns)
        .value("BOX_STACK", BackgroundPattern::BoxStack)
        .value("ROWS_FROM_TOP", BackgroundPattern::RowsFromTop)
        .value("MIRRORED_COLUMNS_REVERSED", BackgroundPattern::MirroredColumnsReversed)
        .value("PICTURE", BackgroundPattern::Picture);

    py::enum_<DotStyle>(m, "DotStyle", "How a text display paints its dots; flags combined with |.")
        .value("PLAIN", DotStyle::Plain)
        .value("SHADOW", DotStyle::Shadow)
        .value("SHOW_UNLIT", DotStyle::ShowUnlit)
        .value("JOINED", DotStyle::Joined)
        .value("HOLLOW", DotStyle::Hollow)
        .value("ROUNDED", DotStyle::Rounded)
        .def("__or__", [](DotStyle a, DotStyle b) { return a | b; })
        .def("__and__", [](DotStyle a, DotStyle b) { return a & b; })
        .def("__contains__", [](DotStyle style, DotStyle flags) { return Has(style, flags); })
        .def(
            "__repr__",
            [](DotStyle style) {
                static const std::pair<DotStyle, const char*> kFlags[] = {{DotStyle::Shadow, "SHADOW"},
                                                                          {DotStyle::ShowUnlit, "SHOW_UNLIT"},
                                                                          {DotStyle::Joined, "JOINED"},
                                                                          {DotStyle::Hollow, "HOLLOW"},
                                                                          {DotStyle::Rounded, "ROUNDED"}};
                std::string names;
                for (const auto& [flag, name] : kFlags) {
                    if (Has(style, flag)) {
                        names += names.empty() ? "" : "|";
                        names += name;
                    }
                }
                return "DotStyle." + (names.empty() ? std::string("PLAIN") : names);
            },
            py::prepend());

    py::enum_<FillStyle>(m, "FillStyle", "The interior of a box: solid or one of six hatches.")
        .value("SOLID", FillStyle::Solid)
        .value("HORIZONTAL", FillStyle::Horizontal)
        .value("VERTICAL", FillStyle::Vertical)
        .value("FORWARD_DIAGONAL", FillStyle::ForwardDiagonal)
        .value("BACKWARD_DIAGONAL", FillStyle::BackwardDiagonal)
        .value("CROSS", FillStyle::Cross)
        .value("DIAGONAL_CROSS", FillStyle::DiagonalCross);

    py::enum_<RasterOperation>(m, "RasterOperation",
                               "How a copied pixel S combines with the pixel D under it.")
        .value("SOURCE_COPY", RasterOperation::SourceCopy)
        .value("SOURCE_AND", RasterOperation::SourceAnd)
        .value("SOURCE_PAINT", RasterOperation::SourcePaint)
        .value("SOURCE_INVERT", RasterOperation::SourceInvert)
        .value("NOT_SOURCE_COPY", RasterOperation::NotSourceCopy)
        .value("BLACKNESS", RasterOperation::Blackness)
        .value("WHITENESS", RasterOperation::Whiteness);
}

void BindSurface(py::module_& m) {
    py::class_<Surface>(m, "Surface", py::buffer_protocol(),
                        R"(A rectangle of 0xRRGGBB pixels, rows top to bottom.

numpy.asarray(surface) is a (height, width) uint32 view of the pixels: writing
through it changes the surface.)")
        .def(py::init([](long long width, long long height, py::handle fill) {
                 const std::string error = Surface::SizeError(width, height);
                 if (!error.empty()) {
                     RefuseValue("Surface: " + error);
                 }
                 return Surface(static_cast<int>(width), static_cast<int>(height), ToPixel(fill, "fill"));
             }),
             "width"_a, "height"_a, "fill"_a = 0, "A surface of the size, every pixel the fill colour.")
        .def_property_readonly("width", &Surface::width)
        .def_property_readonly("height", &Surface::height)
        .def_property_readonly("size", [](const Surface& s) { return py::make_tuple(s.width(), s.height()); })
        .def_buffer([](Surface& s) {
            return py::buffer_info(
                s.empty() ? nullptr : s.mutableRow(0), sizeof(Pixel), py::format_descriptor<Pixel>::format(),
                2, {static_cast<py::ssize_t>(s.height()), static_cast<py::ssize_t>(s.width())},
                {static_cast<py::ssize_t>(s.stride() * sizeof(Pixel)),
                 static_cast<py::ssize_t>(sizeof(Pixel))});
        })
        .def(
            "pixel",
            [](const Surface& s, int x, int y) {
                if (!s.Contains(x, y)) {
                    throw py::index_error("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                          ") lies outside the " + std::to_string(s.width()) + " x " +
                                          std::to_string(s.height()) + " surface");
                }
                return s.At(x, y);
            },
            "x"_a, "y"_a, "The pixel at (x, y) as 0xRRGGBB.")
        .def(
            "fill", [](Surface& s, py::handle colour) { s.Fill(ToPixel(colour, "fill")); }, "colour"_a,
            "Sets every pixel to the colour.")
        .def(
            "to_rgb",
            [](const Surface& s) {
                py::array_t<std::uint8_t> rgb({s.height(), s.width(), 3});
                auto out = rgb.mutable_unchecked<3>();
                for (int y = 0; y < s.height(); ++y) {
                    const Pixel* row = s.row(y);
                    for (int x = 0; x < s.width(); ++x) {
                        out(y, x, 0) = static_cast<std::uint8_t>(row[x] >> 16);
                        out(y, x, 1) = static_cast<std::uint8_t>(row[x] >> 8);
                        out(y, x, 2) = static_cast<std::uint8_t>(row[x]);
                    }
                }
                return rgb;
            },
            "A (height, width, 3) uint8 copy in red, green, blue order (for PIL.Image.fromarray).")
        .def(
            "save_png",
            [](const Surface& s, py::handle file) {
                const std::string path = PathOf(file);
                bool written = false;
                {
                    py::gil_scoped_release unlocked;
                    written = WritePng(s, path);
                }
                if (!written) {
                    RaiseOsError("cannot write the PNG file \"" + path + "\"" +
                                 (s.empty() ? " (the surface is empty)" : ""));
                }
            },
            "path"_a, "Writes the surface as an 8-bit RGB PNG file; OSError when it cannot.")
        .def_static(
            "from_png",
            [](py::handle file) {
                const std::string path = PathOf(file);
                std::optional<Surface> read;
                {
                    py::gil_scoped_release unlocked;
                    read = ReadPng(path);
                }
                if (!read) {
                    RaiseOsError("cannot read \"" + path +
                                 "\" as a PNG file (missing, unreadable, not a PNG, or over 16 M pixels)");
                }
                return std::move(*read);
            },
            "path"_a, "Reads a PNG file (alpha dropped); OSError when it cannot.")
        .def(
            "copy", [](const Surface& s) { return Surface(s); }, "A surface with a copy of the pixels.")
        .def("__eq__",
             [](const Surface& a, py::handle other) {
                 if (!py::isinstance<Surface>(other)) {
                     return false;
                 }
                 const Surface& b = other.cast<const Surface&>();
                 if (a.width() != b.width() || a.height() != b.height()) {
                     return false;
                 }
                 for (int y = 0; y < a.height(); ++y) {
                     if (std::memcmp(a.row(y), b.row(y), sizeof(Pixel) * a.width()) != 0) {
                         return false;
                     }
                 }
                 return true;
             })
        .def("__repr__", [](const Surface& s) {
            return "<instruments.Surface " + std::to_string(s.width()) + " x " + std::to_string(s.height()) +
                   ">";
        });
}

void BindPainter(py::module_& m) {
    py::class_<StateSaver>(m, "_StateSaver")
        .def("__enter__", [](StateSaver& s) { s.Enter(); })
        .def("__exit__", [](StateSaver& s, py::args) { s.Exit(); });

    py::class_<PyPainter>(m, "Painter", R"(Draws on one surface with a state of its own: position, pen width,
colours, font, clip and origin. Coordinates round to the nearest pixel, ties to
even; nothing is drawn outside the clip.

    with painter.saved():          # the state comes back at the end
        painter.clip((10, 10, 100, 40))
        painter.translate((10, 10))
        display.paint(painter))")
        .def(py::init<Surface&>(), "surface"_a, py::keep_alive<1, 2>())
        .def_property_readonly(
            "surface",
            [](PyPainter& p) -> Surface& {
                const auto lock = p.Lock();
                return p.surface();
            },
            py::return_value_policy::reference_internal)
        .def(
            "saved",
            [](PyPainter& p) {
                const auto lock = p.Lock();
                return StateSaver(p);
            },
            py::keep_alive<0, 1>(),
            "A context manager that puts the drawing state (clip and origin included) back at its end.")
        .def(
            "clip",
            [](PyPainter& p, py::handle area) {
                const auto lock = p.Lock();
                p.Clip(ToRect(area, "clip"));
            },
            "area"_a,
            "Narrows drawing to (x, y, width, height) in the current coordinates, within the clip so far.")
        .def(
            "translate",
            [](PyPainter& p, py::handle offset) {
                const auto lock = p.Lock();
                p.Translate(ToPoint(offset, "translate"));
            },
            "offset"_a, "Moves the origin by (dx, dy).")
        .def_property_readonly("clip_area",
                               [](const PyPainter& p) {
                                   const auto lock = p.Lock();
                                   return RectTuple(p.ClipArea());
                               })
        .def_property_readonly("client_size",
                               [](const PyPainter& p) {
                                   const auto lock = p.Lock();
                                   return SizeTuple(p.ClientSize());
                               })
        .def_property_readonly("char_size",
                               [](const PyPainter& p) {
                                   const auto lock = p.Lock();
                                   return SizeTuple(p.CharSize());
                               })
        .def(
            "text_size",
            [](const PyPainter& p, const std::string& text) {
                const auto lock = p.Lock();
                return SizeTuple(p.TextSize(text));
            },
            "text"_a)
        .def(
            "set_pos",
            [](PyPainter& p, double x, double y) {
                const auto lock = p.Lock();
                p.SetPos(x, y);
            },
            "x"_a, "y"_a, "Moves the current position.")
        .def(
            "pen_width",
            [](PyPainter& p, double width) {
                const auto lock = p.Lock();
                p.Width(width);
            },
            "width"_a, "The width of lines and outlines.")
        .def(
            "foreground",
            [](PyPainter& p, py::handle ink) {
                const auto lock = p.Lock();
                p.ColourFg(ToInk(ink, "foreground"));
            },
            "colour"_a, "The colour of text and of lines drawn in \"default\".")
        .def(
            "text_background",
            [](PyPainter& p, py::handle ink) {
                const auto lock = p.Lock();
                p.ColourBg(ToInk(ink, "text_background"));
            },
            "colour"_a, "The background behind text: a colour, \"default\" or \"none\" (transparent).")
        .def(
            "font",
            [](PyPainter& p, const std::string& face, double points, bool bold, bool italic, bool underline,
               bool strike_out) {
                const auto lock = p.Lock();
                p.Font(face, points,
                       (bold ? kFontBold : 0) | (italic ? kFontItalic : 0) |
                           (underline ? kFontUnderline : 0) | (strike_out ? kFontStrikeOut : 0));
            },
            "face"_a, "points"_a, py::kw_only(), "bold"_a = false, "italic"_a = false, "underline"_a = false,
            "strike_out"_a = false)
        .def(
            "line_to",
            [](PyPainter& p, double x, double y, py::handle ink, bool relative) {
                const auto lock = p.Lock();
                p.LineTo(x, y, ToInk(ink, "ink"), relative ? LineMode::Relative : LineMode::Absolute);
            },
            "x"_a, "y"_a, "ink"_a = "default", py::kw_only(), "relative"_a = false,
            "A line from the current position; its end pixel is not painted.")
        .def(
            "box",
            [](PyPainter& p, double x1, double y1, double x2, double y2, int corner, py::handle line,
               py::handle fill, py::handle style) {
                const FillStyle fillStyle = ToEnum<FillStyle>(style, "fill_style");
                const auto lock = p.Lock();
                p.Box(x1, y1, x2, y2, corner, ToInk(line, "line"), ToInk(fill, "fill"), fillStyle);
            },
            "x1"_a, "y1"_a, "x2"_a, "y2"_a, py::kw_only(), "corner"_a = 0, "line"_a = "default",
            "fill"_a = "default", "fill_style"_a = FillStyle::Solid,
            "A rectangle, corners rounded by `corner` percent of the shorter side.")
        .def(
            "ellipse",
            [](PyPainter& p, double x1, double y1, double x2, double y2, py::handle line, py::handle fill) {
                const auto lock = p.Lock();
                p.Box(x1, y1, x2, y2, kCornerEllipse, ToInk(line, "line"), ToInk(fill, "fill"));
            },
            "x1"_a, "y1"_a, "x2"_a, "y2"_a, py::kw_only(), "line"_a = "default", "fill"_a = "default",
            "The ellipse inscribed in the rectangle.")
        .def(
            "set_pixel",
            [](PyPainter& p, double x, double y, py::handle ink) {
                const auto lock = p.Lock();
                p.SetPixel(x, y, ToInk(ink, "ink"));
            },
            "x"_a, "y"_a, "colour"_a = "default")
        .def(
            "print",
            [](PyPainter& p, const std::string& text) {
                const auto lock = p.Lock();
                p.Print(text);
            },
            "text"_a, "Prints Latin-1 text at the current position in the current font, and moves it.")
        .def("new_line",
             [](PyPainter& p) {
                 const auto lock = p.Lock();
                 p.PrintNewLine();
             })
        .def(
            "copy",
            [](PyPainter& p, const Surface& source, py::handle operationName) {
                const RasterOperation operation = ToEnum<RasterOperation>(operationName, "operation");
                const auto lock = p.Lock();
                py::gil_scoped_release unlocked;
                p.Copy(source, operation);
            },
            "source"_a, "operation"_a = RasterOperation::SourceCopy,
            "Combines the source's pixels from the drawable area's top-left corner on.")
        .def(
            "stretch",
            [](PyPainter& p, const Surface& source, py::handle from, py::handle to) {
                const auto lock = p.Lock();
                const Rect f = ToRect(from, "from");
                const Rect t = ToRect(to, "to");
                py::gil_scoped_release unlocked;
                p.Stretch(source, f.x, f.y, f.right() - 1.0, f.bottom() - 1.0, t.x, t.y, t.right() - 1.0,
                          t.bottom() - 1.0);
            },
            "source"_a, "source_area"_a, "area"_a,
            "Scales the source's (x, y, width, height) into the area (x, y, width, height).");
}

}  // namespace

void BindDrawing(py::module_& m) {
    BindEnums(m);
    BindSurface(m);
    BindPainter(m);
}

}  // namespace instruments::python
