#include "canvas/Canvas.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/DialogEngine.h"
#include "canvas/bitmap/BmpLoader.h"

namespace canvas {

namespace {

struct Context {
    DrawTarget* current = nullptr;
    DialogRecord* currentDialog = nullptr;
    std::vector<std::unique_ptr<DrawTarget>> bitmaps;  // index = handle - 1
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

// Runs a drawing operation on the current target's painter, if there is a target.
template <typename Draw>
void OnTarget(Draw&& draw) {
    if (DrawTarget* target = Current()) {
        draw(target->painter);
        Drew(*target);
    }
}

// Changes the current target's drawing state (nothing to show).
template <typename Change>
void OnState(Change&& change) {
    if (DrawTarget* target = Current()) {
        change(target->painter);
    }
}

const Surface* SourceSurface(const Source& source) {
    if (source.bitmap != 0) {
        auto& bitmaps = TheContext().bitmaps;
        if (source.bitmap < 0 || static_cast<std::size_t>(source.bitmap) > bitmaps.size()) {
            return nullptr;
        }
        return &bitmaps[static_cast<std::size_t>(source.bitmap - 1)]->surface;
    }
    DialogRecord* dialog = FindDialog(source.dialog);
    GraphicControl* control = dialog ? dialog->FindControl(source.id) : nullptr;
    return control ? &control->target.surface : nullptr;
}

// A name without "." names a resource; this program has none.
std::optional<Surface> LoadPicture(std::string_view file) {
    if (file.find('.') == std::string_view::npos) {
        return std::nullopt;
    }
    return bitmap::LoadBmpFile(std::string(file));
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
    context.current = nullptr;
    context.currentDialog = nullptr;
    if (handle <= 0 || static_cast<std::size_t>(handle) > context.bitmaps.size()) {
        return false;
    }
    context.current = context.bitmaps[static_cast<std::size_t>(handle - 1)].get();
    return true;
}

Size ClientSize() {
    const DrawTarget* target = Current();
    return target ? target->painter.ClientSize() : Size{};
}

Size CharSize() {
    const DrawTarget* target = Current();
    return target ? target->painter.CharSize() : Size{};
}

Size TextSize(std::string_view text) {
    const DrawTarget* target = Current();
    return target ? target->painter.TextSize(text) : Size{};
}

void Redraw() {
    if (DrawTarget* target = Current()) {
        NoteTargetChanged(*target);
    }
}

void SetPos(double x, double y) {
    OnState([&](Painter& painter) { painter.SetPos(x, y); });
}

void Width(double n) {
    OnState([&](Painter& painter) { painter.Width(n); });
}

void ColourFg(Colour colour) {
    OnState([&](Painter& painter) { painter.ColourFg(colour); });
}

void ColourBg(Colour colour) {
    OnState([&](Painter& painter) { painter.ColourBg(colour); });
}

void Font(std::string_view face, double points, int styleBits) {
    OnState([&](Painter& painter) { painter.Font(face, points, styleBits); });
}

void LineTo(double x, double y, Colour colour, LineMode mode) {
    // A transparent line only moves the position: nothing to show.
    if (colour == kColourTransparent) {
        OnState([&](Painter& painter) { painter.LineTo(x, y, colour, mode); });
        return;
    }
    OnTarget([&](Painter& painter) { painter.LineTo(x, y, colour, mode); });
}

void Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
         int fillStyle) {
    OnTarget(
        [&](Painter& painter) { painter.Box(x1, y1, x2, y2, corner, line, fill, FillStyleOf(fillStyle)); });
}

void SetPixel(double x, double y, Colour colour) {
    if (colour == kColourTransparent) {
        OnState([&](Painter& painter) { painter.SetPixel(x, y, colour); });
        return;
    }
    OnTarget([&](Painter& painter) { painter.SetPixel(x, y, colour); });
}

void Print(std::string_view text) {
    DrawTarget* target = Current();
    if (target == nullptr || !target->painter.state().font) {
        return;
    }
    target->painter.Print(text);
    Drew(*target);
}

void PrintNewLine() {
    OnState([](Painter& painter) { painter.PrintNewLine(); });
}

PixelBlock GetBits() {
    const DrawTarget* target = Current();
    return target ? target->painter.GetBits() : PixelBlock{};
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
    if (const std::optional<Surface> picture = LoadPicture(file)) {
        OnTarget([&](Painter& painter) { painter.Render(*picture, x1, y1, x2, y2); });
    }
}

void Copy(Source source, int rasterOperation) {
    if (const Surface* from = SourceSurface(source)) {
        OnTarget(
            [&](Painter& painter) { painter.Copy(*from, static_cast<RasterOperation>(rasterOperation)); });
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
    if (file.empty()) {
        return 0;
    }
    const std::optional<Surface> picture = LoadPicture(file);
    if (!picture) {
        return 0;
    }
    // A size of 0 keeps the picture's own size.
    if (width <= 0) {
        width = picture->width();
    }
    if (height <= 0) {
        height = picture->height();
    }
    auto bitmapTarget = std::make_unique<DrawTarget>(Surface(width, height));
    if (bitmapTarget->surface.empty()) {
        return 0;
    }
    bitmapTarget->painter.Render(*picture, 0, 0, width - 1, height - 1);
    auto& bitmaps = TheContext().bitmaps;
    bitmaps.push_back(std::move(bitmapTarget));
    return static_cast<int>(bitmaps.size());
}

}  // namespace canvas
