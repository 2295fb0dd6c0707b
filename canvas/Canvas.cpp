#include "canvas/Canvas.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "canvas/DialogEngine.h"
#include "canvas/bitmap/BmpLoader.h"
#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "canvas/raster/Shapes.h"
#include "canvas/surface/Rounding.h"
#include "canvas/text/FontCache.h"
#include "canvas/text/FontFace.h"

namespace canvas {

namespace {

// Pen widths beyond this only waste time: every pixel of any surface is covered.
constexpr int kMaxPenWidth = 4096;
constexpr std::size_t kMaxFaceName = 31;
constexpr double kScreenDpi = 96.0;

struct Context {
    DrawTarget* current = nullptr;
    DialogRecord* currentDialog = nullptr;
    std::vector<std::unique_ptr<DrawTarget>> bitmaps;  // index = handle - 1; null once freed
    std::vector<int> freedHandles;                     // given out again before new ones
};

// One drawing context per process; a plain global so that the hot path reads
// the current target without a guard check.
Context theContext;

Context& TheContext() {
    return theContext;
}

DrawTarget* Current() {
    return TheContext().current;
}

// After a drawing call: an unbuffered target shows its change at once.
void Drew(DrawTarget& target) {
    if (!target.buffered) {
        NoteTargetChanged(target);
    }
}

Pixel ResolveForeground(const DrawTarget& target, Colour colour) {
    return PixelFromColour(colour == kColourDefault ? target.state.foreground : colour);
}

std::shared_ptr<const text::FontFace> OpenFontAt(std::string_view face, double points, int styleBits) {
    if (!(points > 0.0) || points > 72.0) {
        points = 8.0;
    }
    text::FontRequest request;
    request.face = std::string(face.substr(0, std::min(face.size(), kMaxFaceName)));
    request.pixelHeight = RoundHalfEven(points * kScreenDpi / 72.0);
    request.styleBits = styleBits & (kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut);
    return text::OpenFont(request);
}

// The off-screen surface of a handle, or null when the handle names none.
DrawTarget* BitmapOf(int handle) {
    auto& bitmaps = TheContext().bitmaps;
    if (handle <= 0 || static_cast<std::size_t>(handle) > bitmaps.size()) {
        return nullptr;
    }
    return bitmaps[static_cast<std::size_t>(handle - 1)].get();
}

const Surface* SourceSurface(const Source& source) {
    if (source.bitmap != 0) {
        const DrawTarget* bitmapTarget = BitmapOf(source.bitmap);
        return bitmapTarget ? &bitmapTarget->surface : nullptr;
    }
    DialogRecord* dialog = FindDialog(source.dialog);
    GraphicControl* control = dialog ? dialog->FindControl(source.id) : nullptr;
    return control ? &control->target.surface : nullptr;
}

// A name without "." names a resource; this program has none.
std::optional<bitmap::BmpPicture> OpenPicture(std::string_view file) {
    if (file.find('.') == std::string_view::npos) {
        return std::nullopt;
    }
    return bitmap::BmpPicture::Open(std::string(file));
}

// Where Render puts a picture on the target: the rectangle from (x1, y1) to
// (x2, y2), both corners included; nullopt when it is empty.
std::optional<bitmap::StretchTarget> RenderRectangle(Surface& surface, double x1, double y1, double x2,
                                                     double y2) {
    const int left = RoundHalfEven(x1);
    const int top = RoundHalfEven(y1);
    const long long width = static_cast<long long>(RoundHalfEven(x2)) - left + 1;
    const long long height = static_cast<long long>(RoundHalfEven(y2)) - top + 1;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) {
        return std::nullopt;
    }
    return bitmap::StretchTarget{&surface, left, top, static_cast<int>(width), static_cast<int>(height)};
}

// An off-screen target of width x height for a picture (a size of 0 keeps the
// picture's own), or null when no such surface can be made.
std::unique_ptr<DrawTarget> BitmapTargetFor(const bitmap::BmpPicture& picture, int width, int height) {
    auto bitmapTarget = std::make_unique<DrawTarget>();
    bitmapTarget->surface =
        Surface(width <= 0 ? picture.width() : width, height <= 0 ? picture.height() : height);
    if (bitmapTarget->surface.empty()) {
        return nullptr;
    }
    bitmapTarget->state.font = DefaultFont();
    return bitmapTarget;
}

int KeepBitmap(std::unique_ptr<DrawTarget> bitmapTarget) {
    Context& context = TheContext();
    if (!context.freedHandles.empty()) {
        const int handle = context.freedHandles.back();
        context.freedHandles.pop_back();
        context.bitmaps[static_cast<std::size_t>(handle - 1)] = std::move(bitmapTarget);
        return handle;
    }
    context.bitmaps.push_back(std::move(bitmapTarget));
    return static_cast<int>(context.bitmaps.size());
}

// The sixteen binary raster operations of a mix code m (0..15): bit (2S + D) of m
// gives the result for source bit S and destination bit D.
Pixel Mix(int mix, Pixel source, Pixel destination) {
    auto mask = [mix](int bit) -> Pixel { return ((mix >> bit) & 1) ? 0xFFFFFFu : 0u; };
    return ((~source & ~destination & mask(0)) | (~source & destination & mask(1)) |
            (source & ~destination & mask(2)) | (source & destination & mask(3))) &
           0xFFFFFFu;
}

Pixel CopyRop(int rop, Pixel source, Pixel destination) {
    switch (rop) {
        case 0x008800C6:  // SRCAND
            return source & destination;
        case 0x00EE0086:  // SRCPAINT
            return source | destination;
        case 0x00660046:  // SRCINVERT
            return source ^ destination;
        case 0x00330008:  // NOTSRCCOPY
            return ~source & 0xFFFFFFu;
        case 0x00000042:  // BLACKNESS
            return 0;
        case 0x00FF0062:  // WHITENESS
            return 0xFFFFFFu;
        default:  // SRCCOPY and anything unknown
            return source;
    }
}

}  // namespace

