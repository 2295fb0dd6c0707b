#include "instruments/Painter.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <span>
#include <string>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "canvas/painter/RenderTarget.h"
#include "canvas/raster/Shapes.h"
#include "canvas/surface/Rounding.h"
#include "canvas/text/FontCache.h"
#include "canvas/text/FontFace.h"

namespace instruments {

namespace {

constexpr std::size_t kMaxFaceName = 31;
constexpr double kScreenDpi = 96.0;
constexpr double kDefaultPoints = 8.0;
constexpr double kMaxPoints = 72.0;
constexpr std::int32_t kFullCorner = 100;

std::shared_ptr<const text::FontFace> OpenFontAt(std::string_view face, double points, int styleBits,
                                                 text::CacheLife life = text::CacheLife::UntilFull) {
    if (!(points > 0.0) || points > kMaxPoints) {
        points = kDefaultPoints;
    }
    text::FontRequest request;
    request.face = std::string(face.substr(0, std::min(face.size(), kMaxFaceName)));
    request.pixelHeight = RoundHalfEven(points * kScreenDpi / 72.0);
    request.styleBits = styleBits;  // OpenFont keeps only the style bits
    return text::OpenFont(request, life);
}

// The sixteen binary raster operations of a mix code m (0..15): bit (2S + D) of m
// gives the result for source bit S and destination bit D.
Pixel Mix(int mix, Pixel source, Pixel destination) {
    auto mask = [mix](int bit) -> Pixel { return ((mix >> bit) & 1) ? 0xFFFFFFu : 0u; };
    return ((~source & ~destination & mask(0)) | (~source & destination & mask(1)) |
            (source & ~destination & mask(2)) | (source & destination & mask(3))) &
           0xFFFFFFu;
}

Pixel Combine(RasterOperation operation, Pixel source, Pixel destination) {
    switch (operation) {
        case RasterOperation::SourceAnd:
            return source & destination;
        case RasterOperation::SourcePaint:
            return source | destination;
        case RasterOperation::SourceInvert:
            return source ^ destination;
        case RasterOperation::NotSourceCopy:
            return ~source & 0xFFFFFFu;
        case RasterOperation::Blackness:
            return 0;
        case RasterOperation::Whiteness:
            return 0xFFFFFFu;
        case RasterOperation::SourceCopy:
            break;
    }
    return source;  // SourceCopy, and any code outside the table
}

// A rectangle given by two included corners, as pixel origin and extent; false
// when it is empty or too large for int.
struct Span2D {
    int left = 0, top = 0, width = 0, height = 0;
};
std::optional<Span2D> IncludedCorners(double x1, double y1, double x2, double y2) {
    const int left = RoundHalfEven(x1);
    const int top = RoundHalfEven(y1);
    const long long width = static_cast<long long>(RoundHalfEven(x2)) - left + 1;
    const long long height = static_cast<long long>(RoundHalfEven(y2)) - top + 1;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) {
        return std::nullopt;
    }
    return Span2D{left, top, static_cast<int>(width), static_cast<int>(height)};
}

// What moves a rounded coordinate of the drawing onto the surface drawn on.
struct Offset {
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    int X(int x) const { return ClampToInt(x + dx); }
    int Y(int y) const { return ClampToInt(y + dy); }
    bool zero() const { return dx == 0 && dy == 0; }
};

Span2D Moved(Span2D span, Offset offset) {
    return {offset.X(span.left), offset.Y(span.top), span.width, span.height};
}

// `area` moved by `by`, within `within`: worked out in 64 bits, as the moved
// rectangle need not fit an int.
Rect MovedWithin(const Rect& area, Point by, const Rect& within) {
    if (area.empty()) {
        return {};
    }
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{area.x} + by.x, within.x);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{area.y} + by.y, within.y);
    const std::int64_t right = std::min<std::int64_t>(area.right() + by.x, within.right());
    const std::int64_t bottom = std::min<std::int64_t>(area.bottom() + by.y, within.bottom());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

