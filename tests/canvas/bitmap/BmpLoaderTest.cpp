#include "canvas/bitmap/BmpLoader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpFile.h"

namespace instruments::bitmap {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(INSTRUMENTS_SOURCE_DIR) / "tests/canvas/bitmap/bmpsuite";

std::optional<Surface> LoadSuite(const std::string& name) {
    return LoadBmpFile((kSuite / name).string());
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xffff);
    Put16(b, at + 2, v >> 16);
}

// A 24-bit BMP of the given pixel rows (0x00RRGGBB, top row first), stored
// bottom-up, or top-down with a negative height.
std::vector<std::uint8_t> MakeBmp24(const std::vector<std::vector<Pixel>>& rows, bool topDown) {
    Surface surface(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            surface.SetPixel(x, y, rows[y][x]);
        }
    }
    return EncodeBmp(surface, topDown ? BmpRows::TopDown : BmpRows::BottomUp);
}

// A header claiming width x height at the given depth and compression, with
// only a few bytes of data behind it.
std::vector<std::uint8_t> Claim(std::int32_t width, std::int32_t height, int bits,
                                std::uint32_t compression) {
    std::vector<std::uint8_t> b(2048, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, 54 + 1024);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    Put32(b, 30, compression);
    return b;
}

// A run-length picture (8 bits: compression 1, 4 bits: 2) with the given
// palette (0x00RRGGBB) and run-length data, claiming any size.
std::vector<std::uint8_t> RunLength(std::int32_t width, std::int32_t height, int bits,
                                    const std::vector<Pixel>& palette,
                                    const std::vector<std::uint8_t>& data) {
    const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(palette.size());
    std::vector<std::uint8_t> b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, offset);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    Put32(b, 30, bits == 8 ? 1 : 2);
    Put32(b, 34, static_cast<std::uint32_t>(data.size()));
    Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        Put32(b, 54 + 4 * i, palette[i]);
    }
    b.insert(b.end(), data.begin(), data.end());
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("bmptest_" + std::to_string(getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(BmpSuite, EveryFileLoadsOrIsRefused) {
    int files = 0;
    int loaded = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSuite)) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        ++files;
        const std::optional<Surface> surface = LoadBmpFile(entry.path().string());
        if (surface) {
            ++loaded;
            EXPECT_FALSE(surface->empty()) << entry.path();
            EXPECT_LE(std::int64_t{surface->width()} * surface->height(), kMaxBmpPixels);
        }
    }
    EXPECT_EQ(files, 91);
    EXPECT_GE(loaded, 27);
}

TEST(BmpSuite, GoodFilesLoadWithTheirSizes) {
    const std::map<std::string, std::pair<int, int>> odd = {
        {"pal8nonsquare.bmp", {127, 32}},
        {"pal8w124.bmp", {124, 61}},
        {"pal8w125.bmp", {125, 62}},
        {"pal8w126.bmp", {126, 63}},
    };
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(kSuite / "g")) {
        const std::string name = entry.path().filename().string();
        const std::optional<Surface> surface = LoadBmpFile(entry.path().string());
        ASSERT_TRUE(surface.has_value()) << name;
        const auto it = odd.find(name);
        const auto [w, h] = it != odd.end() ? it->second : std::pair{127, 64};
        EXPECT_EQ(surface->width(), w) << name;
        EXPECT_EQ(surface->height(), h) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 27);
}

TEST(BmpSuite, EncodingsOfOnePictureDecodeAlike) {
    const std::vector<std::vector<std::string>> families = {
        {"rgb24.bmp", "rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"},
        {"pal8.bmp", "pal8-0.bmp", "pal8topdown.bmp", "pal8rle.bmp", "pal8v4.bmp", "pal8v5.bmp",
         "pal8os2.bmp"},
        {"pal4.bmp", "pal4rle.bmp"},
        {"pal1.bmp", "pal1wb.bmp"},
        {"rgb16.bmp", "rgb16bfdef.bmp"},
        {"rgb16-565.bmp", "rgb16-565pal.bmp"},
    };
    for (const auto& family : families) {
        const std::optional<Surface> first = LoadSuite("g/" + family[0]);
        ASSERT_TRUE(first.has_value()) << family[0];
        for (std::size_t i = 1; i < family.size(); ++i) {
            const std::optional<Surface> other = LoadSuite("g/" + family[i]);
            ASSERT_TRUE(other.has_value()) << family[i];
            EXPECT_TRUE(first->SamePixels(*other)) << family[0] << " vs " << family[i];
        }
    }
}

