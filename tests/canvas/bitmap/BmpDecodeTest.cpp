// The BMP decoder on small pictures built byte by byte: palette depths and
// their row padding, run lengths and their escapes, the OS/2 headers, what is
// refused and the reason given, and the memory a claimed size costs.

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpHeader.h"
#include "canvas/bitmap/BmpLoader.h"

// The pictures below name only the fields they need; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define INSTRUMENTS_HAS_ASAN 1
#endif
#endif
#ifndef INSTRUMENTS_HAS_ASAN
#define INSTRUMENTS_HAS_ASAN 0
#endif

namespace instruments::bitmap {
namespace {

namespace fs = std::filesystem;

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xffff);
    Put16(b, at + 2, v >> 16);
}

// A BMP file: a 40-byte info header (or the 12-byte core header), the palette
// (0x00RRGGBB) and the pixel data as given.
struct Bmp {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bits = 8;
    std::uint32_t compression = kBiRgb;
    std::vector<Pixel> palette;
    std::vector<std::uint8_t> data;
    std::uint32_t infoSize = 40;

    std::vector<std::uint8_t> Bytes() const {
        const bool core = infoSize == kCoreHeaderBytes;
        const std::size_t entry = core ? 3 : 4;
        const std::size_t offset = 14 + infoSize + entry * palette.size();
        // Room for the 40-byte fields even when the header is said to be shorter.
        std::vector<std::uint8_t> b(std::max<std::size_t>(offset, 54), 0);
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 10, static_cast<std::uint32_t>(offset));
        Put32(b, 14, infoSize);
        if (core) {
            Put16(b, 18, static_cast<std::uint32_t>(width));
            Put16(b, 20, static_cast<std::uint32_t>(height));
            Put16(b, 22, 1);
            Put16(b, 24, static_cast<std::uint32_t>(bits));
        } else {
            Put32(b, 18, static_cast<std::uint32_t>(width));
            Put32(b, 22, static_cast<std::uint32_t>(height));
            Put16(b, 26, 1);
            Put16(b, 28, static_cast<std::uint32_t>(bits));
            Put32(b, 30, compression);
            Put32(b, 34, static_cast<std::uint32_t>(data.size()));
            Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::size_t at = 14 + infoSize + entry * i;
            b[at] = static_cast<std::uint8_t>(palette[i]);
            b[at + 1] = static_cast<std::uint8_t>(palette[i] >> 8);
            b[at + 2] = static_cast<std::uint8_t>(palette[i] >> 16);
        }
        b.resize(offset);
        b.insert(b.end(), data.begin(), data.end());
        Put32(b, 2, static_cast<std::uint32_t>(b.size()));
        return b;
    }
};

const std::vector<Pixel> kColours = {0x00101010, 0x00ff0000, 0x0000ff00, 0x000000ff,
                                     0x00ffff00, 0x00ff00ff, 0x0000ffff, 0x00808080};

// The picture's pixels, top row first, or an empty list when it is refused.
std::vector<std::vector<Pixel>> Pixels(const std::vector<std::uint8_t>& bytes) {
    const std::optional<Surface> s = DecodeBmp(bytes);
    std::vector<std::vector<Pixel>> rows;
    for (int y = 0; s && y < s->height(); ++y) {
        rows.emplace_back(s->row(y), s->row(y) + s->width());
    }
    return rows;
}

std::string Refusal(const std::vector<std::uint8_t>& bytes) {
    std::string error;
    EXPECT_FALSE(DecodeBmp(bytes, &error).has_value());
    return error;
}

