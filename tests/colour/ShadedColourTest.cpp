#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "instruments/Colour.h"
#include "instruments/SettingsError.h"

namespace instruments {
namespace {

using Name = ShadedColour::Name;

// The message of the SettingsError that parsing the text throws.
std::string ErrorOf(std::string_view text) {
    try {
        const ShadedColour colour(text);
        return "accepted, " + std::to_string(colour.At(0));
    } catch (const SettingsError& error) {
        return error.what();
    }
}

TEST(Rgb, ClampsEachComponentAndPacksRedLow) {
    EXPECT_EQ(Rgb(300, -5, 128), 255 + 128 * 65536);
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201);
}

TEST(ShadedColour, HexFormsAreTheRgbValue) {
    EXPECT_EQ(ShadedColour("#f06040"), ShadedColour(Rgb(0xF0, 0x60, 0x40)));
    EXPECT_EQ(ShadedColour("#F06040"), ShadedColour(Rgb(0xF0, 0x60, 0x40)));
    EXPECT_EQ(ShadedColour("#f64"), ShadedColour(Rgb(0xFF, 0x66, 0x44)));
    EXPECT_EQ(ShadedColour(" #000000 "), ShadedColour(0));
    // The shade comes off each component, saturating at both ends.
    EXPECT_EQ(ShadedColour("#f06040").At(100), Rgb(140, 0, 0));
    EXPECT_EQ(ShadedColour("#afffff").At(-50), Rgb(225, 255, 255));
    EXPECT_EQ(ShadedColour("#000000").At(INT_MIN), Rgb(255, 255, 255));
}

TEST(ShadedColour, BadHexSaysWhatItExpects) {
    for (const char* text : {"#", "#12345", "#1234567", "#gg0000", "#12 456", "#f06040zz"}) {
        const std::string message = ErrorOf(text);
        EXPECT_NE(message.find("\"" + std::string(text) + "\""), std::string::npos) << message;
        EXPECT_NE(message.find("#rrggbb"), std::string::npos) << message;
    }
}

TEST(ShadedColour, EveryNameShadesFromItsOwnBase) {
    struct Row {
        const char* text;
        Name name;
        Colour atZero;
        Colour atFull;
    };
    const Row rows[] = {
        {"red", Name::Red, Rgb(255, 155, 155), 0},
        {"green", Name::Green, Rgb(155, 255, 155), 0},
        {"grey", Name::Grey, Rgb(255, 255, 255), 0},
        {"gold", Name::Gold, Rgb(255, 255, 155), 0},
        {"red-button", Name::RedButton, Rgb(255, 210, 210), Rgb(155, 0, 0)},
        {"green-button", Name::GreenButton, Rgb(210, 255, 210), Rgb(0, 155, 0)},
        {"grey-button", Name::GreyButton, Rgb(255, 255, 255), Rgb(155, 155, 155)},
        {"gold-button", Name::GoldButton, Rgb(255, 255, 55), Rgb(155, 55, 55)},
        {"blue-button", Name::BlueButton, Rgb(0, 0, 0), Rgb(55, 155, 155)},
    };
    for (const Row& row : rows) {
        const ShadedColour colour(row.text);
        EXPECT_EQ(colour, ShadedColour(row.name)) << row.text;
        EXPECT_EQ(NameOf(row.name), row.text);
        EXPECT_EQ(colour.At(0), row.atZero) << row.text;
        EXPECT_EQ(colour.At(255), row.atFull) << row.text;
    }
    EXPECT_EQ(ShadedColour("gold-button").At(300), Rgb(110, 10, 55));
    EXPECT_EQ(ShadedColour("blue-button").At(150), Rgb(0, 50, 50));
    EXPECT_EQ(ShadedColour("red").At(INT_MIN), Rgb(255, 255, 255));
    EXPECT_EQ(ShadedColour("blue-button").At(INT_MAX), Rgb(255, 255, 255));
}

TEST(ShadedColour, NamesIgnoreCaseAndSurroundingSpacesAndGrayIsGrey) {
    EXPECT_EQ(ShadedColour(" GOLD "), ShadedColour(Name::Gold));
    EXPECT_EQ(ShadedColour("Blue-Button"), ShadedColour(Name::BlueButton));
    EXPECT_EQ(ShadedColour("gray"), ShadedColour(Name::Grey));
    EXPECT_EQ(ShadedColour("GRAY-button"), ShadedColour(Name::GreyButton));
    // The hyphen is part of the name.
    EXPECT_NE(ErrorOf("blue button").find("unknown colour"), std::string::npos);
    EXPECT_NE(ErrorOf("bluebutton").find("unknown colour"), std::string::npos);
}

TEST(ShadedColour, UnknownNamesListTheNearestOnes) {
    EXPECT_EQ(ErrorOf("golld"),
              "unknown colour \"golld\": give #rrggbb, #rgb or a colour name; nearest: \"gold\"");
    EXPECT_NE(ErrorOf("Gren").find("nearest: \"green\""), std::string::npos);
    // Ties are all listed.
    EXPECT_NE(ErrorOf("gruy").find("nearest: \"grey\" or \"gray\""), std::string::npos);
    // A colour word alone points at its button.
    EXPECT_NE(ErrorOf("blue").find("nearest: \"blue-button\""), std::string::npos);
    // The texts of the id-based operations are not names here.
    EXPECT_NE(ErrorOf("oro").find("unknown colour \"oro\""), std::string::npos);
    EXPECT_NE(ErrorOf("").find("unknown colour \"\""), std::string::npos);
}

TEST(ShadedColour, ValuesOutsideTwentyFourBitsAreRefused) {
    EXPECT_NO_THROW(ShadedColour(0xFFFFFF));
    for (const Colour value : {-1, -2, 0x1000000}) {
        EXPECT_THROW(ShadedColour{value}, SettingsError) << value;
    }
    EXPECT_THROW(ShadedColour::Flat(-1), SettingsError);
}

TEST(ShadedColour, NoneAndFlatAreBlackOrFixedAtEveryShade) {
    EXPECT_TRUE(ShadedColour().IsNone());
    EXPECT_FALSE(ShadedColour::Flat(0).IsNone());
    EXPECT_FALSE(ShadedColour(0).IsNone());
    for (int shade : {-300, 0, 255}) {
        EXPECT_EQ(ShadedColour().At(shade), 0);
        EXPECT_EQ(ShadedColour::Flat(0x123456).At(shade), 0x123456);
    }
    // A black value lightens below shade 0; a flat black does not.
    EXPECT_EQ(ShadedColour(0).At(-50), Rgb(50, 50, 50));
    EXPECT_NE(ShadedColour(0), ShadedColour::Flat(0));
}

TEST(SettingsError, IsAnInvalidArgument) {
    EXPECT_THROW(ShadedColour("nope"), std::invalid_argument);
}

}  // namespace
}  // namespace instruments
