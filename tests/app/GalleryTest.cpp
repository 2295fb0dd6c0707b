// The gallery example's snapshot (every instrument after three seconds of its
// virtual clock) against its recorded picture, pixel for pixel. No instrument
// in it prints with a font, so the machine's fonts do not enter.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "instruments/Png.h"
#include "tests/support/ScopedTempDir.h"

namespace {

TEST(Gallery, SnapshotMatchesItsRecordedPicture) {
#ifndef INSTRUMENTS_GALLERY
    GTEST_SKIP() << "the examples are not built";
#endif
    const std::string tool = std::string(INSTRUMENTS_BIN_DIR) + "/gallery";
    ASSERT_TRUE(std::filesystem::exists(tool));
    const testsupport::ScopedTempDir dir;
    const std::string out = dir / "gallery.png";
    const int status = std::system((tool + " --snapshot " + out).c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto shot = instruments::bitmap::ReadPng(out);
    const auto golden =
        instruments::bitmap::ReadPng(INSTRUMENTS_SOURCE_DIR "/tests/app/golden/gallery-3s.png");
    ASSERT_TRUE(shot.has_value() && golden.has_value());
    ASSERT_EQ(shot->width(), golden->width());
    ASSERT_EQ(shot->height(), golden->height());
    int differing = 0;
    for (int y = 0; y < shot->height(); ++y) {
        for (int x = 0; x < shot->width(); ++x) {
            if (shot->At(x, y) != golden->At(x, y) && ++differing <= 5) {
                ADD_FAILURE() << "pixel " << x << ", " << y << ": " << std::hex << shot->At(x, y) << " not "
                              << golden->At(x, y);
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
