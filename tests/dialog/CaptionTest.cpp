#include "dialog/Display.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "canvas/surface/Rounding.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

constexpr int kId = 302;
constexpr int kReferenceId = 303;
constexpr instruments::Colour kInk = 0x0000FF;
constexpr instruments::Colour kShadow = 0x558255;

// Captions are compared with the same text printed directly at the expected
// place on an identical control, so no glyph pixels are pinned.
class CaptionTest : public testsupport::DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        AddControl(kReferenceId, 210, 55);
        AddControl(kId, 210, 55);
    }

    void PrintReference(double x, double y, instruments::Colour colour, std::string_view text) {
        dialog::Attach(dialog, kReferenceId, instruments::Buffering::Buffered);
        dialog::SetPos(x, y);
        dialog::ColourFg(colour);
        dialog::ColourBg(dialog::kColourTransparent);
        dialog::Print(text);
        dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    }

    // Paints `caption` and returns what is left of the caller's text.
    std::string Paint(std::string caption, instruments::Colour shadow) {
        PaintCaption(caption, kInk, shadow);
        return caption;
    }

    bool SameFaces() const { return SurfaceOf(kId).SamePixels(SurfaceOf(kReferenceId)); }
};

TEST_F(CaptionTest, ShadowIsPrintedFirstTwoPixelsRightAndDown) {
    const int x = CentreX("ABC");
    const int y = CentreY();
    EXPECT_EQ(Paint("ABC", kShadow), "ABC");
    PrintReference(x + 2, y + 2, kShadow, "ABC");
    PrintReference(x, y, kInk, "ABC");
    EXPECT_TRUE(SameFaces());
    // The foreground stays the text colour, the position the line below.
    dialog::LineTo(5, y + dialog::CharSize().height);
    EXPECT_EQ(At(kId, 0, y + dialog::CharSize().height), testsupport::Px(kInk));
}

TEST_F(CaptionTest, BlackAndReservedColoursGiveNoShadow) {
    PrintReference(CentreX("ABC"), CentreY(), kInk, "ABC");
    for (instruments::Colour shadow : {0, dialog::kColourDefault, dialog::kColourTransparent}) {
        Paint("ABC", shadow);
        EXPECT_TRUE(SameFaces()) << shadow;
    }
}

TEST_F(CaptionTest, FlushLeftPrefixPrintsAtZero) {
    EXPECT_EQ(Paint("[<]ABC", 0), "ABC");
    PrintReference(0, CentreY(), kInk, "ABC");
    EXPECT_TRUE(SameFaces());
}

TEST_F(CaptionTest, TowardRightDoublesTheCentreOfTheFullText) {
    const int x = CentreX("[>]ABC");
    EXPECT_EQ(Paint("[>]ABC", 0), "ABC");
    PrintReference(2 * x, CentreY(), kInk, "ABC");
    EXPECT_TRUE(SameFaces());
    // The prefix alone prints nothing.
    const instruments::PixelBlock before = dialog::GetBits();
    EXPECT_EQ(Paint("[>]", kShadow), "");
    EXPECT_EQ(dialog::GetBits(), before);
}

// The centring helpers round the half of the free space to even: pinned with
// literal positions on controls sized to leave a chosen free space.
TEST_F(CaptionTest, CentringRoundsHalvesToEven) {
    const int textWidth = dialog::TextSize("ABC").width;
    const int lineHeight = dialog::CharSize().height;
    ASSERT_GT(textWidth, 5);
    struct Case {
        int free;
        int expected;
    };
    const Case cases[] = {{41, 20}, {43, 22}, {40, 20}, {0, 0}, {-3, -2}, {-5, -2}};
    int id = 400;
    for (const Case& c : cases) {
        AddControl(++id, textWidth + c.free, lineHeight + c.free);
        EXPECT_EQ(CentreX("ABC"), c.expected) << "free width " << c.free;
        EXPECT_EQ(CentreY(), c.expected) << "free height " << c.free;
    }
}

// "[>]" doubles the centre of the full text: with 41 pixels free beside
// "[>]ABC" the caption starts at 2 x round(20.5) = 40, and with 43 at 44.
TEST_F(CaptionTest, TowardRightWorkedExamples) {
    const int fullWidth = dialog::TextSize("[>]ABC").width;
    const int lineHeight = dialog::CharSize().height;
    for (const auto& [free, x] : {std::pair{41, 40}, std::pair{43, 44}}) {
        const int width = fullWidth + free;
        AddControl(kReferenceId + 100, width, lineHeight + 10);
        dialog::SetPos(x, 5);
        dialog::ColourFg(kInk);
        dialog::ColourBg(dialog::kColourTransparent);
        dialog::Print("ABC");
        AddControl(kId + 100, width, lineHeight + 10);
        std::string caption = "[>]ABC";
        PaintCaption(caption, kInk, 0);
        EXPECT_TRUE(SurfaceOf(kId + 100).SamePixels(SurfaceOf(kReferenceId + 100))) << "free " << free;
    }
}

}  // namespace
}  // namespace dialog
