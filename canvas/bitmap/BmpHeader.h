#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace instruments::bitmap {

// Compression codes of a BMP header. An OS/2 2.x header (64 bytes) gives 3 and
// 4 other meanings: Huffman 1D and 24-bit run lengths.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;
inline constexpr std::uint32_t kBiJpeg = 4;
inline constexpr std::uint32_t kBiPng = 5;
inline constexpr std::uint32_t kBiAlphaBitfields = 6;

// Info header sizes with a meaning of their own: the OS/2 1.x core header
// (16-bit sizes, 3-byte palette entries) and the OS/2 2.x header.
inline constexpr std::uint32_t kCoreHeaderBytes = 12;
inline constexpr std::uint32_t kOs2HeaderBytes = 64;

// The fields of a BMP file's headers that say how the pixels are stored.
struct BmpHeader {
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative when rows are stored top-down
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;  // 0: as many as the depth allows
    std::uint32_t pixelOffset = 0;

    std::int64_t rows() const { return height < 0 ? -height : height; }
    bool topDown() const { return height < 0; }
    bool os2v2() const { return infoSize == kOs2HeaderBytes; }
    // Bits of one stored pixel: a 15-bit picture stores 16-bit pixels.
    std::uint32_t storedBits() const { return bitsPerPixel == 15 ? 16 : bitsPerPixel; }
    // Bytes per stored row: rows are padded to 4 bytes.
    std::int64_t stride() const { return (width * storedBits() + 31) / 32 * 4; }
    bool bitfields() const {
        return !os2v2() && (compression == kBiBitfields || compression == kBiAlphaBitfields);
    }
    // Whether rows are stored as they stand (no run lengths or embedded codec).
    bool uncompressed() const { return compression == kBiRgb || bitfields(); }
    bool runLength() const { return compression == kBiRle8 || compression == kBiRle4; }
    // Colours of the palette (0 for a picture of direct colours); more than the
    // depth can address count as that many.
    std::uint32_t paletteColours() const;
    std::size_t paletteOffset() const { return 14 + std::size_t{infoSize}; }
    std::size_t paletteEntryBytes() const { return infoSize == kCoreHeaderBytes ? 3 : 4; }
};

// Reads the file header and the info header's fields; nullopt when the bytes
// are not a BMP file, are too short to hold those fields or have an info
// header of no known size, with the reason in *problem when given.
std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> bytes, std::string* problem = nullptr);

// Why a picture with this header cannot be decoded from a file of fileSize
// bytes (its size, an unsupported depth or compression, rows the file cannot
// hold), or an empty string when it can.
std::string BmpProblem(const BmpHeader& header, std::size_t fileSize);

// Little-endian reads; the caller checks the bounds.
inline std::uint32_t ReadLe16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t ReadLe32(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadLe16(b, at) | (ReadLe16(b, at + 2) << 16);
}

}  // namespace instruments::bitmap
