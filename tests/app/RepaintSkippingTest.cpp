// Skipped repaints against full ones. Thousands of ticks of the demo's twelve
// displays with random texts, levels and times (midnight crossings among them),
// with random changes in between: records, faces, glyphs, drawing on a
// display, its drawing state, a display created again. Every frame that the
// skipping painters compose must equal the same tick repainted in full, and
// the screen kept up to date from the changed rectangles alone must equal both.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "canvas/bitmap/BmpFile.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Face.h"
#include "dialog/GlyphTable.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "instruments/Surface.h"
#include "tests/support/ScopedTempDir.h"
#include "widgets/TextLayout.h"

namespace app {
namespace {

using instruments::Surface;

constexpr std::array kTextIds = {207, 208, 209, 210, 211, 212, 213};
constexpr std::array kClockIds = {702, 703, 704, 705};
constexpr int kMeterId = 602;

// Where two frames first differ, or empty when they are the same.
std::string FirstDifference(const Surface& a, const Surface& b) {
    if (a.SamePixels(b)) {
        return {};
    }
    if (a.width() != b.width() || a.height() != b.height()) {
        return "sizes differ";
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                std::ostringstream out;
                out << "first difference at (" << x << ", " << y << "): " << std::hex << a.At(x, y) << " vs "
                    << b.At(x, y);
                return out.str();
            }
        }
    }
    return {};
}

// A small picture of its own for each name, so that faces made from pictures
// differ from each other.
void WritePicture(const std::string& path, int seed) {
    Surface picture(17, 11);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.SetPixel(
                x, y, static_cast<instruments::Pixel>((x * 37 + y * 91 + seed * 53) * 0x010305 & 0xFFFFFF));
        }
    }
    ASSERT_TRUE(instruments::bitmap::WriteBmp(picture, path));
}

