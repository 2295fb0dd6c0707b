#include "dialog/Face.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/Display.h"
#include "instruments/Colour.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using testsupport::Px;

constexpr int kId = 330;
constexpr int kReferenceId = 331;
constexpr instruments::Colour kInk = 0x0000FF;  // pure red: no lamp, frame or background has it

class SwitchTest : public testsupport::DisplayTest {
  protected:
    // Frame 3 in "oro"; OFF face style 1, ON face style round(3.6) = 4.
    void PrepareRecord(int id) {
        dialog::DisplayRecord& record = *dialog::RecordOf(id);
        record.frameWidth = 3;
        record.frameColour.Store("oro");
        record.backColour.Store("grigio");
        record.backStyle = dialog::kBackRowsFromBottom;
        record.value = 3.6f;
        record.inkColour = kInk;
    }

    // CreateFace leaves the picture style in the record; it is put back, as
    // display creation stores its own, so that later faces have a background.
    void MakeSwitch(std::string_view faceText) {
        PrepareRecord(kId);
        CreateFace(dialog, kId, 0, 0, 210, 55, faceText);
        dialog::RecordOf(kId)->backStyle = dialog::kBackRowsFromBottom;
    }

    int State() const { return static_cast<int>(dialog::GetUser(dialog, kId, kSlotSwitchState)); }

    // All ink lies in the box where `label` is centred, and some is there.
    void ExpectLabel(std::string_view label) {
        dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
        const int left = dialog::CentreX(label);
        const int top = dialog::CentreY();
        const int right = left + dialog::TextSize(label).width;
        const int bottom = top + dialog::CharSize().height;
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < 55; ++y) {
            for (int x = 0; x < 210; ++x) {
                if (At(kId, x, y) == Px(kInk)) {
                    (x >= left && x < right && y >= top && y < bottom ? inside : outside) += 1;
                }
            }
        }
        EXPECT_EQ(outside, 0) << label;
        EXPECT_EQ(inside > 0, !label.empty()) << label;
    }
};

TEST_F(SwitchTest, DrawnSwitchEndsOnTheOffFaceWithItsLamp) {
    MakeSwitch("/");
    EXPECT_EQ(State(), 0);
    ExpectLabel("OFF");
    EXPECT_EQ(At(kId, 2, 50), Px(dialog::KeywordColourAt("oro", 170)));
    EXPECT_EQ(At(kId, 100, 3), testsupport::Grey(14));

    // The lamp of a 55-pixel control (radius 5..0 at x = 30, 30,
    // 29, 28, 28, 28, y = 28, red 175..200), painted over a marker on a
    // second control, must match the switch wherever they cover the marker.
    ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kReferenceId, "", 0, 60, 210, 55, 0));
    dialog::Attach(dialog, kReferenceId, instruments::Buffering::Buffered);
    dialog::Box(20, 20, 40, 40, 0, 0x00FF00, 0x00FF00, dialog::kFillSolid);
    const int xs[] = {30, 30, 29, 28, 28, 28};
    for (int k = 0; k < 6; ++k) {
        LampDisc(xs[k], 28, 5 - k, instruments::Rgb(175 + 5 * k, 0, 0));
    }
    int compared = 0;
    for (int y = 20; y < 40; ++y) {
        for (int x = 20; x < 40; ++x) {
            if (At(kReferenceId, x, y) != Px(0x00FF00)) {
                EXPECT_EQ(At(kId, x, y), At(kReferenceId, x, y)) << x << "," << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 60);
}

TEST_F(SwitchTest, ToggleGivesTheOnFaceWithAWiderFrameAndBack) {
    MakeSwitch(" / ");
    dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    const instruments::PixelBlock offFace = dialog::GetBits();

    ToggleSwitch(dialog, kId, kSwitchText);
    EXPECT_EQ(State(), 1);
    EXPECT_EQ(At(kId, 28, 28) & 0xFF00FF, 0u);  // green only
    EXPECT_NE(At(kId, 28, 28), 0u);
    ExpectLabel("ON");
    // Frame 4: column 3 is the innermost bevel line; style 4 starts at row 4.
    EXPECT_EQ(At(kId, 3, 50), Px(dialog::KeywordColourAt("oro", 191)));
    EXPECT_EQ(At(kId, 100, 4), testsupport::Grey(232));

    ToggleSwitch(dialog, kId, kSwitchText);
    EXPECT_EQ(State(), 0);
    dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    EXPECT_EQ(dialog::GetBits(), offFace);
}

TEST_F(SwitchTest, TwoPicturesAlternateWithoutLampOrLabel) {
    testsupport::WriteBmp(folder / "off.bmp", 1, 1, {0x102030});
    std::filesystem::create_directories(folder / "sub");
    testsupport::WriteBmp(folder / "sub" / "on.bmp", 1, 1, {0x405060});
    // Split at the first "/": the second part keeps its own "/".
    MakeSwitch("off.bmp/sub/on.bmp");
    auto expectAll = [this](instruments::Colour colour) {
        const instruments::PixelBlock face = instruments::PixelBlock::FromSurface(SurfaceOf(kId));
        for (int i = 0; i < 210 * 55; ++i) {
            ASSERT_EQ(face.pixels()[i], Px(colour)) << i;
        }
    };
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(State(), 0);
        expectAll(0x102030);
        ToggleSwitch(dialog, kId, kSwitchText);
        EXPECT_EQ(State(), 1);
        expectAll(0x405060);
        ToggleSwitch(dialog, kId, kSwitchText);
    }
}

TEST_F(SwitchTest, PictureWithoutSecondPartDrawsTheOnFace) {
    testsupport::WriteBmp(folder / "off.bmp", 1, 1, {0x102030});
    MakeSwitch("off.bmp/");
    EXPECT_EQ(At(kId, 100, 30), Px(0x102030));
    ToggleSwitch(dialog, kId, "off.bmp/AVANTI");
    EXPECT_EQ(State(), 1);
    ExpectLabel("AVANTI");
    EXPECT_EQ(At(kId, 28, 28) & 0xFF00FF, 0u);
}

TEST_F(SwitchTest, LabelsFromTextWithoutSlashAndFromTheRecord) {
    MakeSwitch("/");
    ToggleSwitch(dialog, kId, "LUCE");
    ExpectLabel("");
    ToggleSwitch(dialog, kId, "LUCE");
    ExpectLabel("LUCE");

    dialog::RecordOf(kId)->label.Store("  SU/GIU ");
    ToggleSwitch(dialog, kId, "");
    ExpectLabel("GIU");
    // Any state other than 0 counts as ON.
    dialog::SetUser(dialog, kId, kSlotSwitchState, 7);
    ToggleSwitch(dialog, kId, "");
    EXPECT_EQ(State(), 0);
    ExpectLabel("SU");
}

// A record whose label was never written holds 20 zero bytes: as a label they
// are empty, not 20 characters of the font's default glyph.
TEST_F(SwitchTest, LabelNeverWrittenPrintsNothing) {
    MakeSwitch("/");
    ASSERT_EQ(dialog::RecordOf(kId)->label.View(), std::string(20, '\0'));
    ToggleSwitch(dialog, kId, "");
    EXPECT_EQ(State(), 1);
    ExpectLabel("");
    ToggleSwitch(dialog, kId, "");
    EXPECT_EQ(State(), 0);
    ExpectLabel("");
}

}  // namespace
}  // namespace dialog