TEST(BmpSuite, KnownPixelsHaveTheirColours) {
    // Read from the raw pixel data of the uncompressed files (row 0 = top).
    const std::optional<Surface> rgb = LoadSuite("g/rgb24.bmp");
    const std::optional<Surface> pal8 = LoadSuite("g/pal8.bmp");
    const std::optional<Surface> pal4 = LoadSuite("g/pal4.bmp");
    const std::optional<Surface> pal1bg = LoadSuite("g/pal1bg.bmp");
    ASSERT_TRUE(rgb && pal8 && pal4 && pal1bg);
    EXPECT_EQ(rgb->At(0, 0), 0x00ff0000u);
    EXPECT_EQ(rgb->At(126, 0), 0x009f9fbdu);
    EXPECT_EQ(rgb->At(20, 10), 0x00d7a5a5u);
    EXPECT_EQ(rgb->At(63, 32), 0x00ffffffu);
    EXPECT_EQ(rgb->At(0, 63), 0x00000000u);
    EXPECT_EQ(pal8->At(126, 0), 0x0099aaccu);
    EXPECT_EQ(pal8->At(126, 63), 0x00665566u);
    EXPECT_EQ(pal4->At(126, 0), 0x00ff80ffu);
    EXPECT_EQ(pal4->At(100, 50), 0x00008000u);
    EXPECT_EQ(pal1bg->At(0, 0), 0x0040ff40u);
    EXPECT_EQ(pal1bg->At(0, 63), 0x004040ffu);
}

TEST(BmpSuite, ClaimsBeyondTheDataAreRefused) {
    EXPECT_FALSE(LoadSuite("b/reallybig.bmp"));
    EXPECT_FALSE(LoadSuite("b/shortfile.bmp"));
    EXPECT_FALSE(LoadSuite("b/badbitcount.bmp"));
    EXPECT_FALSE(LoadSuite("b/badwidth.bmp"));
    EXPECT_FALSE(LoadSuite("x/ba-bm.bmp"));
}

TEST(BmpDecode, SmallPictureExactlyInBothRowOrders) {
    const std::vector<std::vector<Pixel>> rows = {{0x00ff0000, 0x0000ff00, 0x000000ff},
                                                  {0x00123456, 0x00ffffff, 0x00000000}};
    for (const bool topDown : {false, true}) {
        const std::optional<Surface> s = DecodeBmp(MakeBmp24(rows, topDown));
        ASSERT_TRUE(s.has_value());
        ASSERT_EQ(s->width(), 3);
        ASSERT_EQ(s->height(), 2);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(s->At(x, y), rows[y][x]) << x << "," << y << " topDown " << topDown;
            }
        }
    }
}

