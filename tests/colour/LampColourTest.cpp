#include "colour/LampColour.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "instruments/Colour.h"

namespace instruments {
namespace {

// The switch lamp on a 55-pixel control: step 5, level 100, rings -5 .. 0.
TEST(LampColour, SingleChannelSchemesOfTheSwitch) {
    const int expected[] = {175, 180, 185, 190, 195, 200};
    for (int ring = -5; ring <= 0; ++ring) {
        const int lit = expected[ring + 5];
        EXPECT_EQ(LampColour("rosso", 5, ring, 100), Rgb(lit, 0, 0)) << ring;
        EXPECT_EQ(LampColour("verdino", 5, ring, 100), Rgb(0, lit, 0)) << ring;
        EXPECT_EQ(LampColour("", 5, ring, 100), Rgb(0, lit, 0)) << ring;
        EXPECT_EQ(LampColour("blu-scuro", 5, ring, 100), Rgb(0, 0, lit)) << ring;
    }
    EXPECT_EQ(LampColour("rosso", 5, 0, 200), Rgb(255, 0, 0));
}

TEST(LampColour, MixedSchemesAndNames) {
    EXPECT_EQ(LampColour("rosso-arancio", 10, 5, 1), Rgb(5, 150, 50));
    EXPECT_EQ(LampColour("rosso-giallo", 5, 2, 10), Rgb(20, 30, 10));
    EXPECT_EQ(LampColour("blu", 5, 2, 10), Rgb(10, 30, 20));
    EXPECT_EQ(LampColour("Blu-Bianco", 3, 2, 10), Rgb(30, 20, 60));
    EXPECT_EQ(LampColour("semaforo", 2, 3, 10), Rgb(255, 30, 1));
    EXPECT_EQ(LampColour("ROSSO", 5, -3, 100), LampColour("rosso", 5, -3, 100));
    // Scheme names are not trimmed; unknown ones are black.
    EXPECT_EQ(LampColour(" rosso", 5, -3, 100), 0);
    EXPECT_EQ(LampColour("giallo", 5, 7, 100), 0);
}

TEST(LampColour, TermsRoundHalfToEven) {
    EXPECT_EQ(LampColour("rosso", 0, 0, 0.25f), 0);
    EXPECT_EQ(LampColour("rosso", 0, 0, 0.75f), Rgb(2, 0, 0));
    EXPECT_EQ(LampColour("rosso", 0, 0, 1.25f), Rgb(2, 0, 0));
}

TEST(LampColour, UndefinedOrHugeTermsGiveZero) {
    // "semaforo" divides by the ring (red) and by the level (blue).
    EXPECT_EQ(LampColour("semaforo", 1, 0, 100), 0);
    EXPECT_EQ(LampColour("semaforo", 1, 0, 0), 0);
    EXPECT_EQ(LampColour("semaforo", 1, 2, 0), 0);
    // 1e18 still fits a 64-bit integer and saturates; 1e19 does not and gives 0.
    EXPECT_EQ(LampColour("blu-bianco", 1, 1, 1e18f), Rgb(255, 255, 255));
    EXPECT_EQ(LampColour("blu-bianco", 1, 1, 1e19f), 0);
    EXPECT_EQ(LampColour("rosso", 0, 0, std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(LampColour("rosso", 0, 0, std::numeric_limits<float>::quiet_NaN()), 0);
    // Extreme ring products stay defined.
    EXPECT_EQ(LampColour("verdino", INT_MAX, INT_MAX, 0), Rgb(255, 255, 255));
    EXPECT_EQ(LampColour("verdino", INT_MAX, INT_MIN, 0), 0);
    EXPECT_EQ(LampColour("rosso-arancio", INT_MAX, INT_MAX, 0), Rgb(0, 255, 255));
}

}  // namespace
}  // namespace instruments
