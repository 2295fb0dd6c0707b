// The fuzz checks must notice what they are there to notice: broken script
// output, misreported failures and stray or missing stretch writes.

#include <gtest/gtest.h>

#include <string>

#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "fuzz/ScriptOutput.h"
#include "fuzz/StretchCheck.h"
#include "tools/canvas-script/DrawScript.h"

namespace fuzz {
namespace {

using ScriptRun = instruments::raster::DrawScript::Result;

ScriptRun RunScript(const std::string& script) {
    return instruments::raster::DrawScript::RunText(script);
}

// One image of each format, with a few colours.
const std::string kScript =
    "format hex\nsurface 3 2 0xffffff\npixel 1 1 0xff\n"
    "format raw\nsurface 2 2 0x10 0x80\nline 0 0 2 2\n"
    "format ascii\ncase the letters\nsurface 4 3 0xffffff\npixel 0 0 0xff\npixel 3 2 0xff00\n"
    "format ppm\nsurface 2 1 0x123456\n";

std::string Replace(std::string text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return at == std::string::npos ? text : text.replace(at, what.size(), with);
}

TEST(ScriptImages, TheRunnersOwnOutputReadsBack) {
    const ScriptRun run = RunScript(kScript);
    ASSERT_EQ(run.failures, 0) << run.errors;
    int images = 0;
    EXPECT_EQ(CheckScriptImages(run.out, 64, images), "");
    EXPECT_EQ(images, 4);
    EXPECT_EQ(CheckScriptImages("", 64, images), "");
    EXPECT_EQ(images, 0);
}

TEST(ScriptImages, MalformedOutputIsCaught) {
    const std::string good = RunScript(kScript).out;
    const std::string broken[] = {
        good.substr(0, good.size() - 1),                             // PPM pixels cut short
        Replace(good, "ffffff ffffff ffffff\n", "ffffff ffffff\n"),  // hex row one word short
        Replace(good, "ffffff 0000ff ffffff", "ffffff 0000FF ffffff"),
        Replace(good, "ffffff 0000ff ffffff", "ffffff  0000ff ffff"),
        Replace(good, "00000000\nend\nimage the", "00000000\nfin\nimage the"),  // no end line
        Replace(good, "A...\n", "C...\n"),                  // letter missing from the legend
        Replace(good, "  B = 00ff00\n", "  C = 00ff00\n"),  // legend out of order
        Replace(good, "image img1 3 2", "image img1 3 3"),  // a row missing
        Replace(good, "P6\n# img4\n2 1", "P6\n# img4\n2 -1"),
        good + "trailing words\n",
    };
    for (const std::string& out : broken) {
        int images = 0;
        EXPECT_NE(CheckScriptImages(out, 64, images), "") << out;
    }
    int images = 0;
    EXPECT_NE(CheckScriptImages(good, 11, images), "") << "a 4 x 3 image is above 11 pixels";
}

TEST(ScriptErrors, FailuresMustMatchTheirReports) {
    const std::string script = "pixel 0 0 0\nformat hex\nsurface 0 1 0\nsurface 1 1 0\nbogus\n";
    const ScriptRun run = RunScript(script);
    ASSERT_EQ(run.failures, 3);
    EXPECT_EQ(CheckScriptErrors(run.errors, run.failures, script), "");

    EXPECT_NE(CheckScriptErrors(run.errors, 2, script), "") << "count differs";
    const std::string first = "canvas-script: line 1: no surface yet\n";
    const std::string third = "canvas-script: line 3: bad surface size\n";
    EXPECT_NE(CheckScriptErrors(third + first, 2, script), "") << "out of order";
    EXPECT_NE(CheckScriptErrors(first + first, 2, script), "") << "a line twice";
    EXPECT_NE(CheckScriptErrors("canvas-script: line 7: unknown command\n", 1, script), "") << "past the end";
    EXPECT_NE(CheckScriptErrors("line 1: no surface yet\n", 1, script), "") << "no prefix";
}

class Stretched : public ::testing::Test {
  protected:
    // A 4 x 3 picture of distinct pixels.
    void SetUp() override {
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                picture.SetPixel(x, y, static_cast<instruments::Pixel>(0x101010 * (1 + x + 4 * y)));
            }
        }
    }
    instruments::Surface Stretch(const StretchRects& r) const {
        instruments::Surface destination(10, 8, kUnwritten);
        instruments::bitmap::StretchBlackOnWhite(picture, r.sx, r.sy, r.sw, r.sh, destination, r.dx, r.dy,
                                                 r.dw, r.dh);
        return destination;
    }
    instruments::Surface picture{4, 3};
};

TEST_F(Stretched, TheRealStretchPasses) {
    const StretchRects cases[] = {
        {0, 0, 4, 3, 2, 1, 4, 3},    // a copy
        {1, 1, 2, 2, -1, 6, 2, 2},   // a copy, clipped
        {0, 0, 4, 3, 1, 1, 9, 5},    // enlarged
        {0, 0, 5, 4, 0, 0, 2, 2},    // shrunk, one pixel past the picture
        {-9, -9, 3, 3, 3, 3, 2, 2},  // wholly outside the picture
        {0, 0, 4, 3, 3, 3, -2, 5},   // nothing to draw
    };
    for (const StretchRects& r : cases) {
        EXPECT_EQ(CheckStretched(picture, r, Stretch(r)), "") << r.dx << " " << r.dy << " " << r.dw;
    }
}

TEST_F(Stretched, StrayMissingAndWrongPixelsAreCaught) {
    const StretchRects copy{0, 0, 4, 3, 2, 1, 4, 3};
    instruments::Surface outside = Stretch(copy);
    outside.SetPixel(6, 2, 0);  // one column right of the rectangle
    EXPECT_NE(CheckStretched(picture, copy, outside).find("outside"), std::string::npos);

    instruments::Surface missing = Stretch(copy);
    missing.SetPixel(5, 3, kUnwritten);
    EXPECT_NE(CheckStretched(picture, copy, missing).find("unwritten"), std::string::npos);

    instruments::Surface wrong = Stretch(copy);
    wrong.SetPixel(2, 1, picture.At(1, 0));
    EXPECT_NE(CheckStretched(picture, copy, wrong).find("not a copy"), std::string::npos);

    const StretchRects empty{0, 0, 4, 3, 3, 3, 0, 4};
    instruments::Surface drawn = Stretch(empty);
    drawn.SetPixel(3, 3, 0);
    EXPECT_NE(CheckStretched(picture, empty, drawn), "");
}

}  // namespace
}  // namespace fuzz
