#include "canvas/bitmap/BmpFile.h"

#include <cstdio>

namespace instruments::bitmap {

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;
// 96 dots per inch.
constexpr std::uint32_t kPixelsPerMetre = 3780;

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutLe16(out, value & 0xffff);
    PutLe16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Surface& surface, BmpRows rows) {
    if (surface.empty()) {
        return {};
    }
    const int width = surface.width();
    const int height = surface.height();
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    const std::int32_t storedHeight = rows == BmpRows::TopDown ? -height : height;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, kHeaderBytes + pixelBytes);
    PutLe32(out, 0);  // reserved
    PutLe32(out, kHeaderBytes);
    PutLe32(out, 40);
    PutLe32(out, static_cast<std::uint32_t>(width));
    PutLe32(out, static_cast<std::uint32_t>(storedHeight));
    PutLe16(out, 1);  // planes
    PutLe16(out, 24);
    PutLe32(out, 0);  // no compression
    PutLe32(out, pixelBytes);
    PutLe32(out, kPixelsPerMetre);
    PutLe32(out, kPixelsPerMetre);
    PutLe32(out, 0);  // colours used
    PutLe32(out, 0);  // important colours
    for (int i = 0; i < height; ++i) {
        const Pixel* row = surface.row(rows == BmpRows::TopDown ? i : height - 1 - i);
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<std::uint8_t>(row[x]));
            out.push_back(static_cast<std::uint8_t>(row[x] >> 8));
            out.push_back(static_cast<std::uint8_t>(row[x] >> 16));
        }
        out.resize(out.size() + (stride - static_cast<std::uint32_t>(width) * 3), 0);
    }
    return out;
}

bool WriteBmp(const Surface& surface, const std::string& path) {
    const std::vector<std::uint8_t> bytes = EncodeBmp(surface);
    if (bytes.empty()) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace instruments::bitmap