TEST(BmpDecode, HugeClaimsInTinyFilesAreRefusedQuickly) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DecodeBmp(Claim(20000, 20000, 24, 0)));
    EXPECT_FALSE(DecodeBmp(Claim(20000, -20000, 24, 0)));
    EXPECT_FALSE(DecodeBmp(Claim(20000, 20000, 8, 1)));  // RLE8: over the pixel limit
    EXPECT_FALSE(DecodeBmp(Claim(4000, 4000, 32, 3)));   // under the limit, but no data
    EXPECT_FALSE(DecodeBmp(Claim(4000, 4000, 1, 0)));
    EXPECT_FALSE(DecodeBmp(Claim(1, INT32_MIN, 24, 0)));
    EXPECT_FALSE(DecodeBmp(Claim(-5, 5, 24, 0)));
    EXPECT_FALSE(DecodeBmp(Claim(0, 5, 24, 0)));
    // Reserving the claimed size would take far longer than this (about 400 MB).
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(BmpPicture, RunLengthClaimsAreHeldAtTheFilesDepth) {
    // 60 bytes claiming 4096 x 4096: one colour and an immediate end of picture.
    const std::vector<std::uint8_t> big = RunLength(4096, 4096, 8, {0x00c81e1e}, {0x00, 0x01});
    ASSERT_EQ(big.size(), 60u);
    const std::optional<BmpPicture> picture = BmpPicture::FromBytes(big);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width(), 4096);
    EXPECT_EQ(picture->height(), 4096);
    // One byte per pixel, not four.
    EXPECT_EQ(picture->StoredRow(4095).size(), 4096u);
    std::vector<Pixel> row(4096);
    picture->ReadRow(4095, row.data());
    EXPECT_EQ(row.front(), 0x00c81e1eu);
    EXPECT_EQ(row.back(), 0x00c81e1eu);

    // 4 bits, 127 x 16384 (as tall as a surface may be): a run in the bottom
    // row, the end of the picture next.
    std::vector<Pixel> palette(16, 0x00ffffff);
    palette[1] = 0x00010203;
    palette[2] = 0x00a0b0c0;
    const std::optional<BmpPicture> tall =
        BmpPicture::FromBytes(RunLength(127, Surface::kMaxSide, 4, palette, {0x7f, 0x12, 0x00, 0x01}));
    ASSERT_TRUE(tall.has_value());
    ASSERT_EQ(tall->height(), Surface::kMaxSide);
    EXPECT_EQ(tall->StoredRow(0).size(), 127u);
    std::vector<Pixel> bottom(127);
    tall->ReadRow(Surface::kMaxSide - 1, bottom.data());
    EXPECT_EQ(bottom[0], 0x00010203u);
    EXPECT_EQ(bottom[1], 0x00a0b0c0u);
    EXPECT_EQ(bottom[126], 0x00010203u);
    std::vector<Pixel> top(127);
    tall->ReadRow(0, top.data());
    EXPECT_EQ(top[5], 0x00ffffffu);
}

TEST(BmpDecode, PixelOffsetPastTheEndIsRefused) {
    std::vector<std::uint8_t> b = MakeBmp24({{0x00ff0000, 0x00ff0000}}, false);
    Put32(b, 10, 0xfffffff0u);
    EXPECT_FALSE(DecodeBmp(b));
}

TEST(BmpDecode, TruncatedHeadersAreRefused) {
    const std::vector<std::uint8_t> whole = MakeBmp24({{0x00ff0000}}, false);
    for (std::size_t length : {0, 2, 14, 25, 33, 53}) {
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(DecodeBmp(cut)) << length;
    }
    std::vector<std::uint8_t> odd = whole;
    Put32(odd, 14, 13);  // no header has this size
    EXPECT_FALSE(DecodeBmp(odd));
}

TEST(BmpFile, NamesWithoutADotAreResourcesAndLoadNothing) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = MakeBmp24({{0x00ff0000, 0x0000ff00}}, false);
    WriteFile(dir.path / "quadrante", bytes);
    WriteFile(dir.path / "quadrante.bmp", bytes);
    const bool dirHasDot = dir.path.string().find('.') != std::string::npos;
    if (!dirHasDot) {
        EXPECT_FALSE(LoadBmpFile((dir.path / "quadrante").string()));
    }
    const std::optional<Surface> loaded = LoadBmpFile((dir.path / "quadrante.bmp").string());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->At(1, 0), 0x0000ff00u);
    EXPECT_FALSE(LoadBmpFile("quadrante"));
    EXPECT_FALSE(LoadBmpFile(""));
}

TEST(BmpFile, MissingFilesAndDirectoriesLoadNothing) {
    TempDir dir;
    EXPECT_FALSE(LoadBmpFile((dir.path / "missing.bmp").string()));
    fs::create_directories(dir.path / "folder.bmp");
    EXPECT_FALSE(LoadBmpFile((dir.path / "folder.bmp").string()));
    // A device behind a picture's name must not be read without end.
    fs::create_symlink("/dev/zero", dir.path / "zero.bmp");
    EXPECT_FALSE(LoadBmpFile((dir.path / "zero.bmp").string()));
    // Nor may a pipe with no writer hold the loader.
    ASSERT_EQ(::mkfifo((dir.path / "pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(LoadBmpFile((dir.path / "pipe.bmp").string()));
}

}  // namespace
}  // namespace instruments::bitmap
