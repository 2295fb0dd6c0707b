// What a text display shows of its text: UTF-8 turned into glyph codes, lines,
// their alignment, and glyphs of the program's own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/GlyphCodes.h"
#include "instruments/Painter.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/TextDisplay.h"
#include "widgets/TextLayout.h"

namespace instruments {
namespace {

const std::string kPlaceholder(1, static_cast<char>(kPlaceholderCode));

TEST(GlyphCodes, AsciiStaysAndTheTablesCharactersGetTheirCodes) {
    EXPECT_EQ(GlyphCodes("12:34 ok\t~"), "12:34 ok\t~");
    EXPECT_EQ(GlyphCodes("21°C"),
              "21\xF8"
              "C");
    EXPECT_EQ(GlyphCodes("‘a’ “b”"),
              "\x91"
              "a\x92 \x93"
              "b\x94");
    EXPECT_EQ(GlyphCodes("█\u00A0"), "\xFF ");
    // The segmented digits are the segment-style glyphs of the ASCII digits.
    EXPECT_EQ(GlyphCodes("\U0001FBF0\U0001FBF5\U0001FBF9"), ToSegmentDigits("059"));
    EXPECT_EQ(GlyphCodes(""), "");
}

TEST(GlyphCodes, CharactersWithoutAGlyphGiveOnePlaceholderEach) {
    EXPECT_EQ(GlyphCodes("é中😀µ→"), std::string(5, static_cast<char>(kPlaceholderCode)));
    EXPECT_EQ(GlyphCodes("a\u00B1b"), "a" + kPlaceholder + "b");
}

TEST(GlyphCodes, EachMalformedPartGivesOnePlaceholder) {
    struct Case {
        std::string utf8;
        std::string codes;
    };
    const std::string p = kPlaceholder;
    const Case cases[] = {
        {"\x80"
         "A",
         p + "A"},  // a stray continuation byte
        {"\xE2\x80"
         "A",
         p + "A"},                            // a sequence cut short by ASCII
        {"\xF0\x9F\x98", p},                  // cut short by the end
        {"\xC0\xAF", p + p},                  // an overlong "/": no lead byte C0
        {"\xE0\x80\xAF", p + p + p},          // overlong in three bytes
        {"\xED\xA0\x80", p + p + p},          // a surrogate
        {"\xF4\x90\x80\x80", p + p + p + p},  // past U+10FFFF
        {"\xF5\xFF"
         "z",
         p + p + "z"},                     // bytes that start nothing
        {"\xE2\x86\xC2\xB0", p + "\xF8"},  // a cut sequence, then a whole one
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GlyphCodes(c.utf8), c.codes) << testing::PrintToString(c.utf8);
    }
}

// The dots alone: a black face, white ink, no label.
TextDisplay Plain(Size size, TextAlign align, int frameWidth = 6) {
    const Surface black(size.width, size.height);
    return TextDisplay({.frame = {.width = frameWidth}, .ink = 0xFFFFFF, .align = align},
                       PixelBlock::FromSurface(black));
}

Surface Painted(TextDisplay& display, std::string_view codes) {
    display.SetCodes(codes);
    Surface surface(display.size().width, display.size().height);
    Painter painter(surface);
    display.Paint(painter);
    return surface;
}

int LitPixels(const Surface& surface, const Rect& area) {
    int lit = 0;
    for (int y = area.y; y < area.bottom(); ++y) {
        for (int x = area.x; x < area.right(); ++x) {
            lit += surface.At(x, y) != 0 ? 1 : 0;
        }
    }
    return lit;
}

TEST(TextLines, OneLineLaysOutAsAlways) {
    for (const TextAlign align : {TextAlign::Left, TextAlign::Centre, TextAlign::Right}) {
        // A line that fills its width leaves no room to move it.
        const std::vector<DotLayout> lines = LayoutLines(210, 55, 6, "12:34:56", align);
        const DotLayout one = LayoutText(210, 55, 6, "12:34:56");
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].size(), one.size());
        for (std::size_t i = 0; i < one.size(); ++i) {
            ASSERT_EQ(lines[0][i], one[i]) << i;
        }
    }
    const DotLayout left = LayoutLines(210, 55, 6, "A", TextAlign::Left)[0];
    EXPECT_EQ(left.left(), 12);
    EXPECT_EQ(left.pitchX(), 32);
}

