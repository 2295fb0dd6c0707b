#include "instruments/SegmentDisplay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "canvas/raster/Polygon.h"
#include "canvas/surface/Rounding.h"
#include "colour/Mix.h"
#include "instruments/SettingsError.h"

namespace instruments {

namespace {

// Seven segments: bit 0 a, 1 b, 2 c, 3 d, 4 e, 5 f, 6 g.
struct Glyph {
    char c;
    std::uint16_t bits;
};
constexpr Glyph kSeven[] = {
    {'0', 0x3F}, {'1', 0x06}, {'2', 0x5B}, {'3', 0x4F}, {'4', 0x66}, {'5', 0x6D}, {'6', 0x7D}, {'7', 0x07},
    {'8', 0x7F}, {'9', 0x6F}, {' ', 0x00}, {'-', 0x40}, {'_', 0x08}, {'=', 0x48}, {'"', 0x22}, {'A', 0x77},
    {'b', 0x7C}, {'C', 0x39}, {'c', 0x58}, {'d', 0x5E}, {'E', 0x79}, {'F', 0x71}, {'G', 0x3D}, {'H', 0x76},
    {'h', 0x74}, {'I', 0x06}, {'J', 0x1E}, {'L', 0x38}, {'n', 0x54}, {'o', 0x5C}, {'P', 0x73}, {'q', 0x67},
    {'r', 0x50}, {'S', 0x6D}, {'t', 0x78}, {'U', 0x3E}, {'u', 0x1C}, {'y', 0x6E},
};
// Fourteen: 0 a, 1 b, 2 c, 3 d, 4 e, 5 f, 6 g1, 7 g2, 8 h, 9 i, 10 j, 11 k, 12 l, 13 m.
enum : std::uint16_t {
    A = 1,
    B = 2,
    C = 4,
    D = 8,
    E = 16,
    F = 32,
    G1 = 64,
    G2 = 128,
    H = 256,
    I = 512,
    J = 1024,
    K = 2048,
    L = 4096,
    M = 8192,
};
constexpr Glyph kFourteen[] = {
    {'0', A | B | C | D | E | F | J | M},
    {'1', B | C | J},
    {'2', A | B | D | E | G1 | G2},
    {'3', A | B | C | D | G2},
    {'4', B | C | F | G1 | G2},
    {'5', A | C | D | F | G1 | G2},
    {'6', A | C | D | E | F | G1 | G2},
    {'7', A | B | C},
    {'8', A | B | C | D | E | F | G1 | G2},
    {'9', A | B | C | D | F | G1 | G2},
    {' ', 0},
    {'-', G1 | G2},
    {'_', D},
    {'+', G1 | G2 | I | L},
    {'*', G1 | G2 | H | I | J | K | L | M},
    {'/', J | M},
    {'\\', H | K},
    {'(', J | K},
    {')', H | M},
    {'<', J | K},
    {'>', H | M},
    {'=', D | G1 | G2},
    {'\'', I},
    {'"', F | I},
    {'?', A | B | G2 | L},
    {'$', A | C | D | F | G1 | G2 | I | L},
    {'%', C | F | J | M},
    {'A', A | B | C | E | F | G1 | G2},
    {'B', A | B | C | D | G2 | I | L},
    {'C', A | D | E | F},
    {'D', A | B | C | D | I | L},
    {'E', A | D | E | F | G1 | G2},
    {'F', A | E | F | G1},
    {'G', A | C | D | E | F | G2},
    {'H', B | C | E | F | G1 | G2},
    {'I', A | D | I | L},
    {'J', B | C | D | E},
    {'K', E | F | G1 | J | K},
    {'L', D | E | F},
    {'M', B | C | E | F | H | J},
    {'N', B | C | E | F | H | K},
    {'O', A | B | C | D | E | F},
    {'P', A | B | E | F | G1 | G2},
    {'Q', A | B | C | D | E | F | K},
    {'R', A | B | E | F | G1 | G2 | K},
    {'S', A | C | D | F | G1 | G2},
    {'T', A | I | L},
    {'U', B | C | D | E | F},
    {'V', E | F | J | M},
    {'W', B | C | E | F | K | M},
    {'X', H | J | K | M},
    {'Y', H | J | L},
    {'Z', A | D | J | M},
};

template <std::size_t N>
std::optional<std::uint16_t> Find(const Glyph (&table)[N], char c) {
    for (const Glyph& glyph : table) {
        if (glyph.c == c) {
            return glyph.bits;
        }
    }
    return std::nullopt;
}

char OtherCase(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char>(c - 'A' + 'a');
    }
    return c;
}

std::optional<std::uint16_t> SegmentsOf(SegmentKind kind, char c) {
    if (kind == SegmentKind::Seven) {
        if (c == '\xB0') {
            return 0x63;  // the degree sign, Latin-1
        }
        if (const auto bits = Find(kSeven, c)) {
            return bits;
        }
        return Find(kSeven, OtherCase(c));
    }
    if (c >= 'a' && c <= 'z') {
        c = OtherCase(c);
    }
    return Find(kFourteen, c);
}

// A segment as a polygon in digit coordinates (x right, y down from the top).
using Shape = std::vector<std::array<double, 2>>;

Shape Horizontal(double x0, double x1, double yc, double t) {
    const double half = t / 2;
    return {{x0, yc}, {x0 + half, yc - half}, {x1 - half, yc - half},
            {x1, yc}, {x1 - half, yc + half}, {x0 + half, yc + half}};
}

Shape Vertical(double y0, double y1, double xc, double t) {
    const double half = t / 2;
    return {{xc, y0}, {xc + half, y0 + half}, {xc + half, y1 - half},
            {xc, y1}, {xc - half, y1 - half}, {xc - half, y0 + half}};
}

Shape Diagonal(double x0, double y0, double x1, double y1, double t) {
    const double half = t / 2;
    return {{x0 - half, y0}, {x0 + half, y0}, {x1 + half, y1}, {x1 - half, y1}};
}

Shape Square(double x, double y, double t) {
    return {{x, y}, {x + t, y}, {x + t, y + t}, {x, y + t}};
}

}  // namespace

