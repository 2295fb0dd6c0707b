#include "tests/e2e/Xwd.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace e2e {

using instruments::Pixel;
using instruments::Surface;

namespace {

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

}  // namespace

std::optional<Surface> ReadXwd(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.size() < 100) {
        return std::nullopt;
    }
    auto field = [&](int index) { return BigEndian32(bytes, static_cast<std::size_t>(index) * 4); };
    const std::uint32_t headerSize = field(0);
    const std::uint32_t format = field(2);
    const int width = static_cast<int>(field(4));
    const int height = static_cast<int>(field(5));
    const std::uint32_t byteOrder = field(7);
    const std::uint32_t bitsPerPixel = field(11);
    const std::uint32_t bytesPerLine = field(12);
    const std::uint32_t colours = field(19);
    const std::size_t start = headerSize + static_cast<std::size_t>(colours) * 12;
    if (format != 2 || bitsPerPixel != 32 || width <= 0 || height <= 0 || width > 8192 || height > 8192 ||
        bytesPerLine < static_cast<std::uint32_t>(width) * 4 ||
        start + static_cast<std::size_t>(bytesPerLine) * height > bytes.size()) {
        return std::nullopt;
    }
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &bytes[start + static_cast<std::size_t>(y) * bytesPerLine + x * 4u];
            const Pixel value =
                byteOrder == 0 ? (p[0] | p[1] << 8 | p[2] << 16) : (p[3] | p[2] << 8 | p[1] << 16);
            surface.SetPixel(x, y, value & 0xFFFFFF);
        }
    }
    return surface;
}

}  // namespace e2e
