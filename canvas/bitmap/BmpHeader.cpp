#include "canvas/bitmap/BmpHeader.h"

namespace instruments::bitmap {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;

}  // namespace

std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderBytes + kCoreHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    BmpHeader header;
    header.pixelOffset = ReadLe32(bytes, 10);
    header.infoSize = ReadLe32(bytes, 14);
    if (header.infoSize == kCoreHeaderBytes) {
        header.width = ReadLe16(bytes, 18);
        header.height = ReadLe16(bytes, 20);
        header.bitsPerPixel = ReadLe16(bytes, 24);
        return header;
    }
    // Every later header starts with 32-bit width and height; the compression
    // field exists from 20 bytes on.
    if (header.infoSize < 16 || bytes.size() < kFileHeaderBytes + 20) {
        return std::nullopt;
    }
    header.width = static_cast<std::int32_t>(ReadLe32(bytes, 18));
    header.height = static_cast<std::int32_t>(ReadLe32(bytes, 22));
    header.bitsPerPixel = ReadLe16(bytes, 28);
    if (header.infoSize >= 20) {
        header.compression = ReadLe32(bytes, 30);
    }
    return header;
}

bool PlausibleBmp(const BmpHeader& header, std::size_t fileSize, std::int64_t maxPixels) {
    if (header.width <= 0 || header.rows() == 0 || header.width * header.rows() > maxPixels) {
        return false;
    }
    if (!header.uncompressed()) {
        return true;
    }
    const std::int64_t available = static_cast<std::int64_t>(fileSize) - header.pixelOffset;
    return available >= 0 && header.stride() * header.rows() <= available;
}

}  // namespace instruments::bitmap