TEST(BmpPalettes, EveryDepthUnpacksHighBitsFirstAndSkipsRowPadding) {
    const std::vector<Pixel>& c = kColours;
    // 1 bit, 3 wide: 101 and padding bits that are all set.
    Bmp one{.width = 3, .height = 2, .bits = 1, .palette = {c[0], c[1]}};
    one.data = {0xbf, 0xff, 0xff, 0xff, 0x5f, 0xff, 0xff, 0xff};  // bottom row 101, top row 010
    EXPECT_EQ(Pixels(one.Bytes()), (std::vector<std::vector<Pixel>>{{c[0], c[1], c[0]}, {c[1], c[0], c[1]}}));
    // 2 bits, 5 wide: indices 3 2 1 0 3.
    Bmp two{.width = 5, .height = 1, .bits = 2, .palette = {c[0], c[1], c[2], c[3]}};
    two.data = {0xe4, 0xc0, 0, 0};
    EXPECT_EQ(Pixels(two.Bytes()), (std::vector<std::vector<Pixel>>{{c[3], c[2], c[1], c[0], c[3]}}));
    // 4 bits, 3 wide, top-down: the padding nibble names no colour of the palette.
    Bmp four{.width = 3, .height = -2, .bits = 4, .palette = {c[0], c[1], c[2], c[3], c[4], c[5]}};
    four.data = {0x12, 0x3f, 0, 0, 0x45, 0x0f, 0, 0};
    EXPECT_EQ(Pixels(four.Bytes()),
              (std::vector<std::vector<Pixel>>{{c[1], c[2], c[3]}, {c[4], c[5], c[0]}}));
}

TEST(BmpPalettes, CoreHeadersHaveThreeByteEntriesAndAFullPalette) {
    // The core header has no colour count: a 1-bit picture reads both entries,
    // each three bytes long.
    Bmp core{.width = 2, .height = 1, .bits = 1, .palette = {0x00123456, 0x00abcdef}, .infoSize = 12};
    core.data = {0x40, 0, 0, 0};
    EXPECT_EQ(Pixels(core.Bytes()), (std::vector<std::vector<Pixel>>{{0x00123456, 0x00abcdef}}));
}

TEST(BmpPalettes, IndicesPastThePaletteAreRefusedWithThePixel) {
    Bmp eight{.width = 3, .height = 1, .bits = 8, .palette = {kColours[0], kColours[1], kColours[2]}};
    eight.data = {0, 2, 3, 0};
    EXPECT_EQ(Refusal(eight.Bytes()),
              "BMP data: pixel (2, 0) has colour index 3, past the 3 colours of the palette");
    eight.data = {0, 2, 1, 7};  // only the padding byte is out of range
    EXPECT_EQ(Pixels(eight.Bytes()).size(), 1u);
    Bmp four{.width = 2, .height = 2, .bits = 4, .palette = {kColours[0], kColours[1]}};
    four.data = {0x01, 0, 0, 0, 0x10, 0, 0, 0};
    EXPECT_EQ(Pixels(four.Bytes()).size(), 2u);
    four.data[4] = 0x12;
    EXPECT_NE(Refusal(four.Bytes()).find("pixel (1, 0) has colour index 2"), std::string::npos);
}

TEST(BmpPalettes, APaletteCutShortByTheFileShowsWhite) {
    // A core-header picture of 8 bits implies 256 entries; the file ends after
    // two of them and the pixels.
    Bmp core{.width = 2, .height = 1, .bits = 8, .palette = {0x00112233, 0x00445566}, .infoSize = 12};
    std::vector<std::uint8_t> b = core.Bytes();
    b.insert(b.end(), {1, 0, 0, 0});  // the pixels lie where entries 2 and 3 would
    EXPECT_EQ(Pixels(b), (std::vector<std::vector<Pixel>>{{0x00445566, 0x00112233}}));
    b[14 + 12 + 6] = 5;  // entry 5 would lie past the file's end
    EXPECT_EQ(Pixels(b), (std::vector<std::vector<Pixel>>{{0x00ffffff, 0x00112233}}));
}

TEST(BmpDirect, FifteenBitsAreStoredAsSixteenAndTheCoreHeaderReadsDirectColours) {
    // 0x7fff is white at 5-5-5; 0x0421 gives 8 in every channel (1 * 255 / 31).
    for (const int bits : {15, 16}) {
        Bmp b{.width = 2, .height = 1, .bits = bits, .data = {0xff, 0x7f, 0x21, 0x04}};
        EXPECT_EQ(Pixels(b.Bytes()), (std::vector<std::vector<Pixel>>{{0x00ffffff, 0x00080808}})) << bits;
    }
    Bmp core{.width = 1, .height = 2, .bits = 24, .data = {1, 2, 3, 0, 4, 5, 6, 0}, .infoSize = 12};
    EXPECT_EQ(Pixels(core.Bytes()), (std::vector<std::vector<Pixel>>{{0x00060504}, {0x00030201}}));
}

