// The keyword texts of the id-based operations: colour texts, style words,
// pattern numbers and the look of a display made of them.

#include "dialog/Keywords.h"

#include <gtest/gtest.h>

#include <climits>

#include "dialog/FixedText.h"

namespace dialog {
namespace {

using instruments::BackgroundPattern;
using instruments::DotStyle;
using instruments::Rgb;
using instruments::ShadedColour;

TEST(KeywordColour, HexPairs) {
    EXPECT_EQ(KeywordColourAt("#f06040", 0), Rgb(240, 96, 64));
    EXPECT_EQ(KeywordColourAt("#F06040zz", 0), Rgb(240, 96, 64));
    EXPECT_EQ(KeywordColourAt("#f06040", 100), Rgb(140, 0, 0));
    EXPECT_EQ(KeywordColourAt("#afffff", -50), Rgb(225, 255, 255));
    EXPECT_EQ(KeywordColourAt("#", 0), 0);
    EXPECT_EQ(KeywordColourAt("#", -50), Rgb(50, 50, 50));
    // Short pairs read the digits that exist; a pair stops at a non-digit.
    EXPECT_EQ(KeywordColourAt("#fff", 0), Rgb(255, 15, 0));
    EXPECT_EQ(KeywordColourAt("#g0ff00", 0), Rgb(0, 255, 0));
    EXPECT_EQ(KeywordColourAt("#fgff00", 0), Rgb(15, 255, 0));
    EXPECT_EQ(KeywordColourAt("#12 456", 0), Rgb(0x12, 0, 0x56));
    // Only a "#" in the very first character counts.
    EXPECT_EQ(KeywordColourAt(" #f06040", -100), 0);
}

TEST(KeywordColour, NamesAtShadeZeroAndFull) {
    struct Row {
        const char* name;
        instruments::Colour atZero;
        instruments::Colour atFull;
    };
    const Row rows[] = {
        {"rosso", Rgb(255, 155, 155), 0},
        {"verde", Rgb(155, 255, 155), 0},
        {"grigio", Rgb(255, 255, 255), 0},
        {"oro", Rgb(255, 255, 155), 0},
        {"pulsanterosso", Rgb(255, 210, 210), Rgb(155, 0, 0)},
        {"pulsanteverde", Rgb(210, 255, 210), Rgb(0, 155, 0)},
        {"pulsantegrigio", Rgb(255, 255, 255), Rgb(155, 155, 155)},
        {"pulsanteoro", Rgb(255, 255, 55), Rgb(155, 55, 55)},
        {"pulsanteblu", Rgb(0, 0, 0), Rgb(55, 155, 155)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KeywordColourAt(row.name, 0), row.atZero) << row.name;
        EXPECT_EQ(KeywordColourAt(row.name, 255), row.atFull) << row.name;
    }
    EXPECT_EQ(KeywordColourAt("rosso", 155), Rgb(100, 0, 0));
    EXPECT_EQ(KeywordColourAt("pulsantegrigio", 155), Rgb(255, 255, 255));
    EXPECT_EQ(KeywordColourAt("pulsanteoro", 300), Rgb(110, 10, 55));
    EXPECT_EQ(KeywordColourAt("pulsanteblu", 150), Rgb(0, 50, 50));
}

TEST(KeywordColour, NamesAreTrimmedOfSpacesAndLowerCased) {
    EXPECT_EQ(KeywordColourAt(" ROSSO ", 0), Rgb(255, 155, 155));
    EXPECT_EQ(KeywordColourAt("Verde   ", 40), KeywordColourAt("verde", 40));
    EXPECT_EQ(KeywordColourAt("\trosso", 0), 0);
}

TEST(KeywordColour, UnknownOrEmptyIsBlackAtEveryShade) {
    for (int shade : {-300, 0, 255}) {
        for (std::string_view text :
             {std::string_view(""), std::string_view("     "), std::string_view("blu"),
              std::string_view("rossa"), std::string_view("rosso\0", 6)}) {
            EXPECT_EQ(KeywordColourAt(text, shade), 0) << text << " " << shade;
        }
    }
}

TEST(KeywordColour, ExtremeShadesSaturateWithoutOverflow) {
    EXPECT_EQ(KeywordColourAt("rosso", INT_MIN), Rgb(255, 255, 255));
    EXPECT_EQ(KeywordColourAt("rosso", INT_MAX), 0);
    EXPECT_EQ(KeywordColourAt("pulsanteblu", INT_MAX), Rgb(255, 255, 255));
    EXPECT_EQ(KeywordColourAt("#000000", INT_MIN), Rgb(255, 255, 255));
}

TEST(KeywordColour, ItalianNamesAreTheEnglishColours) {
    const std::pair<const char*, ShadedColour::Name> names[] = {
        {"rosso", ShadedColour::Name::Red},
        {"verde", ShadedColour::Name::Green},
        {"grigio", ShadedColour::Name::Grey},
        {"oro", ShadedColour::Name::Gold},
        {"pulsanterosso", ShadedColour::Name::RedButton},
        {"pulsanteverde", ShadedColour::Name::GreenButton},
        {"pulsantegrigio", ShadedColour::Name::GreyButton},
        {"pulsanteoro", ShadedColour::Name::GoldButton},
        {"pulsanteblu", ShadedColour::Name::BlueButton},
    };
    for (const auto& [italian, name] : names) {
        EXPECT_EQ(KeywordColour(italian), ShadedColour(name)) << italian;
    }
    EXPECT_EQ(KeywordColour(" Oro"), ShadedColour("gold"));
    EXPECT_EQ(KeywordColour("#f06040"), ShadedColour(Rgb(0xF0, 0x60, 0x40)));
    // English names are not keywords: black, as any unknown text.
    EXPECT_EQ(KeywordColour("gold"), ShadedColour::Flat(0));
}

TEST(KeywordColour, OnlyTheEmptyTextIsNoColour) {
    // The box stack paints its own green for the empty text, and black for a
    // blank or unknown one.
    EXPECT_TRUE(KeywordColour("").IsNone());
    EXPECT_FALSE(KeywordColour(" ").IsNone());
    EXPECT_FALSE(KeywordColour("blu").IsNone());
    EXPECT_EQ(KeywordColour(" ").At(-50), 0);
}

TEST(KeywordDots, EachKeywordSetsItsFlag) {
    EXPECT_EQ(KeywordDots("ombra"), DotStyle::Shadow);
    EXPECT_EQ(KeywordDots("fondo"), DotStyle::ShowUnlit);
    EXPECT_EQ(KeywordDots("unito"), DotStyle::Joined);
    EXPECT_EQ(KeywordDots("unito vuoto"), DotStyle::Joined | DotStyle::Hollow);
    EXPECT_EQ(KeywordDots("cerchio"), DotStyle::Rounded);
    EXPECT_EQ(KeywordDots(""), DotStyle::Plain);
}

TEST(KeywordDots, HollowNeedsJoined) {
    EXPECT_EQ(KeywordDots("vuoto"), DotStyle::Plain);
    EXPECT_EQ(KeywordDots("unto vuoto cerchio"), DotStyle::Rounded);
}

TEST(KeywordDots, MatchesSubstringsWhateverTheCaseAndSeparators) {
    EXPECT_EQ(KeywordDots("OMBRA"), DotStyle::Shadow);
    EXPECT_EQ(KeywordDots("FoNdO,Unito;cerchioni"),
              DotStyle::ShowUnlit | DotStyle::Joined | DotStyle::Rounded);
    EXPECT_EQ(KeywordDots("penombra"), DotStyle::Shadow);
    EXPECT_EQ(KeywordDots("omra fondi unita"), DotStyle::Plain);
    // Only A-Z fold; other bytes never match a letter.
    EXPECT_EQ(KeywordDots("\xCFmbra"), DotStyle::Plain);
}

TEST(KeywordDots, KeywordsBeyondThe32ByteFieldDoNotCount) {
    dialog::FixedText<32> words;
    words.Store("ombra                          cerchio");
    EXPECT_EQ(KeywordDots(words.View()), DotStyle::Shadow);
}

TEST(KeywordPattern, NumbersZeroToSixAndNothingElse) {
    const BackgroundPattern patterns[] = {
        BackgroundPattern::MirroredRows,    BackgroundPattern::RowsFromBottom,
        BackgroundPattern::MirroredColumns, BackgroundPattern::BoxStack,
        BackgroundPattern::RowsFromTop,     BackgroundPattern::MirroredColumnsReversed,
        BackgroundPattern::Picture};
    for (int number = 0; number < 7; ++number) {
        EXPECT_EQ(KeywordPattern(number), patterns[number]) << number;
    }
    for (int number : {-1, 7, 8, INT_MIN, INT_MAX}) {
        EXPECT_EQ(KeywordPattern(number), BackgroundPattern::None) << number;
    }
}

TEST(LookOfKeywords, OddTextsFallBackInsteadOfFailing) {
    // Unknown colours are black, unknown words set nothing but still label.
    const KeywordLook odd = LookOfKeywords(-3, "golden", 7, "sparkly penombra", "#zz", 42);
    EXPECT_EQ(odd.frame.width, -3);
    EXPECT_EQ(odd.frame.colour, ShadedColour::Flat(0));
    EXPECT_EQ(odd.frame.topLeftColour, std::nullopt);
    EXPECT_EQ(odd.background.pattern, BackgroundPattern::None);
    EXPECT_EQ(odd.background.colour, ShadedColour(0));
    EXPECT_EQ(odd.dots, DotStyle::Shadow);  // "ombra" inside "penombra"
    EXPECT_EQ(odd.label, "sparkly penombra");
    EXPECT_EQ(odd.ink, 7);

    // Blank texts: a blank background colour is a colour (black), so the frame
    // keeps its colour all round; only the empty one blackens the top-left.
    const KeywordLook blank = LookOfKeywords(4, "  ", 0, std::string_view("  \0\0", 4), " ", 3);
    EXPECT_EQ(blank.frame.colour, ShadedColour::Flat(0));
    EXPECT_EQ(blank.frame.topLeftColour, std::nullopt);
    EXPECT_EQ(blank.background.colour, ShadedColour::Flat(0));
    EXPECT_EQ(blank.label, "");
    const KeywordLook empty = LookOfKeywords(4, "", 0, "", "", 3);
    EXPECT_TRUE(empty.frame.colour.IsNone());
    EXPECT_EQ(empty.frame.topLeftColour, ShadedColour{});
    EXPECT_TRUE(empty.background.colour.IsNone());
}

TEST(LabelOf, CutsSpacesAndZeroBytesAtBothEnds) {
    EXPECT_EQ(LabelOf("  unito  "), "unito");
    EXPECT_EQ(LabelOf(std::string_view("fondo\0\0 ", 8)), "fondo");
    EXPECT_EQ(LabelOf(" a b "), "a b");
    EXPECT_EQ(LabelOf("\tx"), "\tx");
}

}  // namespace
}  // namespace dialog
