#include "canvas/text/FontFace.h"

#include <gtest/gtest.h>

#include <string>

#include "canvas/text/FontCache.h"

namespace instruments::text {
namespace {

constexpr Pixel kPaper = 0x00123456;
constexpr Pixel kInk = 0x00ff0000;
constexpr Pixel kBack = 0x0000ff00;

struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive-exclusive
};

int CountPixels(const Surface& s, Pixel p) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            n += s.At(x, y) == p ? 1 : 0;
        }
    }
    return n;
}

bool Inside(const Box& box, int x, int y) {
    return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

std::shared_ptr<const FontFace> SansFont(int styleBits = 0) {
    auto font = OpenFont({"MS Sans Serif", 11, styleBits});
    EXPECT_NE(font, nullptr);
    return font;
}

TEST(FontFaceMetrics, AreSaneForCommonSizes) {
    for (const char* face : {"MS Sans Serif", "courier new", "nonsense face"}) {
        for (int height : {8, 11, 13, 24, 96}) {
            const auto font = OpenFont({face, height, 0});
            ASSERT_NE(font, nullptr) << face << height;
            const FontFace::Metrics m = font->metrics();
            // The cell holds the em plus the room for accents and descenders.
            EXPECT_GE(m.height, height) << face << height;
            EXPECT_LE(m.height, 2 * height + 2) << face << height;
            EXPECT_GT(m.ascent, 0);
            EXPECT_LT(m.ascent, m.height);
            EXPECT_GE(m.externalLeading, 0);
            EXPECT_GT(m.averageCharWidth, 0);
            EXPECT_LE(m.averageCharWidth, height);
        }
    }
}

TEST(FontFaceWidth, IsTheSumOfTheCharacters) {
    const auto font = SansFont();
    EXPECT_EQ(font->TextWidth(""), 0);
    EXPECT_GT(font->TextWidth("W"), font->TextWidth("i"));
    EXPECT_EQ(font->TextWidth("Hello, "), font->TextWidth("Hel") + font->TextWidth("lo, "));
    EXPECT_EQ(font->TextWidth("AVAVAV"), 3 * font->TextWidth("AV"));  // no kerning
}

TEST(FontFaceWidth, MonospacedFaceHasOneAdvance) {
    const auto font = OpenFont({"courier new", 13, 0});
    ASSERT_NE(font, nullptr);
    const int one = font->TextWidth("m");
    EXPECT_GT(one, 0);
    EXPECT_EQ(font->TextWidth("il.W m"), 6 * one);
}

TEST(FontFaceWidth, BoldIsNotNarrower) {
    const auto regular = SansFont();
    const auto bold = SansFont(kFontBold);
    const std::string text = "Bold 12:34 weight";
    EXPECT_GE(bold->TextWidth(text), regular->TextWidth(text));
    EXPECT_GE(bold->metrics().averageCharWidth, regular->metrics().averageCharWidth);
}

TEST(FontFaceDraw, TransparentTextStaysInItsCellInTwoColours) {
    const auto font = SansFont();
    Surface surface(120, 40, kPaper);
    const std::string text = "Hg|j(Q)";
    font->Draw(surface, 10, 7, text, kInk, std::nullopt);
    const Box cell{10, 7, 10 + font->TextWidth(text), 7 + font->metrics().height};
    int ink = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const Pixel p = surface.At(x, y);
            // Monochrome: no grey edge pixels, and nothing outside the cell.
            ASSERT_TRUE(p == kPaper || p == kInk) << x << "," << y;
            if (p == kInk) {
                ++ink;
                EXPECT_TRUE(Inside(cell, x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(ink, 20);
}

TEST(FontFaceDraw, GlyphsOfTheSmallestSizesAreCutAtTheirCell) {
    // At a few pixels the rounded glyphs can be taller or wider than the cell;
    // the text still paints nothing outside it, whatever the face and style.
    const std::string text = "Hg|j(Q)\xc5\xe7_W";
    for (const char* face : {"MS Sans Serif", "Small Fonts", "courier new", "Times New Roman"}) {
        for (int height = 1; height <= 6; ++height) {
            for (int style : {0, kFontBold | kFontItalic}) {
                const auto font = OpenFont({face, height, style});
                ASSERT_NE(font, nullptr);
                Surface surface(160, 20, kPaper);
                font->Draw(surface, 3, 6, text, kInk, std::nullopt);
                const Box cell{3, 6, 3 + font->TextWidth(text), 6 + font->metrics().height};
                for (int y = 0; y < surface.height(); ++y) {
                    for (int x = 0; x < surface.width(); ++x) {
                        if (surface.At(x, y) == kInk) {
                            ASSERT_TRUE(Inside(cell, x, y))
                                << face << " " << height << " px style " << style << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(FontFaceDraw, OpaqueBackgroundFillsExactlyTheCell) {
    const auto font = SansFont();
    Surface surface(120, 40, kPaper);
    const std::string text = "A b.";
    font->Draw(surface, 5, 6, text, kInk, kBack);
    const Box cell{5, 6, 5 + font->TextWidth(text), 6 + font->metrics().height};
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const Pixel p = surface.At(x, y);
            if (Inside(cell, x, y)) {
                ASSERT_TRUE(p == kInk || p == kBack) << x << "," << y;
            } else {
                ASSERT_EQ(p, kPaper) << x << "," << y;
            }
        }
    }
    EXPECT_GT(CountPixels(surface, kInk), 10);
    EXPECT_GT(CountPixels(surface, kBack), CountPixels(surface, kInk));
}

TEST(FontFaceDraw, ClippingMatchesTheUnclippedPicture) {
    const auto font = OpenFont({"courier new", 20, kFontUnderline});
    ASSERT_NE(font, nullptr);
    const std::string text = "Wq@M";
    const int w = font->TextWidth(text);
    const int h = font->metrics().height;
    Surface whole(w, h, kPaper);
    font->Draw(whole, 0, 0, text, kInk, kBack);
    // A small surface showing the middle of the same text, and one showing the
    // bottom-right corner past its own edges.
    for (const auto& [ox, oy] : {std::pair{-7, -5}, std::pair{-(w - 6), -(h - 4)}, std::pair{3, 2}}) {
        Surface part(12, 9, kPaper);
        font->Draw(part, ox, oy, text, kInk, kBack);
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                const int wx = x - ox;
                const int wy = y - oy;
                const Pixel expected = whole.Contains(wx, wy) ? whole.At(wx, wy) : kPaper;
                ASSERT_EQ(part.At(x, y), expected) << ox << "," << oy << " at " << x << "," << y;
            }
        }
    }
}

TEST(FontFaceDraw, FarOffSurfaceDrawsNothing) {
    const auto font = SansFont(kFontUnderline | kFontStrikeOut);
    Surface surface(30, 20, kPaper);
    for (const auto& [x, y] : {std::pair{-1000000, 0}, std::pair{0, 2000000000}, std::pair{2147483600, 5},
                               std::pair{-2147483647, -2147483647}}) {
        font->Draw(surface, x, y, "Text", kInk, kBack);
    }
    EXPECT_EQ(CountPixels(surface, kPaper), 30 * 20);
}

// A row of the cell painted across the whole text width, as only a line can be.
int FullInkRows(const Surface& s, int width) {
    int rows = 0;
    for (int y = 0; y < s.height(); ++y) {
        int x = 0;
        while (x < width && s.At(x, y) == kInk) {
            ++x;
        }
        rows += x == width ? 1 : 0;
    }
    return rows;
}

TEST(FontFaceDraw, UnderlineAndStrikeOutAreLinesAcrossTheText) {
    const std::string text = "a b  c";  // the spaces leave gaps in every glyph row
    int expectedLines = 0;
    for (const int style : {0, kFontUnderline, kFontStrikeOut, kFontUnderline | kFontStrikeOut}) {
        const auto font = SansFont(style);
        const int width = font->TextWidth(text);
        Surface surface(width, font->metrics().height, kPaper);
        font->Draw(surface, 0, 0, text, kInk, std::nullopt);
        const int lines = FullInkRows(surface, width);
        if (style == 0) {
            EXPECT_EQ(lines, 0);
        } else if (style == kFontUnderline || style == kFontStrikeOut) {
            EXPECT_GE(lines, 1) << style;
            expectedLines += lines;
        } else {
            EXPECT_EQ(lines, expectedLines);
        }
    }
}

TEST(FontFaceDraw, UnderlineSitsBelowTheBaselineAndStrikeOutAbove) {
    const auto underlined = SansFont(kFontUnderline);
    const auto struck = SansFont(kFontStrikeOut);
    const int ascent = underlined->metrics().ascent;
    Surface a(40, 20, kPaper);
    Surface b(40, 20, kPaper);
    underlined->Draw(a, 0, 0, "   ", kInk, std::nullopt);
    struck->Draw(b, 0, 0, "   ", kInk, std::nullopt);
    EXPECT_EQ(a.At(1, ascent - 1), kPaper);
    EXPECT_GT(CountPixels(a, kInk), 0);
    for (int y = 0; y < ascent; ++y) {
        EXPECT_EQ(a.At(1, y), kPaper) << y;
    }
    for (int y = ascent; y < b.height(); ++y) {
        EXPECT_EQ(b.At(1, y), kPaper) << y;
    }
    EXPECT_GT(CountPixels(b, kInk), 0);
}

TEST(FontFaceDraw, EveryByteDrawsAndMeasures) {
    const auto font = SansFont(kFontBold | kFontItalic);
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all.push_back(static_cast<char>(c));
    }
    Surface surface(64, 32, kPaper);
    font->Draw(surface, -200, 3, all, kInk, kBack);
    int sum = 0;
    for (const char c : all) {
        sum += font->TextWidth(std::string(1, c));
    }
    EXPECT_EQ(font->TextWidth(all), sum);
    EXPECT_GT(sum, 0);
}

TEST(FontFaceDraw, CurlyQuotesAreDistinctGlyphs) {
    const auto font = OpenFont({"MS Sans Serif", 24, 0});
    ASSERT_NE(font, nullptr);
    auto picture = [&](const char* text) {
        Surface s(40, 40, kPaper);
        font->Draw(s, 0, 0, text, kInk, std::nullopt);
        return s;
    };
    const Surface open = picture("\x93");
    const Surface close = picture("\x94");
    const Surface straight = picture("\"");
    EXPECT_GT(CountPixels(open, kInk), 0);
    EXPECT_FALSE(open.SamePixels(close));
    EXPECT_FALSE(open.SamePixels(straight));
}

}  // namespace
}  // namespace instruments::text
