#include "instruments/Png.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace instruments::bitmap {

namespace {

constexpr std::int64_t kMaxPngPixels = std::int64_t{16} << 20;

// libpng's simplified interface reports errors through the image's flags
// rather than through longjmp, so no C++ object is ever jumped over.
png_image EmptyImage() {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    return image;
}

}  // namespace

bool WritePng(const Surface& surface, const std::string& path) {
    if (surface.empty()) {
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
    std::uint8_t* out = rgb.data();
    for (int y = 0; y < surface.height(); ++y) {
        const Pixel* row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            *out++ = static_cast<std::uint8_t>(row[x] >> 16);
            *out++ = static_cast<std::uint8_t>(row[x] >> 8);
            *out++ = static_cast<std::uint8_t>(row[x]);
        }
    }
    png_image image = EmptyImage();
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}

std::optional<Surface> ReadPng(const std::string& path) {
    png_image image = EmptyImage();
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        png_image_free(&image);
        return std::nullopt;
    }
    const std::int64_t pixels = std::int64_t{image.width} * image.height;
    if (image.width == 0 || image.height == 0 || pixels > kMaxPngPixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    // BGRA in memory is the surface's own pixel word with the alpha on top.
    image.format = PNG_FORMAT_BGRA;
    Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
    std::vector<std::uint32_t> words(static_cast<std::size_t>(pixels));
    if (surface.empty() || png_image_finish_read(&image, nullptr, words.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return std::nullopt;
    }
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* in = words.data() + static_cast<std::size_t>(y) * image.width;
        Pixel* row = surface.mutableRow(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[x] = in[x] & 0x00ffffffu;
        }
    }
    return surface;
}

}  // namespace instruments::bitmap
