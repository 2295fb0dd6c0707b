#include "tools/canvas-script/DrawScript.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/raster/Line.h"
#include "canvas/raster/RoundRect.h"
#include "instruments/PixelBlock.h"

namespace instruments::raster {

namespace {

// The reference renderer runs where long is 32 bits: out-of-range numbers
// saturate there, so they do here.
std::int32_t ParseLong32(const std::string& text, bool& ok) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    ok = !text.empty() && *end == '\0';
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// Script colours are 0x00BBGGRR; anything above the low 24 bits is dropped.
Pixel ScriptColour(std::int32_t colour) {
    return PixelFromColour(static_cast<Colour>(colour & 0xffffff));
}

Brush ScriptBrush(std::int32_t fill) {
    constexpr std::int32_t kNullBrush = -2;
    return fill == kNullBrush ? Brush::None() : Brush::Solid(ScriptColour(fill));
}

void AppendHex(std::string& out, std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out.push_back(kDigits[(value >> shift) & 0xf]);
    }
}

std::uint32_t PixelColour(Pixel pixel) {
    return static_cast<std::uint32_t>(ColourFromPixel(pixel & 0xffffffu));
}

// A start and a signed size as the renderer treats them: a negative size
// covers start + size + 1 .. start. Ranges that leave the int range are not valid.
struct Extent {
    int start = 0;
    int size = 0;
    bool valid = false;
};

Extent Reversible(std::int64_t start, std::int64_t size) {
    if (size < 0) {
        start += size + 1;
        size = -size;
    }
    // An extent that int cannot hold draws nothing (a fuzzer found one whose
    // size overflowed when added to its start).
    if (start < INT32_MIN || size > INT32_MAX || start + size > INT32_MAX) {
        return {};
    }
    return {static_cast<int>(start), static_cast<int>(size), true};
}

}  // namespace

// The words of one script line, separated by spaces or tabs.
class DrawScript::Tokens {
  public:
    explicit Tokens(std::string_view line) : rest_(line) {}

    std::optional<std::string_view> Next() {
        SkipBlanks();
        if (rest_.empty()) {
            return std::nullopt;
        }
        std::size_t n = 0;
        while (n < rest_.size() && rest_[n] != ' ' && rest_[n] != '\t') {
            ++n;
        }
        const std::string_view word = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return word;
    }

    std::string_view Rest() {
        SkipBlanks();
        return rest_;
    }

    // The next word as a number; a missing or malformed word marks the line bad.
    std::int32_t Number() {
        const auto word = Next();
        if (!word) {
            bad_ = true;
            return 0;
        }
        bool ok = false;
        const std::int32_t value = ParseLong32(std::string(*word), ok);
        bad_ = bad_ || !ok;
        return value;
    }

    bool bad() const { return bad_; }

  private:
    void SkipBlanks() {
        while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t')) {
            rest_.remove_prefix(1);
        }
    }

    std::string_view rest_;
    bool bad_ = false;
};

DrawScript::DrawScript(std::ostream& out, std::ostream& errors, std::int64_t maxPixels)
    : out_(out), errors_(errors), maxPixels_(std::min(maxPixels, kMaxSurfacePixels)) {}

DrawScript::Result DrawScript::RunText(std::string_view script, std::int64_t maxPixels) {
    std::istringstream in{std::string(script)};
    std::ostringstream out, errors;
    DrawScript runner(out, errors, maxPixels);
    Result result;
    result.failures = runner.Run(in);
    result.out = std::move(out).str();
    result.errors = std::move(errors).str();
    return result;
}

int DrawScript::Run(std::istream& script) {
    std::string line;
    while (!stopped_ && std::getline(script, line)) {
        ++lineNumber_;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        Tokens tokens(line);
        const auto command = tokens.Next();
        if (!command || command->front() == '#') {
            continue;
        }
        Execute(*command, tokens);
    }
    if (unwritten_) {
        Emit();
    }
    out_.flush();
    return failures_;
}

void DrawScript::Fail(std::string_view message) {
    errors_ << "canvas-script: line " << lineNumber_ << ": " << message << "\n";
    ++failures_;
}

void DrawScript::Execute(std::string_view command, Tokens& tokens) {
    if (command == "format") {
        SetFormat(tokens);
    } else if (command == "case") {
        SetCase(tokens);
    } else if (command == "surface") {
        NewSurface(tokens);
    } else if (command == "emit") {
        if (surface_) {
            Emit();
        }
    } else if (!surface_) {
        Fail("no surface yet");
    } else if (!ExecuteDrawing(command, tokens)) {
        Fail("unknown command");
    }
}

