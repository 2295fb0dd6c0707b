#include "canvas/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

#include "canvas/surface/Rounding.h"
#include "canvas/text/Cp1252.h"
#include "canvas/text/FontMatcher.h"

namespace instruments::text {

// The FreeType library of the process with the lock that guards it: FreeType
// lets faces of one library be used in parallel, but not be created or
// destroyed in parallel. Every face keeps a reference, so both outlive the
// last face whatever the order of static destruction.
class FontLibrary {
  public:
    FontLibrary() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
        }
    }
    ~FontLibrary() {
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
        }
    }
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    FT_Library get() const { return library_; }
    std::mutex& mutex() { return mutex_; }

  private:
    FT_Library library_ = nullptr;
    std::mutex mutex_;
};

using Library = std::shared_ptr<FontLibrary>;

namespace {

// The slant a synthesised italic gets: about 12 degrees, as a 16.16 shear.
constexpr FT_Fixed kObliqueShear = 0x0366A;

// One horizontal run of set pixels of a glyph bitmap, relative to its top-left.
struct Run {
    int dy = 0;
    int x0 = 0;
    int x1 = 0;
};

struct Glyph {
    bool loaded = false;
    int left = 0;  // from the pen position to the bitmap's left column
    int top = 0;   // from the baseline up to the bitmap's top row
    int width = 0;
    int advance = 0;
    std::vector<Run> runs;
};

bool BitSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (row[x >> 3] & (0x80u >> (x & 7))) != 0;
    }
    return row[x] >= 128;
}

// Turns a rendered bitmap into runs, which draw with one span fill each.
std::vector<Run> RunsOf(const FT_Bitmap& bitmap) {
    std::vector<Run> runs;
    const bool supported = bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    if (!supported || bitmap.pitch < 0 || bitmap.buffer == nullptr) {
        return runs;
    }
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* row =
            bitmap.buffer + static_cast<std::size_t>(y) * static_cast<unsigned>(bitmap.pitch);
        unsigned x = 0;
        while (x < bitmap.width) {
            while (x < bitmap.width && !BitSet(bitmap, row, x)) {
                ++x;
            }
            const unsigned start = x;
            while (x < bitmap.width && BitSet(bitmap, row, x)) {
                ++x;
            }
            if (x > start) {
                runs.push_back({static_cast<int>(y), static_cast<int>(start), static_cast<int>(x)});
            }
        }
    }
    return runs;
}

// The face file's own weight decides about synthesis: fontconfig's answer
// already claims the requested weight when its configuration plans to embolden.
bool IsBoldFace(FT_Face face) {
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass != 0) {
        return os2->usWeightClass >= 600;
    }
    return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
}

// A horizontal band of the cell (underline or strike-out), rows top .. top + thickness - 1.
struct Band {
    int top = 0;
    int thickness = 0;
};

}  // namespace

struct FontFace::Impl {
    Library library;  // declared first so it is released after the face
    FT_Face face = nullptr;
    bool unicode = false;
    int emboldenPixels = 0;
    bool oblique = false;
    std::optional<Band> underline;
    std::optional<Band> strikeOut;
    Metrics metrics;

    mutable std::mutex mutex;
    mutable std::array<Glyph, 256> glyphs;

    ~Impl() {
        if (face != nullptr) {
            const std::lock_guard lock(library->mutex());
            FT_Done_Face(face);
        }
    }

    double Scale() const { return static_cast<double>(face->size->metrics.y_ppem) / face->units_per_EM; }
    int Pixels(long units) const { return static_cast<int>(std::lround(units * Scale())); }

    void ComputeMetrics();
    Band UnderlineBand() const;
    Band StrikeOutBand() const;
    const Glyph& GlyphOf(unsigned char code) const;
    Glyph Render(unsigned char code) const;
    std::int64_t Width(std::string_view text) const;
    // The text cell: columns left .. right - 1, rows top .. bottom - 1.
    struct Cell {
        std::int64_t left, top, right, bottom;
    };
    void DrawGlyphs(Surface& surface, std::int64_t x, std::int64_t baseline, const Cell& cell,
                    std::string_view text, Pixel foreground) const;
};

