#include "canvas/bitmap/StretchBlackOnWhite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

namespace instruments::bitmap {
namespace {

constexpr Pixel kUntouched = 0x00abcdef;

// A one-row (or one-column) source whose pixel s lacks only bit s: the AND of
// any group of them shows exactly which source pixels took part.
Surface OneHotLine(int n, bool vertical = false) {
    Surface s(vertical ? 1 : n, vertical ? n : 1);
    for (int i = 0; i < n; ++i) {
        s.SetPixel(vertical ? 0 : i, vertical ? i : 0, 0x00ffffffu & ~(Pixel{1} << i));
    }
    return s;
}

// The source indices whose bits are cleared in a pixel.
std::vector<int> SourcesOf(Pixel p, int n) {
    std::vector<int> sources;
    for (int i = 0; i < n; ++i) {
        if ((p & (Pixel{1} << i)) == 0) {
            sources.push_back(i);
        }
    }
    return sources;
}

// For an enlargement: the source index each destination pixel took.
std::vector<int> EnlargedIndices(int S, int D, bool vertical = false) {
    const Surface src = OneHotLine(S, vertical);
    Surface dst(vertical ? 1 : D, vertical ? D : 1, kUntouched);
    StretchBlackOnWhite(src, 0, 0, vertical ? 1 : S, vertical ? S : 1, dst, 0, 0, vertical ? 1 : D,
                        vertical ? D : 1);
    std::vector<int> indices;
    for (int d = 0; d < D; ++d) {
        const std::vector<int> sources = SourcesOf(dst.At(vertical ? 0 : d, vertical ? d : 0), S);
        indices.push_back(sources.size() == 1 ? sources[0] : -1);
    }
    return indices;
}

// For a shrink: the destination index each source pixel went to.
std::vector<int> ShrunkGroups(int S, int D, bool vertical = false) {
    const Surface src = OneHotLine(S, vertical);
    Surface dst(vertical ? 1 : D, vertical ? D : 1, kUntouched);
    StretchBlackOnWhite(src, 0, 0, vertical ? 1 : S, vertical ? S : 1, dst, 0, 0, vertical ? 1 : D,
                        vertical ? D : 1);
    std::vector<int> group(S, -1);
    for (int d = 0; d < D; ++d) {
        for (int s : SourcesOf(dst.At(vertical ? 0 : d, vertical ? d : 0), S)) {
            group[s] = d;
        }
    }
    return group;
}

using Seq = std::vector<int>;

TEST(StretchBlackOnWhite, EnlargingRepeatsTheObservedSourceIndices) {
    for (const bool vertical : {false, true}) {
        EXPECT_EQ(EnlargedIndices(3, 7, vertical), (Seq{0, 0, 1, 1, 1, 2, 2}));
        EXPECT_EQ(EnlargedIndices(3, 8, vertical), (Seq{0, 0, 0, 1, 1, 2, 2, 2}));
        EXPECT_EQ(EnlargedIndices(2, 5, vertical), (Seq{0, 0, 0, 1, 1}));
        EXPECT_EQ(EnlargedIndices(4, 10, vertical), (Seq{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
        EXPECT_EQ(EnlargedIndices(5, 9, vertical), (Seq{0, 0, 1, 1, 2, 3, 3, 4, 4}));
        EXPECT_EQ(EnlargedIndices(4, 4, vertical), (Seq{0, 1, 2, 3}));
    }
}

TEST(StretchBlackOnWhite, ShrinkingAndsTheObservedGroups) {
    for (const bool vertical : {false, true}) {
        EXPECT_EQ(ShrunkGroups(7, 3, vertical), (Seq{0, 0, 1, 1, 1, 2, 2}));
        EXPECT_EQ(ShrunkGroups(8, 3, vertical), (Seq{0, 0, 0, 1, 1, 2, 2, 2}));
        EXPECT_EQ(ShrunkGroups(10, 4, vertical), (Seq{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
        EXPECT_EQ(ShrunkGroups(9, 4, vertical), (Seq{0, 0, 1, 1, 1, 2, 2, 3, 3}));
        EXPECT_EQ(ShrunkGroups(5, 2, vertical), (Seq{0, 0, 0, 1, 1}));
    }
}

TEST(StretchBlackOnWhite, EverySizePairFollowsTheIndexRule) {
    for (int S = 1; S <= 24; ++S) {
        for (int D = 1; D <= 24; ++D) {
            if (D >= S) {
                const Seq got = EnlargedIndices(S, D);
                for (int d = 0; d < D; ++d) {
                    ASSERT_EQ(got[d], ((2 * d + 1) * S - 1) / (2 * D)) << S << "->" << D << " at " << d;
                }
            } else {
                const Seq got = ShrunkGroups(S, D);
                for (int s = 0; s < S; ++s) {
                    ASSERT_EQ(got[s], ((2 * s + 1) * D - 1) / (2 * S)) << S << "->" << D << " at " << s;
                }
            }
        }
    }
}

TEST(StretchBlackOnWhite, AxesCombineIntoBlocks) {
    // 4 x 2 onto 2 x 1: each destination pixel is the AND of a 2 x 2 block.
    Surface src(4, 2);
    const Pixel values[2][4] = {{0xfffff0, 0xffff0f, 0xfff0ff, 0xff0fff},
                                {0xfffeff, 0xfffdff, 0xefffff, 0xdfffff}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            src.SetPixel(x, y, values[y][x]);
        }
    }
    Surface dst(2, 1, kUntouched);
    StretchBlackOnWhite(src, 0, 0, 4, 2, dst, 0, 0, 2, 1);
    EXPECT_EQ(dst.At(0, 0), 0xfffcf0u & 0xffff0fu);
    EXPECT_EQ(dst.At(1, 0), 0xcff0ffu & 0xff0fffu);
}

TEST(StretchBlackOnWhite, OneAxisCanShrinkWhileTheOtherEnlarges) {
    // Pixel (x, y) of a 2 x 4 source lacks bit 4x + y.
    Surface tall(2, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 2; ++x) {
            tall.SetPixel(x, y, 0x00ffffffu & ~(Pixel{1} << (4 * x + y)));
        }
    }
    Surface wide(3, 2, kUntouched);  // columns 2 -> 3 (0 0 1), rows 4 -> 2 (0 0 1 1)
    StretchBlackOnWhite(tall, 0, 0, 2, 4, wide, 0, 0, 3, 2);
    const Pixel all = 0x00ffffff;
    EXPECT_EQ(wide.At(0, 0), all & ~0x03u);
    EXPECT_EQ(wide.At(1, 0), all & ~0x03u);
    EXPECT_EQ(wide.At(2, 0), all & ~0x30u);
    EXPECT_EQ(wide.At(0, 1), all & ~0x0cu);
    EXPECT_EQ(wide.At(2, 1), all & ~0xc0u);
    // And the transposed case: columns shrink, rows enlarge.
    Surface turned(4, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            turned.SetPixel(x, y, tall.At(y, x));
        }
    }
    Surface high(2, 3, kUntouched);
    StretchBlackOnWhite(turned, 0, 0, 4, 2, high, 0, 0, 2, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(high.At(x, y), wide.At(y, x)) << x << "," << y;
        }
    }
}

TEST(StretchBlackOnWhite, UsesOnlyTheSourceRectangle) {
    Surface src(6, 1, 0);  // black outside the rectangle would show up in an AND
    src.SetPixel(2, 0, 0x00112233);
    src.SetPixel(3, 0, 0x00445566);
    Surface dst(4, 1, kUntouched);
    StretchBlackOnWhite(src, 2, 0, 2, 1, dst, 0, 0, 4, 1);
    EXPECT_EQ(dst.At(0, 0), 0x00112233u);
    EXPECT_EQ(dst.At(1, 0), 0x00112233u);
    EXPECT_EQ(dst.At(2, 0), 0x00445566u);
    EXPECT_EQ(dst.At(3, 0), 0x00445566u);
}

TEST(StretchBlackOnWhite, DestinationIsClipped) {
    const Surface src = OneHotLine(5);
    Surface whole(9, 1, kUntouched);
    StretchBlackOnWhite(src, 0, 0, 5, 1, whole, 0, 0, 9, 1);
    // The same stretch placed 3 pixels left of and past the right of a 4-wide surface.
    Surface part(4, 3, kUntouched);
    StretchBlackOnWhite(src, 0, 0, 5, 1, part, -3, 1, 9, 1);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(part.At(x, 1), whole.At(x + 3, 0)) << x;
        EXPECT_EQ(part.At(x, 0), kUntouched);
        EXPECT_EQ(part.At(x, 2), kUntouched);
    }
}

TEST(StretchBlackOnWhite, SourceOutsideItsSurfaceContributesOnlyTheEdge) {
    // A 4-pixel source rectangle starting one pixel left of a 2-pixel surface,
    // shrunk to 2: destination 0 gathers sources -1 and 0 (only 0 exists),
    // destination 1 gathers 1 and 2 (only 1 exists).
    Surface src(2, 1);
    src.SetPixel(0, 0, 0x00f0f0f0);
    src.SetPixel(1, 0, 0x000f0f0f);
    Surface dst(2, 1, kUntouched);
    StretchBlackOnWhite(src, -1, 0, 4, 1, dst, 0, 0, 2, 1);
    EXPECT_EQ(dst.At(0, 0), 0x00f0f0f0u);
    EXPECT_EQ(dst.At(1, 0), 0x000f0f0fu);
    // A source rectangle one pixel wider than its surface still fills the whole
    // target: the destination pixel with no source inside takes the edge pixel.
    Surface wider(3, 1, kUntouched);
    StretchBlackOnWhite(src, 0, 0, 3, 1, wider, 0, 0, 3, 1);
    EXPECT_EQ(wider.At(0, 0), 0x00f0f0f0u);
    EXPECT_EQ(wider.At(1, 0), 0x000f0f0fu);
    EXPECT_EQ(wider.At(2, 0), 0x000f0f0fu);
    // Enlarged from a rectangle wholly right of the surface: the edge repeats.
    Surface far(6, 2, kUntouched);
    StretchBlackOnWhite(src, 5, 0, 2, 1, far, 0, 0, 6, 2);
    EXPECT_EQ(far.At(0, 0), 0x000f0f0fu);
    EXPECT_EQ(far.At(5, 1), 0x000f0f0fu);
}

TEST(StretchBlackOnWhite, DegenerateExtentsDrawNothing) {
    const Surface src(4, 4, 0);
    for (const auto& [sw, sh, dw, dh] : std::vector<std::array<int, 4>>{
             {0, 4, 4, 4}, {4, -1, 4, 4}, {4, 4, 0, 4}, {4, 4, 4, -4}, {INT_MIN, 4, 4, 4}}) {
        Surface dst(4, 4, kUntouched);
        StretchBlackOnWhite(src, 0, 0, sw, sh, dst, 0, 0, dw, dh);
        EXPECT_EQ(dst.At(0, 0), kUntouched) << sw << " " << sh << " " << dw << " " << dh;
    }
    Surface empty;
    Surface dst(4, 4, kUntouched);
    StretchBlackOnWhite(empty, 0, 0, 4, 4, dst, 0, 0, 4, 4);
    EXPECT_EQ(dst.At(1, 1), kUntouched);
}

TEST(StretchBlackOnWhite, HugeRectanglesStayBoundedAndCorrect) {
    Surface src(3, 3, 0x00ffffff);
    src.SetPixel(1, 1, 0x00123456);
    Surface dst(5, 5, kUntouched);
    // An enormous enlargement: only the visible destination pixels are computed.
    const auto start = std::chrono::steady_clock::now();
    StretchBlackOnWhite(src, 1, 1, 1, 1, dst, -1000000000, -1000000000, INT_MAX, INT_MAX);
    EXPECT_EQ(dst.At(0, 0), 0x00123456u);
    EXPECT_EQ(dst.At(4, 4), 0x00123456u);
    // An enormous shrink: every destination pixel gathers a band of the source
    // that is mostly outside the surface.
    Surface small(2, 2, kUntouched);
    StretchBlackOnWhite(src, INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX, small, 0, 0, 2, 2);
    EXPECT_EQ(small.At(0, 0), 0x00ffffffu);  // wholly before the surface: its first pixel
    EXPECT_EQ(small.At(1, 1), 0x00123456u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(StretchBlackOnWhite, SameSurfaceReadsTheOriginal) {
    Surface s(4, 1);
    for (int x = 0; x < 4; ++x) {
        s.SetPixel(x, 0, 0x00010101u * static_cast<Pixel>(x + 1));
    }
    // Enlarging the left half over the whole row must read the left half as it
    // was before the first writes.
    StretchBlackOnWhite(s, 0, 0, 2, 1, s, 0, 0, 4, 1);
    EXPECT_EQ(s.At(0, 0), 0x00010101u);
    EXPECT_EQ(s.At(1, 0), 0x00010101u);
    EXPECT_EQ(s.At(2, 0), 0x00020202u);
    EXPECT_EQ(s.At(3, 0), 0x00020202u);
}

// A surface handed out row by row, counting the rows read.
class SurfaceRows final : public RowSource {
  public:
    explicit SurfaceRows(const Surface& surface) : surface_(surface) {}
    int width() const override { return surface_.width(); }
    int height() const override { return surface_.height(); }
    std::span<const std::uint8_t> StoredRow(int y) const override {
        return {reinterpret_cast<const std::uint8_t*>(surface_.row(y)),
                static_cast<std::size_t>(surface_.width()) * sizeof(Pixel)};
    }
    void ReadRow(int y, Pixel* out) const override {
        ++reads;
        std::copy_n(surface_.row(y), surface_.width(), out);
    }
    mutable int reads = 0;

  private:
    const Surface& surface_;
};

// Pixels with many bits set, so that every AND shows; about half the rows
// repeat the row above, which the row scaler may skip.
Surface Speckled(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        const bool repeat = y > 0 && random() % 2 == 0;
        for (int x = 0; x < width; ++x) {
            s.mutableRow(y)[x] = repeat ? s.row(y - 1)[x] : (0x00ffffffu & ~(Pixel{1} << (random() % 24)));
        }
    }
    return s;
}

TEST(StretchRows, PaintsWhatTheWholePictureStretchPaints) {
    const std::vector<std::array<int, 2>> sources = {{7, 5}, {1, 9}, {13, 1}, {16, 40}};
    int compared = 0;
    for (const auto& [sw, sh] : sources) {
        const Surface picture = Speckled(sw, sh, static_cast<unsigned>(sw * 100 + sh));
        const SurfaceRows rows(picture);
        for (int dw : {1, 3, 7, 12, 30}) {
            for (int dh : {1, 2, 5, 11, 41}) {
                for (const auto& [dx, dy] :
                     std::vector<std::array<int, 2>>{{0, 0}, {-3, 2}, {2, -4}, {5, 6}}) {
                    Surface expected(20, 20, kUntouched);
                    StretchBlackOnWhite(picture, 0, 0, sw, sh, expected, dx, dy, dw, dh);
                    Surface actual(20, 20, kUntouched);
                    const StretchTarget target{&actual, dx, dy, dw, dh};
                    StretchRows(rows, std::span(&target, 1));
                    ASSERT_TRUE(actual.SamePixels(expected))
                        << sw << "x" << sh << " to " << dw << "x" << dh << " at " << dx << "," << dy;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 400);
}

TEST(StretchRows, SeveralTargetsShareOneReadingOfEachRow) {
    const Surface picture = Speckled(10, 50, 7);
    const SurfaceRows rows(picture);
    Surface shrunk(4, 4, kUntouched);
    Surface enlarged(60, 70, kUntouched);
    const std::array<StretchTarget, 2> targets = {StretchTarget{&shrunk, 0, 0, 4, 4},
                                                  StretchTarget{&enlarged, 0, 0, 60, 70}};
    StretchRows(rows, targets);
    EXPECT_LE(rows.reads, 50);
    Surface expectShrunk(4, 4, kUntouched);
    Surface expectEnlarged(60, 70, kUntouched);
    StretchBlackOnWhite(picture, 0, 0, 10, 50, expectShrunk, 0, 0, 4, 4);
    StretchBlackOnWhite(picture, 0, 0, 10, 50, expectEnlarged, 0, 0, 60, 70);
    EXPECT_TRUE(shrunk.SamePixels(expectShrunk));
    EXPECT_TRUE(enlarged.SamePixels(expectEnlarged));
}

TEST(StretchRows, RepeatedAndInvisibleRowsAreNotRead) {
    // A tall picture of one row repeated, with three different rows: the work
    // follows the rows that differ, not the claimed height.
    Surface picture(20, Surface::kMaxSide, 0x00ffffffu);
    for (int y : {0, 500, Surface::kMaxSide - 1}) {
        picture.FillRect(0, y, 20, y + 1, 0x00102030u);
    }
    const SurfaceRows rows(picture);
    Surface face(5, 5, kUntouched);
    const StretchTarget target{&face, 0, 0, 5, 5};
    StretchRows(rows, std::span(&target, 1));
    EXPECT_LE(rows.reads, 12);
    EXPECT_EQ(face.At(0, 0), 0x00102030u);
    EXPECT_EQ(face.At(4, 2), 0x00ffffffu);
    EXPECT_EQ(face.At(4, 4), 0x00102030u);

    // Rows that land outside the destination are never read.
    const Surface tall = Speckled(3, 1000, 3);
    const SurfaceRows clipped(tall);
    Surface strip(3, 10, kUntouched);
    const StretchTarget below{&strip, 0, -990, 3, 1000};
    StretchRows(clipped, std::span(&below, 1));
    EXPECT_LE(clipped.reads, 10);
    Surface expected(3, 10, kUntouched);
    StretchBlackOnWhite(tall, 0, 0, 3, 1000, expected, 0, -990, 3, 1000);
    EXPECT_TRUE(strip.SamePixels(expected));
}

}  // namespace
}  // namespace instruments::bitmap
