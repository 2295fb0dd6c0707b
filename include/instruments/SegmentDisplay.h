#pragma once

// A row of segment digits: seven-segment (a..g and a decimal point) or
// fourteen-segment (a..f, g1, g2, six inner segments and a point), with an
// optional colon between cells, as LED, vacuum-fluorescent or LCD readouts.
//
//   instruments::SegmentDisplay clock({300, 80}, {.digits = 6, .colons = true,
//                                                 .look = instruments::SegmentLook::Preset("red")});
//   clock.SetText("12:34:56");
//
// Geometry, inside the frame (width w) of a W x H display: a margin
// m = round(0.1 (H - 2w)); digits of height h = H - 2w - 2m at a pitch
// P = floor((W - 2w - 2m) / N) for N digits, each round(0.5 h) wide but at
// most P - 2t, with segments t = max(1, round(h / 9)) thick, bevelled to a point
// at both ends and g = max(1, t / 4) apart. The point is a t x t square right of
// the digit's bottom; a colon, two t x t squares at a third and two thirds of
// the height, centred in the space after its cell. A slant of s degrees (0..20)
// leans every point right by (h - y) tan s.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"

namespace instruments {

enum class SegmentKind { Seven, Fourteen };

struct SegmentLook {
    Frame frame{.width = 3, .colour = "grey"};
    Colour background = Rgb(16, 8, 8);
    Colour ink = Rgb(255, 32, 24);
    // Unlit segments painted faintly; off: not at all.
    bool showUnlit = true;

    // "red", "green", "amber" (LEDs), "vfd" (blue-green vacuum fluorescent),
    // "lcd" (dark segments on grey); SettingsError naming the text otherwise.
    static SegmentLook Preset(std::string_view name);
};

class INSTRUMENTS_API SegmentDisplay : public Instrument {
  public:
    struct Settings {
        int digits = 4;
        SegmentKind kind = SegmentKind::Seven;
        // Room for a colon after every cell but the last; the text's ":" lights them.
        bool colons = false;
        double slantDegrees = 0;
        SegmentLook look{};
    };

    // Throws SettingsError for digits outside 1..64, a slant outside 0..20, a
    // size that cannot be a surface or one too small for the digits (each digit
    // needs a height of at least 9 pixels and a pitch of at least 4), or a
    // negative frame width.
    SegmentDisplay(Size size, const Settings& settings);

    const Settings& settings() const { return settings_; }

    // Shows a text, right-aligned in the cells. Each character takes a cell but
    // "." and ":", which light the point of the cell before them and the colon
    // after it (a "." with no cell before it, or after a point, takes a blank
    // cell with its point). Digits, space, "-" and "_" show on both kinds;
    // seven segments show A b C c d E F G H h I J L n o P q r S t U u y (either
    // case standing in for the other where only one exists) and = ° "; fourteen
    // segments the upper-case alphabet (lower case shown as upper) and
    // + * / \ ( ) < > = ' " ? $ %. Anything else is blank and listed by Unshown().
    void SetText(std::string_view text);
    const std::string& text() const { return text_; }
    // The characters of the text that could not be shown (no segments for
    // them, no colon there, or no cell left), in order.
    const std::string& Unshown() const { return unshown_; }

    // The lit segments of a cell, bit n for the n-th name of SegmentNames().
    std::uint16_t CellSegments(int cell) const;
    bool CellPoint(int cell) const;
    bool ColonAfter(int cell) const;
    // a b c d e f g (seven) or a b c d e f g1 g2 h i j k l m (fourteen):
    // h upper-left diagonal, i upper middle, j upper-right diagonal, k lower-right
    // diagonal, l lower middle, m lower-left diagonal.
    static std::vector<std::string_view> SegmentNames(SegmentKind kind);

    // Repaints only the cells that changed since the last paint, on a surface
    // that still holds it; true when it painted anything.
    bool PaintChangedCells(Painter& painter);

  protected:
    void PaintState(Painter& painter) const override;

  private:
    struct Cell {
        std::uint16_t segments = 0;
        bool point = false;
        bool colon = false;
        bool operator==(const Cell&) const = default;
    };
    struct Geometry {
        int frame, margin, height, pitch, width, thickness, gap;
    };
    struct Span {
        int y, x0, x1;
    };
    std::vector<std::vector<Span>> BuildShapes() const;
    void PaintCell(Painter& painter, int cell, const Cell& state) const;
    void PaintBackgroundOf(Painter& painter, int cell) const;
    Rect CellArea(int cell) const;

    Settings settings_;
    Geometry g_{};
    std::string text_;
    std::string unshown_;
    std::vector<Cell> cells_;
    std::vector<std::vector<Span>> shapes_;
    mutable std::vector<Cell> painted_;
    mutable bool paintedAll_ = false;
};

}  // namespace instruments