void DrawScript::SetFormat(Tokens& tokens) {
    const auto word = tokens.Next();
    if (word == "ppm") {
        format_ = Format::Ppm;
    } else if (word == "hex") {
        format_ = Format::Hex;
    } else if (word == "ascii") {
        format_ = Format::Ascii;
    } else if (word == "raw") {
        format_ = Format::Raw;
    } else {
        Fail("format must be ppm, hex, ascii or raw");
    }
}

void DrawScript::SetCase(Tokens& tokens) {
    // The renderer keeps at most 255 bytes of a label.
    constexpr std::size_t kMaxLabel = 255;
    std::string_view label = tokens.Rest();
    while (!label.empty() && (label.back() == ' ' || label.back() == '\t')) {
        label.remove_suffix(1);
    }
    pendingCase_ = std::string(label.substr(0, kMaxLabel));
}

void DrawScript::NewSurface(Tokens& tokens) {
    const std::int32_t width = tokens.Number();
    const std::int32_t height = tokens.Number();
    const std::int32_t background = tokens.Number();
    if (tokens.bad()) {
        Fail("surface W H BG [ALPHA]");
        return;
    }
    std::int32_t alpha = 0;
    if (const auto word = tokens.Next()) {
        bool ok = false;
        alpha = ParseLong32(std::string(*word), ok);
    }
    if (unwritten_) {
        Emit();
    }
    surface_.reset();
    if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        Fail("bad surface size");
        return;
    }
    if (std::int64_t{width} * height > maxPixels_) {
        Fail("surface " + std::to_string(width) + " x " + std::to_string(height) + " is above the limit of " +
             std::to_string(maxPixels_) + " pixels; stopping");
        stopped_ = true;
        return;
    }
    const Pixel fill = ScriptColour(background) | (static_cast<std::uint32_t>(alpha & 0xff) << 24);
    surface_.emplace(width, height, fill);
    if (surface_->empty()) {
        surface_.reset();
        Fail("surface too large");
        return;
    }
    name_ = pendingCase_;
    pendingCase_.clear();
    surfaceFormat_ = format_;
    background_ = ScriptColour(background);
    pen_ = Pen{1, 0};
    x_ = 0;
    y_ = 0;
    unwritten_ = true;
}

void DrawScript::SetPen(Tokens& tokens) {
    const std::int32_t width = tokens.Number();
    const std::int32_t colour = tokens.Number();
    const auto style = tokens.Next();
    if (tokens.bad()) {
        Fail("pen WIDTH COLOUR [STYLE]");
        return;
    }
    if (!style || style == "solid" || style == "null") {
        pen_ = Pen{width, ScriptColour(colour), style == "null" ? PenStyle::Null : PenStyle::Solid};
    } else if (style == "insideframe" || style == "dash" || style == "dot" || style == "dashdot") {
        Fail("pen style not supported");
    } else {
        Fail("pen WIDTH COLOUR [STYLE]");
    }
}

void DrawScript::SetExtPen(Tokens& tokens) {
    const std::int32_t width = tokens.Number();
    const std::int32_t colour = tokens.Number();
    const auto cap = tokens.Next();
    const auto join = tokens.Next();
    if (tokens.bad() || !cap || !join) {
        Fail("extpen WIDTH COLOUR CAP JOIN");
    } else if (cap != "round" && cap != "square" && cap != "flat") {
        Fail("cap: round|square|flat");
    } else if (join != "round" && join != "bevel" && join != "miter") {
        Fail("join: round|bevel|miter");
    } else if (cap != "round" || join != "round" || width < 2) {
        Fail("extpen: only round caps and joins of width 2 or more are supported");
    } else {
        pen_ = Pen{width, ScriptColour(colour)};
    }
}

