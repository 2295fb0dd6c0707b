// The demo's twelve instruments as objects, painted into one 700 x 500 panel
// through one painter, each clipped to its rectangle: inside the rectangles the
// panel is the demo's recorded frame at the same time.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog/Keywords.h"
#include "instruments/AnalogClock.h"
#include "instruments/Face.h"
#include "instruments/LevelMeter.h"
#include "instruments/Painter.h"
#include "instruments/Png.h"
#include "instruments/Surface.h"
#include "instruments/TextDisplay.h"
#include "widgets/TextLayout.h"

namespace instruments {
namespace {

// One instrument of the demo: where it sits and its keyword settings.
struct Placed {
    Rect area;
    int frameWidth;
    const char* frameColour;
    Colour ink;
    const char* styleWords;
    const char* backColour;
    int backStyle;
    const char* picture;
};

// The demo's layout: eight 210 x 55 displays in a column from (10, 10), 4
// pixels apart, two 180 x 180 dials from (250, 10) and two 80 x 80 from (450, 10).
constexpr Placed kTextDisplays[] = {
    {{10, 10, 210, 55}, 6, "oro", 0x0000FF, "unito", "#f06040", 1, nullptr},
    {{10, 69, 210, 55}, 6, "oro", Rgb(140, 160, 140), "", "#fff0f0", 0, nullptr},
    {{10, 128, 210, 55}, 6, "rosso", Rgb(160, 40, 40), "", "#ffdddd", 3, nullptr},
    {{10, 187, 210, 55}, 6, "oro", 0x00FFFF, "", "#0000fa", 2, nullptr},
    {{10, 246, 210, 55}, 6, "verde", 0x000000, "unto vuoto cerchio", "grigio", 5, nullptr},
    {{10, 305, 210, 55}, 6, "oro", 0x000000, "fondo", "", 3, nullptr},
    {{10, 364, 210, 55}, 6, "verde", 0xFFFFFF, "unito", " ", 6, "quadrante1.bmp"},
};
constexpr Placed kMeter = {{10, 423, 210, 55}, 6, "verde", 0x00FF00, "", "pulsanteblu", 1, nullptr};
constexpr Placed kClocks[] = {
    {{250, 10, 180, 180}, 6, "oro", 0x00FF00, "", "", 3, nullptr},
    {{250, 194, 180, 180}, 8, "verde", 0x000000, " ", " ", 6, "quadrante.bmp"},
    {{450, 10, 80, 80}, 10, "#afffff", 0x000000, "", "#afffff", 3, nullptr},
    {{450, 94, 80, 80}, 3, "rosso", 0x000000, "", "pulsanterosso", 0, nullptr},
};
constexpr int kClockHourOffsets[] = {0, -1, +1, +2};

dialog::KeywordLook LookOf(const Placed& placed) {
    return dialog::LookOfKeywords(placed.frameWidth, placed.frameColour, placed.ink, placed.styleWords,
                                  placed.backColour, placed.backStyle);
}

std::optional<Surface> PictureOf(const Placed& placed) {
    if (placed.picture == nullptr) {
        return std::nullopt;
    }
    return LoadPicture(std::string(INSTRUMENTS_SOURCE_DIR) + "/assets/" + placed.picture, placed.area.width,
                       placed.area.height);
}

// Paints one instrument into its rectangle of the panel, as its own surface.
template <typename Paint>
void InArea(Painter& painter, const Rect& area, Paint&& paint) {
    PainterStateSaver saver(painter);
    painter.Clip(area);
    painter.Translate(area.origin());
    ASSERT_EQ(painter.ClientSize(), area.size());
    paint();
}

// The last of three ticks from 12:34:56.789, 40 ms apart (golden frame
// frame-123456-3ticks.png): every instrument's last paint is of this tick.
constexpr LocalTime kTime{12, 34, 56, 869};
const std::vector<std::string> kTexts = {ToSegmentDigits("45296.87"),
                                         ToSegmentDigits("12:34:56"),
                                         "12:34:56",
                                         "12:34:56",
                                         "12:34:56",
                                         ToSegmentDigits("QUBEL8"),
                                         "QUBEL"};
constexpr float kLevel = 3.0f;

TEST(Panel, TheDemosInstrumentsInOneBufferMatchItsFrame) {
    const auto golden =
        ReadPng(std::string(INSTRUMENTS_SOURCE_DIR) + "/tests/app/golden/frame-123456-3ticks.png");
    ASSERT_TRUE(golden.has_value());
    Surface panel(700, 500, 0x01123456);  // a colour that no instrument paints
    Painter painter(panel);
    std::vector<Rect> areas;
    // The labels are printed in the machine's fonts, which the recorded frame
    // need not share: their extents are left out, as the golden frame test does.
    std::vector<Rect> labels;

    for (std::size_t i = 0; i < std::size(kTextDisplays); ++i) {
        const Placed& placed = kTextDisplays[i];
        const dialog::KeywordLook look = LookOf(placed);
        const std::optional<Surface> picture = PictureOf(placed);
        TextDisplay display(placed.area.size(),
                            {.frame = look.frame,
                             .background = look.background,
                             .ink = look.ink,
                             .dots = look.dots,
                             .label = look.label},
                            picture ? &*picture : nullptr);
        display.SetCodes(kTexts[i]);
        InArea(painter, placed.area, [&] { display.Paint(painter); });
        areas.push_back(placed.area);
        if (!look.label.empty()) {
            labels.push_back(Rect::At(placed.area.origin(), painter.TextSize(look.label)));
        }
    }
    {
        const dialog::KeywordLook look = LookOf(kMeter);
        LevelMeter meter(kMeter.area.size(),
                         {.frame = look.frame, .background = look.background, .needle = look.ink});
        meter.SetLevel(kLevel);
        InArea(painter, kMeter.area, [&] { meter.Paint(painter); });
        areas.push_back(kMeter.area);
    }
    for (std::size_t i = 0; i < std::size(kClocks); ++i) {
        const Placed& placed = kClocks[i];
        const dialog::KeywordLook look = LookOf(placed);
        const std::optional<Surface> picture = PictureOf(placed);
        AnalogClock clock(placed.area.size(), {.frame = look.frame, .background = look.background},
                          picture ? &*picture : nullptr);
        clock.SetTime(kTime, kClockHourOffsets[i]);
        InArea(painter, placed.area, [&] { clock.Paint(painter); });
        areas.push_back(placed.area);
    }
    EXPECT_EQ(labels.size(), 4u);  // 207, 211, 212 and 213

    int compared = 0;
    for (int y = 0; y < panel.height(); ++y) {
        for (int x = 0; x < panel.width(); ++x) {
            bool inside = false;
            for (const Rect& area : areas) {
                inside = inside || area.Contains({x, y});
            }
            bool label = false;
            for (const Rect& area : labels) {
                label = label || area.Contains({x, y});
            }
            if (!inside) {
                ASSERT_EQ(panel.At(x, y), 0x01123456u)
                    << "painted outside every rectangle at " << x << ", " << y;
            } else if (!label) {
                ASSERT_EQ(panel.At(x, y), golden->At(x, y)) << "at " << x << ", " << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 7 * 210 * 55);
}

}  // namespace
}  // namespace instruments
