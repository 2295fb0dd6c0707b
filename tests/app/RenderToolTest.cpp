// instruments-render: the lit segments and bar state it prints, the pictures it
// writes, and one line with exit 2 for bad flags.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "instruments/Png.h"
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
