#pragma once

// The handle-based drawing operations: one graphic control (or off-screen
// surface) at a time is the current target, and the operations below draw on
// it through its painter, measure with its font, or copy its pixels. Each
// target's painter keeps its drawing state between attachments. Without a valid
// target, drawing does nothing and measuring gives zeros.

#include <cstdint>
#include <functional>
#include <string_view>

#include "dialog/Dialogs.h"
#include "canvas/window/Control.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"
#include "instruments/PixelBlock.h"

namespace dialog {

using instruments::Buffering;
using instruments::Colour;
using instruments::LineMode;
using instruments::PixelBlock;
using instruments::Size;

// Fill styles of Box: 0 solid, 1..6 the hatches; anything above 6 is solid.
inline constexpr int kFillSolid = 0;

// The colour values that the operations below reserve: -1 selects an
// operation's default, -2 nothing (a transparent text background for ColourBg).
inline constexpr Colour kColourDefault = -1;
inline constexpr Colour kColourTransparent = -2;
// The painter's ink of such a colour value.
constexpr instruments::Ink InkOf(Colour colour) {
    if (colour == kColourDefault) {
        return instruments::Ink::Default();
    }
    return colour == kColourTransparent ? instruments::Ink::None() : instruments::Ink(colour);
}

// A source for Copy and Stretch: a graphic control, or an off-screen surface
// made by BitmapLoad.
struct Source {
    DialogHandle dialog = 0;
    int id = 0;
    int bitmap = 0;
    static Source Control(DialogHandle dialog, int id) { return {dialog, id, 0}; }
    static Source Bitmap(int handle) { return {0, 0, handle}; }
};

// ---- Drawing target and measurement
// Makes the graphic control current; anything else is refused (returns false)
// and leaves no target.
bool Attach(DialogHandle dialog, int id, Buffering buffering);
// Makes an off-screen surface made by BitmapLoad current (always buffered).
bool AttachBitmap(int handle);
Size ClientSize();
// Average character width and line height (font height + external leading).
Size CharSize();
Size TextSize(std::string_view text);
// Makes everything drawn so far on the current target visible.
void Redraw();

// ---- Drawing state
// Colour -1 selects the window-text colour; any other value is a colour (the
// bits above 0xFFFFFF ignored, so -2 is 0xFFFFFE).
void ColourFg(Colour colour);
// Colour -1 selects the button-face colour, -2 a transparent text background.
void ColourBg(Colour colour);
void SetPos(double x, double y);
void Width(double n);
void Font(std::string_view face, double points, int styleBits);

// ---- Drawing
void LineTo(double x, double y, Colour colour = kColourDefault, LineMode mode = LineMode::Absolute);
void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
         int fillStyle);
void SetPixel(double x, double y, Colour colour);
void Print(std::string_view text);
void PrintNewLine();
PixelBlock GetBits();
// Writes a block onto the current target at the top-left corner, clipped. A block
// whose length does not match its own header is refused.
void SetBits(const PixelBlock& block);
void Render(std::string_view file, double x1, double y1, double x2, double y2);
void Copy(Source source, int rasterOperation);
void Stretch(Source source, double sx1, double sy1, double sx2, double sy2, double dx1, double dy1,
             double dx2, double dy2, int mix);
// An off-screen surface of width x height holding the file's image scaled to
// that size; 0 when the name is empty or the file cannot be loaded.
int BitmapLoad(std::string_view file, int width, int height);
// Render(file, x1, y1, x2, y2) on the current target (if any) and then
// BitmapLoad(file, width, height), with the file read and decoded once.
int RenderAndBitmapLoad(std::string_view file, double x1, double y1, double x2, double y2, int width,
                        int height);
// Releases an off-screen surface made by BitmapLoad; its handle then names
// nothing until a later BitmapLoad gives it out again. Any other value is ignored.
void BitmapFree(int handle);

// Raster operation code of the plain copy (see RasterOperation for the others).
inline constexpr int kRopSourceCopy = static_cast<int>(instruments::RasterOperation::SourceCopy);

// The painter of the current target, or null without one. What is drawn
// through it directly shows on an unbuffered target after Redraw.
instruments::Painter* CurrentPainter();

// Runs a drawing on the current target's painter (nothing without a target);
// an unbuffered target shows it at once, as after any drawing operation.
void DrawOnTarget(const std::function<void(instruments::Painter&)>& draw);
// The surface of an off-screen handle made by BitmapLoad, or null.
const instruments::Surface* BitmapSurface(int handle);

// Leaves no current drawing target if it is a control of the given dialog.
void ForgetTargetsOf(const instruments::Dialog& dialog);

}  // namespace dialog