// The source itself, or a copy of it when it shares pixels with the target in
// another place (a view, or an offset), where a read could follow a write.
const Surface& Unaliased(const Surface& source, const Surface& target, Offset at,
                         std::optional<Surface>& copy) {
    if (source.SharesPixels(target) && (&source != &target || !at.zero())) {
        copy.emplace(source);
        return *copy;
    }
    return source;
}

void StretchOnto(const Surface& source, Span2D from, Surface& surface, Span2D to, int mix) {
    // The stretch itself copes with a source that is the target.
    if (mix < 0 || mix > 15) {
        bitmap::StretchBlackOnWhite(source, from.left, from.top, from.width, from.height, surface, to.left,
                                    to.top, to.width, to.height);
        return;
    }
    // With a mix, stretch the visible part of the target rectangle into a scratch
    // surface marked "unwritten" in the fourth byte, then combine only the pixels
    // the stretch produced.
    const long long visibleLeft = std::max<long long>(to.left, 0);
    const long long visibleTop = std::max<long long>(to.top, 0);
    const long long visibleRight =
        std::min<long long>(static_cast<long long>(to.left) + to.width, surface.width());
    const long long visibleBottom =
        std::min<long long>(static_cast<long long>(to.top) + to.height, surface.height());
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) {
        return;
    }
    constexpr Pixel kUnwritten = 0xFF000000u;
    Surface scratch(static_cast<int>(visibleRight - visibleLeft),
                    static_cast<int>(visibleBottom - visibleTop), kUnwritten);
    bitmap::StretchBlackOnWhite(source, from.left, from.top, from.width, from.height, scratch,
                                static_cast<int>(to.left - visibleLeft),
                                static_cast<int>(to.top - visibleTop), to.width, to.height);
    for (int y = 0; y < scratch.height(); ++y) {
        Pixel* out = surface.mutableRow(static_cast<int>(visibleTop) + y) + visibleLeft;
        const Pixel* in = scratch.row(y);
        for (int x = 0; x < scratch.width(); ++x) {
            if ((in[x] & kUnwritten) == 0) {
                out[x] = Mix(mix, in[x], out[x]);
            }
        }
    }
}

}  // namespace

FillStyle FillStyleOf(int number) {
    return number >= 1 && number <= 6 ? static_cast<FillStyle>(number) : FillStyle::Solid;
}

std::shared_ptr<const text::FontFace> DefaultFont() {
    return OpenFontAt("MS Sans Serif", kDefaultPoints, 0, text::CacheLife::Always);
}

Painter::Painter(Surface& surface) : surface_(&surface) {
    state_.font = DefaultFont();
}

Rect Painter::ClipArea() const {
    const Rect whole{0, 0, surface_->width(), surface_->height()};
    return state_.clip ? state_.clip->Intersect(whole) : whole;
}

void Painter::Clip(const Rect& area) {
    state_.clip = MovedWithin(area, state_.origin, ClipArea());
}

void Painter::Translate(Point offset) {
    state_.origin = {ClampToInt(std::int64_t{state_.origin.x} + offset.x),
                     ClampToInt(std::int64_t{state_.origin.y} + offset.y)};
}

Size Painter::ClientSize() const {
    const Rect area = ClipArea();
    if (area.empty()) {
        return {};
    }
    return {ClampToInt(std::max<std::int64_t>(area.right() - state_.origin.x, 0)),
            ClampToInt(std::max<std::int64_t>(area.bottom() - state_.origin.y, 0))};
}

// Without a clip the target itself is drawn on, so the common case costs one
// test; a clip gives a view whose (0, 0) is the clip's top-left corner, which
// is also where a surface of the clip's size would anchor its hatches.
template <typename Draw>
void Painter::OnArea(Draw&& draw) {
    const Offset moved{state_.origin.x, state_.origin.y};
    if (!state_.clip) {
        draw(*surface_, moved);
        return;
    }
    const Rect area = ClipArea();
    if (area.empty()) {
        return;
    }
    const Offset offset{moved.dx - area.x, moved.dy - area.y};
    if (area.width == surface_->width() && area.height == surface_->height()) {
        draw(*surface_, offset);
        return;
    }
    Surface view = surface_->View(area);
    draw(view, offset);
}

Pixel Painter::Foreground(Ink ink) const {
    return PixelFromColour(ink.Or(state_.foreground));
}

