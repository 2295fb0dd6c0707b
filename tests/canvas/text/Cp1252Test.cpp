#include "canvas/text/Cp1252.h"

#include <gtest/gtest.h>

namespace instruments::text {
namespace {

TEST(Cp1252, AsciiAndLatin1MapToThemselves) {
    EXPECT_EQ(Cp1252ToUnicode('A'), U'A');
    EXPECT_EQ(Cp1252ToUnicode(0x7F), U'\x7F');
    EXPECT_EQ(Cp1252ToUnicode(0xA0), U'\xA0');
    EXPECT_EQ(Cp1252ToUnicode(0xE9), U'\xE9');
    EXPECT_EQ(Cp1252ToUnicode(0xFF), U'\xFF');
}

TEST(Cp1252, HighControlsAreTheWindowsPunctuation) {
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x91), U'\u2018');
    EXPECT_EQ(Cp1252ToUnicode(0x92), U'\u2019');
    EXPECT_EQ(Cp1252ToUnicode(0x93), U'\u201C');
    EXPECT_EQ(Cp1252ToUnicode(0x94), U'\u201D');
    EXPECT_EQ(Cp1252ToUnicode(0x8C), U'\u0152');
    EXPECT_EQ(Cp1252ToUnicode(0x9F), U'\u0178');
}

TEST(Cp1252, UnassignedBytesGiveZero) {
    for (const unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Cp1252ToUnicode(byte), U'\0') << static_cast<int>(byte);
    }
}

}  // namespace
}  // namespace instruments::text
