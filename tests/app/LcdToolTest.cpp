// instruments-lcd as a user runs it: scripts with reads and comments, the JSON
// state, the dots, the PNG, and one line with exit 2 for bad input.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "instruments/Png.h"
#include "tests/support/ScopedTempDir.h"

namespace {

const std::string kTool = std::string(INSTRUMENTS_BIN_DIR) + "/instruments-lcd";

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const testsupport::ScopedTempDir& dir, const std::string& arguments,
                const std::string& script = "") {
    const std::string scriptFile = dir / "script.txt";
    std::ofstream(scriptFile) << script;
    const std::string outFile = dir / "out.txt";
    const std::string errFile = dir / "err.txt";
    const int status =
        std::system((kTool + " " + arguments + " <" + scriptFile + " >" + outFile + " 2>" + errFile).c_str());
    const auto read = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(outFile), read(errFile)};
}

TEST(LcdTool, ScriptReadsPrintInOrderAndTheDumpShowsTheState) {
    const testsupport::ScopedTempDir dir;
    const ToolRun run = RunTool(dir, "--size 16x2 --script - --dump",
                                "i 38   # 8-bit, two lines\n"
                                "i 0E\n"
                                "text \"Hi#\\x21\"\n"
                                "s\n"
                                "i 80\n"
                                "r\n"
                                "wait 1.5\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 10), "s 04\nr 48\n");
    EXPECT_NE(run.out.find("\"lines\": 2"), std::string::npos);
    EXPECT_NE(run.out.find("\"cursor\": true"), std::string::npos);
    EXPECT_NE(run.out.find("\"address_counter\": 1,"), std::string::npos);
    EXPECT_NE(run.out.find("\"ddram\": \"48692321"), std::string::npos);
    EXPECT_NE(run.out.find("\"time_ms\": 1.5}"), std::string::npos);
}

TEST(LcdTool, FourBitTransfersAndTheTimingCheck) {
    const testsupport::ScopedTempDir dir;
    // Without waiting after power-on the first writes are dropped.
    const ToolRun early = RunTool(dir, "--size 16x2 --timing --script - --dump", "i 30\ni 30\n");
    ASSERT_EQ(early.status, 0) << early.err;
    EXPECT_NE(early.out.find("\"dropped_writes\": 2"), std::string::npos);
    const ToolRun run = RunTool(dir, "--size 16x2 --timing --script - --dump",
                                "wait 15\ni 30\nwait 5\ni 30\nwait 1\ni 30\nwait 1\ni 20\nwait 1\n"
                                "i 20\ni 80\nwait 1\ni 00\ni C0\nwait 1\nd 40\nd 10\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"interface\": 4"), std::string::npos);
    EXPECT_NE(run.out.find("\"dropped_writes\": 0"), std::string::npos);
    EXPECT_NE(run.out.find("\"ddram\": \"41"), std::string::npos);
    EXPECT_NE(run.out.find("\"busy\": true"), std::string::npos);
}

TEST(LcdTool, TextGivesDotsAndAPicture) {
    const testsupport::ScopedTempDir dir;
    const std::string png = dir / "lcd.png";
    const ToolRun run = RunTool(dir, "--size 8x2 --text 'AB\\nC' --dots --preset blue --png " + png);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.size(), 2u * 8 * 41);  // 16 dot rows of 8 cells
    const auto picture = instruments::bitmap::ReadPng(png);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width(), 2 * 4 + 6 * 4 * 8 + 2 * 4 + 3);
}

TEST(LcdTool, BadInputGivesOneLineAndExitTwo) {
    const testsupport::ScopedTempDir dir;
    const std::string png = dir / "never.png";
    for (const auto& [arguments, script] : std::initializer_list<std::pair<std::string, std::string>>{
             {"--size 16x2 --script - --png " + png, "i 38\nx 12\n"},
             {"--size 16x2 --script - --png " + png, "i 388\n"},
             {"--size 16x2 --script - --png " + png, "text \"open\n"},
             {"--size 16x2 --script - --png " + png, "wait -1\n"},
             {"--size 16x3 --text hi --png " + png, ""},
             {"--size 16x2 --text hi --preset pink --png " + png, ""},
             {"--size 16x2 --png " + png, ""},
             {"--size 16x2 --text a --script - --png " + png, ""},
             {"--size 16x2 --text a --dot-size x --png " + png, ""},
             {"--size 16x2 --text a --rom /nonexistent --png " + png, ""},
         }) {
        const ToolRun run = RunTool(dir, arguments, script);
        EXPECT_EQ(run.status, 2) << arguments << " / " << script;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_FALSE(std::ifstream(png).good());
    const ToolRun named = RunTool(dir, "--size 16x2 --script -", "i 38\n\n# fine\nbogus\n");
    EXPECT_NE(named.err.find("line 4"), std::string::npos) << named.err;
}

}  // namespace