Size Painter::CharSize() const {
    if (!state_.font) {
        return {};
    }
    const text::FontFace::Metrics& metrics = state_.font->metrics();
    return {metrics.averageCharWidth, metrics.height + metrics.externalLeading};
}

Size Painter::TextSize(std::string_view text) const {
    if (!state_.font) {
        return {};
    }
    return {state_.font->TextWidth(text), state_.font->metrics().height};
}

void Painter::SetPos(double x, double y) {
    state_.x = RoundHalfEven(x);
    state_.y = RoundHalfEven(y);
}

void Painter::Width(double n) {
    state_.penWidth = std::clamp(RoundHalfEven(n), 0, raster::kMaxPenWidth);
}

void Painter::ColourFg(Ink ink) {
    state_.foreground = ink.Or(kSystemWindowText);
}

void Painter::ColourBg(Ink ink) {
    if (ink.IsNone()) {
        state_.textBackground = TextBackground::Transparent;
        return;
    }
    state_.textBackground = TextBackground::Opaque;
    state_.background = ink.Or(kSystemButtonFace);
}

void Painter::Font(std::string_view face, double points, int styleBits) {
    state_.font = OpenFontAt(face, points, styleBits);
}

void Painter::LineTo(double x, double y, Ink ink, LineMode mode) {
    int endX = RoundHalfEven(x);
    int endY = RoundHalfEven(y);
    if (mode == LineMode::Relative) {
        endX = ClampToInt(static_cast<long long>(state_.x) + endX);
        endY = ClampToInt(static_cast<long long>(state_.y) + endY);
    }
    if (!ink.IsNone()) {
        const raster::Pen pen{state_.penWidth, Foreground(ink)};
        OnArea([&](Surface& surface, Offset at) {
            raster::DrawLine(surface, at.X(state_.x), at.Y(state_.y), at.X(endX), at.Y(endY), pen);
        });
    }
    state_.x = endX;
    state_.y = endY;
}

void Painter::Box(double x1, double y1, double x2, double y2, std::int32_t corner, Ink line, Ink fill,
                  FillStyle fillStyle) {
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
    const Ink lineInk = line.IsDefault() ? Ink(state_.foreground) : line;
    const Ink fillInk = fill.IsDefault() ? lineInk : fill;

    raster::Pen pen = raster::Pen::Null();
    if (lineInk.IsColour()) {
        pen = raster::Pen{state_.penWidth, PixelFromColour(lineInk.Or(0))};
    }
    Brush brush = Brush::None();
    if (fillInk.IsColour()) {
        const Colour fillColour = fillInk.Or(0);
        if (fillStyle != FillStyle::Solid) {
            const bool opaque = state_.textBackground == TextBackground::Opaque;
            brush = Brush::Hatch(static_cast<HatchStyle>(fillStyle), PixelFromColour(fillColour),
                                 opaque ? HatchBackground::Opaque : HatchBackground::Transparent,
                                 PixelFromColour(state_.background));
        } else {
            brush = Brush::Solid(PixelFromColour(fillColour));
        }
    }

    int rounding = 0;
    if (corner > 0 && corner != kCornerEllipse) {
        const long long w = static_cast<long long>(right) - left;
        const long long h = static_cast<long long>(bottom) - top;
        rounding = static_cast<int>(std::min(w, h) * std::min(corner, kFullCorner) / 100);
    }
    OnArea([&](Surface& surface, Offset at) {
        if (corner == kCornerEllipse) {
            raster::DrawEllipse(surface, at.X(left), at.Y(top), at.X(right), at.Y(bottom), pen, brush);
            return;
        }
        raster::DrawRoundRect(surface, at.X(left), at.Y(top), at.X(right), at.Y(bottom), rounding, rounding,
                              pen, brush);
    });
}

void Painter::Box(const Rect& area, const BoxStyle& style) {
    if (area.empty()) {
        return;
    }
    // The outline of Box runs on the pixels left of x2 and above y2.
    Box(area.x, area.y, static_cast<double>(area.right()), static_cast<double>(area.bottom()), style.corner,
        style.line, style.fill, style.fillStyle);
}