void FontFace::Impl::ComputeMetrics() {
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const bool scalable = FT_IS_SCALABLE(face) && face->units_per_EM > 0;
    if (scalable && os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        // The Windows ascent and descent define the cell; the line gap beyond
        // what they already cover is the external leading.
        metrics.ascent = Pixels(os2->usWinAscent);
        metrics.height = metrics.ascent + Pixels(os2->usWinDescent);
        if (hhea != nullptr) {
            const long covered = (os2->usWinAscent + os2->usWinDescent) - (hhea->Ascender - hhea->Descender);
            metrics.externalLeading = std::max(0, Pixels(hhea->Line_Gap - covered));
        }
        metrics.averageCharWidth = Pixels(os2->xAvgCharWidth);
    } else {
        const FT_Size_Metrics& size = face->size->metrics;
        metrics.ascent = static_cast<int>((size.ascender + 63) >> 6);
        metrics.height = metrics.ascent + static_cast<int>((-size.descender + 63) >> 6);
        metrics.externalLeading = std::max(0, static_cast<int>(size.height >> 6) - metrics.height);
    }
    if (metrics.averageCharWidth <= 0) {
        metrics.averageCharWidth = GlyphOf('x').advance;
    } else {
        metrics.averageCharWidth += emboldenPixels;
    }
    metrics.height = std::max(metrics.height, 1);
}

Band FontFace::Impl::UnderlineBand() const {
    const bool known = FT_IS_SCALABLE(face) && face->units_per_EM > 0 && face->underline_thickness > 0;
    Band band;
    band.thickness =
        known ? std::max(1, Pixels(face->underline_thickness)) : std::max(1, metrics.height / 14);
    // The face gives the centre of the stroke, negative below the baseline.
    const int centre = known ? -Pixels(face->underline_position) : (metrics.height - metrics.ascent) / 2;
    band.top = metrics.ascent + centre - band.thickness / 2;
    // Keep the line inside the cell, so an opaque background always covers it.
    band.top = std::clamp(band.top, 0, std::max(0, metrics.height - band.thickness));
    return band;
}

Band FontFace::Impl::StrikeOutBand() const {
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool known = FT_IS_SCALABLE(face) && face->units_per_EM > 0 && os2 != nullptr &&
                       os2->version != 0xFFFF && os2->yStrikeoutSize > 0;
    Band band;
    band.thickness = known ? std::max(1, Pixels(os2->yStrikeoutSize)) : UnderlineBand().thickness;
    // The face gives the top of the stroke above the baseline.
    band.top = metrics.ascent - (known ? Pixels(os2->yStrikeoutPosition) : metrics.ascent * 3 / 10);
    band.top = std::clamp(band.top, 0, std::max(0, metrics.height - band.thickness));
    return band;
}