bool DrawScript::ExecuteDrawing(std::string_view command, Tokens& tokens) {
    if (command == "pen") {
        SetPen(tokens);
    } else if (command == "extpen") {
        SetExtPen(tokens);
    } else if (command == "cpen") {
        const std::int32_t colour = tokens.Number();
        if (tokens.bad()) {
            Fail("cpen COLOUR");
            return true;
        }
        pen_ = Pen{1, ScriptColour(colour)};
    } else if (command == "rop2") {
        constexpr std::int32_t kCopyPen = 13;
        const std::int32_t mode = tokens.Number();
        if (tokens.bad()) {
            Fail("rop2 N");
        } else if (mode != kCopyPen) {
            Fail("rop2: only 13 (copy) is supported");
        }
    } else if (command == "line" || command == "moveto" || command == "lineto" || command == "polyline" ||
               command == "polygon") {
        DrawPoints(command, tokens);
    } else if (command == "box" || command == "rect" || command == "ellipse") {
        DrawShape(command, tokens);
    } else if (command == "fillrect") {
        FillRect(tokens);
    } else if (command == "pixel") {
        const std::int32_t x = tokens.Number();
        const std::int32_t y = tokens.Number();
        const std::int32_t colour = tokens.Number();
        if (tokens.bad()) {
            Fail("pixel X Y COLOUR");
            return true;
        }
        surface_->SetPixel(x, y, ScriptColour(colour));
    } else if (command == "blit") {
        Blit(tokens);
    } else if (command == "dibroundtrip") {
        WritePixelBlock(*surface_, PixelBlock::FromSurface(*surface_));
    } else if (command == "font" || command == "text" || command == "stretchmode" || command == "stretch") {
        Fail(std::string(command) + ": not supported");
    } else {
        return false;
    }
    return true;
}

void DrawScript::DrawPoints(std::string_view command, Tokens& tokens) {
    if (command == "line") {
        const std::int32_t x1 = tokens.Number(), y1 = tokens.Number();
        const std::int32_t x2 = tokens.Number(), y2 = tokens.Number();
        if (tokens.bad()) {
            Fail("line X1 Y1 X2 Y2");
            return;
        }
        DrawLine(*surface_, x1, y1, x2, y2, pen_);
        x_ = x2;
        y_ = y2;
        return;
    }
    if (command == "moveto" || command == "lineto") {
        const std::int32_t x = tokens.Number(), y = tokens.Number();
        if (tokens.bad()) {
            Fail(command == "moveto" ? "moveto X Y" : "lineto X Y");
            return;
        }
        if (command == "lineto") {
            DrawLine(*surface_, x_, y_, x, y, pen_);
        }
        x_ = x;
        y_ = y;
        return;
    }
    constexpr std::int32_t kMaxPoints = 100000;
    const bool polygon = command == "polygon";
    const std::int32_t fill = polygon ? tokens.Number() : 0;
    const std::int32_t count = tokens.Number();
    if (tokens.bad() || count < 1 || count > kMaxPoints) {
        Fail("polyline N pts / polygon FILL N pts");
        return;
    }
    std::vector<Point> points(static_cast<std::size_t>(count));
    for (Point& p : points) {
        p.x = tokens.Number();
        p.y = tokens.Number();
    }
    if (tokens.bad()) {
        Fail("not enough points");
        return;
    }
    if (polygon) {
        DrawPolygon(*surface_, points, pen_, ScriptBrush(fill));
    } else {
        DrawPolyline(*surface_, points, pen_);
    }
}

void DrawScript::DrawShape(std::string_view command, Tokens& tokens) {
    const bool box = command == "box";
    const std::int32_t x1 = tokens.Number(), y1 = tokens.Number();
    const std::int32_t x2 = tokens.Number(), y2 = tokens.Number();
    const std::int32_t ew = box ? tokens.Number() : 0;
    const std::int32_t eh = box ? tokens.Number() : 0;
    const std::int32_t fill = tokens.Number();
    if (tokens.bad()) {
        Fail(box ? "box X1 Y1 X2 Y2 EW EH FILL"
                 : (command == "rect" ? "rect X1 Y1 X2 Y2 FILL" : "ellipse X1 Y1 X2 Y2 FILL"));
        return;
    }
    if (command == "ellipse") {
        DrawEllipse(*surface_, x1, y1, x2, y2, pen_, ScriptBrush(fill));
    } else {
        DrawRoundRect(*surface_, x1, y1, x2, y2, ew, eh, pen_, ScriptBrush(fill));
    }
}

void DrawScript::FillRect(Tokens& tokens) {
    const std::int32_t x1 = tokens.Number(), y1 = tokens.Number();
    const std::int32_t x2 = tokens.Number(), y2 = tokens.Number();
    const std::int32_t colour = tokens.Number();
    if (tokens.bad()) {
        Fail("fillrect X1 Y1 X2 Y2 COLOUR");
        return;
    }
    // Corners given in reverse still cover a half-open range, but from the
    // other side: columns x2 + 1 .. x1 when x2 < x1 (the same for rows).
    const Extent xs = Reversible(x1, std::int64_t{x2} - x1);
    const Extent ys = Reversible(y1, std::int64_t{y2} - y1);
    if (xs.valid && ys.valid) {
        surface_->FillRect(xs.start, ys.start, xs.start + xs.size, ys.start + ys.size, ScriptColour(colour));
    }
}