void Painter::SetPixel(double x, double y, Ink ink) {
    SetPos(x, y);
    if (!ink.IsNone()) {
        const Pixel pixel = Foreground(ink);
        OnArea([&](Surface& surface, Offset at) { surface.SetPixel(at.X(state_.x), at.Y(state_.y), pixel); });
    }
}

void Painter::Print(std::string_view text) {
    if (!state_.font) {
        return;
    }
    std::optional<Pixel> background;
    if (state_.textBackground == TextBackground::Opaque) {
        background = PixelFromColour(state_.background);
    }
    OnArea([&](Surface& surface, Offset at) {
        state_.font->Draw(surface, at.X(state_.x), at.Y(state_.y), text, PixelFromColour(state_.foreground),
                          background);
    });
    state_.x = ClampToInt(static_cast<long long>(state_.x) + state_.font->TextWidth(text));
}

void Painter::PrintNewLine() {
    state_.x = 0;
    state_.y = ClampToInt(static_cast<long long>(state_.y) + CharSize().height);
}

PixelBlock Painter::GetBits() const {
    const Rect area = ClipArea();
    if (area.width == surface_->width() && area.height == surface_->height()) {
        return PixelBlock::FromSurface(*surface_);
    }
    return PixelBlock::FromSurface(surface_->View(area));
}

void Painter::SetBits(const PixelBlock& block) {
    if (block.Valid()) {
        OnArea([&](Surface& surface, Offset) { WritePixelBlock(surface, block); });
    }
}

std::optional<bitmap::StretchTarget> RenderTarget(Surface& surface, double x1, double y1, double x2,
                                                  double y2) {
    const auto to = IncludedCorners(x1, y1, x2, y2);
    if (!to) {
        return std::nullopt;
    }
    return bitmap::StretchTarget{&surface, to->left, to->top, to->width, to->height};
}

void Painter::Render(const bitmap::RowSource& picture, double x1, double y1, double x2, double y2) {
    const auto to = IncludedCorners(x1, y1, x2, y2);
    if (!to) {
        return;
    }
    OnArea([&](Surface& surface, Offset at) {
        const Span2D place = Moved(*to, at);
        const bitmap::StretchTarget target{&surface, place.left, place.top, place.width, place.height};
        bitmap::StretchRows(picture, std::span(&target, 1));
    });
}

void Painter::Copy(const Surface& source, RasterOperation operation) {
    OnArea([&](Surface& target, Offset at) {
        if (operation == RasterOperation::SourceCopy) {
            // Blit copes with overlapping blocks of one buffer.
            target.Blit(at.X(0), at.Y(0), source, 0, 0, source.width(), source.height());
            return;
        }
        std::optional<Surface> copy;
        const Surface& from = Unaliased(source, target, at, copy);
        const Rect placed = MovedWithin(Rect{0, 0, from.width(), from.height()}, {at.X(0), at.Y(0)},
                                        Rect{0, 0, target.width(), target.height()});
        if (placed.empty()) {
            return;
        }
        // A source that is the target in the same place needs no copy: each
        // pixel combines with the one at its own place, read before it is written.
        const int fromX = placed.x - at.X(0);
        const int fromY = placed.y - at.Y(0);
        for (int y = 0; y < placed.height; ++y) {
            Pixel* out = target.mutableRow(placed.y + y) + placed.x;
            const Pixel* in = from.row(fromY + y) + fromX;
            for (int x = 0; x < placed.width; ++x) {
                out[x] = Combine(operation, in[x], out[x]);
            }
        }
    });
}

void Painter::Stretch(const Surface& source, double sx1, double sy1, double sx2, double sy2, double dx1,
                      double dy1, double dx2, double dy2, int mix) {
    const auto from = IncludedCorners(sx1, sy1, sx2, sy2);
    const auto to = IncludedCorners(dx1, dy1, dx2, dy2);
    if (!from || !to) {
        return;
    }
    OnArea([&](Surface& target, Offset at) {
        std::optional<Surface> copy;
        StretchOnto(Unaliased(source, target, at, copy), *from, target, Moved(*to, at), mix);
    });
}

}  // namespace instruments