// Run lengths: a 4 x 3 picture of eight colours.
Bmp RunLength(int bits, std::vector<std::uint8_t> data) {
    return Bmp{.width = 4,
               .height = 3,
               .bits = bits,
               .compression = bits == 8 ? kBiRle8 : kBiRle4,
               .palette = kColours,
               .data = std::move(data)};
}

TEST(BmpRunLength, RunsAbsoluteDataDeltasAndEndsOfRow) {
    const std::vector<Pixel>& c = kColours;
    // Bottom row: a run of 3, end of row; middle row: absolute 1 2 3 (padded),
    // then a move right by 1 and up by 1; top row: a run of 2 at x = 4 (outside).
    const Bmp eight = RunLength(8, {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 6, 0, 1});
    EXPECT_EQ(Pixels(eight.Bytes()),
              (std::vector<std::vector<Pixel>>{
                  {c[0], c[0], c[0], c[0]}, {c[1], c[2], c[3], c[0]}, {c[5], c[5], c[5], c[0]}}));
    // The same at 4 bits: runs alternate two indices, absolute data of 3
    // indices takes 2 bytes (no padding), of 5 takes 3 (and one of padding).
    const Bmp four = RunLength(4, {3, 0x56, 0, 0, 0, 3, 0x12, 0x30, 0, 0, 0, 5, 0x77, 0x77, 0x70, 0, 0, 1});
    EXPECT_EQ(Pixels(four.Bytes()),
              (std::vector<std::vector<Pixel>>{
                  {c[7], c[7], c[7], c[7]}, {c[1], c[2], c[3], c[0]}, {c[5], c[6], c[5], c[0]}}));
}

TEST(BmpRunLength, PixelsPastTheEdgesAreDroppedNotWrapped) {
    const std::vector<Pixel>& c = kColours;
    // A run of 7 in a row of 4, absolute data past the edge, and a run painted
    // above the top row: each row keeps what was painted in it.
    const Bmp eight = RunLength(8, {7, 1, 0, 0, 0, 6, 2, 2, 2, 2, 2, 2, 0, 0, 1, 3, 0, 0, 3, 4, 0, 1});
    EXPECT_EQ(Pixels(eight.Bytes()),
              (std::vector<std::vector<Pixel>>{
                  {c[3], c[0], c[0], c[0]}, {c[2], c[2], c[2], c[2]}, {c[1], c[1], c[1], c[1]}}));
    // Indices past the palette's colours show black (8 colours here).
    const Bmp high = RunLength(8, {2, 200, 0, 1});
    EXPECT_EQ(Pixels(high.Bytes()).back(), (std::vector<Pixel>{0, 0, c[0], c[0]}));
}

TEST(BmpRunLength, CutDataWrongDepthsAndTopDownAreRefused) {
    const std::string cut = "BMP data: the run-length data ends before its end-of-picture code";
    EXPECT_EQ(Refusal(RunLength(8, {}).Bytes()), cut);
    EXPECT_EQ(Refusal(RunLength(8, {3, 1, 0, 0}).Bytes()), cut);
    EXPECT_EQ(Refusal(RunLength(8, {0, 5, 1, 2, 3, 4, 5}).Bytes()), cut);  // the padding byte is missing
    EXPECT_EQ(Refusal(RunLength(4, {0, 2, 1}).Bytes()), cut);
    Bmp topDown = RunLength(8, {3, 1, 0, 1});
    topDown.height = -3;
    EXPECT_EQ(Refusal(topDown.Bytes()), "BMP data: RLE8 run lengths in a top-down picture are not supported");
    Bmp rle8At4 = RunLength(8, {3, 1, 0, 1});
    rle8At4.bits = 4;
    EXPECT_NE(Refusal(rle8At4.Bytes()).find("RLE8 run lengths with 4 bits per pixel"), std::string::npos);
    Bmp rle4At8 = RunLength(4, {3, 1, 0, 1});
    rle4At8.bits = 8;
    EXPECT_NE(Refusal(rle4At8.Bytes()).find("RLE4 run lengths with 8 bits per pixel"), std::string::npos);
}