class Skipping : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        previous = get_current_dir_name();
        ASSERT_EQ(chdir(folder.path().c_str()), 0);
        WritePicture("quadrante.bmp", 1);
        WritePicture("quadrante1.bmp", 2);
        WritePicture("other.bmp", 3);
        dialog::SetLocalClockSource([this] { return TimeOfDayAt(nowMs); });
        dialog::UseHeadlessDialogs({});
        ASSERT_NE(StartUp(), 0);
        DemoEventHandler(mainDialog, instruments::kEventInitDialog, 0, 0);
        screen = *dialog::ComposeClientArea(mainDialog);
        for (const int id : kTextIds) {
            texts[id] = "";
        }
    }

    void TearDown() override {
        dialog::SetRepaints(dialog::Repaints::SkipUnchanged);
        dialog::SetLocalClockSource({});
        dialog::BuildGlyphTable();
        dialog::DialogEnd(mainDialog, 0);
        if (previous != nullptr) {
            EXPECT_EQ(chdir(previous), 0);
            free(previous);
        }
    }

    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
    bool Chance(int oneIn) { return Pick(oneIn) == 0; }

    std::string RandomText() {
        static constexpr std::string_view kCharacters = "0123456789:.-QUBEL ";
        std::string text(static_cast<std::size_t>(Pick(11)), ' ');
        for (char& c : text) {
            c = kCharacters[static_cast<std::size_t>(Pick(static_cast<int>(kCharacters.size())))];
        }
        return Chance(2) ? instruments::ToSegmentDigits(text) : text;
    }

    int RandomDisplay() {
        const std::vector<DemoDisplay>& displays = DemoDisplays();
        return displays[static_cast<std::size_t>(Pick(static_cast<int>(displays.size())))].id;
    }

    // The time moves on a tick; now and then it jumps, often to just before midnight.
    void AdvanceClock() {
        nowMs += kTickMs;
        if (Chance(60)) {
            nowMs = Chance(2) ? kDayMs - 1 - Pick(3000) : Pick(static_cast<int>(kDayMs));
        }
    }

    // One of the changes a program may make between ticks.
    void ChangeSomething() {
        const int id = RandomDisplay();
        dialog::DisplayRecord& record = *dialog::RecordOf(id);
        static constexpr std::array<std::string_view, 7> kWords = {
            "", "unito", "ombra", "fondo", "cerchio", "unto vuoto cerchio", "quadro ombra"};
        switch (Pick(10)) {
            case 0:
                record.inkColour = static_cast<instruments::Colour>(Pick(0x1000000));
                break;
            case 1:
                record.styleWords.Store(kWords[static_cast<std::size_t>(Pick(kWords.size()))]);
                break;
            case 2:
                record.frameWidth = Pick(9);
                break;
            case 3: {  // a face of other pixels, the same size or smaller, or none
                const int width = std::max(1, dialog::ControlSurface(mainDialog, id)->width() - Pick(2) * 7);
                const int height = dialog::ControlSurface(mainDialog, id)->height();
                Surface face(width, height, static_cast<instruments::Pixel>(Pick(0x1000000)));
                *dialog::BackgroundOf(id) =
                    Chance(5) ? instruments::PixelBlock{} : instruments::PixelBlock::FromSurface(face);
                break;
            }
            case 4: {  // the display made again, with other settings
                for (DemoDisplay display : DemoDisplays()) {
                    if (display.id != id) {
                        continue;
                    }
                    display.settings.inkColour = static_cast<instruments::Colour>(Pick(0x1000000));
                    display.settings.backStyle = Pick(8);
                    display.settings.faceText = Chance(3) ? "other.bmp" : display.settings.faceText;
                    dialog::CreateDisplay(mainDialog, id, display.x, display.y, display.width, display.height,
                                          display.settings);
                }
                break;
            }
            case 5:
                dialog::Attach(mainDialog, id, dialog::Buffering::Buffered);
                dialog::LineTo(Pick(200), Pick(60), static_cast<instruments::Colour>(Pick(0x1000000)));
                dialog::Redraw();
                break;
            case 6:
                if (Chance(2)) {  // pixels written behind the painter's back
                    instruments::Canvas& canvas = dialog::FindControl(mainDialog, id)->canvas();
                    canvas.surface().SetPixel(Pick(200), Pick(60), 0x654321);
                    canvas.Redraw();
                    break;
                }
                dialog::Attach(mainDialog, id,
                               Chance(2) ? dialog::Buffering::Buffered : dialog::Buffering::Unbuffered);
                dialog::SetPixel(Pick(200), Pick(60), 0x123456);
                break;
            case 7:  // drawing state only
                dialog::Attach(mainDialog, id, dialog::Buffering::Buffered);
                switch (Pick(4)) {
                    case 0:
                        dialog::Width(1 + Pick(3));
                        break;
                    case 1:
                        dialog::ColourFg(Chance(2) ? dialog::kColourDefault : 0x00FF00);
                        break;
                    case 2:
                        dialog::SetPos(Pick(50), Pick(50));
                        break;
                    default:
                        dialog::Font("DejaVu Sans", 6 + Pick(6), 0);
                        break;
                }
                break;
            case 8:
                if (Chance(4)) {
                    dialog::BuildGlyphTable();
                } else {
                    dialog::glyphTable.Replace(
                        static_cast<std::uint8_t>("0123456789:QUBEL"[Pick(16)]),
                        instruments::GlyphTable::Glyph{static_cast<std::uint8_t>(Pick(32)), 0x11, 0x0A,
                                                       static_cast<std::uint8_t>(Pick(32)), 0x0A, 0x11,
                                                       static_cast<std::uint8_t>(Pick(32))});
                }
                break;
            default:
                dialog::SetupSwitch(mainDialog, id, "", "");
                dialog::ToggleSwitch(mainDialog, id, "");
                break;
        }
    }

    // The inputs of one tick: mostly as before, sometimes new.
    void ChooseInputs() {
        for (const int id : kTextIds) {
            if (Chance(8)) {
                texts[id] = RandomText();
            }
        }
        texts[207] = instruments::ToSegmentDigits(SecondsSinceMidnightText(dialog::ReadLocalTime()));
        if (Chance(3)) {
            texts[208] = TimeOfDayText(dialog::ReadLocalTime());
        }
        for (int& offset : hourOffsets) {
            offset = Chance(40) ? Pick(5) - 2 : offset;
        }
        if (Chance(3)) {
            static constexpr std::array kOdd = {-5.0f,  105.0f, 0.0f,
                                                100.0f, 49.99f, std::numeric_limits<float>::quiet_NaN()};
            level = Chance(4) ? kOdd[static_cast<std::size_t>(Pick(kOdd.size()))]
                              : std::fmod(level + 1.0f, 100.0f);
        }
    }

    void PaintTick() {
        for (const int id : kTextIds) {
            dialog::PaintDisplayText(mainDialog, id, texts[id]);
        }
        for (std::size_t i = 0; i < kClockIds.size(); ++i) {
            dialog::PaintClock(mainDialog, kClockIds[i], hourOffsets[i]);
        }
        dialog::PaintLevelMeter(mainDialog, kMeterId, level);
    }

    // The faces and drawing states of the twelve displays.
    struct Displays {
        std::vector<Surface> faces;
        std::vector<instruments::DrawingState> states;
    };
    Displays Save() {
        Displays saved;
        for (const DemoDisplay& display : DemoDisplays()) {
            const instruments::Canvas& canvas = dialog::FindControl(mainDialog, display.id)->canvas();
            saved.faces.push_back(canvas.surface());
            saved.states.push_back(canvas.painter().state());
        }
        return saved;
    }
    void Restore(const Displays& saved) {
        for (std::size_t i = 0; i < saved.faces.size(); ++i) {
            instruments::Canvas& canvas = dialog::FindControl(mainDialog, DemoDisplays()[i].id)->canvas();
            canvas.surface() = saved.faces[i];
            canvas.painter().RestoreState(saved.states[i]);
        }
    }

    // Copies the rectangles the last compose reports from the client area.
    void ShowChanged(const Surface& client) {
        for (const instruments::ClientRect& rect : dialog::FindDialog(mainDialog)->Composed()) {
            screen.Blit(rect.x, rect.y, client, rect.x, rect.y, rect.width, rect.height);
            ++presentedRects;
        }
    }

    testsupport::ScopedTempDir folder;
    char* previous = nullptr;
    std::mt19937 random{20261207};
    long long nowMs = 12 * 3600 * 1000LL;
    std::map<int, std::string> texts;
    std::array<int, 4> hourOffsets = {0, -1, 1, 2};
    float level = 0.0f;
    Surface screen;
    long presentedRects = 0;
};

