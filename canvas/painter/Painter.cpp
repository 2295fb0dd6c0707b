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

std::shared_ptr<const text::FontFace> OpenFontAt(std::string_view face, double points, int styleBits) {
    if (!(points > 0.0) || points > kMaxPoints) {
        points = kDefaultPoints;
    }
    text::FontRequest request;
    request.face = std::string(face.substr(0, std::min(face.size(), kMaxFaceName)));
    request.pixelHeight = RoundHalfEven(points * kScreenDpi / 72.0);
    request.styleBits = styleBits;  // OpenFont keeps only the style bits
    return text::OpenFont(request);
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

}  // namespace

FillStyle FillStyleOf(int number) {
    return number >= 1 && number <= 6 ? static_cast<FillStyle>(number) : FillStyle::Solid;
}

std::shared_ptr<const text::FontFace> DefaultFont() {
    static const std::shared_ptr<const text::FontFace> font = OpenFontAt("MS Sans Serif", kDefaultPoints, 0);
    return font;
}

Painter::Painter(Surface& surface) : surface_(&surface) {
    state_.font = DefaultFont();
}

Pixel Painter::Foreground(Colour colour) const {
    return PixelFromColour(colour == kColourDefault ? state_.foreground : colour);
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

void Painter::ColourFg(Colour colour) {
    state_.foreground = colour == kColourDefault ? kSystemWindowText : (colour & 0xFFFFFF);
}

void Painter::ColourBg(Colour colour) {
    if (colour == kColourTransparent) {
        state_.textBackground = TextBackground::Transparent;
        return;
    }
    state_.textBackground = TextBackground::Opaque;
    state_.background = colour == kColourDefault ? kSystemButtonFace : (colour & 0xFFFFFF);
}

void Painter::Font(std::string_view face, double points, int styleBits) {
    state_.font = OpenFontAt(face, points, styleBits);
}

void Painter::LineTo(double x, double y, Colour colour, LineMode mode) {
    int endX = RoundHalfEven(x);
    int endY = RoundHalfEven(y);
    if (mode == LineMode::Relative) {
        endX = ClampToInt(static_cast<long long>(state_.x) + endX);
        endY = ClampToInt(static_cast<long long>(state_.y) + endY);
    }
    if (colour != kColourTransparent) {
        raster::DrawLine(*surface_, state_.x, state_.y, endX, endY,
                         raster::Pen{state_.penWidth, Foreground(colour)});
    }
    state_.x = endX;
    state_.y = endY;
}

void Painter::Box(double x1, double y1, double x2, double y2, std::int32_t corner, Colour line, Colour fill,
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
    const Colour lineColour = line == kColourDefault ? state_.foreground : line;
    const Colour fillColour = fill == kColourDefault ? lineColour : fill;

    raster::Pen pen{state_.penWidth, PixelFromColour(lineColour)};
    if (lineColour == kColourTransparent) {
        pen = raster::Pen::Null();
    }
    Brush brush = Brush::None();
    if (fillColour != kColourTransparent) {
        if (fillStyle != FillStyle::Solid) {
            const bool opaque = state_.textBackground == TextBackground::Opaque;
            brush = Brush::Hatch(static_cast<HatchStyle>(fillStyle), PixelFromColour(fillColour),
                                 opaque ? HatchBackground::Opaque : HatchBackground::Transparent,
                                 PixelFromColour(state_.background));
        } else {
            brush = Brush::Solid(PixelFromColour(fillColour));
        }
    }

    if (corner == kCornerEllipse) {
        raster::DrawEllipse(*surface_, left, top, right, bottom, pen, brush);
        return;
    }
    int rounding = 0;
    if (corner > 0) {
        const long long w = static_cast<long long>(right) - left;
        const long long h = static_cast<long long>(bottom) - top;
        rounding = static_cast<int>(std::min(w, h) * std::min(corner, kFullCorner) / 100);
    }
    raster::DrawRoundRect(*surface_, left, top, right, bottom, rounding, rounding, pen, brush);
}

void Painter::SetPixel(double x, double y, Colour colour) {
    SetPos(x, y);
    if (colour != kColourTransparent) {
        surface_->SetPixel(state_.x, state_.y, Foreground(colour));
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
    state_.font->Draw(*surface_, state_.x, state_.y, text, PixelFromColour(state_.foreground), background);
    state_.x = ClampToInt(static_cast<long long>(state_.x) + state_.font->TextWidth(text));
}

void Painter::PrintNewLine() {
    state_.x = 0;
    state_.y = ClampToInt(static_cast<long long>(state_.y) + CharSize().height);
}

PixelBlock Painter::GetBits() const {
    return PixelBlock::FromSurface(*surface_);
}

void Painter::SetBits(const PixelBlock& block) {
    if (block.Valid()) {
        WritePixelBlock(*surface_, block);
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
    if (const auto target = RenderTarget(*surface_, x1, y1, x2, y2)) {
        bitmap::StretchRows(picture, std::span(&*target, 1));
    }
}

void Painter::Copy(const Surface& source, RasterOperation operation) {
    const int width = std::min(source.width(), surface_->width());
    const int height = std::min(source.height(), surface_->height());
    if (operation == RasterOperation::SourceCopy) {
        surface_->Blit(0, 0, source, 0, 0, width, height);
        return;
    }
    // The source may be this painter's surface: each pixel combines with the
    // one at its own place, read before it is written, so no copy is needed.
    for (int y = 0; y < height; ++y) {
        Pixel* out = surface_->row(y);
        const Pixel* in = source.row(y);
        for (int x = 0; x < width; ++x) {
            out[x] = Combine(operation, in[x], out[x]);
        }
    }
}

void Painter::Stretch(const Surface& source, double sx1, double sy1, double sx2, double sy2, double dx1,
                      double dy1, double dx2, double dy2, int mix) {
    const auto from = IncludedCorners(sx1, sy1, sx2, sy2);
    const auto to = IncludedCorners(dx1, dy1, dx2, dy2);
    if (!from || !to) {
        return;
    }
    // The stretch itself copes with a source that is the target.
    if (mix < 0 || mix > 15) {
        bitmap::StretchBlackOnWhite(source, from->left, from->top, from->width, from->height, *surface_,
                                    to->left, to->top, to->width, to->height);
        return;
    }
    // With a mix, stretch the visible part of the target rectangle into a scratch
    // surface marked "unwritten" in the fourth byte, then combine only the pixels
    // the stretch produced.
    Surface& surface = *surface_;
    const long long visibleLeft = std::max<long long>(to->left, 0);
    const long long visibleTop = std::max<long long>(to->top, 0);
    const long long visibleRight =
        std::min<long long>(static_cast<long long>(to->left) + to->width, surface.width());
    const long long visibleBottom =
        std::min<long long>(static_cast<long long>(to->top) + to->height, surface.height());
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) {
        return;
    }
    constexpr Pixel kUnwritten = 0xFF000000u;
    Surface scratch(static_cast<int>(visibleRight - visibleLeft),
                    static_cast<int>(visibleBottom - visibleTop), kUnwritten);
    bitmap::StretchBlackOnWhite(source, from->left, from->top, from->width, from->height, scratch,
                                static_cast<int>(to->left - visibleLeft),
                                static_cast<int>(to->top - visibleTop), to->width, to->height);
    for (int y = 0; y < scratch.height(); ++y) {
        Pixel* out = surface.row(static_cast<int>(visibleTop) + y) + visibleLeft;
        const Pixel* in = scratch.row(y);
        for (int x = 0; x < scratch.width(); ++x) {
            if ((in[x] & kUnwritten) == 0) {
                out[x] = Mix(mix, in[x], out[x]);
            }
        }
    }
}

}  // namespace instruments
