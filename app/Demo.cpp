#include "app/Demo.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "dialog/Canvas.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/GlyphTable.h"
#include "dialog/Painters.h"
#include "instruments/Colour.h"
#include "widgets/TextLayout.h"

namespace app {

dialog::DialogHandle mainDialog = 0;
float levelCounter = 0.0f;

namespace {

constexpr std::string_view kCaption = "Tessarin...version 0.3";
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 500;
constexpr std::uint32_t kWindowStyle = 0x96CF0800;
constexpr int kTimerId = 1;
constexpr int kEndCommandId = 402;
constexpr int kColumnGap = 4;

struct DisplayRow {
    int id;
    dialog::DisplaySettings settings;
};

using instruments::Rgb;

// The twelve instruments in creation order: eight 210 x 55 displays in the
// first column, two 180 x 180 dials in the second, two 80 x 80 dials in the third.
constexpr DisplayRow kDisplays[] = {
    {207, {"", 6, "oro", 0, 0x0000FF, "unito", "#f06040", 1}},
    {208, {"", 6, "oro", 0, Rgb(140, 160, 140), "", "#fff0f0", 0}},
    {209, {"", 6, "rosso", 0, Rgb(160, 40, 40), "", "#ffdddd", 3}},
    {210, {"", 6, "oro", 0, 0x00FFFF, "", "#0000fa", 2}},
    {211, {"", 6, "verde", 0, 0x000000, "unto vuoto cerchio", "grigio", 5}},
    {212, {"", 6, "oro", 0, 0x000000, "fondo", "", 3}},
    {213, {"quadrante1.bmp", 6, "verde", 0, 0xFFFFFF, "unito", " ", 6}},
    {602, {"", 6, "verde", 0, 0x00FF00, "", "pulsanteblu", 1}},
    {702, {"", 6, "oro", 0, 0x00FF00, "", "", 3}},
    {703, {"quadrante.bmp", 8, "verde", 0, 0x000000, " ", " ", 6}},
    {704, {"", 10, "#afffff", 0, 0x000000, "", "#afffff", 3}},
    {705, {"", 3, "rosso", 0, 0x000000, "", "pulsanterosso", 0}},
};

struct Column {
    int firstDisplay;
    int x;
    int width;
    int height;
};

constexpr Column kColumns[] = {{0, 10, 210, 55}, {8, 250, 180, 180}, {10, 450, 80, 80}};
constexpr int kColumnTop = 10;

// Places the displays column by column: each is asked for the column's size
// (x, y, width and height are in/out, as display creation takes them), and the
// next one of the column goes below what the call returned.
template <typename Place>
void LayOut(Place&& place) {
    int x = 0, y = 0, width = 0, height = 0;
    for (int i = 0; i < static_cast<int>(std::size(kDisplays)); ++i) {
        for (const Column& column : kColumns) {
            if (column.firstDisplay == i) {
                x = column.x;
                y = kColumnTop;
                width = column.width;
                height = column.height;
            }
        }
        place(kDisplays[i], x, y, width, height);
        y = y + height + kColumnGap;
    }
}

}  // namespace

dialog::DialogHandle StartUp() {
    dialog::AllocateDisplayTable();
    mainDialog = dialog::DialogNew(dialog::kDialogPixels, 0, kCaption, -1, -1, kClientWidth, kClientHeight,
                                   kWindowStyle, 0);
    if (mainDialog == 0) {
        return 0;
    }
    LayOut([](const DisplayRow& row, int& x, int& y, int& width, int& height) {
        dialog::CreateDisplay(mainDialog, row.id, x, y, width, height, row.settings);
    });
    dialog::BuildGlyphTable();
    return mainDialog;
}

std::vector<DemoDisplay> DemoDisplays() {
    std::vector<DemoDisplay> placed;
    LayOut([&](const DisplayRow& row, int& x, int& y, int& width, int& height) {
        placed.push_back({row.id, x, y, width, height, row.settings});
    });
    return placed;
}

instruments::LocalTime TimeOfDayAt(long long milliseconds) {
    const long long at = milliseconds % kDayMs;
    return instruments::LocalTime{static_cast<int>(at / 3600000), static_cast<int>(at / 60000 % 60),
                                  static_cast<int>(at / 1000 % 60), static_cast<int>(at % 1000)};
}

void FollowVirtualTime(long long startMs) {
    dialog::SetLocalClockSource([startMs] {
        const long long virtualMs = dialog::HeadlessVirtualTime();
        return TimeOfDayAt(startMs + (virtualMs >= kTickMs ? virtualMs - kTickMs : 0));
    });
}

std::string SecondsSinceMidnightText(const instruments::LocalTime& time) {
    const long long milliseconds =
        time.hour * 3600000LL + time.minute * 60000LL + time.second * 1000LL + time.millisecond;
    // Work on the exact decimal value: hundredths, and the thousandth behind them.
    long long hundredths = milliseconds / 10;
    const long long thousandth = milliseconds % 10;
    if (thousandth > 5 || (thousandth == 5 && hundredths % 2 == 1)) {
        ++hundredths;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", hundredths / 100, hundredths % 100);
    return text;
}

std::string TimeOfDayText(const instruments::LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour % 100, time.minute % 100, time.second % 100);
    return text;
}

void Tick(dialog::DialogHandle dialog) {
    using dialog::PaintDisplayText;
    using instruments::ToSegmentDigits;

    levelCounter = levelCounter + 1.0f;
    levelCounter = std::fmod(levelCounter, 100.0f);
    // Nothing painted now could be seen: the state moves on, and the first tick
    // after the window shows again paints it.
    if (!dialog::DialogVisible(dialog)) {
        return;
    }

    // One reading for the whole tick, so that no two instruments straddle a second.
    const instruments::LocalTime now = dialog::ReadLocalTime();
    PaintDisplayText(dialog, 207, ToSegmentDigits(SecondsSinceMidnightText(now)));
    PaintDisplayText(dialog, 208, ToSegmentDigits(TimeOfDayText(now)));
    PaintDisplayText(dialog, 209, TimeOfDayText(now));
    PaintDisplayText(dialog, 210, TimeOfDayText(now));
    PaintDisplayText(dialog, 211, TimeOfDayText(now));
    PaintDisplayText(dialog, 212, ToSegmentDigits("QUBEL8"));
    PaintDisplayText(dialog, 213, "QUBEL");

    dialog::PaintClock(dialog, 702, 0, now);
    dialog::PaintClock(dialog, 703, -1, now);
    dialog::PaintClock(dialog, 704, +1, now);
    dialog::PaintClock(dialog, 705, +2, now);
    dialog::PaintLevelMeter(dialog, 602, levelCounter);
}

std::intptr_t DemoEventHandler(dialog::DialogHandle dialog, int event, std::uintptr_t wParam,
                               std::intptr_t /*lParam*/) {
    switch (event) {
        case instruments::kEventInitDialog:
            dialog::SetTimer(dialog, kTimerId, kTickMs);
            return 1;
        case instruments::kEventCommand:
            if ((wParam & 0xFFFF) == kEndCommandId) {
                dialog::Beep();
                dialog::DialogEnd(dialog, 0);
            }
            return 0;
        case instruments::kEventTimer:
            if (wParam == kTimerId) {
                Tick(dialog);
            }
            return 1;
        default:
            return 0;
    }
}

}  // namespace app