TEST(TextLines, NLinesShareTheHeightAndTheLongestSetsThePitch) {
    const std::vector<DotLayout> lines = LayoutLines(210, 55, 6, "AB\nABCD\n", TextAlign::Left);
    ASSERT_EQ(lines.size(), 3u);
    // 23 rows of dots in 55 - 24 pixels; 24 columns in 210 - 18.
    for (const DotLayout& line : lines) {
        EXPECT_EQ(line.pitchY(), 1);
        EXPECT_EQ(line.pitchX(), 8);
        EXPECT_EQ(line.left(), 12);
    }
    EXPECT_EQ(lines[0].top(), 12);
    EXPECT_EQ(lines[1].top(), 20);
    EXPECT_TRUE(lines[2].empty());

    TextDisplay display = Plain({210, 55}, TextAlign::Left);
    const Surface two = Painted(display, "88\n88");
    // Pitch (55 - 24) / 15 = 2: the lines start at rows 12 and 28.
    const Rect upper{0, 0, 210, 27};
    const Rect lower{0, 27, 210, 28};
    EXPECT_GT(LitPixels(two, upper), 0);
    EXPECT_EQ(LitPixels(two, lower), LitPixels(two, upper));
}

TEST(TextLines, AlignedLinesAreTheLeftAlignedOnesShifted) {
    TextDisplay left = Plain({210, 55}, TextAlign::Left);
    TextDisplay centre = Plain({210, 55}, TextAlign::Centre);
    TextDisplay right = Plain({210, 55}, TextAlign::Right);
    // The second line fills the 192 pixels; the first takes 96 of them.
    const Surface l = Painted(left, "AB\nABCD");
    const Surface c = Painted(centre, "AB\nABCD");
    const Surface r = Painted(right, "AB\nABCD");
    const int firstLineBottom = 27;  // the lines start at rows 12 and 28
    for (int y = 0; y < 55; ++y) {
        for (int x = 0; x < 210; ++x) {
            const int shift = y < firstLineBottom ? 96 : 0;
            const Pixel fromLeft = [&](int dx) { return x - dx >= 0 ? l.At(x - dx, y) : 0u; }(shift);
            const Pixel fromHalf = [&](int dx) { return x - dx >= 0 ? l.At(x - dx, y) : 0u; }(shift / 2);
            ASSERT_EQ(r.At(x, y), fromLeft) << x << ", " << y;
            ASSERT_EQ(c.At(x, y), fromHalf) << x << ", " << y;
        }
    }
    EXPECT_GT(LitPixels(l, {0, 0, 96, firstLineBottom}), 0);
}

TEST(TextLines, AnEmptyOrBlankTextLightsNothing) {
    TextDisplay display = Plain({60, 30}, TextAlign::Right, 0);
    EXPECT_EQ(LitPixels(Painted(display, ""), {0, 0, 60, 30}), 0);
    EXPECT_EQ(LitPixels(Painted(display, "\n\n"), {0, 0, 60, 30}), 0);
}

TEST(CustomGlyph, ShowsInThisDisplayAlone) {
    const GlyphTable::GlyphArt arrow = {"..X..", ".XXX.", "XXXXX", "..X..", "..X..", "..X..", "....."};
    TextDisplay own = Plain({60, 30}, TextAlign::Left, 0);
    TextDisplay other = Plain({60, 30}, TextAlign::Left, 0);
    own.SetGlyph(1, arrow);
    EXPECT_EQ(own.glyphs().GlyphOf(1), (GlyphTable::Glyph{0x04, 0x0E, 0x1F, 0x04, 0x04, 0x04, 0x00}));
    const Surface shown = Painted(own, "\x01");
    EXPECT_FALSE(shown.SamePixels(Painted(other, "\x01")));
    // 60 / 6 = 10 by 30 / 7 = 4: the dot of row 0, column 2 is lit, of row 0, column 0 dark.
    EXPECT_NE(shown.At(2 * 10, 0), 0u);
    EXPECT_EQ(shown.At(0, 0), 0u);
    EXPECT_EQ(other.glyphs(), GlyphTable::Builtin());
}

TEST(CustomGlyph, BadArtIsRefusedAndChangesNothing) {
    TextDisplay display = Plain({60, 30}, TextAlign::Left, 0);
    const auto refusal = [&](const GlyphTable::GlyphArt& art) {
        try {
            display.SetGlyph(65, art);
        } catch (const SettingsError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    const std::string shortRow = refusal({"XXXXX", "XXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"});
    EXPECT_NE(shortRow.find("code 65: row 1 \"XXXX\""), std::string::npos) << shortRow;
    EXPECT_NE(refusal({"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX", "XX0XX"}).find("row 6"),
              std::string::npos);
    EXPECT_EQ(display.glyphs(), GlyphTable::Builtin());
}

}  // namespace
}  // namespace instruments
