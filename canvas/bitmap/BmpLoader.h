#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "instruments/Surface.h"

namespace instruments::bitmap {

// The largest picture accepted, in pixels (a picture also has at most
// Surface::kMaxSide pixels a side), and the largest file read.
inline constexpr std::int64_t kMaxBmpPixels = Surface::kMaxPixels;
inline constexpr std::int64_t kMaxBmpFileBytes = std::int64_t{256} << 20;

// A decoded BMP picture read one row at a time. It holds at most one
// full-size copy of the picture, in the file's own pixel depth, so a face is
// scaled from it without a 32-bit copy of the whole picture: uncompressed rows
// are read from the file's bytes as they stand, and run-length rows are kept
// at one byte per pixel, only for the rows the data paints.
//
// Read: 1-, 2-, 4- and 8-bit palettes (Windows and OS/2 headers), RLE4 and
// RLE8, 16-, 24- and 32-bit pixels with the usual or any colour masks, rows
// bottom-up or top-down. Alpha is dropped.
class BmpPicture final : public RowSource {
  public:
    // Opens a BMP file, or nullopt when it cannot be loaded, with the file's
    // name and the reason in *error when given. A name without a "." names a
    // resource; there are none, so such a name loads nothing.
    static std::optional<BmpPicture> Open(const std::string& path, std::string* error = nullptr);
    // Decodes BMP file bytes, which must outlive the picture. The header is
    // checked first: a picture larger than a surface may be, or an
    // uncompressed one whose rows the data cannot hold, is refused before any
    // pixel memory is reserved.
    static std::optional<BmpPicture> FromBytes(std::span<const std::uint8_t> bytes,
                                               std::string* error = nullptr);

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
std::optional<Surface> LoadBmpFile(const std::string& path, std::string* error = nullptr);
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

}  // namespace instruments::bitmap
