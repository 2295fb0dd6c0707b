#pragma once

// Draws on one surface with a drawing state of its own: current position, pen
// width, foreground, text background and font. Every operation follows the
// pixel rules of the platform's graphics device interface (see raster/ and
// text/); real arguments become integer pixels by rounding to nearest, ties to
// even. Degenerate input draws nothing, and nothing is written outside the
// surface.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "instruments/FontStyle.h"
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

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

enum class LineMode { Absolute, Relative };
enum class TextBackground { Opaque, Transparent };

// Interior of a Box: solid, or one of the six hatches in the fill colour.
enum class FillStyle { Solid, Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };
// The fill style of a style number: 1..6 the hatches, anything else solid.
FillStyle FillStyleOf(int number);

// Corner value of Box that selects an ellipse inscribed in the rectangle.
inline constexpr std::int32_t kCornerEllipse = INT32_MIN;

// The colours that the -1 defaults select.
inline constexpr Colour kSystemWindowText = 0x000000;
inline constexpr Colour kSystemButtonFace = 0xF0F0F0;

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

// What a painter remembers between operations.
struct DrawingState {
    int x = 0;
    int y = 0;
    Colour foreground = kSystemWindowText;
    TextBackground textBackground = TextBackground::Opaque;
    Colour background = kSystemButtonFace;
    int penWidth = 0;
    std::shared_ptr<const text::FontFace> font;
    bool operator==(const DrawingState&) const = default;
};

class Painter {
  public:
    // A painter with the initial state of a new surface: position (0, 0), pen
    // one pixel wide, window-text colour over an opaque button-face text
    // background, the 8-point default font.
    explicit Painter(Surface& surface);

    Surface& surface() { return *surface_; }
    const Surface& surface() const { return *surface_; }
    const DrawingState& state() const { return state_; }
    void RestoreState(DrawingState state) { state_ = std::move(state); }

    // ---- Measurement
    Size ClientSize() const { return {surface_->width(), surface_->height()}; }
    // Average character width and line height (font height + external leading).
    Size CharSize() const;
    Size TextSize(std::string_view text) const;

    // ---- Drawing state
    void SetPos(double x, double y);
    void Width(double n);
    // -1 selects the window-text colour.
    void ColourFg(Colour colour);
    // -1 selects the button-face colour, -2 a transparent text background.
    void ColourBg(Colour colour);
    // A size of 0 or above 72 points becomes 8; the face name is cut at 31 characters.
    void Font(std::string_view face, double points, int styleBits);

    // ---- Drawing
    // A line from the current position; its end pixel is not painted. Colour -1
    // is the foreground, -2 paints nothing (the position still moves).
    void LineTo(double x, double y, Colour colour = kColourDefault, LineMode mode = LineMode::Absolute);
    // A rectangle with rounded corners (corner 0..100 percent of the shorter
    // side, or kCornerEllipse), outline in the current pen width. Line -1 is the
    // foreground and -2 no outline; fill -1 is the line colour and -2 no fill.
    void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
             FillStyle fillStyle = FillStyle::Solid);
    void SetPixel(double x, double y, Colour colour);
    void Print(std::string_view text);
    void PrintNewLine();
    PixelBlock GetBits() const;
    // Writes a block at the top-left corner, clipped; a block whose length does
    // not match its own header is refused.
    void SetBits(const PixelBlock& block);
    // A picture scaled into the rectangle whose corners are both included.
    void Render(const bitmap::RowSource& picture, double x1, double y1, double x2, double y2);
    // The top-left block that both surfaces hold, combined at (0, 0).
    void Copy(const Surface& source, RasterOperation operation = RasterOperation::SourceCopy);
    // The source rectangle scaled into the target rectangle (both include both
    // corners), combined with mix 0..15; any other mix is a plain copy.
    void Stretch(const Surface& source, double sx1, double sy1, double sx2, double sy2, double dx1,
                 double dy1, double dx2, double dy2, int mix = kMixCopy);

  private:
    Pixel Foreground(Colour colour) const;

    Surface* surface_;
    DrawingState state_;
};

// Keeps a painter's drawing state for a scope and puts it back at its end.
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
std::shared_ptr<const text::FontFace> DefaultFont();

}  // namespace instruments
