#include "canvas/text/FontCache.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "canvas/text/FontMatcher.h"

namespace instruments::text {
namespace {

TEST(FontMatch, AnyFaceNameResolvesToAnInstalledFile) {
    for (const char* face : {"MS Sans Serif", "courier new", "no such face qq17", "", "Bad:weight=bold-12"}) {
        const std::optional<MatchedFont> matched = MatchFont({face, 11, 0});
        ASSERT_TRUE(matched.has_value()) << face;
        EXPECT_TRUE(std::filesystem::is_regular_file(matched->file)) << face << " -> " << matched->file;
    }
}

TEST(FontCache, EqualRequestsShareOneFace) {
    const auto first = OpenFont({"MS Sans Serif", 11, 0});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenFont({"MS Sans Serif", 11, 0}), first);
    // Bits beyond the four styles do not make a different font.
    EXPECT_EQ(OpenFont({"MS Sans Serif", 11, 16}), first);
}

TEST(FontCache, DifferentRequestsGetDifferentFaces) {
    const auto regular = OpenFont({"MS Sans Serif", 11, 0});
    EXPECT_NE(OpenFont({"MS Sans Serif", 11, kFontBold}), regular);
    EXPECT_NE(OpenFont({"MS Sans Serif", 12, 0}), regular);
    EXPECT_NE(OpenFont({"courier new", 11, 0}), regular);
}

TEST(FontCache, DegenerateHeightsGiveNoFont) {
    EXPECT_EQ(OpenFont({"MS Sans Serif", 0, 0}), nullptr);
    EXPECT_EQ(OpenFont({"MS Sans Serif", -11, 0}), nullptr);
    EXPECT_EQ(OpenFont({"MS Sans Serif", kMaxPixelHeight + 1, 0}), nullptr);
    EXPECT_NE(OpenFont({"MS Sans Serif", kMaxPixelHeight, 0}), nullptr);
}

}  // namespace
}  // namespace instruments::text