// Bytes held by the allocator (small blocks and mapped large ones).
[[maybe_unused]] std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

TEST(BmpRunLength, AClaimCostsWhatTheDataPaints) {
#if defined(__SANITIZE_ADDRESS__) || INSTRUMENTS_HAS_ASAN
    GTEST_SKIP() << "the sanitizer's allocator does not report to mallinfo2";
#else
    // 8192 x 8192, the most pixels a picture may have, from 18 bytes of data
    // that paint two rows.
    const std::vector<std::uint8_t> bytes = Bmp{
        .width = 8192,
        .height = 8192,
        .bits = 8,
        .compression = kBiRle8,
        .palette = kColours,
        .data = {255, 1, 0, 2, 0, 200, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 1}}.Bytes();
    const std::size_t before = HeapInUse();
    std::optional<BmpPicture> picture = BmpPicture::FromBytes(bytes);
    const std::size_t held = HeapInUse() - before;
    ASSERT_TRUE(picture.has_value());
    // A row list, a blank row and two painted rows: well under a megabyte, where
    // the whole picture at one byte a pixel would be 64 MB.
    EXPECT_LT(held, std::size_t{1} << 20);
    std::vector<Pixel> row(8192);
    picture->ReadRow(8191, row.data());
    EXPECT_EQ(row[254], kColours[1]);
    EXPECT_EQ(row[255], kColours[0]);
    // The move up by 200 keeps x = 255.
    picture->ReadRow(8191 - 200, row.data());
    EXPECT_EQ(row[254], kColours[0]);
    EXPECT_EQ(row[255], kColours[2]);
    EXPECT_EQ(row[257], kColours[2]);
    EXPECT_EQ(row[258], kColours[0]);
#endif
}

TEST(BmpRefusals, SizesFollowTheSurfaceRule) {
    Bmp wide{.width = Surface::kMaxSide + 1,
             .height = 1,
             .bits = 8,
             .compression = kBiRle8,
             .palette = kColours,
             .data = {0, 1}};
    EXPECT_EQ(Refusal(wide.Bytes()),
              "BMP data: the picture's " + Surface::SizeError(Surface::kMaxSide + 1, 1));
    Bmp square = wide;
    square.width = 8193;
    square.height = 8193;
    EXPECT_EQ(Refusal(square.Bytes()), "BMP data: the picture's " + Surface::SizeError(8193, 8193));
    square.width = 8192;
    square.height = -8192;  // top-down: the height's sign is not its size
    EXPECT_NE(Refusal(square.Bytes()).find("top-down"), std::string::npos);
    Bmp widest{.width = Surface::kMaxSide, .height = 1, .bits = 1, .palette = {0, 0x00ffffff}};
    widest.data.assign(Surface::kMaxSide / 8, 0xff);
    const std::optional<Surface> loaded = DecodeBmp(widest.Bytes());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->At(Surface::kMaxSide - 1, 0), 0x00ffffffu);
    Bmp none{.width = 0, .height = 4, .bits = 24};
    EXPECT_EQ(Refusal(none.Bytes()), "BMP data: the picture has no pixels (0 x 4)");
}

