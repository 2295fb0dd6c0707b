#pragma once

// Draws on one surface with a drawing state of its own: current position, pen
// width, foreground, text background, font, clip and origin. Every operation
// follows the pixel rules of the platform's graphics device interface (see
// raster/ and text/); real arguments become integer pixels by rounding to
// nearest, ties to even, and are then moved by the origin. Degenerate input
// draws nothing, and nothing is written outside the clip (at most the surface).
//
// Whatever is drawn inside a clip rectangle is exactly what the same drawing
// gives on a surface of the clip's size blitted there, so an instrument painted
// after `Clip(rect); Translate(rect.origin())` paints its rectangle of a panel
// as it would paint a surface of its own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "instruments/Export.h"
#include "instruments/FontStyle.h"
#include "instruments/Geometry.h"
#include "instruments/Pixel.h"
#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace instruments {

namespace text {
class FontFace;
}
namespace bitmap {
class RowSource;
}

enum class LineMode { Absolute, Relative };
enum class TextBackground { Opaque, Transparent };

// Interior of a Box: solid, or one of the six hatches in the fill colour.
enum class FillStyle { Solid, Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };
// The fill style of a style number: 1..6 the hatches, anything else solid.
INSTRUMENTS_API FillStyle FillStyleOf(int number);

// Corner value of Box that selects an ellipse inscribed in the rectangle.
inline constexpr std::int32_t kCornerEllipse = INT32_MIN;

// The colours that Ink::Default selects for the foreground and the text background.
inline constexpr Colour kSystemWindowText = 0x000000;
inline constexpr Colour kSystemButtonFace = 0xF0F0F0;

// What a drawing operation paints in: a colour, the operation's default (see
// each operation), or nothing.
//
//   painter.Box(area, {.line = instruments::Rgb(0, 0, 255), .fill = instruments::Ink::None()});
class Ink {
  public:
    enum class Kind : std::uint8_t { Given, Default, None };

    // A colour 0x00BBGGRR; the bits above it are ignored.
    constexpr Ink(instruments::Colour rgb) : kind_(Kind::Given), rgb_(rgb & 0xFFFFFF) {}  // NOLINT
    static constexpr Ink Default() { return Ink(Kind::Default); }
    static constexpr Ink None() { return Ink(Kind::None); }

    constexpr Kind kind() const { return kind_; }
    constexpr bool IsColour() const { return kind_ == Kind::Given; }
    constexpr bool IsDefault() const { return kind_ == Kind::Default; }
    constexpr bool IsNone() const { return kind_ == Kind::None; }
    // The colour, or `otherwise` when there is none.
    constexpr instruments::Colour Or(instruments::Colour otherwise) const {
        return kind_ == Kind::Given ? rgb_ : otherwise;
    }
    constexpr bool operator==(const Ink&) const = default;

  private:
    constexpr explicit Ink(Kind kind) : kind_(kind) {}
    Kind kind_;
    instruments::Colour rgb_ = 0;
};

// Raster operations of Copy: how a source pixel S combines with the
// destination pixel D.
enum class RasterOperation : std::int32_t {
    SourceCopy = 0x00CC0020,     // S
    SourceAnd = 0x008800C6,      // S & D
    SourcePaint = 0x00EE0086,    // S | D
    SourceInvert = 0x00660046,   // S ^ D
    NotSourceCopy = 0x00330008,  // ~S
    Blackness = 0x00000042,      // 0
    Whiteness = 0x00FF0062,      // all ones
};

// Any mix of Stretch outside 0..15 means a plain copy.
inline constexpr int kMixCopy = 16;

// The parts of a Box beside its rectangle, with the eight-argument Box's
// meanings and defaults: a square outline in the foreground, filled with it.
struct BoxStyle {
    std::int32_t corner = 0;
    Ink line = Ink::Default();
    Ink fill = Ink::Default();
    FillStyle fillStyle = FillStyle::Solid;
};

// What a painter remembers between operations. The clip and origin are part of
// it: a paint through another clip or origin leaves other pixels, so a record of
// a paint must not take one for the other.
struct DrawingState {
    // The current position, in the coordinates the origin sets.
    int x = 0;
    int y = 0;
    Colour foreground = kSystemWindowText;
    TextBackground textBackground = TextBackground::Opaque;
    Colour background = kSystemButtonFace;
    int penWidth = 0;
    std::shared_ptr<const text::FontFace> font;
    // Where drawing may go, in surface pixels; none means the whole surface.
    std::optional<Rect> clip;
    // Where (0, 0) of the drawing coordinates lies on the surface.
    Point origin;
    bool operator==(const DrawingState&) const = default;
};

