#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "instruments/AnalogClock.h"
#include "instruments/Surface.h"
#include "tests/dialog/DisplayTestSupport.h"

namespace dialog {
namespace {

using instruments::Pixel;
using instruments::PixelFromColour;

constexpr int kClockId = 702;
constexpr int kReferenceId = 703;
constexpr int kNoControlId = 704;

constexpr instruments::Colour kHourColour = 0x9B9BFF;    // red 255, green and blue 155
constexpr instruments::Colour kMinuteColour = 0xC3C3FF;  // red 255, green and blue 195
constexpr instruments::Colour kSecondColour = 0x0000FF;
constexpr instruments::Colour kWhite = 0xFFFFFF;
constexpr instruments::Colour kFaceColour = 0x402010;

struct Point {
    int x = 0;
    int y = 0;
};

// Where the three hands end.
struct Hands {
    Point hour;
    Point minute;
    Point second;
};

const std::vector<Point> kDots180 = {{90, 171}, {130, 160}, {160, 131}, {171, 90}, {160, 50},
                                     {131, 20}, {90, 9},    {50, 20},   {20, 49},  {9, 90},
                                     {20, 130}, {49, 160},  {90, 171}};

void FixTime(int hh, int mm, int ss) {
    dialog::SetLocalClockSource([=] { return instruments::LocalTime{hh, mm, ss, 0}; });
}

class ClockTest : public testsupport::DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        dialog::EnsureBackgroundTable();
    }
    void TearDown() override {
        dialog::SetLocalClockSource({});
        DisplayTest::TearDown();
    }

    // A clock display and a reference control of the same size, both with a
    // plain kept face.
    void MakeClock(int width, int height, int frameWidth) {
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kClockId, "", 0, 0, width, height, 0));
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kReferenceId, "", 0, 0, width, height, 0));
        dialog::RecordOf(kClockId)->frameWidth = frameWidth;
        *dialog::BackgroundOf(kClockId) = instruments::PixelBlock::FromSurface(
            instruments::Surface(width, height, PixelFromColour(kFaceColour)));
    }

    // Draws on the reference control what the clock must show: the kept face,
    // the hands from the centre to the given pixels and the white dots.
    void DrawReference(Point centre, const Hands& hands, const std::vector<Point>& dots) {
        ASSERT_TRUE(dialog::Attach(dialog, kReferenceId, instruments::Buffering::Buffered));
        dialog::SetBits(*dialog::BackgroundOf(kClockId));
        const std::pair<Point, instruments::Colour> wide[] = {{hands.hour, kHourColour},
                                                              {hands.minute, kMinuteColour}};
        dialog::Width(4);
        for (const auto& [end, colour] : wide) {
            dialog::SetPos(centre.x, centre.y);
            dialog::LineTo(end.x, end.y, colour);
        }
        dialog::Width(1);
        dialog::SetPos(centre.x, centre.y);
        dialog::LineTo(hands.second.x, hands.second.y, kSecondColour);
        for (const Point& dot : dots) {
            dialog::SetPixel(dot.x, dot.y, kWhite);
        }
    }

    const instruments::Surface& Face(int id = kClockId) const { return *dialog::ControlSurface(dialog, id); }

    void ExpectFaceMatchesReference() const {
        const instruments::Surface& face = Face();
        const instruments::Surface& reference = Face(kReferenceId);
        int differing = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                if (face.At(x, y) != reference.At(x, y) && ++differing <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << face.At(x, y)
                                  << ", expected " << reference.At(x, y);
                }
            }
        }
        EXPECT_EQ(differing, 0);
    }

    std::vector<std::pair<int, int>> WhitePixels() const {
        std::vector<std::pair<int, int>> found;
        for (int y = 0; y < Face().height(); ++y) {
            for (int x = 0; x < Face().width(); ++x) {
                if (Face().At(x, y) == PixelFromColour(kWhite)) {
                    found.emplace_back(x, y);
                }
            }
        }
        return found;
    }
};

TEST(HourAngleTest, RoundsHalfDegreesToEven) {
    EXPECT_EQ(instruments::HourAngle(3, 0, 0), 90);
    EXPECT_EQ(instruments::HourAngle(9, 30, 0), 285);
    EXPECT_EQ(instruments::HourAngle(0, 1, 0), 0);  // 0.5
    EXPECT_EQ(instruments::HourAngle(0, 3, 0), 2);  // 1.5
    EXPECT_EQ(instruments::HourAngle(0, 5, 0), 2);  // 2.5
    EXPECT_EQ(instruments::HourAngle(23, 59, 0), 720);
}

TEST(HourAngleTest, RemainderKeepsTheSignOfTheShiftedHour) {
    EXPECT_EQ(instruments::HourAngle(3, 0, -1), 60);
    EXPECT_EQ(instruments::HourAngle(0, 30, -1), -15);
    EXPECT_EQ(instruments::HourAngle(0, 0, -1), -30);
    EXPECT_EQ(instruments::HourAngle(23, 0, 2), 30);
    EXPECT_EQ(instruments::HourAngle(22, 0, 2), 0);
}

