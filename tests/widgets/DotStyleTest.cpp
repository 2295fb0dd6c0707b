#include "instruments/DotStyle.h"

#include <gtest/gtest.h>

#include "dialog/FixedText.h"

namespace instruments {
namespace {

TEST(DotStyleTest, EachKeywordSetsItsFlag) {
    EXPECT_EQ(DotStyle::FromWords("ombra"), (DotStyle{.shadow = true}));
    EXPECT_EQ(DotStyle::FromWords("fondo"), (DotStyle{.showUnlit = true}));
    EXPECT_EQ(DotStyle::FromWords("unito"), (DotStyle{.joined = true}));
    EXPECT_EQ(DotStyle::FromWords("unito vuoto"), (DotStyle{.joined = true, .hollow = true}));
    EXPECT_EQ(DotStyle::FromWords("cerchio"), (DotStyle{.circle = true}));
    EXPECT_EQ(DotStyle::FromWords(""), DotStyle{});
}

TEST(DotStyleTest, HollowNeedsJoined) {
    EXPECT_EQ(DotStyle::FromWords("vuoto"), DotStyle{});
    EXPECT_EQ(DotStyle::FromWords("unto vuoto cerchio"), (DotStyle{.circle = true}));
}

TEST(DotStyleTest, MatchesSubstringsWhateverTheCaseAndSeparators) {
    EXPECT_EQ(DotStyle::FromWords("OMBRA"), (DotStyle{.shadow = true}));
    EXPECT_EQ(DotStyle::FromWords("FoNdO,Unito;cerchioni"),
              (DotStyle{.showUnlit = true, .joined = true, .circle = true}));
    EXPECT_EQ(DotStyle::FromWords("penombra"), (DotStyle{.shadow = true}));
    EXPECT_EQ(DotStyle::FromWords("omra fondi unita"), DotStyle{});
    // Only A-Z fold; other bytes never match a letter.
    EXPECT_EQ(DotStyle::FromWords("\xCFmbra"), DotStyle{});
}

TEST(DotStyleTest, KeywordsBeyondThe32ByteFieldDoNotCount) {
    dialog::FixedText<32> words;
    words.Store("ombra                          cerchio");
    EXPECT_EQ(DotStyle::FromWords(words.View()), (DotStyle{.shadow = true}));
}

TEST(DotStyleTest, ShadeColourIsRed92Green152Blue92) {
    EXPECT_EQ(ShadeColour & 0xFF, 92);
    EXPECT_EQ((ShadeColour >> 8) & 0xFF, 152);
    EXPECT_EQ((ShadeColour >> 16) & 0xFF, 92);
}

}  // namespace
}  // namespace instruments
