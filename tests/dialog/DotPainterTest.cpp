#include "dialog/Painters.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/GlyphTable.h"
#include "instruments/DotStyle.h"
#include "instruments/Surface.h"
#include "tests/dialog/DisplayTestSupport.h"
#include "widgets/TextLayout.h"

namespace dialog {
namespace {

using instruments::DotStyle;
using instruments::LayoutText;
using instruments::ShadeColour;

using instruments::Pixel;
using instruments::PixelFromColour;
using instruments::Surface;

constexpr instruments::Colour kInk = 0x0000FF;  // red
constexpr Pixel kBackground = 0x203040;
const Pixel kInkPixel = PixelFromColour(kInk);
const Pixel kShadePixel = PixelFromColour(ShadeColour);

// The rectangle the style text may have touched, left out of exact comparisons
// because font pixels differ between machines.
struct Mask {
    int width = 0;
    int height = 0;
    bool Covers(int x, int y) const { return x < width && y < height; }
};

// The pixels a style should produce, written as rectangles of the dot geometry:
// a separate dot or an unlit dot covers (pitch - 1) squared pixels, a joined dot
// the whole pitch cell, a hollow joined dot that cell's outline, and a shadow the
// separate-dot rectangle moved 2 right and 3 down, painted just before its dot.
struct Model {
    int margin;
    int pitchX;
    int pitchY;
    DotStyle style = DotStyle::Plain;

    Surface Paint(int width, int height, std::string_view text) const {
        Surface face(width, height, kBackground);
        for (std::size_t k = 0; k < text.size(); ++k) {
            const auto code = static_cast<std::uint8_t>(text[k]);
            for (int col = 0; col < 5; ++col) {
                for (int row = 0; row < 7; ++row) {
                    const int x = margin + pitchX * (6 * static_cast<int>(k) + col);
                    const int y = margin + pitchY * row;
                    if (glyphTable.Lit(code, row, col)) {
                        PaintLit(face, x, y);
                    } else if (Has(style, DotStyle::ShowUnlit)) {
                        face.FillRect(x, y, x + pitchX - 1, y + pitchY - 1, kShadePixel);
                    }
                }
            }
        }
        return face;
    }

    void PaintLit(Surface& face, int x, int y) const {
        if (Has(style, DotStyle::Shadow)) {
            face.FillRect(x + 2, y + 3, x + 2 + pitchX - 1, y + 3 + pitchY - 1, kShadePixel);
        }
        if (!Has(style, DotStyle::Joined)) {
            face.FillRect(x, y, x + pitchX - 1, y + pitchY - 1, kInkPixel);
        } else if (Has(style, DotStyle::Hollow)) {
            face.FillRect(x, y, x + pitchX, y + 1, kInkPixel);
            face.FillRect(x, y + pitchY - 1, x + pitchX, y + pitchY, kInkPixel);
            face.FillRect(x, y, x + 1, y + pitchY, kInkPixel);
            face.FillRect(x + pitchX - 1, y, x + pitchX, y + pitchY, kInkPixel);
        } else {
            face.FillRect(x, y, x + pitchX, y + pitchY, kInkPixel);
        }
    }
};

class DotPainterTest : public testsupport::DisplayTest {
  protected:
    static constexpr int kId = 207;

    void SetUp() override {
        DisplayTest::SetUp();
        dialog::EnsureBackgroundTable();
    }

    // A display with a plain background copy, as creation would leave it.
    void MakeDisplay(int id, int width, int height, int frameWidth, std::string_view styleWords) {
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, id, "", 10, 10, width, height, 0));
        dialog::DisplayRecord& record = *dialog::RecordOf(id);
        record.frameWidth = frameWidth;
        record.inkColour = kInk;
        record.styleWords.Store(styleWords);
        *dialog::BackgroundOf(id) = instruments::PixelBlock::FromSurface(Surface(width, height, kBackground));
    }

    const Surface& Face(int id = kId) const { return *dialog::ControlSurface(dialog, id); }

    // The style text's extent as the display's font measures it, with room for
    // overhang.
    Mask LabelMask(int id = kId) const {
        dialog::Attach(dialog, id, instruments::Buffering::Buffered);
        const instruments::Size size = dialog::TextSize(dialog::RecordOf(id)->styleWords.Trimmed());
        return size.width == 0 ? Mask{} : Mask{size.width + 2, size.height + 1};
    }

