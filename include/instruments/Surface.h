#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "instruments/Export.h"
#include "instruments/Geometry.h"
#include "instruments/Pixel.h"

namespace instruments {

struct Brush;

// A rectangle of pixels with rows from top to bottom. This is the only layer that
// knows how pixels are laid out: shape code above it hands it spans and single
// pixels, and every write is clipped here, so nothing is written outside.
//
// Rows follow each other without padding and the buffer starts on a 64-byte
// boundary, so a whole surface and a pixel block of it (whose pixels also start
// on a 64-byte boundary) are copied in one aligned memcpy; a memcpy between
// buffers 8 or 16 bytes out of step was measured 17-20 times slower on the
// development machine.
//
// A view is a surface that owns no pixels: a sub-rectangle of another surface,
// with its rows and stride. Writes through a view are writes of the surface it
// shows (they count in that surface's revision), so shape code draws into a
// part of a surface exactly as it would draw into a surface of that size.
class INSTRUMENTS_API Surface {
  public:
    // The largest surface accepted: at most kMaxSide pixels a side and
    // kMaxPixels in all (a 8192 x 8192 square). Every size the library takes
    // (windows, instruments) is held to this one rule; the
    // constructor gives an empty surface for a size it refuses.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = 1 << 26;
    // Why width x height cannot be a surface, naming the size and the limit, or
    // an empty string when it can (0 a side is an empty surface, accepted).
    static std::string SizeError(std::int64_t width, std::int64_t height);

    Surface() = default;
    Surface(int width, int height, Pixel fill = 0);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    // A moved-from surface is empty.
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;

    // The part of this surface inside `area` (clipped to it) as a view. The
    // view must not outlive this surface, nor be used after it is reassigned.
    // Copying a view gives a surface that owns a copy of its pixels.
    Surface View(const Rect& area);
    bool IsView() const { return root_ != nullptr; }
    // Whether both show pixels of one buffer (a surface and its views).
    bool SharesPixels(const Surface& other) const { return &Root() == &other.Root() && !empty(); }

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    // Distance between rows, in pixels.
    int stride() const { return stride_; }

    // Reading leaves the revision alone; every write goes through mutableRow,
    // which counts it (see revision()).
    const Pixel* row(int y) const { return data_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    Pixel* mutableRow(int y) {
        ++Root().writes_;
        return data_ + static_cast<std::ptrdiff_t>(y) * stride_;
    }

    bool Contains(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }
    // The pixel at (x, y), or 0 outside the surface.
    Pixel At(int x, int y) const { return Contains(x, y) ? row(y)[x] : 0; }

    void Fill(Pixel pixel);
    void SetPixel(int x, int y, Pixel pixel) {
        if (Contains(x, y)) {
            mutableRow(y)[x] = pixel;
        }
    }
    // Paints columns x0 .. x1 - 1 of row y, clipped to the surface.
    void FillSpan(int y, int x0, int x1, Pixel pixel) {
        if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) {
            return;
        }
        x0 = x0 < 0 ? 0 : x0;
        x1 = x1 > width_ ? width_ : x1;
        Pixel* out = mutableRow(y);
        for (int x = x0; x < x1; ++x) {
            out[x] = pixel;
        }
    }
    // The same with a brush (a null brush paints nothing).
    void FillSpan(int y, int x0, int x1, const Brush& brush);
    // Paints the rectangle of columns x0 .. x1 - 1 and rows y0 .. y1 - 1, clipped.
    void FillRect(int x0, int y0, int x1, int y1, Pixel pixel) {
        x0 = x0 < 0 ? 0 : x0;
        x1 = x1 > width_ ? width_ : x1;
        y0 = y0 < 0 ? 0 : y0;
        y1 = y1 > height_ ? height_ : y1;
        if (x0 >= x1) {
            return;
        }
        const int count = x1 - x0;
        Pixel* out = y0 < y1 ? mutableRow(y0) + x0 : nullptr;
        for (int y = y0; y < y1; ++y, out += stride_) {
            for (int i = 0; i < count; ++i) {
                out[i] = pixel;
            }
        }
    }

    // Copies a width x height block from source (sx, sy) to (dx, dy) here, clipped
    // against both surfaces. The source may be this surface: the result is as if
    // the source block had been copied first.
    void Blit(int dx, int dy, const Surface& source, int sx, int sy, int width, int height);

    bool SamePixels(const Surface& other) const;

    // Tells whether the pixels may have changed: two equal revisions of a
    // surface mean that nothing wrote to it in between, and no two surfaces
    // (nor a surface before and after it was assigned) share a revision. Any
    // mutable row counts as a write, whether or not it wrote; reading does not.
    // A view has the revision of the surface it shows.
    struct Revision {
        std::uint64_t surface = 0;
        std::uint64_t writes = 0;
        bool operator==(const Revision&) const = default;
    };
    Revision revision() const { return {Root().serial_, Root().writes_}; }

    // Pixels held by all live surfaces together, and the most held at once since
    // the last reset: lets tests check what an operation allocates.
    static std::int64_t LivePixels();
    static std::int64_t PeakLivePixels();
    static void ResetPeakLivePixels();

  private:
    struct FreeAligned {
        std::int64_t pixels;  // counted in LivePixels
        void operator()(Pixel* p) const;
    };
    static std::uint64_t NextSerial();
    // The surface that owns the pixels: this one, or the one a view shows.
    Surface& Root() { return root_ != nullptr ? *root_ : *this; }
    const Surface& Root() const { return root_ != nullptr ? *root_ : *this; }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::unique_ptr<Pixel[], FreeAligned> pixels_;
    Pixel* data_ = nullptr;    // the first pixel: pixels_, or inside the root's
    Surface* root_ = nullptr;  // set on views only
    std::uint64_t serial_ = NextSerial();
    std::uint64_t writes_ = 0;
};

}  // namespace instruments