void DrawScript::Blit(Tokens& tokens) {
    const std::int32_t dx = tokens.Number(), dy = tokens.Number();
    const std::int32_t width = tokens.Number(), height = tokens.Number();
    const std::int32_t sx = tokens.Number(), sy = tokens.Number();
    if (tokens.bad()) {
        Fail("blit DX DY W H SX SY");
        return;
    }
    // A negative size takes the block from the other side of both corners.
    const Extent dxs = Reversible(dx, width), sxs = Reversible(sx, width);
    const Extent dys = Reversible(dy, height), sys = Reversible(sy, height);
    if (dxs.valid && sxs.valid && dys.valid && sys.valid) {
        surface_->Blit(dxs.start, dys.start, *surface_, sxs.start, sys.start, dxs.size, dys.size);
    }
}

void DrawScript::Emit() {
    if (!surface_) {
        return;
    }
    ++imageNumber_;
    switch (surfaceFormat_) {
        case Format::Hex:
        case Format::Raw:
            EmitText(surfaceFormat_);
            break;
        case Format::Ascii:
            EmitAscii();
            break;
        case Format::Ppm:
            EmitPpm();
            break;
    }
    out_.flush();
    unwritten_ = false;
}

std::string DrawScript::ImageName() const {
    return name_.empty() ? "img" + std::to_string(imageNumber_) : name_;
}

void DrawScript::EmitText(Format format) {
    const Surface& s = *surface_;
    out_ << "image " << ImageName() << " " << s.width() << " " << s.height() << "\n";
    std::string text;
    for (int y = 0; y < s.height(); ++y) {
        text.clear();
        const Pixel* row = s.row(y);
        for (int x = 0; x < s.width(); ++x) {
            if (x > 0) {
                text.push_back(' ');
            }
            if (format == Format::Raw) {
                AppendHex(text, row[x], 8);
            } else {
                AppendHex(text, PixelColour(row[x]), 6);
            }
        }
        text.push_back('\n');
        out_ << text;
    }
    out_ << "end\n";
}

void DrawScript::EmitAscii() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    constexpr std::size_t kMaxColours = 52;
    const Surface& s = *surface_;
    const std::uint32_t background = PixelColour(background_);
    std::vector<std::uint32_t> colours;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t c = PixelColour(s.row(y)[x]);
            if (c != background && colours.size() < kMaxColours &&
                std::find(colours.begin(), colours.end(), c) == colours.end()) {
                colours.push_back(c);
            }
        }
    }
    std::string text =
        "image " + ImageName() + " " + std::to_string(s.width()) + " " + std::to_string(s.height()) + "\n";
    text += "  . = ";
    AppendHex(text, background, 6);
    text.push_back('\n');
    for (std::size_t i = 0; i < colours.size(); ++i) {
        text += "  ";
        text.push_back(kLetters[i]);
        text += " = ";
        AppendHex(text, colours[i], 6);
        text.push_back('\n');
    }
    out_ << text;
    for (int y = 0; y < s.height(); ++y) {
        text.clear();
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t c = PixelColour(s.row(y)[x]);
            char ch = '?';
            if (c == background) {
                ch = '.';
            } else if (const auto it = std::find(colours.begin(), colours.end(), c); it != colours.end()) {
                ch = kLetters[it - colours.begin()];
            }
            text.push_back(ch);
        }
        text.push_back('\n');
        out_ << text;
    }
    out_ << "end\n";
}

void DrawScript::EmitPpm() {
    const Surface& s = *surface_;
    out_ << "P6\n# " << ImageName() << "\n" << s.width() << " " << s.height() << "\n255\n";
    std::string bytes;
    for (int y = 0; y < s.height(); ++y) {
        bytes.clear();
        for (int x = 0; x < s.width(); ++x) {
            const Pixel p = s.row(y)[x];
            bytes.push_back(static_cast<char>((p >> 16) & 0xff));
            bytes.push_back(static_cast<char>((p >> 8) & 0xff));
            bytes.push_back(static_cast<char>(p & 0xff));
        }
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

}  // namespace instruments::raster
