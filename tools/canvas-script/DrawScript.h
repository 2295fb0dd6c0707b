#pragma once

// Runs a drawing script in the text language of the reference renderer (the
// GDI program our pixel rules were measured with) and writes the images in its
// output formats, byte for byte, so that its recorded output can be compared
// with ours. Used by the canvas-script tool and by the tests.
//
// One command per line, '#' starts a comment; numbers are C integers read as
// 32-bit values; colours are 0x00BBGGRR. Supported: format, case, surface,
// emit, pen (solid and null), extpen (round caps and joins), cpen, rop2 13,
// line, moveto, lineto, polyline, polygon, box, rect, ellipse, fillrect, pixel,
// blit and dibroundtrip. A line that fails is reported on the error stream with
// its number and the script goes on, except a surface above the pixel limit,
// which stops the script: what follows would only draw on nothing. Images are
// written row by row, so memory stays at one surface whatever the output size.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "canvas/raster/Pen.h"
#include "canvas/surface/Brush.h"
#include "instruments/Surface.h"

namespace instruments::raster {

class DrawScript {
  public:
    // The largest surface a script may ask for, in pixels (2048 x 2048); the
    // recorded scripts stay far below it.
    static constexpr std::int64_t kMaxSurfacePixels = std::int64_t{1} << 22;

    // maxPixels lowers the limit (the fuzz tests keep every run small).
    DrawScript(std::ostream& out, std::ostream& errors, std::int64_t maxPixels = kMaxSurfacePixels);

    // Runs every line, then writes the last image if it has not been written.
    // Returns the number of lines that failed.
    int Run(std::istream& script);

    // What one script gives, all in memory (for the tests and the fuzzer).
    struct Result {
        std::string out;
        std::string errors;
        int failures = 0;
    };
    static Result RunText(std::string_view script, std::int64_t maxPixels = kMaxSurfacePixels);

  private:
    enum class Format { Ppm, Hex, Ascii, Raw };
    class Tokens;

    void Execute(std::string_view command, Tokens& tokens);
    bool ExecuteDrawing(std::string_view command, Tokens& tokens);
    void Fail(std::string_view message);

    void SetFormat(Tokens& tokens);
    void SetCase(Tokens& tokens);
    void NewSurface(Tokens& tokens);
    void SetPen(Tokens& tokens);
    void SetExtPen(Tokens& tokens);
    void DrawPoints(std::string_view command, Tokens& tokens);
    void DrawShape(std::string_view command, Tokens& tokens);
    void Blit(Tokens& tokens);
    void FillRect(Tokens& tokens);
    void Emit();
    void EmitText(Format format);
    void EmitAscii();
    void EmitPpm();
    std::string ImageName() const;

    std::ostream& out_;
    std::ostream& errors_;
    std::int64_t maxPixels_;
    int lineNumber_ = 0;
    int failures_ = 0;
    bool stopped_ = false;

    Format format_ = Format::Ppm;
    std::string pendingCase_;

    // The current image.
    std::optional<Surface> surface_;
    Format surfaceFormat_ = Format::Ppm;
    std::string name_;
    Pixel background_ = 0;
    bool unwritten_ = false;
    int imageNumber_ = 0;
    Pen pen_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace instruments::raster
