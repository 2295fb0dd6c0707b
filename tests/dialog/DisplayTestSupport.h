#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "canvas/bitmap/BmpFile.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Keywords.h"
#include "instruments/Colour.h"
#include "instruments/Surface.h"

namespace testsupport {

inline instruments::Pixel Px(instruments::Colour colour) {
    return instruments::PixelFromColour(colour);
}

// "grigio" at shade s is the grey 255 - s, so a painted grey reveals its shade.
inline instruments::Pixel Grey(int shade) {
    return Px(dialog::KeywordColourAt("grigio", shade));
}

// Writes a 24-bit bottom-up BMP whose pixels are given top row first.
inline void WriteBmp(const std::filesystem::path& path, int width, int height,
                     const std::vector<instruments::Colour>& topDown) {
    instruments::Surface picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.SetPixel(x, y,
                             instruments::PixelFromColour(topDown[static_cast<std::size_t>(y * width + x)]));
        }
    }
    ASSERT_TRUE(instruments::bitmap::WriteBmp(picture, path.string())) << path;
}

// Colours of the four quadrants of the 2 x 2 test picture.
inline constexpr instruments::Colour kPicTopLeft = 0x0000FF;
inline constexpr instruments::Colour kPicTopRight = 0x00FF00;
inline constexpr instruments::Colour kPicBottomLeft = 0xFF0000;
inline constexpr instruments::Colour kPicBottomRight = 0x00FFFF;

inline void WriteQuadrantBmp(const std::filesystem::path& path) {
    WriteBmp(path, 2, 2, {kPicTopLeft, kPicTopRight, kPicBottomLeft, kPicBottomRight});
}

// A fresh headless dialog and zeroed display tables for every test. The working
// directory is a private temporary folder, so face texts can name pictures by
// relative names (a "/" in a face text splits it into switch states).
class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog::UseHeadlessDialogs({});
        dialog = dialog::DialogNew(dialog::kDialogPixels, 0, "test", -1, -1, 700, 500, 0, 0);
        ASSERT_NE(dialog, 0) << dialog::LastDialogError();
        dialog::AllocateDisplayTable();
        dialog::BackgroundTable.clear();
        previousDirectory = std::filesystem::current_path();
        folder =
            std::filesystem::temp_directory_path() /
            ("instruments-display-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }

    void TearDown() override {
        std::filesystem::current_path(previousDirectory);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        dialog::DialogEnd(dialog, 0);
    }

    // A plain graphic control, made the current (buffered) target.
    void AddControl(int id, int width, int height) {
        ASSERT_TRUE(dialog::ControlAddGraphic(dialog, id, "", 0, 0, width, height, 0));
        ASSERT_TRUE(dialog::Attach(dialog, id, instruments::Buffering::Buffered));
    }

    const instruments::Surface& SurfaceOf(int id) const {
        const instruments::Surface* surface = dialog::ControlSurface(dialog, id);
        EXPECT_NE(surface, nullptr);
        static const instruments::Surface kNone;
        return surface ? *surface : kNone;
    }

    instruments::Pixel At(int id, int x, int y) const { return SurfaceOf(id).At(x, y); }

    dialog::DialogHandle dialog = 0;
    std::filesystem::path folder;
    std::filesystem::path previousDirectory;
};

}  // namespace testsupport