SegmentLook SegmentLook::Preset(std::string_view name) {
    SegmentLook look;
    if (name == "red") {
        return look;
    }
    if (name == "green") {
        look.background = Rgb(6, 14, 6);
        look.ink = Rgb(48, 255, 64);
    } else if (name == "amber") {
        look.background = Rgb(16, 10, 0);
        look.ink = Rgb(255, 170, 0);
    } else if (name == "vfd") {
        look.background = Rgb(8, 16, 16);
        look.ink = Rgb(80, 255, 210);
    } else if (name == "lcd") {
        look.background = Rgb(176, 184, 168);
        look.ink = Rgb(24, 28, 24);
    } else {
        throw SettingsError("unknown segment preset \"" + std::string(name) +
                            "\": give red, green, amber, vfd or lcd");
    }
    return look;
}

std::vector<std::string_view> SegmentDisplay::SegmentNames(SegmentKind kind) {
    if (kind == SegmentKind::Seven) {
        return {"a", "b", "c", "d", "e", "f", "g"};
    }
    return {"a", "b", "c", "d", "e", "f", "g1", "g2", "h", "i", "j", "k", "l", "m"};
}

namespace {

Size CheckedSize(Size size, const SegmentDisplay::Settings& s) {
    if (s.digits < 1 || s.digits > 64) {
        throw SettingsError("segment digits " + std::to_string(s.digits) + ": give 1..64");
    }
    if (!(s.slantDegrees >= 0 && s.slantDegrees <= 20)) {
        throw SettingsError("segment slant " + std::to_string(s.slantDegrees) + " degrees: give 0..20");
    }
    if (s.look.frame.width < 0) {
        throw SettingsError("segment frame.width " + std::to_string(s.look.frame.width) + " is negative");
    }
    const Surface check(size.width, size.height);  // throws for a size no surface takes
    const int innerW = size.width - 2 * s.look.frame.width;
    const int innerH = size.height - 2 * s.look.frame.width;
    const int margin = RoundHalfEven(0.1 * innerH);
    if (innerH - 2 * margin < 9 || (innerW - 2 * margin) / s.digits < 4) {
        throw SettingsError("a " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                            " segment display is too small for " + std::to_string(s.digits) +
                            " digits: each needs a height of 9 and a pitch of 4 inside the frame and margin");
    }
    return size;
}

}  // namespace

SegmentDisplay::SegmentDisplay(Size size, const Settings& settings)
    : Instrument(CheckedSize(size, settings)),
      settings_(settings),
      cells_(static_cast<std::size_t>(settings.digits)),
      painted_(cells_.size()) {
    const int w = settings.look.frame.width;
    g_.frame = w;
    g_.margin = RoundHalfEven(0.1 * (size.height - 2 * w));
    g_.height = size.height - 2 * w - 2 * g_.margin;
    g_.pitch = (size.width - 2 * w - 2 * g_.margin) / settings.digits;
    g_.thickness = std::max(1, RoundHalfEven(g_.height / 9.0));
    g_.width = std::max(1, std::min(RoundHalfEven(0.5 * g_.height), g_.pitch - 2 * g_.thickness));
    g_.gap = std::max(1, g_.thickness / 4);
    shapes_ = BuildShapes();
}