TEST(HourAngleTest, ExtremeOffsetsDoNotOverflow) {
    EXPECT_EQ(instruments::HourAngle(0, 0, INT_MAX), 30 * (INT_MAX % 24));
    EXPECT_EQ(instruments::HourAngle(0, 0, INT_MIN), 30 * (INT_MIN % 24));
    EXPECT_EQ(instruments::HourAngle(23, 0, INT_MAX), 30 * ((23LL + INT_MAX) % 24));
}

TEST_F(ClockTest, LargeDialAtThreeOClock) {
    MakeClock(180, 180, 6);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, 0);
    DrawReference({90, 90}, {{147, 90}, {90, 12}, {90, 9}}, kDots180);
    ExpectFaceMatchesReference();
}

TEST_F(ClockTest, HourOffsetMovesOnlyTheHourHand) {
    MakeClock(180, 180, 6);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, -1);
    DrawReference({90, 90}, {{139, 62}, {90, 12}, {90, 9}}, kDots180);
    ExpectFaceMatchesReference();
}

TEST_F(ClockTest, LargeDialAtHalfPastNine) {
    MakeClock(180, 180, 6);
    FixTime(9, 30, 15);
    PaintClock(dialog, kClockId, 0);
    DrawReference({90, 90}, {{35, 75}, {90, 168}, {171, 90}}, kDots180);
    ExpectFaceMatchesReference();
}

TEST_F(ClockTest, HourAnglesPastMidnightAndBeforeIt) {
    MakeClock(180, 180, 6);
    // 720 degrees points straight up; -15 degrees leans left of twelve.
    FixTime(23, 59, 0);
    PaintClock(dialog, kClockId, 0);
    DrawReference({90, 90}, {{90, 33}, {82, 13}, {90, 9}}, kDots180);
    ExpectFaceMatchesReference();

    FixTime(0, 30, 0);
    PaintClock(dialog, kClockId, -1);
    DrawReference({90, 90}, {{75, 35}, {90, 168}, {90, 9}}, kDots180);
    ExpectFaceMatchesReference();
}

TEST_F(ClockTest, ThirteenDotsLandOnTheListedPixels) {
    MakeClock(180, 180, 6);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, 0);
    for (const Point& dot : kDots180) {
        EXPECT_EQ(Face().At(dot.x, dot.y), PixelFromColour(kWhite)) << dot.x << ", " << dot.y;
    }
    // 0 and 360 degrees share a pixel, and nothing else is white.
    EXPECT_EQ(WhitePixels().size(), 12u);
}

// Cases where the dial's single-precision factor 0.017453 (a hair below
// pi / 180) decides on which side of a half pixel a coordinate falls; with
// pi / 180 each lands one pixel away.
TEST_F(ClockTest, SinglePrecisionDegreeFactorDecidesHalfPixelCases) {
    // 180 x 180, second hand at :10 (60 degrees): dy = 81 x cos(1.04718) =
    // 40.5012, so the tip is (160, 49.4988), drawn to row 49, not 50.
    MakeClock(180, 180, 6);
    FixTime(0, 0, 10);
    PaintClock(dialog, kClockId, 0);
    DrawReference({90, 90}, {{90, 33}, {90, 12}, {160, 49}}, kDots180);
    ExpectFaceMatchesReference();
    const instruments::Surface& face = Face();
    for (const Point& p : {Point{158, 50}, Point{159, 50}}) {
        EXPECT_EQ(face.At(p.x, p.y), PixelFromColour(kSecondColour)) << p.x << ", " << p.y;
    }
    for (const Point& p : {Point{158, 51}, Point{159, 51}}) {
        EXPECT_EQ(face.At(p.x, p.y), PixelFromColour(kFaceColour)) << p.x << ", " << p.y;
    }
}

TEST_F(ClockTest, SinglePrecisionDegreeFactorPlacesTheThreeOClockDot) {
    // 50 x 50 with frame 6: the 90-degree dot is at 25 x (1 + 0.9 x
    // sin(1.57077)) = 47.4999999, column 47; with pi / 180 it is column 48.
    MakeClock(50, 50, 6);
    FixTime(0, 0, 0);
    PaintClock(dialog, kClockId, 0);
    EXPECT_EQ(Face().At(47, 25), PixelFromColour(kWhite));
    EXPECT_EQ(Face().At(48, 25), PixelFromColour(kFaceColour));
}

