#include "instruments/DotStyle.h"

#include <gtest/gtest.h>

namespace instruments {
namespace {

TEST(DotStyleTest, FlagsCombineAndAreTestedOneByOne) {
    const DotStyle style = DotStyle::Joined | DotStyle::Rounded;
    EXPECT_TRUE(Has(style, DotStyle::Joined));
    EXPECT_TRUE(Has(style, DotStyle::Rounded));
    EXPECT_TRUE(Has(style, DotStyle::Joined | DotStyle::Rounded));
    EXPECT_FALSE(Has(style, DotStyle::Joined | DotStyle::Hollow));
    for (const DotStyle flag : {DotStyle::Shadow, DotStyle::ShowUnlit, DotStyle::Hollow}) {
        EXPECT_FALSE(Has(style, flag));
    }
    DotStyle grown = DotStyle::Plain;
    grown |= DotStyle::Shadow;
    grown |= DotStyle::ShowUnlit;
    EXPECT_EQ(grown, DotStyle::Shadow | DotStyle::ShowUnlit);
    EXPECT_NE(grown, DotStyle::Shadow);
}

TEST(DotStyleTest, ShadeColourIsRed92Green152Blue92) {
    EXPECT_EQ(ShadeColour & 0xFF, 92);
    EXPECT_EQ((ShadeColour >> 8) & 0xFF, 152);
    EXPECT_EQ((ShadeColour >> 16) & 0xFF, 92);
}

}  // namespace
}  // namespace instruments
