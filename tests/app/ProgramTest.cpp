#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/ScopedTempDir.h"

namespace {

TEST(Program, WithoutADisplaySaysSoInOneLineAndExitsWithOne) {
    const std::string program = std::string(INSTRUMENTS_BIN_DIR) + "/instruments";
    ASSERT_TRUE(std::filesystem::exists(program));
    const testsupport::ScopedTempDir dir;
    const std::string errors = dir / "errors.txt";
    const auto start = std::chrono::steady_clock::now();
    const int status =
        std::system(("env -u DISPLAY -u WAYLAND_DISPLAY " + program + " >/dev/null 2>" + errors).c_str());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_LT(elapsed, std::chrono::seconds(1));
    std::ifstream file(errors);
    std::stringstream text;
    text << file.rdbuf();
    const std::string message = text.str();
    EXPECT_NE(message.find("DISPLAY"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

TEST(Program, BadArgumentsGiveOneLineAndExitTwo) {
    const std::string program = std::string(INSTRUMENTS_BIN_DIR) + "/instruments";
    const testsupport::ScopedTempDir dir;
    for (const std::string arguments : {"--bogus", "--pictures", "--pictures /nonexistent-folder", "extra",
                                        "--scale", "--scale 0", "--scale 5", "--scale 2x"}) {
        const std::string errors = dir / "errors.txt";
        const int status =
            std::system(("env -u DISPLAY " + program + " " + arguments + " 2>" + errors).c_str());
        ASSERT_TRUE(WIFEXITED(status)) << arguments;
        EXPECT_EQ(WEXITSTATUS(status), 2) << arguments;
        std::ifstream file(errors);
        std::stringstream text;
        text << file.rdbuf();
        const std::string message = text.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << arguments << ": " << message;
    }
}

}  // namespace
