// The BMP writer: exact header bytes, and pictures of every row padding read
// back unchanged by the loader, in both row orders and through a file.

#include "canvas/bitmap/BmpFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpLoader.h"

namespace instruments::bitmap {
namespace {

namespace fs = std::filesystem;

// A picture whose every pixel differs from its neighbours in all three bytes.
Surface Pattern(int width, int height) {
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto red = static_cast<Pixel>(x * 37 + y * 11) & 0xff;
            const auto green = static_cast<Pixel>(x * 5 + y * 71) & 0xff;
            const auto blue = static_cast<Pixel>(x + y * 3) & 0xff;
            surface.SetPixel(x, y, red << 16 | green << 8 | blue);
        }
    }
    return surface;
}

TEST(BmpWriter, HeaderAndPaddingBytes) {
    // 2 x 2: 6 bytes of pixels and 2 of padding per row, bottom row first.
    Surface surface(2, 2);
    surface.SetPixel(0, 0, 0x00112233);
    surface.SetPixel(1, 0, 0x00445566);
    surface.SetPixel(0, 1, 0x00778899);
    surface.SetPixel(1, 1, 0x00aabbcc);
    // clang-format off
    const std::vector<std::uint8_t> want = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,              // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,            // size, width, height, planes, bits
        0, 0, 0, 0, 16, 0, 0, 0, 0xc4, 0x0e, 0, 0, 0xc4, 0x0e, 0, 0, // compression, data size, 3780 ppm
        0, 0, 0, 0, 0, 0, 0, 0,                                      // palette counts
        0x99, 0x88, 0x77, 0xcc, 0xbb, 0xaa, 0, 0,                    // bottom row
        0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0,                    // top row
    };
    // clang-format on
    EXPECT_EQ(EncodeBmp(surface), want);

    // Top-down: height -2 and the top row first.
    std::vector<std::uint8_t> topDown = want;
    const std::vector<std::uint8_t> minusTwo = {0xfe, 0xff, 0xff, 0xff};
    std::copy(minusTwo.begin(), minusTwo.end(), topDown.begin() + 22);
    std::rotate(topDown.begin() + 54, topDown.begin() + 62, topDown.end());
    EXPECT_EQ(EncodeBmp(surface, BmpRows::TopDown), topDown);
}

TEST(BmpWriter, LoaderReadsBackEveryPadding) {
    for (const int width : {1, 2, 3, 4, 5, 17}) {
        const Surface picture = Pattern(width, 3);
        for (const BmpRows rows : {BmpRows::BottomUp, BmpRows::TopDown}) {
            const std::vector<std::uint8_t> bytes = EncodeBmp(picture, rows);
            EXPECT_EQ(bytes.size(), 54u + (width * 3u + 3) / 4 * 4 * 3) << width;
            const std::optional<Surface> decoded = DecodeBmp(bytes);
            ASSERT_TRUE(decoded.has_value()) << width;
            EXPECT_TRUE(decoded->SamePixels(picture))
                << "width " << width << " top-down " << (rows == BmpRows::TopDown);
        }
    }
}

TEST(BmpWriter, WritesFilesAndRefusesWhatItCannotWrite) {
    const fs::path folder = fs::temp_directory_path() / ("bmpfile_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const Surface picture = Pattern(7, 5);
    const std::string path = (folder / "picture.bmp").string();
    ASSERT_TRUE(WriteBmp(picture, path));
    EXPECT_EQ(fs::file_size(path), EncodeBmp(picture).size());
    const std::optional<Surface> loaded = LoadBmpFile(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(loaded->SamePixels(picture));

    EXPECT_TRUE(EncodeBmp(Surface()).empty());
    EXPECT_FALSE(WriteBmp(Surface(), (folder / "empty.bmp").string()));
    EXPECT_FALSE(fs::exists(folder / "empty.bmp"));
    EXPECT_FALSE(WriteBmp(picture, (folder / "missing" / "picture.bmp").string()));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace instruments::bitmap
