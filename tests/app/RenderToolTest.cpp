// instruments-render: the lit segments and bar state it prints, the pictures it
// writes, and one line with exit 2 for bad flags.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "instruments/AnalogClock.h"
#include "instruments/LevelMeter.h"
#include "instruments/Png.h"
#include "instruments/Switch.h"
#include "tests/support/ScopedTempDir.h"

namespace {

const std::string kTool = std::string(INSTRUMENTS_BIN_DIR) + "/instruments-render";

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const testsupport::ScopedTempDir& dir, const std::string& arguments) {
    const std::string outFile = dir / "out.txt";
    const std::string errFile = dir / "err.txt";
    const int status = std::system((kTool + " " + arguments + " >" + outFile + " 2>" + errFile).c_str());
    const auto read = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(outFile), read(errFile)};
}

TEST(RenderTool, SegmentsNameTheirLitSegments) {
    const testsupport::ScopedTempDir dir;
    const std::string png = dir / "segments.png";
    const ToolRun run = RunTool(dir, "segments --digits 6 --colon --text 12:34.5 --png " + png + " --lit");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "cell 0:\ncell 1: b c\ncell 2: a b d e g\ncolon 2: on\ncell 3: a b c d g\ncell 4: b c f g dp\n"
              "cell 5: a c d f g\n");
    const auto picture = instruments::bitmap::ReadPng(png);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width(), 300);
    const ToolRun fourteen = RunTool(dir, "segments --digits 1 --kind 14 --text X --png " + png + " --lit");
    EXPECT_EQ(fourteen.out, "cell 0: h j k m\n");
}

TEST(RenderTool, BarPrintsLitAndPeakAtTheTime) {
    const testsupport::ScopedTempDir dir;
    const std::string png = dir / "bar.png";
    const std::string values =
        " --peak-hold 500 --peak-fall 10 --values 0:0.9,100:0.3 --png " + png + " --lit";
    EXPECT_EQ(RunTool(dir, "bar --segments 20 --at 600" + values).out, "lit 6 peak 18\n");
    EXPECT_EQ(RunTool(dir, "bar --segments 20 --at 900" + values).out, "lit 6 peak 15\n");
    EXPECT_EQ(RunTool(dir, "bar --segments 20 --values 0:0.5 --lit --png " + png).out, "lit 10 peak 0\n");
    const ToolRun vertical = RunTool(dir, "bar --segments 10 --vertical --values 0:1 --png " + png);
    ASSERT_EQ(vertical.status, 0) << vertical.err;
    EXPECT_EQ(instruments::bitmap::ReadPng(png)->height(), 100);
}

// The tool's picture of an instrument equals the object painted in-process
// with the settings its flags name.
void ExpectToolPaints(const testsupport::ScopedTempDir& dir, const std::string& arguments,
                      instruments::Instrument& instrument) {
    const std::string png = dir / "tool.png";
    const ToolRun run = RunTool(dir, arguments + " --png " + png);
    ASSERT_EQ(run.status, 0) << arguments << ": " << run.err;
    instruments::Surface expected(instrument.size().width, instrument.size().height);
    instruments::Painter painter(expected);
    instrument.Paint(painter);
    const auto painted = instruments::bitmap::ReadPng(png);
    ASSERT_TRUE(painted.has_value()) << arguments;
    ASSERT_EQ(painted->width(), expected.width()) << arguments;
    ASSERT_EQ(painted->height(), expected.height()) << arguments;
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            differing += expected.At(x, y) != painted->At(x, y);
        }
    }
    EXPECT_EQ(differing, 0) << arguments;
}

TEST(RenderTool, ClockMeterAndSwitchFlagsGiveTheirSettings) {
    const testsupport::ScopedTempDir dir;
    using instruments::BackgroundPattern;
    instruments::AnalogClock clock({150, 120}, {.frame = {.width = 6, .colour = "gold"},
                                                .background = {.pattern = BackgroundPattern::BoxStack}});
    clock.SetTime({10, 8, 30, 0}, -1);
    ExpectToolPaints(dir,
                     "clock --time 10:08:30 --hour-offset -1 --frame 6 --frame-colour gold "
                     "--background box-stack --size 150x120",
                     clock);

    instruments::LevelMeter meter(
        {210, 55}, {.frame = {.width = 3, .colour = "grey"},
                    .background = {.pattern = BackgroundPattern::RowsFromTop, .colour = "green"},
                    .needle = instruments::Rgb(0, 255, 0),
                    .range = {.min = -20, .max = 5},
                    .labels = {{-20, "-20"}, {0, "0"}, {5, "+5"}}});
    meter.SetLevel(-3.5);
    ExpectToolPaints(dir,
                     "meter --level -3.5 --range -20,5 --labels -20:-20,0:0,5:+5 --needle '#00ff00' "
                     "--frame 3 --frame-colour grey --background rows-from-top --background-colour green",
                     meter);

    instruments::Switch toggle(
        {300, 36}, {.frame = {.width = 2, .colour = "red-button"},
                    .background = {.pattern = BackgroundPattern::MirroredRows, .colour = "grey-button"},
                    .onPattern = BackgroundPattern::MirroredColumns,
                    .labelColour = instruments::Rgb(0, 0, 128),
                    .labels = "RUN/PAUSE"});
    toggle.SetOn(true);
    ExpectToolPaints(dir,
                     "switch --on --labels RUN/PAUSE --label-colour '#000080' --frame 2 --frame-colour "
                     "red-button --background mirrored-rows --background-colour grey-button "
                     "--on-background mirrored-columns --size 300x36",
                     toggle);
}

TEST(RenderTool, BadFlagsGiveOneLineAndExitTwo) {
    const testsupport::ScopedTempDir dir;
    const std::string png = dir / "never.png";
    for (const std::string& arguments : {
             std::string("dial --png ") + png,
             "segments --text 1 --png " + png,
             "segments --digits 6 --kind 9 --text 1 --png " + png,
             "segments --digits 6 --slant 45 --text 1 --png " + png,
             "bar --segments 20 --values 0:x --png " + png,
             "bar --segments 20 --values 100:1,50:0 --png " + png,
             "lamp --scheme rosso --png " + png,
             "lamp --scheme red --colour '#ff0000' --png " + png,
             "lamp --colour '#ff00' --png " + png,
             "lamp --scheme red --blink 100 --png " + png,
             "text --text hi --frame -1 --png " + png,
             "segments --digits 6 --text 1 --png " + png + " --extra 1",
             "clock --time 24:00:00 --png " + png,
             "clock --time 10:08 --png " + png,
             "clock --time 10:08:00 --background stripes --png " + png,
             "clock --time 10:08:00 --background picture --png " + png,
             "meter --level 50 --range 5,5 --png " + png,
             "meter --level 50 --labels 10 --png " + png,
             "meter --png " + png,
             "switch --on --off-picture " + dir / "missing.png" + " --png " + png,
             "switch --frame-colour mauve --png " + png,
         }) {
        const ToolRun run = RunTool(dir, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << ": " << run.err;
    }
    EXPECT_FALSE(std::ifstream(png).good());
    EXPECT_EQ(RunTool(dir, "lamp --colour '#ff8000' --blink 400,0.5 --at 300 --png " + png).status, 0);
    EXPECT_EQ(RunTool(dir, "text --text 21.5°C --png " + png).status, 0);
}

}  // namespace