    // Number of pixels that differ outside the mask; the first few are reported.
    static int Differences(const Surface& actual, const Surface& expected, Mask mask) {
        int count = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                if (mask.Covers(x, y) || actual.At(x, y) == expected.At(x, y)) {
                    continue;
                }
                if (++count <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << actual.At(x, y)
                                  << ", expected " << expected.At(x, y);
                }
            }
        }
        return count;
    }
};

// A small display with room for the style text above the dots: frame 8 gives a
// margin of 16, and 2 characters at pitch 4 need 48 + 24 pixels across.
constexpr int kSmallWidth = 72;
constexpr int kSmallHeight = 28 + 32;
constexpr int kSmallFrame = 8;

TEST_F(DotPainterTest, EachSquareStyleMatchesItsPixelGeometry) {
    struct Case {
        const char* words;
        DotStyle style = DotStyle::Plain;
    };
    const Case cases[] = {
        {"", DotStyle::Plain},
        {"vuoto", DotStyle::Plain},
        {"unito", DotStyle::Joined},
        {"unito vuoto", DotStyle::Joined | DotStyle::Hollow},
        {"fondo", DotStyle::ShowUnlit},
        {"ombra", DotStyle::Shadow},
        {"ombra fondo", DotStyle::Shadow | DotStyle::ShowUnlit},
        {"OMBRA unito", DotStyle::Shadow | DotStyle::Joined},
    };
    int id = 300;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        MakeDisplay(id, kSmallWidth, kSmallHeight, kSmallFrame, c.words);
        PaintDisplayText(dialog, id, "Ag");
        const Model model{16, 4, 4, c.style};
        EXPECT_EQ(Differences(Face(id), model.Paint(kSmallWidth, kSmallHeight, "Ag"), LabelMask(id)), 0);
        ++id;
    }
}

TEST_F(DotPainterTest, JoinedDotsOnTheDemoDisplayAreSolid4By4Squares) {
    MakeDisplay(kId, 210, 55, 6, "unito");
    PaintDisplayText(dialog, kId, "88:88:88");
    const Model model{12, 4, 4, DotStyle::Joined};
    EXPECT_EQ(Differences(Face(), model.Paint(210, 55, "88:88:88"), LabelMask()), 0);
    // The top bar of the last 8 is three touching squares: x 184..195 on rows 12..15.
    for (int x = 184; x < 196; ++x) {
        for (int y = 12; y < 16; ++y) {
            EXPECT_EQ(Face().At(x, y), kInkPixel) << x << ", " << y;
        }
    }
}

TEST_F(DotPainterTest, ShadowIsCoveredByLaterDotsAndShowsOverGaps) {
    // "L" at pitch 8 x 4: column 0 lit top to bottom, row 6 lit across.
    MakeDisplay(kId, kSmallWidth, kSmallHeight, kSmallFrame, "ombra");
    PaintDisplayText(dialog, kId, "L");
    const Surface& face = Face();
    // The shadow of (col 0, row 0) falls on the dot below it, which covers it,
    // apart from its right part, which lies in the gap column of the dot.
    EXPECT_EQ(face.At(16 + 2, 16 + 4), kInkPixel);
    EXPECT_EQ(face.At(16 + 7, 16 + 4), kShadePixel);
    // Right of the column and below row 6 the shadow shows on the background.
    EXPECT_EQ(face.At(16 + 8, 16 + 3), kShadePixel);
    EXPECT_EQ(face.At(16 + 9, 16 + 3), kBackground);
    const int bottom = 16 + 6 * 4;
    EXPECT_EQ(face.At(16 + 2, bottom + 5), kShadePixel);
    EXPECT_EQ(face.At(16 + 2, bottom + 6), kBackground);
}

