#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "instruments/Surface.h"

namespace instruments::bitmap {

// The largest picture accepted, in pixels, and the largest file read.
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{16} << 20;
inline constexpr std::int64_t kMaxBmpFileBytes = std::int64_t{256} << 20;

// A decoded BMP picture read one row at a time. It holds at most one
// full-size copy of the picture, in the file's own pixel depth (one byte per
// pixel for a palette picture, whatever its run-length data claims), so a
// face is scaled from it without a 32-bit copy of the whole picture.
class BmpPicture final : public RowSource {
  public:
    // Opens a BMP file, or nullopt when it cannot be loaded. A name without a
    // "." names a resource; there are none, so such a name loads nothing.
    static std::optional<BmpPicture> Open(const std::string& path);
    // Decodes BMP file bytes, which must outlive the picture. The header is
    // checked first: a picture larger than kMaxBmpPixels, or an uncompressed
    // one whose rows the data cannot hold, is refused before any pixel memory
    // is reserved.
    static std::optional<BmpPicture> FromBytes(std::span<const std::uint8_t> bytes);

    BmpPicture(BmpPicture&&) noexcept;
    BmpPicture& operator=(BmpPicture&&) noexcept;
    ~BmpPicture() override;

    int width() const override;
    int height() const override;
    std::span<const std::uint8_t> StoredRow(int y) const override;
    void ReadRow(int y, Pixel* out) const override;

    // The decoded pixels (defined where they are decoded).
    struct Decoded;

  private:
    static std::optional<BmpPicture> Finish(std::unique_ptr<Decoded> decoded);
    explicit BmpPicture(std::unique_ptr<Decoded> decoded);
    std::unique_ptr<Decoded> decoded_;
};

// How many pictures have been decoded in this process (for tests and tools
// that check that a file is read once).
std::int64_t BmpPicturesDecoded();

// The whole picture as a surface (a second full-size copy; for tests and tools).
std::optional<Surface> LoadBmpFile(const std::string& path);
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace instruments::bitmap
