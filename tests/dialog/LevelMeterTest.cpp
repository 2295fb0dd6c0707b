#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Painters.h"
#include "instruments/LevelMeter.h"
#include "instruments/Surface.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using instruments::PixelFromColour;
using PixelSet = std::set<std::pair<int, int>>;

constexpr int kMeterId = 602;
constexpr int kReferenceId = 603;
constexpr int kNoControlId = 604;

constexpr instruments::Colour kInk = 0x00C000;
constexpr instruments::Colour kWhite = 0xFFFFFF;
constexpr instruments::Colour kFaceColour = 0x303030;

// The worked example: 210 x 55 with frame width 6 puts the ticks on row 17.
constexpr int kTickRow = 17;
const std::vector<int> kTicks = {9,   18,  29,  38,  47,  56,  67,  76,  85,  96, 105,
                                 114, 125, 134, 143, 154, 163, 172, 181, 192, 201};

TEST(LineXAtYTest, FindsTheCrossingAndRoundsHalfToEven) {
    EXPECT_EQ(instruments::LineXAtY(105, 110, 12, 20, 47), 40);
    EXPECT_EQ(instruments::LineXAtY(105, 110, 12, 20, 17), 9);
    EXPECT_EQ(instruments::LineXAtY(7, 0, 7, 50, 33), 7);   // vertical
    EXPECT_EQ(instruments::LineXAtY(3, 10, 9, 40, 10), 3);  // at its own ends
    EXPECT_EQ(instruments::LineXAtY(3, 10, 9, 40, 40), 9);
    EXPECT_EQ(instruments::LineXAtY(0, 0, 1, 2, 1), 0);   // 0.5
    EXPECT_EQ(instruments::LineXAtY(0, 0, 3, 2, 1), 2);   // 1.5
    EXPECT_EQ(instruments::LineXAtY(0, 0, -1, 2, 1), 0);  // -0.5
    EXPECT_EQ(instruments::LineXAtY(0, 0, 10, 10, -5), -5);
}

TEST(LineXAtYTest, ExtremeArgumentsNeitherOverflowNorDivideByZero) {
    EXPECT_EQ(instruments::LineXAtY(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0), 0);
    EXPECT_EQ(instruments::LineXAtY(0, 0, INT_MAX, 1, INT_MAX), INT_MAX);
    EXPECT_EQ(instruments::LineXAtY(0, 0, INT_MIN, 1, INT_MAX), INT_MIN);
    // A horizontal line has no single crossing.
    EXPECT_EQ(instruments::LineXAtY(4, 20, 9, 20, 17), 4);
}

class LevelMeterTest : public testsupport::DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        dialog::EnsureBackgroundTable();
    }
    // Starts over with an empty dialog, for cases that need meters of several sizes.
    void NewDialog() {
        dialog::DialogEnd(dialog, 0);
        dialog = dialog::DialogNew(dialog::kDialogPixels, 0, "t", -1, -1, 700, 500, 0, 0);
        ASSERT_NE(dialog, 0);
    }

    // A meter display and a reference control of the same size, both with a plain
    // kept face.
    void MakeMeter(int width, int height, int frameWidth) {
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kMeterId, "", 0, 0, width, height, 0));
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kReferenceId, "", 0, 0, width, height, 0));
        dialog::DisplayRecord* record = dialog::RecordOf(kMeterId);
        record->frameWidth = frameWidth;
        record->inkColour = kInk;
        *dialog::BackgroundOf(kMeterId) = instruments::PixelBlock::FromSurface(
            instruments::Surface(width, height, PixelFromColour(kFaceColour)));
    }

    // Draws on the reference control the kept face, a needle between two pixels
    // and white ticks on one row.
    void DrawReference(std::pair<int, int> base, std::pair<int, int> tip, const std::vector<int>& ticks,
                       int tickRow) {
        ASSERT_TRUE(dialog::Attach(dialog, kReferenceId, instruments::Buffering::Buffered));
        dialog::SetBits(*dialog::BackgroundOf(kMeterId));
        dialog::Width(1);
        dialog::SetPos(base.first, base.second);
        dialog::LineTo(tip.first, tip.second, kInk);
        for (int x : ticks) {
            dialog::SetPixel(x, tickRow, kWhite);
        }
    }

    const instruments::Surface& Face(int id = kMeterId) const { return *dialog::ControlSurface(dialog, id); }

    PixelSet PixelsOf(instruments::Colour colour, int id = kMeterId) const {
        PixelSet found;
        for (int y = 0; y < Face(id).height(); ++y) {
            for (int x = 0; x < Face(id).width(); ++x) {
                if (Face(id).At(x, y) == PixelFromColour(colour)) {
                    found.emplace(x, y);
                }
            }
        }
        return found;
    }

    void ExpectFaceMatchesReference() const {
        EXPECT_EQ(PixelsOf(kInk), PixelsOf(kInk, kReferenceId));
        EXPECT_EQ(PixelsOf(kWhite), PixelsOf(kWhite, kReferenceId));
        EXPECT_TRUE(Face().SamePixels(Face(kReferenceId)));
    }
};

