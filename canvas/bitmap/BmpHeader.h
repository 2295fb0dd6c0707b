#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace instruments::bitmap {

// Compression codes of a BMP header.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiBitfields = 3;
inline constexpr std::uint32_t kBiAlphaBitfields = 6;

// The fields of a BMP file's headers that decide how much memory decoding
// needs and where the pixels are.
struct BmpHeader {
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative when rows are stored top-down
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t pixelOffset = 0;

    std::int64_t rows() const { return height < 0 ? -height : height; }
    bool topDown() const { return height < 0; }
    // Bytes per stored row: rows are padded to 4 bytes.
    std::int64_t stride() const { return (width * bitsPerPixel + 31) / 32 * 4; }
    // Whether rows are stored as they stand (no run-length or embedded codec).
    bool uncompressed() const {
        return compression == kBiRgb || compression == kBiBitfields || compression == kBiAlphaBitfields;
    }
};

// Reads the file header and the start of the info header; nullopt when the
// bytes are not a BMP file or are too short to hold those fields.
std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> bytes);

// Whether decoding can go ahead: the picture has at most maxPixels pixels and,
// when uncompressed, the file holds every row it claims.
bool PlausibleBmp(const BmpHeader& header, std::size_t fileSize, std::int64_t maxPixels);

// Little-endian reads; the caller checks the bounds.
inline std::uint32_t ReadLe16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t ReadLe32(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadLe16(b, at) | (ReadLe16(b, at + 2) << 16);
}

}  // namespace instruments::bitmap