void ForgetTargetsOf(DialogRecord& dialog) {
    Context& context = TheContext();
    if (context.currentDialog == &dialog) {
        context.current = nullptr;
        context.currentDialog = nullptr;
    }
}

void NoteTargetChanged(DrawTarget& target) {
    target.redrawPending = true;
    if (target.ownerPresentPending != nullptr) {
        *target.ownerPresentPending = true;
    }
}

std::shared_ptr<const text::FontFace> DefaultFont() {
    static const std::shared_ptr<const text::FontFace> font = OpenFontAt("MS Sans Serif", 8.0, 0);
    return font;
}

bool Attach(DialogHandle handle, int id, Buffering buffering) {
    Context& context = TheContext();
    DialogRecord* dialog = FindDialog(handle);
    GraphicControl* control = dialog ? dialog->FindControl(id) : nullptr;
    context.current = control ? &control->target : nullptr;
    context.currentDialog = control ? dialog : nullptr;
    if (control == nullptr) {
        return false;
    }
    control->target.buffered = buffering == Buffering::Buffered;
    return true;
}

bool AttachBitmap(int handle) {
    Context& context = TheContext();
    context.currentDialog = nullptr;
    context.current = BitmapOf(handle);
    return context.current != nullptr;
}

Size ClientSize() {
    const DrawTarget* target = Current();
    return target ? Size{target->surface.width(), target->surface.height()} : Size{};
}

Size CharSize() {
    const DrawTarget* target = Current();
    if (target == nullptr || !target->state.font) {
        return {};
    }
    const text::FontFace::Metrics& metrics = target->state.font->metrics();
    return {metrics.averageCharWidth, metrics.height + metrics.externalLeading};
}

