#include "canvas/bitmap/BmpHeader.h"

#include <algorithm>
#include <utility>

#include "instruments/Surface.h"

namespace instruments::bitmap {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
// The fields every Windows info header (and the OS/2 2.x one) starts with.
constexpr std::uint32_t kInfoHeaderBytes = 40;

std::optional<BmpHeader> Refuse(std::string* problem, std::string why) {
    if (problem != nullptr) {
        *problem = std::move(why);
    }
    return std::nullopt;
}

bool SupportedDepth(std::uint32_t bits) {
    switch (bits) {
        case 1:
        case 2:
        case 4:
        case 8:
        case 15:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

std::string Bits(std::uint32_t bits) {
    return std::to_string(bits) + " bits per pixel";
}

// Why the compression cannot go with the rest of the header, or empty.
std::string CompressionProblem(const BmpHeader& h) {
    switch (h.compression) {
        case kBiRgb:
            return {};
        case kBiRle8:
        case kBiRle4: {
            const std::uint32_t needs = h.compression == kBiRle8 ? 8 : 4;
            const char* name = h.compression == kBiRle8 ? "RLE8" : "RLE4";
            if (h.bitsPerPixel != needs) {
                return std::string(name) + " run lengths with " + Bits(h.bitsPerPixel) +
                       " are not supported (they need " + Bits(needs) + ")";
            }
            // The format has no top-down run-length pictures.
            if (h.topDown()) {
                return std::string(name) + " run lengths in a top-down picture are not supported";
            }
            return {};
        }
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (h.os2v2()) {
                return h.compression == kBiBitfields ? "OS/2 Huffman 1D compression is not supported"
                                                     : "compression 6 in an OS/2 header is not supported";
            }
            if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32) {
                return "bit fields with " + Bits(h.bitsPerPixel) + " are not supported (only 16 and 32)";
            }
            return {};
        case kBiJpeg:
            return h.os2v2() ? "OS/2 24-bit run lengths are not supported"
                             : "an embedded JPEG picture is not supported";
        case kBiPng:
            return "an embedded PNG picture is not supported";
        default:
            return "compression " + std::to_string(h.compression) + " is not supported";
    }
}

}  // namespace

std::uint32_t BmpHeader::paletteColours() const {
    if (bitsPerPixel > 8) {
        return 0;
    }
    const std::uint32_t most = 1u << bitsPerPixel;
    if (infoSize == kCoreHeaderBytes || coloursUsed == 0 || coloursUsed > most) {
        return most;
    }
    return coloursUsed;
}

std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> bytes, std::string* problem) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'A') {
        return Refuse(problem, "an OS/2 bitmap array is not supported (only single BMP pictures)");
    }
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        return Refuse(problem, "not a BMP file (it does not start with \"BM\")");
    }
    if (bytes.size() < kFileHeaderBytes + 4) {
        return Refuse(problem, "the file ends inside its headers");
    }
    BmpHeader header;
    header.pixelOffset = ReadLe32(bytes, 10);
    header.infoSize = ReadLe32(bytes, 14);
    if (header.infoSize != kCoreHeaderBytes && header.infoSize < kInfoHeaderBytes) {
        return Refuse(problem, "an info header of " + std::to_string(header.infoSize) +
                                   " bytes is not supported (12, or 40 and more)");
    }
    if (bytes.size() < kFileHeaderBytes + std::min(header.infoSize, kInfoHeaderBytes)) {
        return Refuse(problem, "the file ends inside its headers");
    }
    if (header.infoSize == kCoreHeaderBytes) {
        header.width = ReadLe16(bytes, 18);
        header.height = ReadLe16(bytes, 20);
        header.bitsPerPixel = ReadLe16(bytes, 24);
        return header;
    }
    header.width = static_cast<std::int32_t>(ReadLe32(bytes, 18));
    header.height = static_cast<std::int32_t>(ReadLe32(bytes, 22));
    header.bitsPerPixel = ReadLe16(bytes, 28);
    header.compression = ReadLe32(bytes, 30);
    header.coloursUsed = ReadLe32(bytes, 46);
    return header;
}

std::string BmpProblem(const BmpHeader& header, std::size_t fileSize) {
    if (header.width == 0 || header.rows() == 0) {
        return "the picture has no pixels (" + std::to_string(header.width) + " x " +
               std::to_string(header.rows()) + ")";
    }
    if (std::string size = Surface::SizeError(header.width, header.rows()); !size.empty()) {
        return "the picture's " + size;
    }
    // The compression first: an embedded picture states no depth of its own.
    if (std::string compression = CompressionProblem(header); !compression.empty()) {
        return compression;
    }
    if (!SupportedDepth(header.bitsPerPixel)) {
        return Bits(header.bitsPerPixel) + " are not supported";
    }
    if (header.uncompressed()) {
        // Every row is read where it stands, so the file must hold them all.
        const std::int64_t needed = header.stride() * header.rows();
        const std::int64_t available = static_cast<std::int64_t>(fileSize) - header.pixelOffset;
        if (available < needed) {
            return "the file holds " + std::to_string(available < 0 ? 0 : available) + " bytes of pixels, " +
                   "the picture needs " + std::to_string(needed);
        }
    }
    return {};
}

}  // namespace instruments::bitmap