TEST(BmpRefusals, EachNamesWhatIsNotSupported) {
    const auto reason = [](const Bmp& b) { return Refusal(b.Bytes()); };
    EXPECT_EQ(reason(Bmp{.bits = 64, .data = std::vector<std::uint8_t>(8)}),
              "BMP data: 64 bits per pixel are not supported");
    EXPECT_EQ(reason(Bmp{.bits = 24, .compression = kBiJpeg, .data = {0xff, 0xd8}}),
              "BMP data: an embedded JPEG picture is not supported");
    EXPECT_EQ(reason(Bmp{.bits = 24, .compression = kBiPng, .data = {0x89, 'P'}}),
              "BMP data: an embedded PNG picture is not supported");
    EXPECT_EQ(reason(Bmp{.bits = 24, .compression = 9, .data = std::vector<std::uint8_t>(4)}),
              "BMP data: compression 9 is not supported");
    EXPECT_EQ(reason(Bmp{.bits = 8, .compression = kBiBitfields, .palette = kColours, .data = {0, 0, 0, 0}}),
              "BMP data: bit fields with 8 bits per pixel are not supported (only 16 and 32)");
    // In an OS/2 2.x header, codes 3 and 4 are Huffman 1D and 24-bit run lengths.
    Bmp huffman{.bits = 1,
                .compression = 3,
                .palette = {0, 0x00ffffff},
                .data = {0, 0, 0, 0},
                .infoSize = kOs2HeaderBytes};
    EXPECT_EQ(reason(huffman), "BMP data: OS/2 Huffman 1D compression is not supported");
    Bmp rle24{.bits = 24, .compression = 4, .data = {0, 0, 0, 0}, .infoSize = kOs2HeaderBytes};
    EXPECT_EQ(reason(rle24), "BMP data: OS/2 24-bit run lengths are not supported");
    EXPECT_EQ(reason(Bmp{.bits = 24, .data = {0, 0, 0, 0}, .infoSize = 16}),
              "BMP data: an info header of 16 bytes is not supported (12, or 40 and more)");
    EXPECT_EQ(reason(Bmp{.bits = 24, .data = {0, 0}}),
              "BMP data: the file holds 2 bytes of pixels, the picture needs 4");
    std::vector<std::uint8_t> array = Bmp{.bits = 24, .data = {0, 0, 0, 0}}.Bytes();
    array[1] = 'A';
    EXPECT_NE(Refusal(array).find("OS/2 bitmap array"), std::string::npos);
}

TEST(BmpRefusals, FilesAreNamedInTheReason) {
    const fs::path folder = fs::temp_directory_path() / ("bmpdecode_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / "face.bmp";
    const std::vector<std::uint8_t> bytes = Bmp{.bits = 24, .compression = kBiJpeg, .data = {0xff}}.Bytes();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string error;
    EXPECT_FALSE(LoadBmpFile(path.string(), &error));
    EXPECT_EQ(error, path.string() + ": an embedded JPEG picture is not supported");
    EXPECT_FALSE(BmpPicture::Open((folder / "missing.bmp").string(), &error));
    EXPECT_EQ(error.rfind((folder / "missing.bmp").string() + ": cannot be opened", 0), 0u) << error;
    fs::remove_all(folder);
}

TEST(BmpSuite, QuestionableFilesAreRefusedForTheirReason) {
    const fs::path suite = fs::path(INSTRUMENTS_SOURCE_DIR) / "tests/canvas/bitmap/bmpsuite";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"q/pal1huffmsb.bmp", "OS/2 Huffman 1D compression is not supported"},
        {"q/rgb24rle24.bmp", "OS/2 24-bit run lengths are not supported"},
        {"q/rgb24jpeg.bmp", "an embedded JPEG picture is not supported"},
        {"q/rgb24png.bmp", "an embedded PNG picture is not supported"},
        {"q/rgba64.bmp", "64 bits per pixel are not supported"},
        {"q/pal8os2v2-16.bmp", "an info header of 16 bytes is not supported (12, or 40 and more)"},
        {"b/rletopdown.bmp", "RLE8 run lengths in a top-down picture are not supported"},
        {"b/pal8badindex.bmp", "pixel (8, 0) has colour index 102, past the 101 colours of the palette"},
    };
    for (const auto& [name, reason] : refused) {
        std::string error;
        EXPECT_FALSE(LoadBmpFile((suite / name).string(), &error)) << name;
        EXPECT_EQ(error, (suite / name).string() + ": " + reason);
    }
}

}  // namespace
}  // namespace instruments::bitmap