void SegmentDisplay::SetText(std::string_view text) {
    text_.assign(text);
    unshown_.clear();
    // Laid out first, then right-aligned into the cells.
    std::vector<Cell> laid;
    for (const char c : text) {
        if (c == '.') {
            if (laid.empty() || laid.back().point) {
                laid.push_back({});
            }
            laid.back().point = true;
            continue;
        }
        if (c == ':') {
            if (!settings_.colons || laid.empty() || laid.back().colon) {
                unshown_ += c;
            } else {
                laid.back().colon = true;
            }
            continue;
        }
        const auto bits = SegmentsOf(settings_.kind, c);
        if (!bits) {
            unshown_ += c;
        }
        laid.push_back({bits.value_or(0), false, false});
    }
    const std::size_t n = cells_.size();
    if (laid.size() > n) {
        // What does not fit falls off the left.
        for (std::size_t i = 0; i < laid.size() - n; ++i) {
            unshown_ += '#';
        }
        laid.erase(laid.begin(), laid.end() - static_cast<std::ptrdiff_t>(n));
    }
    std::vector<Cell> next(n);
    std::copy(laid.begin(), laid.end(), next.end() - static_cast<std::ptrdiff_t>(laid.size()));
    next.back().colon = false;  // no room after the last cell
    // A slanted cell reaches into its neighbours' areas.
    const int reach = settings_.slantDegrees > 0 ? 1 : 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (next[i] != cells_[i]) {
            cells_[i] = next[i];
            const int cell = static_cast<int>(i);
            for (int j = std::max(0, cell - reach); j <= std::min(settings_.digits - 1, cell + reach); ++j) {
                Invalidate(CellArea(j));
            }
        }
    }
}

std::uint16_t SegmentDisplay::CellSegments(int cell) const {
    return cell >= 0 && cell < settings_.digits ? cells_[static_cast<std::size_t>(cell)].segments : 0;
}

bool SegmentDisplay::CellPoint(int cell) const {
    return cell >= 0 && cell < settings_.digits && cells_[static_cast<std::size_t>(cell)].point;
}

bool SegmentDisplay::ColonAfter(int cell) const {
    return cell >= 0 && cell < settings_.digits && cells_[static_cast<std::size_t>(cell)].colon;
}

Rect SegmentDisplay::CellArea(int cell) const {
    const int left = g_.frame + g_.margin + cell * g_.pitch;
    const int right = cell == settings_.digits - 1 ? size().width - g_.frame : left + g_.pitch;
    return {cell == 0 ? g_.frame : left, g_.frame, right - (cell == 0 ? g_.frame : left),
            size().height - 2 * g_.frame};
}

// The spans of every shape of a cell, relative to the digit's top-left
// corner: the segments in bit order, then the point and the two colon dots.
// Every cell has the same shapes, so they are rasterised once.
std::vector<std::vector<SegmentDisplay::Span>> SegmentDisplay::BuildShapes() const {
    const double t = g_.thickness;
    const double gap = g_.gap;
    const double w = g_.width;
    const double h = g_.height;
    const double shear = std::tan(settings_.slantDegrees * std::numbers::pi / 180.0);
    std::vector<Shape> shapes;
    const double top = t / 2, bottom = h - t / 2, mid = h / 2;
    const double left = t / 2, right = w - t / 2;
    shapes.push_back(Horizontal(left + gap, right - gap, top, t));
    shapes.push_back(Vertical(top + gap, mid - gap, right, t));
    shapes.push_back(Vertical(mid + gap, bottom - gap, right, t));
    shapes.push_back(Horizontal(left + gap, right - gap, bottom, t));
    shapes.push_back(Vertical(mid + gap, bottom - gap, left, t));
    shapes.push_back(Vertical(top + gap, mid - gap, left, t));
    if (settings_.kind == SegmentKind::Seven) {
        shapes.push_back(Horizontal(left + gap, right - gap, mid, t));
    } else {
        const double centre = w / 2;
        shapes.push_back(Horizontal(left + gap, centre - gap, mid, t));
        shapes.push_back(Horizontal(centre + gap, right - gap, mid, t));
        shapes.push_back(Diagonal(t + gap, t + gap, centre - t / 2 - gap, mid - t / 2 - gap, t));
        shapes.push_back(Vertical(top + t / 2 + gap, mid - gap, centre, t));
        shapes.push_back(Diagonal(w - t - gap, t + gap, centre + t / 2 + gap, mid - t / 2 - gap, t));
        shapes.push_back(Diagonal(centre + t / 2 + gap, mid + t / 2 + gap, w - t - gap, h - t - gap, t));
        shapes.push_back(Vertical(mid + gap, bottom - t / 2 - gap, centre, t));
        shapes.push_back(Diagonal(centre - t / 2 - gap, mid + t / 2 + gap, t + gap, h - t - gap, t));
    }
    shapes.push_back(Square(w + gap, h - t, t));
    const double colonX = w + (g_.pitch - w) / 2.0 - t / 2;
    shapes.push_back(Square(colonX, h / 3 - t / 2, t));
    shapes.push_back(Square(colonX, 2 * h / 3 - t / 2, t));

    std::vector<std::vector<Span>> spans;
    for (const Shape& shape : shapes) {
        std::array<raster::Point64, 8> points{};
        std::size_t n = 0;
        for (const auto& [x, y] : shape) {
            points[n].x = RoundHalfEven(x + (h - y) * shear);
            points[n].y = RoundHalfEven(y);
            ++n;
        }
        std::vector<Span>& out = spans.emplace_back();
        raster::ForEachPolygonSpan(
            std::span<const raster::Point64>(points.data(), n),
            {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()},
            [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                out.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)});
            });
    }
    return spans;
}