TEST_F(DotPainterTest, CircleRoundsOnlyLitDots) {
    // Pitch 8 x 6: a separate dot is 7 x 5 and rounds by 5 * 80 / 100 = 4 pixels.
    const int height = 32 + 7 * 6;
    MakeDisplay(kId, kSmallWidth, height, kSmallFrame, "fondo ombra cerchio");
    PaintDisplayText(dialog, kId, "L");
    const Surface& face = Face();
    // Column 0, row 0: lit, its corner is cut and its middle is ink.
    EXPECT_EQ(face.At(16, 16), kBackground);
    EXPECT_EQ(face.At(16 + 3, 16 + 2), kInkPixel);
    // Column 1, row 0: unlit, square corners in the shade colour.
    EXPECT_EQ(face.At(24, 16), kShadePixel);
    EXPECT_EQ(face.At(24 + 6, 16 + 4), kShadePixel);
    // Column 4, row 6 is lit and nothing comes after it: its shadow keeps its
    // square bottom-right corner and its dot loses its own.
    const int x = 16 + 4 * 8;
    const int y = 16 + 6 * 6;
    EXPECT_EQ(face.At(x + 8, y + 7), kShadePixel);
    EXPECT_EQ(face.At(x + 8, y + 3), kShadePixel);
    EXPECT_EQ(face.At(x + 6, y + 4), kShadePixel);
    EXPECT_EQ(face.At(x + 3, y + 2), kInkPixel);
}

TEST_F(DotPainterTest, CircleOnSmallDotsFollowsTheCornerSize) {
    // Pitch 4: separate dots are 3 x 3 and round by 2, which draws square;
    // joined dots are 4 x 4 and round by 3, which cuts one pixel per corner.
    MakeDisplay(kId, kSmallWidth, kSmallHeight, kSmallFrame, "cerchio");
    PaintDisplayText(dialog, kId, "\xFF\xFF");
    EXPECT_EQ(Face().At(16, 16), kInkPixel);

    MakeDisplay(kId + 1, kSmallWidth, kSmallHeight, kSmallFrame, "cerchio unito");
    PaintDisplayText(dialog, kId + 1, "\xFF\xFF");
    EXPECT_EQ(Face(kId + 1).At(16, 16), kBackground);
    EXPECT_EQ(Face(kId + 1).At(17, 16), kInkPixel);
    EXPECT_EQ(Face(kId + 1).At(19, 19), kBackground);
}

TEST_F(DotPainterTest, DemoStyleTextGivesFilledSeparateRoundedDots) {
    const int height = 32 + 7 * 6;
    MakeDisplay(kId, kSmallWidth, height, kSmallFrame, "unto vuoto cerchio");
    PaintDisplayText(dialog, kId, "\xFF");
    const Surface& face = Face();
    // Filled (not hollow), separate (gap column at x + 7) and rounded.
    EXPECT_EQ(face.At(16 + 3, 16 + 2), kInkPixel);
    EXPECT_EQ(face.At(16 + 7, 16 + 2), kBackground);
    EXPECT_EQ(face.At(16, 16), kBackground);
}

TEST_F(DotPainterTest, RepaintingRestoresTheBackgroundFirst) {
    MakeDisplay(kId, 210, 55, 6, "ombra fondo");
    PaintDisplayText(dialog, kId, "88:88:88");
    const Surface first = Face();
    PaintDisplayText(dialog, kId, "88:88:88");
    EXPECT_TRUE(Face().SamePixels(first));

    // A shorter text leaves nothing of the longer one behind.
    PaintDisplayText(dialog, kId, "1");
    const Surface shorter = Face();
    MakeDisplay(kId + 1, 210, 55, 6, "ombra fondo");
    PaintDisplayText(dialog, kId + 1, "1");
    EXPECT_TRUE(Face(kId + 1).SamePixels(shorter));
}

TEST_F(DotPainterTest, EveryRepaintPaintsAlikeWhateverTheInk) {
    for (const instruments::Colour ink : {-1, -2, 0x01000000, 0x7fffffff}) {
        MakeDisplay(kId, 210, 55, 6, "unito");
        dialog::RecordOf(kId)->inkColour = ink;
        PaintDisplayText(dialog, kId, "88");
        const Surface first = Face();
        PaintDisplayText(dialog, kId, "88");
        EXPECT_TRUE(Face().SamePixels(first)) << ink;
        PaintDisplayText(dialog, kId, "88");
        EXPECT_TRUE(Face().SamePixels(first)) << ink;
    }
    // The default ink is the default text colour, black.
    MakeDisplay(kId, kSmallWidth, kSmallHeight, kSmallFrame, "");
    dialog::RecordOf(kId)->inkColour = -1;
    PaintDisplayText(dialog, kId, "\xFF");
    PaintDisplayText(dialog, kId, "\xFF");
    EXPECT_EQ(Face().At(16, 16), 0u);
}