Glyph FontFace::Impl::Render(unsigned char code) const {
    Glyph glyph;
    glyph.loaded = true;
    const char32_t unicode32 = Cp1252ToUnicode(code);
    // An unassigned byte gets glyph 0, the font's default glyph.
    FT_UInt index = 0;
    if (unicode) {
        index = unicode32 != 0 ? FT_Get_Char_Index(face, unicode32) : 0;
    } else {
        index = FT_Get_Char_Index(face, code);
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (oblique) {
            FT_Matrix shear = {0x10000, kObliqueShear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (emboldenPixels > 0) {
            // Widens the strokes to the right only; the left bearing stays.
            FT_Outline_EmboldenXY(&slot->outline, emboldenPixels * 64, 0);
        }
    }
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + emboldenPixels;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.runs = RunsOf(slot->bitmap);
    return glyph;
}

const Glyph& FontFace::Impl::GlyphOf(unsigned char code) const {
    Glyph& glyph = glyphs[code];
    if (!glyph.loaded) {
        glyph = Render(code);
    }
    return glyph;
}

std::int64_t FontFace::Impl::Width(std::string_view text) const {
    std::int64_t width = 0;
    for (const char c : text) {
        width += GlyphOf(static_cast<unsigned char>(c)).advance;
    }
    return width;
}

void FontFace::Impl::DrawGlyphs(Surface& surface, std::int64_t x, std::int64_t baseline, const Cell& cell,
                                std::string_view text, Pixel foreground) const {
    // Only the part of the cell on the surface is painted: a glyph that reaches
    // out of its cell (the smallest sizes round glyphs taller than the cell) is
    // cut there, as an opaque background would not cover it.
    const std::int64_t clipLeft = std::max<std::int64_t>(cell.left, 0);
    const std::int64_t clipRight = std::min<std::int64_t>(cell.right, surface.width());
    const std::int64_t clipTop = std::max<std::int64_t>(cell.top, 0);
    const std::int64_t clipBottom = std::min<std::int64_t>(cell.bottom, surface.height());
    if (clipLeft >= clipRight || clipTop >= clipBottom) {
        return;
    }
    for (const char c : text) {
        const Glyph& glyph = GlyphOf(static_cast<unsigned char>(c));
        const std::int64_t left = x + glyph.left;
        if (left < clipRight && left + glyph.width > clipLeft) {
            const std::int64_t top = baseline - glyph.top;
            for (const Run& run : glyph.runs) {
                const std::int64_t y = top + run.dy;
                if (y >= clipTop && y < clipBottom) {
                    surface.FillSpan(static_cast<int>(y), static_cast<int>(std::max(left + run.x0, clipLeft)),
                                     static_cast<int>(std::min(left + run.x1, clipRight)), foreground);
                }
            }
        }
        x += glyph.advance;
    }
}

FontFace::FontFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

FontFace::~FontFace() = default;

std::shared_ptr<FontLibrary> OpenFontLibrary() {
    auto made = std::make_shared<FontLibrary>();
    return made->get() != nullptr ? made : nullptr;
}

std::shared_ptr<const FontFace> FontFace::Open(const FontRequest& request,
                                               const std::shared_ptr<FontLibrary>& library) {
    if (request.pixelHeight < 1 || request.pixelHeight > kMaxPixelHeight) {
        return nullptr;
    }
    const std::optional<MatchedFont> matched = MatchFont(request);
    if (!matched || !library) {
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->library = library;
    {
        const std::lock_guard lock(library->mutex());
        if (FT_New_Face(library->get(), matched->file.c_str(), matched->index, &impl->face) != 0) {
            impl->face = nullptr;
            return nullptr;
        }
    }
    FT_Face face = impl->face;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request.pixelHeight)) != 0 ||
        face->size == nullptr || face->size->metrics.y_ppem == 0) {
        return nullptr;
    }
    impl->unicode = FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0;
    if (request.bold() && !IsBoldFace(face)) {
        impl->emboldenPixels = std::max(1, static_cast<int>(std::lround(request.pixelHeight / 24.0)));
    }
    impl->oblique = request.italic() && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    impl->ComputeMetrics();
    if (request.underline()) {
        impl->underline = impl->UnderlineBand();
    }
    if (request.strikeOut()) {
        impl->strikeOut = impl->StrikeOutBand();
    }
    return std::shared_ptr<const FontFace>(new FontFace(std::move(impl)));
}

const FontFace::Metrics& FontFace::metrics() const {
    return impl_->metrics;
}

int FontFace::TextWidth(std::string_view text) const {
    const std::lock_guard lock(impl_->mutex);
    return ClampToInt(impl_->Width(text));
}

void FontFace::Draw(Surface& surface, int x, int y, std::string_view text, Pixel foreground,
                    std::optional<Pixel> background) const {
    if (text.empty() || surface.empty()) {
        return;
    }
    const std::lock_guard lock(impl_->mutex);
    const Metrics& m = impl_->metrics;
    const std::int64_t right = x + impl_->Width(text);
    if (background) {
        surface.FillRect(x, y, ClampToInt(right), ClampToInt(std::int64_t{y} + m.height), *background);
    }
    const Impl::Cell cell{x, y, right, std::int64_t{y} + m.height};
    impl_->DrawGlyphs(surface, x, std::int64_t{y} + m.ascent, cell, text, foreground);
    for (const std::optional<Band>& band : {impl_->underline, impl_->strikeOut}) {
        if (band) {
            const std::int64_t top = std::int64_t{y} + band->top;
            surface.FillRect(x, ClampToInt(top), ClampToInt(right), ClampToInt(top + band->thickness),
                             foreground);
        }
    }
}

}  // namespace instruments::text