// 0 and 100 end on the first and the last tick; 99 stops short of the last.
TEST_F(LevelMeterTest, WorkedExampleNeedlesAndTicks) {
    MakeMeter(210, 55, 6);
    const struct {
        float value;
        std::pair<int, int> base;
        std::pair<int, int> tip;
    } cases[] = {{0, {40, 47}, {9, 17}},
                 {50, {105, 47}, {105, 17}},
                 {99, {169, 47}, {199, 17}},
                 {100, {170, 47}, {201, 17}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        PaintLevelMeter(dialog, kMeterId, c.value);
        DrawReference(c.base, c.tip, kTicks, kTickRow);
        ExpectFaceMatchesReference();
    }
}

TEST_F(LevelMeterTest, HalfScaleIsUprightAtTheRoundedMiddle) {
    for (const auto& [width, column] : {std::pair{210, 105}, {81, 40}, {83, 42}}) {
        SCOPED_TRACE(width);
        NewDialog();
        MakeMeter(width, 55, 6);
        PaintLevelMeter(dialog, kMeterId, 50);
        const PixelSet ink = PixelsOf(kInk);
        ASSERT_FALSE(ink.empty());
        for (const auto& [x, y] : ink) {
            EXPECT_EQ(x, column) << "row " << y;
        }
    }
}

TEST_F(LevelMeterTest, NoFrameSpansTheWholeWidth) {
    // 100 x 40: pivot (50, 80), ticks on row 18, base on row 38; the scale runs
    // from x = 0 to x = 100, so the end needles lean out past both edges.
    MakeMeter(100, 40, 0);
    PaintLevelMeter(dialog, kMeterId, 0);
    DrawReference({15, 38}, {-2, 18}, {}, 18);
    EXPECT_EQ(PixelsOf(kInk), PixelsOf(kInk, kReferenceId));
    EXPECT_EQ(Face().At(15, 38), PixelFromColour(kInk));
    EXPECT_EQ(Face().At(15, 39), PixelFromColour(kFaceColour));

    PaintLevelMeter(dialog, kMeterId, 100);
    DrawReference({85, 38}, {102, 18}, {}, 18);
    EXPECT_EQ(PixelsOf(kInk), PixelsOf(kInk, kReferenceId));
}

TEST_F(LevelMeterTest, TickRowUsesTheSinglePrecisionFactor) {
    // 20 - 0.05 x 50 is a hair below 17.5 with the single-precision 0.05, so the
    // ticks sit on row 17, not 18.
    MakeMeter(210, 50, 6);
    PaintLevelMeter(dialog, kMeterId, 50);
    const PixelSet white = PixelsOf(kWhite);
    ASSERT_EQ(white.size(), 21u);
    for (const auto& [x, y] : white) {
        EXPECT_EQ(y, 17) << "x " << x;
    }
}

TEST_F(LevelMeterTest, TicksLieOnTopOfTheNeedle) {
    // On a low meter (100 x 20, frame 3) the needle base is row 15, above the tick
    // row 19; the needle for 1 runs nearly flat from (-4, 15) towards (5, 19) and
    // passes through the tick for 0 at (4, 19).
    MakeMeter(100, 20, 3);
    PaintLevelMeter(dialog, kMeterId, 1);
    EXPECT_EQ(Face().At(3, 18), PixelFromColour(kInk));
    EXPECT_EQ(Face().At(4, 19), PixelFromColour(kWhite));
}

TEST_F(LevelMeterTest, RepaintRestoresTheKeptFace) {
    MakeMeter(210, 55, 6);
    PaintLevelMeter(dialog, kMeterId, 30);
    const instruments::Surface first = Face();
    PaintLevelMeter(dialog, kMeterId, 70);
    EXPECT_FALSE(Face().SamePixels(first));
    PaintLevelMeter(dialog, kMeterId, 30);
    EXPECT_TRUE(Face().SamePixels(first));
}

TEST_F(LevelMeterTest, TenPixelsHighShowsOnlyTheKeptFace) {
    // The pivot (w / 2, 20) lies on the scale line: no needle has a crossing.
    MakeMeter(210, 10, 2);
    PaintLevelMeter(dialog, kMeterId, 30);
    EXPECT_TRUE(PixelsOf(kInk).empty());
    EXPECT_TRUE(PixelsOf(kWhite).empty());
    EXPECT_EQ(PixelsOf(kFaceColour).size(), 210u * 10u);
}

TEST_F(LevelMeterTest, NanShowsTicksButNoNeedle) {
    MakeMeter(210, 55, 6);
    PaintLevelMeter(dialog, kMeterId, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(PixelsOf(kInk).empty());
    EXPECT_EQ(PixelsOf(kWhite).size(), kTicks.size());
}

TEST_F(LevelMeterTest, ValuesFarOffTheScaleLeanOutOfView) {
    MakeMeter(210, 55, 6);
    const float inf = std::numeric_limits<float>::infinity();
    for (float value : {inf, -inf, 1e30f, -1e30f, std::numeric_limits<float>::max()}) {
        SCOPED_TRACE(value);
        PaintLevelMeter(dialog, kMeterId, value);
        EXPECT_TRUE(PixelsOf(kInk).empty());
        EXPECT_EQ(PixelsOf(kWhite).size(), kTicks.size());
    }
}

TEST_F(LevelMeterTest, ExtremeFrameWidthsPaintWithoutFault) {
    MakeMeter(210, 55, INT_MAX);
    PaintLevelMeter(dialog, kMeterId, 50);
    dialog::RecordOf(kMeterId)->frameWidth = INT_MIN;
    PaintLevelMeter(dialog, kMeterId, 50);
    // The kept face came back first, so every pixel is face, ink or tick.
    const std::size_t painted =
        PixelsOf(kFaceColour).size() + PixelsOf(kInk).size() + PixelsOf(kWhite).size();
    EXPECT_EQ(painted, 210u * 55u);
}

TEST_F(LevelMeterTest, NoRecordOrNoControlPaintsNothing) {
    MakeMeter(210, 55, 6);
    const instruments::Surface before = Face();
    ASSERT_TRUE(dialog::Attach(dialog, kMeterId, instruments::Buffering::Buffered));
    PaintLevelMeter(dialog, kNoControlId, 50);
    PaintLevelMeter(dialog, 20000, 50);
    PaintLevelMeter(dialog, -1, 50);
    PaintLevelMeter(0, kMeterId, 50);
    EXPECT_TRUE(Face().SamePixels(before));
}

}  // namespace
}  // namespace dialog
