#include "instruments/Png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace instruments::bitmap {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("pngtest_" + std::to_string(getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

TEST(PngFile, RoundTripKeepsEveryPixel) {
    TempDir dir;
    Surface original(37, 23);
    for (int y = 0; y < original.height(); ++y) {
        for (int x = 0; x < original.width(); ++x) {
            original.SetPixel(x, y,
                              (static_cast<Pixel>(x * 7) << 16) | (static_cast<Pixel>(y * 11) << 8) |
                                  static_cast<Pixel>((x * y) & 0xff));
        }
    }
    const std::string path = (dir.path / "round.png").string();
    ASSERT_TRUE(WritePng(original, path));
    const std::optional<Surface> back = ReadPng(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->SamePixels(original));
}

TEST(PngFile, FailuresAreReported) {
    TempDir dir;
    EXPECT_FALSE(WritePng(Surface(), (dir.path / "empty.png").string()));
    EXPECT_FALSE(WritePng(Surface(2, 2), (dir.path / "no/such/folder.png").string()));
    EXPECT_FALSE(ReadPng((dir.path / "missing.png").string()));

    const std::string path = (dir.path / "cut.png").string();
    ASSERT_TRUE(WritePng(Surface(64, 64, 0x00102030), path));
    fs::resize_file(path, fs::file_size(path) / 2);
    EXPECT_FALSE(ReadPng(path));

    const std::string notPng = (dir.path / "text.png").string();
    std::ofstream(notPng) << "not a picture at all";
    EXPECT_FALSE(ReadPng(notPng));
}

}  // namespace
}  // namespace instruments::bitmap
