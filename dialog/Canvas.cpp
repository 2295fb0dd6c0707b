#include "dialog/Canvas.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpLoader.h"
#include "canvas/painter/RenderTarget.h"

namespace dialog {

using instruments::Canvas;
using instruments::Painter;
using instruments::Surface;
namespace bitmap = instruments::bitmap;

namespace {

struct Context {
    Canvas* current = nullptr;
    const instruments::Dialog* currentDialog = nullptr;
    std::vector<std::unique_ptr<Canvas>> bitmaps;  // index = handle - 1; null once freed
    std::vector<int> freedHandles;                 // given out again before new ones
};

// One drawing context per process; a plain global so that the hot path reads
// the current target without a guard check.
Context theContext;

Context& TheContext() {
    return theContext;
}

Canvas* Current() {
    return TheContext().current;
}

// Runs a drawing operation on the current target's painter, if there is a target.
template <typename Draw>
void OnTarget(Draw&& draw) {
    if (Canvas* target = Current()) {
        draw(target->painter());
        target->Drew();
    }
}

// Changes the current target's drawing state (nothing to show).
template <typename Change>
void OnState(Change&& change) {
    if (Canvas* target = Current()) {
        change(target->painter());
    }
}

// The off-screen surface of a handle, or null when the handle names none.
Canvas* BitmapOf(int handle) {
    auto& bitmaps = TheContext().bitmaps;
    if (handle <= 0 || static_cast<std::size_t>(handle) > bitmaps.size()) {
        return nullptr;
    }
    return bitmaps[static_cast<std::size_t>(handle - 1)].get();
}

const Surface* SourceSurface(const Source& source) {
    return source.bitmap != 0 ? BitmapSurface(source.bitmap) : ControlSurface(source.dialog, source.id);
}

std::optional<bitmap::BmpPicture> OpenPicture(std::string_view file) {
    return bitmap::BmpPicture::Open(std::string(file));
}

// An off-screen target of width x height for a picture (a size of 0 keeps the
// picture's own), or null when no such surface can be made.
std::unique_ptr<Canvas> BitmapTargetFor(const bitmap::BmpPicture& picture, int width, int height) {
    auto bitmapTarget = std::make_unique<Canvas>(
        Surface(width <= 0 ? picture.width() : width, height <= 0 ? picture.height() : height));
    if (bitmapTarget->surface().empty()) {
        return nullptr;
    }
    return bitmapTarget;
}

int KeepBitmap(std::unique_ptr<Canvas> bitmapTarget) {
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

}  // namespace

void ForgetTargetsOf(const instruments::Dialog& dialog) {
    Context& context = TheContext();
    if (context.currentDialog == &dialog) {
        context.current = nullptr;
        context.currentDialog = nullptr;
    }
}

bool Attach(DialogHandle handle, int id, Buffering buffering) {
    Context& context = TheContext();
    instruments::Control* control = FindControl(handle, id);
    context.current = control ? &control->canvas() : nullptr;
    context.currentDialog = control ? FindDialog(handle) : nullptr;
    if (control == nullptr) {
        return false;
    }
    control->canvas().buffering = buffering;
    return true;
}

bool AttachBitmap(int handle) {
    Context& context = TheContext();
    context.current = nullptr;
    context.currentDialog = nullptr;
    context.current = BitmapOf(handle);
    return context.current != nullptr;
}

Painter* CurrentPainter() {
    Canvas* target = Current();
    return target ? &target->painter() : nullptr;
}

void DrawOnTarget(const std::function<void(Painter&)>& draw) {
    OnTarget(draw);
}

const Surface* BitmapSurface(int handle) {
    const Canvas* bitmapTarget = BitmapOf(handle);
    return bitmapTarget ? &bitmapTarget->surface() : nullptr;
}

Size ClientSize() {
    const Canvas* target = Current();
    return target ? target->painter().ClientSize() : Size{};
}

Size CharSize() {
    const Canvas* target = Current();
    return target ? target->painter().CharSize() : Size{};
}

Size TextSize(std::string_view text) {
    const Canvas* target = Current();
    return target ? target->painter().TextSize(text) : Size{};
}

void Redraw() {
    if (Canvas* target = Current()) {
        target->Redraw();
    }
}

void SetPos(double x, double y) {
    OnState([&](Painter& painter) { painter.SetPos(x, y); });
}

void Width(double n) {
    OnState([&](Painter& painter) { painter.Width(n); });
}

void ColourFg(Colour colour) {
    OnState([&](Painter& painter) {
        painter.ColourFg(colour == kColourDefault ? instruments::Ink::Default() : instruments::Ink(colour));
    });
}

void ColourBg(Colour colour) {
    OnState([&](Painter& painter) { painter.ColourBg(InkOf(colour)); });
}

void Font(std::string_view face, double points, int styleBits) {
    OnState([&](Painter& painter) { painter.Font(face, points, styleBits); });
}

void LineTo(double x, double y, Colour colour, LineMode mode) {
    // A transparent line only moves the position: nothing to show.
    if (colour == kColourTransparent) {
        OnState([&](Painter& painter) { painter.LineTo(x, y, InkOf(colour), mode); });
        return;
    }
    OnTarget([&](Painter& painter) { painter.LineTo(x, y, InkOf(colour), mode); });
}

void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
         int fillStyle) {
    OnTarget([&](Painter& painter) {
        painter.Box(x1, y1, x2, y2, corner, InkOf(line), InkOf(fill), instruments::FillStyleOf(fillStyle));
    });
}

void SetPixel(double x, double y, Colour colour) {
    if (colour == kColourTransparent) {
        OnState([&](Painter& painter) { painter.SetPixel(x, y, InkOf(colour)); });
        return;
    }
    OnTarget([&](Painter& painter) { painter.SetPixel(x, y, InkOf(colour)); });
}

void Print(std::string_view text) {
    Canvas* target = Current();
    if (target == nullptr || !target->painter().state().font) {
        return;
    }
    target->painter().Print(text);
    target->Drew();
}

void PrintNewLine() {
    OnState([](Painter& painter) { painter.PrintNewLine(); });
}

PixelBlock GetBits() {
    const Canvas* target = Current();
    return target ? target->painter().GetBits() : PixelBlock{};
}

void SetBits(const PixelBlock& block) {
    if (block.Valid()) {
        OnTarget([&](Painter& painter) { painter.SetBits(block); });
    }
}

void Render(std::string_view file, double x1, double y1, double x2, double y2) {
    if (Current() == nullptr) {
        return;
    }
    if (const std::optional<bitmap::BmpPicture> picture = OpenPicture(file)) {
        OnTarget([&](Painter& painter) { painter.Render(*picture, x1, y1, x2, y2); });
    }
}

void Copy(Source source, int rasterOperation) {
    if (const Surface* from = SourceSurface(source)) {
        OnTarget([&](Painter& painter) {
            painter.Copy(*from, static_cast<instruments::RasterOperation>(rasterOperation));
        });
    }
}

void Stretch(Source source, double sx1, double sy1, double sx2, double sy2, double dx1, double dy1,
             double dx2, double dy2, int mix) {
    if (const Surface* from = SourceSurface(source)) {
        OnTarget(
            [&](Painter& painter) { painter.Stretch(*from, sx1, sy1, sx2, sy2, dx1, dy1, dx2, dy2, mix); });
    }
}

int BitmapLoad(std::string_view file, int width, int height) {
    return RenderAndBitmapLoad(file, 0, 0, -1, -1, width, height);
}

int RenderAndBitmapLoad(std::string_view file, double x1, double y1, double x2, double y2, int width,
                        int height) {
    const std::optional<bitmap::BmpPicture> picture = OpenPicture(file);
    if (!picture) {
        return 0;
    }
    // One reading of the picture paints the current target's rectangle (if
    // any) and the kept copy.
    std::vector<bitmap::StretchTarget> targets;
    Canvas* target = Current();
    if (target != nullptr) {
        if (const auto rectangle = RenderTarget(target->surface(), x1, y1, x2, y2)) {
            targets.push_back(*rectangle);
        }
    }
    std::unique_ptr<Canvas> bitmapTarget = BitmapTargetFor(*picture, width, height);
    if (bitmapTarget) {
        Surface& surface = bitmapTarget->surface();
        targets.push_back({&surface, 0, 0, surface.width(), surface.height()});
    }
    bitmap::StretchRows(*picture, targets);
    if (target != nullptr && !targets.empty() && targets.front().destination == &target->surface()) {
        target->Drew();
    }
    return bitmapTarget ? KeepBitmap(std::move(bitmapTarget)) : 0;
}

void BitmapFree(int handle) {
    Context& context = TheContext();
    Canvas* bitmapTarget = BitmapOf(handle);
    if (bitmapTarget == nullptr) {
        return;
    }
    if (context.current == bitmapTarget) {
        context.current = nullptr;
    }
    context.bitmaps[static_cast<std::size_t>(handle - 1)].reset();
    context.freedHandles.push_back(handle);
}

}  // namespace dialog