Size TextSize(std::string_view textToMeasure) {
    const DrawTarget* target = Current();
    if (target == nullptr || !target->state.font) {
        return {};
    }
    return {target->state.font->TextWidth(textToMeasure), target->state.font->metrics().height};
}

void Redraw() {
    if (DrawTarget* target = Current()) {
        NoteTargetChanged(*target);
    }
}

void SetPos(double x, double y) {
    if (DrawTarget* target = Current()) {
        target->state.x = RoundHalfEven(x);
        target->state.y = RoundHalfEven(y);
    }
}

void Width(double n) {
    if (DrawTarget* target = Current()) {
        target->state.penWidth = std::clamp(RoundHalfEven(n), 0, kMaxPenWidth);
    }
}

void ColourFg(Colour colour) {
    if (DrawTarget* target = Current()) {
        target->state.foreground = colour == kColourDefault ? kSystemWindowText : (colour & 0xFFFFFF);
    }
}

void ColourBg(Colour colour) {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    if (colour == kColourTransparent) {
        target->state.textBackground = TextBackground::Transparent;
        return;
    }
    target->state.textBackground = TextBackground::Opaque;
    target->state.background = colour == kColourDefault ? kSystemButtonFace : (colour & 0xFFFFFF);
}

void Font(std::string_view face, double points, int styleBits) {
    if (DrawTarget* target = Current()) {
        target->state.font = OpenFontAt(face, points, styleBits);
    }
}

void LineTo(double x, double y, Colour colour, LineMode mode) {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    DrawingState& state = target->state;
    int endX = RoundHalfEven(x);
    int endY = RoundHalfEven(y);
    if (mode == LineMode::Relative) {
        endX =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(state.x) + endX, INT_MIN, INT_MAX));
        endY =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(state.y) + endY, INT_MIN, INT_MAX));
    }
    // A transparent line paints nothing, but the position still moves.
    if (colour != kColourTransparent) {
        raster::DrawLine(target->surface, state.x, state.y, endX, endY,
                         raster::Pen{state.penWidth, ResolveForeground(*target, colour)});
        Drew(*target);
    }
    state.x = endX;
    state.y = endY;
}

void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
         int fillStyle) {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    int left = RoundHalfEven(x1);
    int top = RoundHalfEven(y1);
    int right = RoundHalfEven(x2);
    int bottom = RoundHalfEven(y2);
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const Colour lineColour = line == kColourDefault ? target->state.foreground : line;
    const Colour fillColour = fill == kColourDefault ? lineColour : fill;

    raster::Pen pen{target->state.penWidth, PixelFromColour(lineColour)};
    if (lineColour == kColourTransparent) {
        pen = raster::Pen::Null();
    }
    Brush brush = Brush::None();
    if (fillColour != kColourTransparent) {
        if (fillStyle >= 1 && fillStyle <= 6) {
            const bool opaque = target->state.textBackground == TextBackground::Opaque;
            brush = Brush::Hatch(static_cast<HatchStyle>(fillStyle), PixelFromColour(fillColour),
                                 opaque ? HatchBackground::Opaque : HatchBackground::Transparent,
                                 PixelFromColour(target->state.background));
        } else {
            brush = Brush::Solid(PixelFromColour(fillColour));
        }
    }

    if (corner == kCornerEllipse) {
        raster::DrawEllipse(target->surface, left, top, right, bottom, pen, brush);
    } else {
        int rounding = 0;
        if (corner > 0) {
            const long long w = static_cast<long long>(right) - left;
            const long long h = static_cast<long long>(bottom) - top;
            rounding = static_cast<int>(std::min(w, h) * std::min<std::int32_t>(corner, 100) / 100);
        }
        raster::DrawRoundRect(target->surface, left, top, right, bottom, rounding, rounding, pen, brush);
    }
    Drew(*target);
}

