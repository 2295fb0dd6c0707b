#include "instruments/Colour.h"

#include <gtest/gtest.h>

#include <climits>

namespace instruments {
namespace {

TEST(Rgb, ClampsEachComponentAndPacksRedLow) {
    EXPECT_EQ(Rgb(300, -5, 128), 255 + 128 * 65536);
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201);
}

TEST(ColourOf, HexPairs) {
    EXPECT_EQ(ColourOf("#f06040", 0), Rgb(240, 96, 64));
    EXPECT_EQ(ColourOf("#F06040zz", 0), Rgb(240, 96, 64));
    EXPECT_EQ(ColourOf("#f06040", 100), Rgb(140, 0, 0));
    EXPECT_EQ(ColourOf("#afffff", -50), Rgb(225, 255, 255));
    EXPECT_EQ(ColourOf("#", 0), 0);
    EXPECT_EQ(ColourOf("#", -50), Rgb(50, 50, 50));
    // Short pairs read the digits that exist; a pair stops at a non-digit.
    EXPECT_EQ(ColourOf("#fff", 0), Rgb(255, 15, 0));
    EXPECT_EQ(ColourOf("#g0ff00", 0), Rgb(0, 255, 0));
    EXPECT_EQ(ColourOf("#fgff00", 0), Rgb(15, 255, 0));
    EXPECT_EQ(ColourOf("#12 456", 0), Rgb(0x12, 0, 0x56));
    // Only a "#" in the very first character counts.
    EXPECT_EQ(ColourOf(" #f06040", -100), 0);
}

TEST(ColourOf, NamesAtShadeZeroAndFull) {
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
        EXPECT_EQ(ColourOf(row.name, 0), row.atZero) << row.name;
        EXPECT_EQ(ColourOf(row.name, 255), row.atFull) << row.name;
    }
    EXPECT_EQ(ColourOf("rosso", 155), Rgb(100, 0, 0));
    EXPECT_EQ(ColourOf("pulsantegrigio", 155), Rgb(255, 255, 255));
    EXPECT_EQ(ColourOf("pulsanteoro", 300), Rgb(110, 10, 55));
    EXPECT_EQ(ColourOf("pulsanteblu", 150), Rgb(0, 50, 50));
}

TEST(ColourOf, NamesAreTrimmedOfSpacesAndLowerCased) {
    EXPECT_EQ(ColourOf(" ROSSO ", 0), Rgb(255, 155, 155));
    EXPECT_EQ(ColourOf("Verde   ", 40), ColourOf("verde", 40));
    EXPECT_EQ(ColourOf("\trosso", 0), 0);
}

TEST(ColourOf, UnknownOrEmptyIsBlackAtEveryShade) {
    for (int shade : {-300, 0, 255}) {
        for (std::string_view text :
             {std::string_view(""), std::string_view("     "), std::string_view("blu"),
              std::string_view("rossa"), std::string_view("rosso\0", 6)}) {
            EXPECT_EQ(ColourOf(text, shade), 0) << text << " " << shade;
        }
    }
}

TEST(ColourOf, ExtremeShadesSaturateWithoutOverflow) {
    EXPECT_EQ(ColourOf("rosso", INT_MIN), Rgb(255, 255, 255));
    EXPECT_EQ(ColourOf("rosso", INT_MAX), 0);
    EXPECT_EQ(ColourOf("pulsanteblu", INT_MAX), Rgb(255, 255, 255));
    EXPECT_EQ(ColourOf("#000000", INT_MIN), Rgb(255, 255, 255));
}

TEST(ColourSpec, ParsedOnceItShadesAsTheTextDoes) {
    for (std::string_view text :
         {"#f06040", "#FFF", "#", " rosso ", "PULSANTEORO", "pulsanteblu", "blu", ""}) {
        const ColourSpec spec = ColourSpec::Parse(text);
        for (int shade : {-50, 0, 100, 155, 255}) {
            EXPECT_EQ(spec.At(shade), ColourOf(text, shade)) << text << " " << shade;
        }
    }
    EXPECT_EQ(ColourSpec::Parse("#f06040"), ColourSpec::FromRgb(0xF0, 0x60, 0x40));
    EXPECT_EQ(ColourSpec::Parse(" Oro"), ColourSpec::Named(ColourSpec::Name::Oro));
}

TEST(ColourSpec, OnlyTheEmptyTextIsEmpty) {
    // The box stack paints its own green for the empty text, and black for a
    // blank or unknown one.
    EXPECT_TRUE(ColourSpec::Parse("").IsEmptyText());
    EXPECT_TRUE(ColourSpec().IsEmptyText());
    EXPECT_FALSE(ColourSpec::Parse(" ").IsEmptyText());
    EXPECT_FALSE(ColourSpec::Parse("blu").IsEmptyText());
    EXPECT_EQ(ColourSpec::Parse(" ").At(0), 0);
}

}  // namespace
}  // namespace instruments
