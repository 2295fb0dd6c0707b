#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "instruments/Png.h"
#include "tests/support/ScopedTempDir.h"

namespace {

const std::string kTool = std::string(INSTRUMENTS_BIN_DIR) + "/instruments-snapshot";

int RunTool(const std::string& arguments) {
    const int status = std::system((kTool + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SnapshotTool, BadArgumentsGiveANonZeroExit) {
    ASSERT_TRUE(std::filesystem::exists(kTool));
    const testsupport::ScopedTempDir dir;
    const std::string out = dir / "bad.png";
    EXPECT_NE(RunTool("--time 24:00:00 --out " + out), 0);
    EXPECT_NE(RunTool("--time 12:00 --out " + out), 0);
    EXPECT_NE(RunTool("--time 12:00:00.1234 --out " + out), 0);
    EXPECT_NE(RunTool("--time 12:00:00 --ticks 0 --out " + out), 0);
    EXPECT_NE(RunTool("--time 12:00:00 --ticks -3 --out " + out), 0);
    EXPECT_NE(RunTool("--time 12:00:00"), 0);
    EXPECT_NE(RunTool("--time 12:00:00 --out /nonexistent-folder/x.png"), 0);
    EXPECT_NE(RunTool("--time 12:00:00 --out " + out + " --bogus 1"), 0);
}

TEST(SnapshotTool, WritesTheFinalFrameAndEveryTickFrame) {
    const testsupport::ScopedTempDir dir;
    const std::string folder = dir / "frames";
    const std::string out = dir / "snapshot.png";
    ASSERT_EQ(RunTool("--time 12:34:56.789 --ticks 3 --pictures " INSTRUMENTS_SOURCE_DIR "/assets --out " +
                      out + " --frames " + folder),
              0);
    const auto frame = instruments::bitmap::ReadPng(out);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->width(), 700);
    EXPECT_EQ(frame->height(), 500);
    const auto third = instruments::bitmap::ReadPng(folder + "/frame-0003.png");
    ASSERT_TRUE(third.has_value());
    EXPECT_TRUE(third->SamePixels(*frame));
    EXPECT_TRUE(std::filesystem::exists(folder + "/frame-0001.png"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/frame-0004.png"));
    // The same run as the golden frame, apart from the machine's fonts in four corners.
    const auto golden =
        instruments::bitmap::ReadPng(INSTRUMENTS_SOURCE_DIR "/tests/app/golden/frame-123456-3ticks.png");
    ASSERT_TRUE(golden.has_value());
    EXPECT_EQ(frame->At(300, 100), golden->At(300, 100));
    EXPECT_EQ(frame->At(120, 450), golden->At(120, 450));
}

}  // namespace