void SetPixel(double x, double y, Colour colour) {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    target->state.x = RoundHalfEven(x);
    target->state.y = RoundHalfEven(y);
    if (colour != kColourTransparent) {
        target->surface.SetPixel(target->state.x, target->state.y, ResolveForeground(*target, colour));
        Drew(*target);
    }
}

void Print(std::string_view textToPrint) {
    DrawTarget* target = Current();
    if (target == nullptr || !target->state.font) {
        return;
    }
    DrawingState& state = target->state;
    std::optional<Pixel> background;
    if (state.textBackground == TextBackground::Opaque) {
        background = PixelFromColour(state.background);
    }
    state.font->Draw(target->surface, state.x, state.y, textToPrint, PixelFromColour(state.foreground),
                     background);
    const long long advanced = static_cast<long long>(state.x) + state.font->TextWidth(textToPrint);
    state.x = static_cast<int>(std::clamp<long long>(advanced, INT_MIN, INT_MAX));
    Drew(*target);
}

void PrintNewLine() {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    const long long next = static_cast<long long>(target->state.y) + CharSize().height;
    target->state.x = 0;
    target->state.y = static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX));
}

PixelBlock GetBits() {
    const DrawTarget* target = Current();
    return target ? PixelBlock::FromSurface(target->surface) : PixelBlock{};
}

void SetBits(const PixelBlock& block) {
    DrawTarget* target = Current();
    if (target == nullptr || !block.Valid()) {
        return;
    }
    WritePixelBlock(target->surface, block);
    Drew(*target);
}

void Render(std::string_view file, double x1, double y1, double x2, double y2) {
    DrawTarget* target = Current();
    if (target == nullptr) {
        return;
    }
    const std::optional<bitmap::BmpPicture> picture = OpenPicture(file);
    if (!picture) {
        return;
    }
    if (const auto rectangle = RenderRectangle(target->surface, x1, y1, x2, y2)) {
        bitmap::StretchRows(*picture, std::span(&*rectangle, 1));
        Drew(*target);
    }
}

void Copy(Source source, int rasterOperation) {
    DrawTarget* target = Current();
    const Surface* from = SourceSurface(source);
    if (target == nullptr || from == nullptr) {
        return;
    }
    const int width = std::min(from->width(), target->surface.width());
    const int height = std::min(from->height(), target->surface.height());
    if (rasterOperation == kRopSourceCopy) {
        target->surface.Blit(0, 0, *from, 0, 0, width, height);
    } else {
        const Surface snapshot = *from;  // the source may be the target itself
        for (int y = 0; y < height; ++y) {
            Pixel* out = target->surface.row(y);
            const Pixel* in = snapshot.row(y);
            for (int x = 0; x < width; ++x) {
                out[x] = CopyRop(rasterOperation, in[x], out[x]);
            }
        }
    }
    Drew(*target);
}