class INSTRUMENTS_API Painter {
  public:
    // A painter with the initial state of a new surface: position (0, 0), pen
    // one pixel wide, window-text colour over an opaque button-face text
    // background, the 8-point default font.
    explicit Painter(Surface& surface);

    Surface& surface() { return *surface_; }
    const Surface& surface() const { return *surface_; }
    const DrawingState& state() const { return state_; }
    void RestoreState(DrawingState state) { state_ = std::move(state); }

    // ---- Clip and origin (kept with the drawing state)
    // Narrows the drawable area to `area` (in the current coordinates), within
    // the area so far.
    void Clip(const Rect& area);
    // Moves the origin by `offset`, on top of the moves so far.
    void Translate(Point offset);
    // The drawable area in surface pixels: the clip within the surface.
    Rect ClipArea() const;

    // ---- Measurement
    // The drawable area as seen from the origin: from (0, 0) to its right and
    // bottom edges (the whole surface without a clip or origin).
    Size ClientSize() const;
    // Average character width and line height (font height + external leading).
    Size CharSize() const;
    Size TextSize(std::string_view text) const;

    // ---- Drawing state
    void SetPos(double x, double y);
    void Width(double n);
    // The colour of text and of lines drawn in Ink::Default; Default (or None)
    // selects the window-text colour.
    void ColourFg(Ink ink);
    // The background behind text and hatches: a colour, Default for the
    // button-face colour, or None for a transparent background.
    void ColourBg(Ink ink);
    // A size of 0 or above 72 points becomes 8; the face name is cut at 31 characters.
    void Font(std::string_view face, double points, int styleBits);

    // ---- Drawing
    // A line from the current position; its end pixel is not painted. Default
    // is the foreground; None paints nothing (the position still moves).
    void LineTo(double x, double y, Ink ink = Ink::Default(), LineMode mode = LineMode::Absolute);
    // A rectangle with rounded corners (corner 0..100 percent of the shorter
    // side, or kCornerEllipse), outline in the current pen width. A Default line
    // is the foreground and None no outline; a Default fill is the line's
    // colour (none when the line has none) and None no fill.
    void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Ink line, Ink fill,
             FillStyle fillStyle = FillStyle::Solid);
    // The same over the pixels of `area` (its right column and bottom row are
    // x + width - 1 and y + height - 1); an empty area draws nothing.
    void Box(const Rect& area, const BoxStyle& style = {});
    // Default is the foreground; None only moves the position.
    void SetPixel(double x, double y, Ink ink);
    void Print(std::string_view text);
    void PrintNewLine();
    // The pixels of the drawable area.
    PixelBlock GetBits() const;
    // Writes a block at the drawable area's top-left corner, clipped; a block
    // whose length does not match its own header is refused.
    void SetBits(const PixelBlock& block);
    // A picture scaled into the rectangle whose corners are both included.
    void Render(const bitmap::RowSource& picture, double x1, double y1, double x2, double y2);
    // The source's pixels combined from (0, 0) on, clipped.
    void Copy(const Surface& source, RasterOperation operation = RasterOperation::SourceCopy);
    // The source rectangle scaled into the target rectangle (both include both
    // corners), combined with mix 0..15; any other mix is a plain copy.
    void Stretch(const Surface& source, double sx1, double sy1, double sx2, double sy2, double dx1,
                 double dy1, double dx2, double dy2, int mix = kMixCopy);

  private:
    Pixel Foreground(Ink ink) const;
    // Calls draw(surface, offset) with the surface to draw on (the target, or a
    // view of its clip area) and what moves a rounded coordinate onto it.
    template <typename Draw>
    void OnArea(Draw&& draw);

    Surface* surface_;
    DrawingState state_;
};

// Keeps a painter's drawing state (clip and origin included) for a scope and
// puts it back at its end.
class PainterStateSaver {
  public:
    explicit PainterStateSaver(Painter& painter) : painter_(painter), saved_(painter.state()) {}
    ~PainterStateSaver() { painter_.RestoreState(std::move(saved_)); }
    PainterStateSaver(const PainterStateSaver&) = delete;
    PainterStateSaver& operator=(const PainterStateSaver&) = delete;

  private:
    Painter& painter_;
    DrawingState saved_;
};

// The 8-point default font of every new painter (shared, opened once).
INSTRUMENTS_API std::shared_ptr<const text::FontFace> DefaultFont();

}  // namespace instruments