void SegmentDisplay::PaintCell(Painter& painter, int cell, const Cell& state) const {
    const Point origin = painter.state().origin;
    const int originX = origin.x + g_.frame + g_.margin + cell * g_.pitch;
    const int originY = origin.y + g_.frame + g_.margin;
    const Pixel lit = PixelFromColour(settings_.look.ink);
    const Pixel unlit = PixelFromColour(MixColours(settings_.look.background, settings_.look.ink, 24));
    const Rect clip = painter.ClipArea();
    Surface& surface = painter.surface();
    const auto fill = [&](const std::vector<Span>& spans, bool on) {
        if (!on && !settings_.look.showUnlit) {
            return;
        }
        const Pixel pixel = on ? lit : unlit;
        for (const Span& span : spans) {
            const int y = originY + span.y;
            if (y < clip.y || y >= clip.y + clip.height) {
                continue;
            }
            const int x0 = std::max(originX + span.x0, clip.x);
            const int x1 = std::min(originX + span.x1, clip.x + clip.width);
            if (x0 < x1) {
                surface.FillSpan(y, x0, x1, pixel);
            }
        }
    };
    const std::size_t segments = settings_.kind == SegmentKind::Seven ? 7 : 14;
    for (std::size_t bit = 0; bit < segments; ++bit) {
        fill(shapes_[bit], (state.segments & (1u << bit)) != 0);
    }
    fill(shapes_[segments], state.point);
    if (cell < settings_.digits - 1) {
        fill(shapes_[segments + 1], state.colon);
        fill(shapes_[segments + 2], state.colon);
    }
}

void SegmentDisplay::PaintBackgroundOf(Painter& painter, int cell) const {
    const Rect area = CellArea(cell);
    const Point origin = painter.state().origin;
    const Rect part =
        Rect::At({area.x + origin.x, area.y + origin.y}, area.size()).Intersect(painter.ClipArea());
    if (!part.empty()) {
        painter.surface().FillRect(part.x, part.y, part.x + part.width, part.y + part.height,
                                   PixelFromColour(settings_.look.background));
    }
}

void SegmentDisplay::PaintState(Painter& painter) const {
    if (settings_.look.frame.width > 0) {
        PaintFrame(painter, settings_.look.frame);
    }
    for (int i = 0; i < settings_.digits; ++i) {
        PaintBackgroundOf(painter, i);
    }
    for (int i = 0; i < settings_.digits; ++i) {
        PaintCell(painter, i, cells_[static_cast<std::size_t>(i)]);
    }
    painted_ = cells_;
    paintedAll_ = true;
}

bool SegmentDisplay::PaintChangedCells(Painter& painter) {
    if (!paintedAll_) {
        Paint(painter);
        return true;
    }
    const int reach = settings_.slantDegrees > 0 ? 1 : 0;
    std::vector<bool> repaint(cells_.size());
    for (int i = 0; i < settings_.digits; ++i) {
        if (cells_[static_cast<std::size_t>(i)] != painted_[static_cast<std::size_t>(i)]) {
            for (int j = std::max(0, i - reach); j <= std::min(settings_.digits - 1, i + reach); ++j) {
                repaint[static_cast<std::size_t>(j)] = true;
            }
        }
    }
    bool painted = false;
    for (int i = 0; i < settings_.digits; ++i) {
        if (!repaint[static_cast<std::size_t>(i)]) {
            continue;
        }
        // A slanted neighbour reaches into the cell: it is painted again,
        // clipped to the cell, in the order of a full paint.
        const PainterStateSaver saved(painter);
        painter.Clip(CellArea(i));
        PaintBackgroundOf(painter, i);
        for (int j = std::max(0, i - 1); j <= std::min(settings_.digits - 1, i + 1); ++j) {
            PaintCell(painter, j, cells_[static_cast<std::size_t>(j)]);
        }
        painted = true;
    }
    painted_ = cells_;
    MarkPainted();
    return painted;
}

}  // namespace instruments