void Stretch(Source source, double sx1, double sy1, double sx2, double sy2, double dx1, double dy1,
             double dx2, double dy2, int mix) {
    DrawTarget* target = Current();
    const Surface* from = SourceSurface(source);
    if (target == nullptr || from == nullptr) {
        return;
    }
    const int sourceLeft = RoundHalfEven(sx1);
    const int sourceTop = RoundHalfEven(sy1);
    const int left = RoundHalfEven(dx1);
    const int top = RoundHalfEven(dy1);
    const long long sourceWidth = static_cast<long long>(RoundHalfEven(sx2)) - sourceLeft + 1;
    const long long sourceHeight = static_cast<long long>(RoundHalfEven(sy2)) - sourceTop + 1;
    const long long width = static_cast<long long>(RoundHalfEven(dx2)) - left + 1;
    const long long height = static_cast<long long>(RoundHalfEven(dy2)) - top + 1;
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0 || sourceWidth > INT_MAX ||
        sourceHeight > INT_MAX || width > INT_MAX || height > INT_MAX) {
        return;
    }
    // The stretch itself copes with a source that is the target.
    if (mix < 0 || mix > 15) {
        bitmap::StretchBlackOnWhite(*from, sourceLeft, sourceTop, static_cast<int>(sourceWidth),
                                    static_cast<int>(sourceHeight), target->surface, left, top,
                                    static_cast<int>(width), static_cast<int>(height));
        Drew(*target);
        return;
    }
    // With a mix, stretch the visible part of the target rectangle into a scratch
    // surface marked "unwritten" in the fourth byte, then combine only the pixels
    // the stretch produced.
    Surface& surface = target->surface;
    const long long visibleLeft = std::max<long long>(left, 0);
    const long long visibleTop = std::max<long long>(top, 0);
    const long long visibleRight = std::min<long long>(left + width, surface.width());
    const long long visibleBottom = std::min<long long>(top + height, surface.height());
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) {
        return;
    }
    constexpr Pixel kUnwritten = 0xFF000000u;
    Surface scratch(static_cast<int>(visibleRight - visibleLeft),
                    static_cast<int>(visibleBottom - visibleTop), kUnwritten);
    bitmap::StretchBlackOnWhite(*from, sourceLeft, sourceTop, static_cast<int>(sourceWidth),
                                static_cast<int>(sourceHeight), scratch, static_cast<int>(left - visibleLeft),
                                static_cast<int>(top - visibleTop), static_cast<int>(width),
                                static_cast<int>(height));
    for (int y = 0; y < scratch.height(); ++y) {
        Pixel* out = surface.row(static_cast<int>(visibleTop) + y) + visibleLeft;
        const Pixel* in = scratch.row(y);
        for (int x = 0; x < scratch.width(); ++x) {
            if ((in[x] & kUnwritten) == 0) {
                out[x] = Mix(mix, in[x], out[x]);
            }
        }
    }
    Drew(*target);
}

int BitmapLoad(std::string_view file, int width, int height) {
    const std::optional<bitmap::BmpPicture> picture = OpenPicture(file);
    if (!picture) {
        return 0;
    }
    std::unique_ptr<DrawTarget> bitmapTarget = BitmapTargetFor(*picture, width, height);
    if (!bitmapTarget) {
        return 0;
    }
    Surface& surface = bitmapTarget->surface;
    const bitmap::StretchTarget whole{&surface, 0, 0, surface.width(), surface.height()};
    bitmap::StretchRows(*picture, std::span(&whole, 1));
    return KeepBitmap(std::move(bitmapTarget));
}

int RenderAndBitmapLoad(std::string_view file, double x1, double y1, double x2, double y2, int width,
                        int height) {
    const std::optional<bitmap::BmpPicture> picture = OpenPicture(file);
    if (!picture) {
        return 0;
    }
    std::vector<bitmap::StretchTarget> targets;
    DrawTarget* target = Current();
    if (target != nullptr) {
        if (const auto rectangle = RenderRectangle(target->surface, x1, y1, x2, y2)) {
            targets.push_back(*rectangle);
        }
    }
    std::unique_ptr<DrawTarget> bitmapTarget = BitmapTargetFor(*picture, width, height);
    if (bitmapTarget) {
        Surface& surface = bitmapTarget->surface;
        targets.push_back({&surface, 0, 0, surface.width(), surface.height()});
    }
    bitmap::StretchRows(*picture, targets);
    if (target != nullptr && !targets.empty() && targets.front().destination == &target->surface) {
        Drew(*target);
    }
    return bitmapTarget ? KeepBitmap(std::move(bitmapTarget)) : 0;
}

void BitmapFree(int handle) {
    Context& context = TheContext();
    DrawTarget* bitmapTarget = BitmapOf(handle);
    if (bitmapTarget == nullptr) {
        return;
    }
    if (context.current == bitmapTarget) {
        context.current = nullptr;
    }
    context.bitmaps[static_cast<std::size_t>(handle - 1)].reset();
    context.freedHandles.push_back(handle);
}

}  // namespace canvas
