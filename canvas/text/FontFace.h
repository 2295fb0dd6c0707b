#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "canvas/text/FontRequest.h"
#include "instruments/Pixel.h"
#include "instruments/Surface.h"

namespace instruments::text {

// One opened font at one pixel size and style, drawing 8-bit text (Windows-1252)
// as crisp monochrome glyphs. Rendered glyphs are cached per character code, so
// measuring and drawing the same characters again costs no rasterising.
// A face may be shared between threads: each call holds the face's own lock.
// The font engine's library with the lock that guards it; every face opened
// with it keeps it alive.
class FontLibrary;
// A new library, or null when the engine cannot start.
std::shared_ptr<FontLibrary> OpenFontLibrary();

class FontFace {
  public:
    // The cell measures, in pixels, as a text-metric record gives them.
    struct Metrics {
        int height = 0;  // ascent + descent: the height of a text cell
        int ascent = 0;  // from the top of the cell down to the baseline
        int externalLeading = 0;
        int averageCharWidth = 0;
        bool operator==(const Metrics&) const = default;
    };

    // Opens the face the system matches for the request, without caching (see
    // OpenFont for the cached way). Null when no usable font exists, the library
    // is null or the request is degenerate (pixel height outside 1..kMaxPixelHeight).
    static std::shared_ptr<const FontFace> Open(const FontRequest& request,
                                                const std::shared_ptr<FontLibrary>& library);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const Metrics& metrics() const;
    // The sum of the characters' advances (no kerning), saturating at INT_MAX.
    int TextWidth(std::string_view text) const;
    // Draws the text with the top-left corner of its cell at (x, y), so the
    // baseline is at y + ascent. With a background the cell rectangle (text width
    // x cell height) is filled with it first; without one only the glyphs and
    // any underline or strike-out are painted. Clipped to the surface.
    void Draw(Surface& surface, int x, int y, std::string_view text, Pixel foreground,
              std::optional<Pixel> background) const;

  private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace instruments::text