TEST_F(DotPainterTest, ZeroSizedDisplaysAreMadeAndPainted) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 40}, {60, 0}, {0, 0}}) {
        int x = 5;
        int y = 5;
        int w = width;
        int h = height;
        dialog::CreateDisplay(dialog, kId, x, y, w, h, {"", 6, "oro", 0, kInk, "unito", "grigio", 1});
        ASSERT_NE(dialog::ControlSurface(dialog, kId), nullptr);
        EXPECT_EQ(std::int64_t{w} * h, 0);
        // The kept copy is a valid block without pixels.
        const instruments::PixelBlock* kept = dialog::BackgroundOf(kId);
        ASSERT_NE(kept, nullptr);
        EXPECT_TRUE(kept->Valid());
        EXPECT_EQ(kept->size(), 8u);
        PaintDisplayText(dialog, kId, "88:88");
        PaintDisplayText(dialog, kId, "");
        EXPECT_TRUE(Face().empty());
    }
}

TEST_F(DotPainterTest, PrintsTheStyleTextInTheTopLeftCorner) {
    MakeDisplay(kId, 210, 55, 6, "  unito  ");
    PaintDisplayText(dialog, kId, "");
    const Mask label = LabelMask();
    ASSERT_GT(label.width, 0);
    int changed = 0;
    int whiteish = 0;
    for (int y = 0; y < label.height; ++y) {
        for (int x = 0; x < label.width; ++x) {
            const Pixel p = Face().At(x, y);
            changed += p != kBackground ? 1 : 0;
            // Every channel brighter than the background's brightest one.
            whiteish += ((p >> 16) & 0xFF) > 0x40 && ((p >> 8) & 0xFF) > 0x40 && (p & 0xFF) > 0x40 ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_GT(whiteish, 0);
    // Leading spaces are trimmed, so the text starts near the left edge.
    bool nearLeft = false;
    for (int y = 0; y < label.height; ++y) {
        for (int x = 0; x < 4; ++x) {
            nearLeft = nearLeft || Face().At(x, y) != kBackground;
        }
    }
    EXPECT_TRUE(nearLeft);
}

TEST_F(DotPainterTest, EmptyTextWithBlankStyleRestoresTheBackgroundOnly) {
    MakeDisplay(kId, 210, 55, 6, "");
    PaintDisplayText(dialog, kId, "8");
    PaintDisplayText(dialog, kId, "");
    EXPECT_TRUE(Face().SamePixels(Surface(210, 55, kBackground)));
}

TEST_F(DotPainterTest, WithoutABackgroundCopyNothingIsErased) {
    MakeDisplay(kId, kSmallWidth, kSmallHeight, kSmallFrame, "");
    *dialog::BackgroundOf(kId) = instruments::PixelBlock{};
    PaintDisplayText(dialog, kId, "\xFF");
    PaintDisplayText(dialog, kId, " ");
    EXPECT_EQ(Face().At(16, 16), kInkPixel);
}

TEST_F(DotPainterTest, ANeverCreatedRecordPaintsNothingOnABlankText) {
    ASSERT_TRUE(dialog::ControlAddGraphic(dialog, kId, "", 0, 0, 50, 40, 0));
    dialog::Attach(dialog, kId, instruments::Buffering::Buffered);
    dialog::Box(0, 0, 50, 40, 0, 0x00FF00, 0x00FF00, 0);
    const Surface before = Face();
    // Zero record: no background copy, an unwritten style text, frame 0.
    PaintDisplayText(dialog, kId, "   ");
    EXPECT_TRUE(Face().SamePixels(before));
}

TEST_F(DotPainterTest, RefusedIdsPaintNothing) {
    for (int id : {-1, dialog::kMaxDisplayId + 1}) {
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, id, "", 0, 0, 40, 30, 0));
        const Surface before = Face(id);
        PaintDisplayText(dialog, id, "\xFF\xFF");
        EXPECT_TRUE(Face(id).SamePixels(before)) << id;
    }
    // An id with a record but no graphic control is refused by the canvas.
    PaintDisplayText(dialog, 555, "\xFF");
    PaintDisplayText(0, kId, "\xFF");
}

}  // namespace
}  // namespace dialog