TEST_F(Skipping, EveryFrameEqualsTheSameTickRepaintedInFull) {
    constexpr int kTicks = 2500;
    for (int tick = 0; tick < kTicks; ++tick) {
        AdvanceClock();
        while (Chance(12)) {
            ChangeSomething();
        }
        ChooseInputs();

        // The same tick twice from the same faces and states: skipping what
        // is unchanged, then repainting everything.
        const Displays before = Save();
        dialog::SetRepaints(dialog::Repaints::SkipUnchanged);
        PaintTick();
        const Surface skipped = *dialog::ComposeClientArea(mainDialog);
        ShowChanged(skipped);
        const Displays afterSkipping = Save();

        Restore(before);
        dialog::SetRepaints(dialog::Repaints::Always);
        PaintTick();
        const Surface& full = *dialog::ComposeClientArea(mainDialog);
        ShowChanged(full);

        const std::string difference = FirstDifference(skipped, full);
        ASSERT_TRUE(difference.empty()) << "tick " << tick << ": " << difference;
        ASSERT_TRUE(Save().states == afterSkipping.states) << "tick " << tick << ": a drawing state differs";
        const std::string screenDifference = FirstDifference(screen, full);
        ASSERT_TRUE(screenDifference.empty()) << "tick " << tick << " on the screen: " << screenDifference;
    }
    // The full repaints present all twelve displays every tick; the skipping
    // ones must have left most of them alone.
    std::printf("presented %ld rectangles in %d ticks\n", presentedRects, kTicks);
    EXPECT_LT(presentedRects, kTicks * 12 * 3 / 2);
    EXPECT_GT(presentedRects, kTicks * 12);
}

TEST_F(Skipping, AnUnchangedTickPresentsNothingAndAFullOneEverything) {
    // The first paint starts from a new painter's state; from the second on,
    // each paint starts from the state the one before left.
    for (int tick = 0; tick < 2; ++tick) {
        PaintTick();
        dialog::ComposeClientArea(mainDialog);
    }
    PaintTick();
    dialog::ComposeClientArea(mainDialog);
    EXPECT_TRUE(dialog::FindDialog(mainDialog)->Composed().empty());

    dialog::SetRepaints(dialog::Repaints::Always);
    PaintTick();
    dialog::ComposeClientArea(mainDialog);
    EXPECT_EQ(dialog::FindDialog(mainDialog)->Composed().size(), 12u);
}

}  // namespace
}  // namespace app