TEST_F(ClockTest, SmallDials) {
    MakeClock(80, 80, 3);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, 0);
    const instruments::Surface& face = Face();
    // Hour hand horizontal to (66, 40): its cap reaches one column past the end.
    EXPECT_EQ(face.At(67, 40), PixelFromColour(kHourColour));
    EXPECT_EQ(face.At(68, 40), PixelFromColour(kFaceColour));
    // Minute hand up to (40, 4): cap rows 2..5.
    EXPECT_EQ(face.At(39, 2), PixelFromColour(kMinuteColour));
    EXPECT_EQ(face.At(39, 1), PixelFromColour(kFaceColour));
    // The second hand stops below its end (40, 3), which is the top dot.
    EXPECT_EQ(face.At(40, 4), PixelFromColour(kSecondColour));
    EXPECT_EQ(face.At(40, 3), PixelFromColour(kWhite));
}

TEST_F(ClockTest, WideFramePullsTheHandsIntoTheFrameBand) {
    MakeClock(80, 80, 10);
    FixTime(3, 15, 0);
    PaintClock(dialog, kClockId, 0);
    // The second hand runs up column 40 and stops below (40, 6), the top dot;
    // (40, 5) is untouched.
    EXPECT_EQ(Face().At(40, 7), PixelFromColour(kSecondColour));
    EXPECT_EQ(Face().At(40, 6), PixelFromColour(kWhite));
    EXPECT_EQ(Face().At(40, 5), PixelFromColour(kFaceColour));
}

TEST_F(ClockTest, OddSizeKeepsTheRealCentreForTheDots) {
    MakeClock(81, 81, 6);
    FixTime(3, 15, 0);
    PaintClock(dialog, kClockId, 0);
    // The hands start at 40.5, drawn at 40; the top dot is 40.5 x (1 + 0.9 x a
    // hair) = 40.503, which lands in column 41.
    EXPECT_EQ(Face().At(40, 20), PixelFromColour(kSecondColour));
    EXPECT_EQ(Face().At(41, 20), PixelFromColour(kFaceColour));
    EXPECT_EQ(Face().At(40, 4), PixelFromColour(kFaceColour));
    EXPECT_EQ(Face().At(41, 4), PixelFromColour(kWhite));
}

TEST_F(ClockTest, WideDialScalesByHalfWidthAndHalfHeight) {
    MakeClock(120, 60, 6);
    FixTime(3, 15, 0);
    PaintClock(dialog, kClockId, 0);
    // Dots at 0, 90, 180 and 270 degrees on the 54 x 27 ellipse round (60, 30).
    for (const Point& dot : {Point{60, 57}, Point{114, 30}, Point{60, 3}, Point{6, 30}}) {
        EXPECT_EQ(Face().At(dot.x, dot.y), PixelFromColour(kWhite)) << dot.x << ", " << dot.y;
    }
    // The second hand reaches 27 pixels up, to the top dot, and no further.
    EXPECT_EQ(Face().At(60, 4), PixelFromColour(kSecondColour));
    EXPECT_EQ(Face().At(60, 2), PixelFromColour(kFaceColour));
}

TEST_F(ClockTest, RepaintShowsOnlyTheNewTime) {
    MakeClock(180, 180, 6);
    FixTime(9, 30, 15);
    PaintClock(dialog, kClockId, 0);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, 0);
    DrawReference({90, 90}, {{147, 90}, {90, 12}, {90, 9}}, kDots180);
    ExpectFaceMatchesReference();
}

TEST_F(ClockTest, WithoutAKeptFaceTheHandsAccumulate) {
    MakeClock(180, 180, 6);
    *dialog::BackgroundOf(kClockId) = {};
    FixTime(9, 30, 15);
    PaintClock(dialog, kClockId, 0);
    FixTime(3, 0, 0);
    PaintClock(dialog, kClockId, 0);
    // The hour hand of 09:30 is still there beside the one of 03:00.
    EXPECT_EQ(Face().At(36, 75), PixelFromColour(kHourColour));
    EXPECT_EQ(Face().At(146, 90), PixelFromColour(kHourColour));
}

TEST_F(ClockTest, NoRecordOrNoControlPaintsNothing) {
    MakeClock(180, 180, 6);
    FixTime(3, 0, 0);
    const instruments::Surface before = Face();
    ASSERT_TRUE(dialog::Attach(dialog, kClockId, instruments::Buffering::Buffered));
    PaintClock(dialog, kNoControlId, 0);
    PaintClock(dialog, 20000, 0);
    PaintClock(dialog, -1, 0);
    PaintClock(0, kClockId, 0);
    EXPECT_TRUE(Face().SamePixels(before));
}

TEST_F(ClockTest, ExtremeInputsStayOnTheSurface) {
    MakeClock(80, 80, INT_MIN);
    dialog::SetLocalClockSource([] { return instruments::LocalTime{INT_MAX, INT_MIN, INT_MAX, 0}; });
    PaintClock(dialog, kClockId, INT_MAX);
    dialog::RecordOf(kClockId)->frameWidth = INT_MAX;
    PaintClock(dialog, kClockId, INT_MIN);
    // Both repaints are complete faces: the kept face shows through.
    EXPECT_EQ(Face().width(), 80);
    EXPECT_EQ(Face().At(0, 0), PixelFromColour(kFaceColour));
}

}  // namespace
}  // namespace dialog
