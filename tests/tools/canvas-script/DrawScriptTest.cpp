// The script runner behind canvas-script: commands, output formats, errors.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include "tests/support/ScopedTempDir.h"
#include "tools/canvas-script/DrawScript.h"

namespace instruments::raster {
namespace {

using Result = DrawScript::Result;

Result RunScript(const std::string& script, std::int64_t maxPixels = DrawScript::kMaxSurfacePixels) {
    return DrawScript::RunText(script, maxPixels);
}

TEST(DrawScript, HexImagesAreWrittenInTheRendererFormat) {
    const Result r = RunScript("format hex\ncase  two pixels \t\nsurface 2 1 0x123456\npixel 1 0 0xabcdef\n");
    EXPECT_EQ(r.out, "image two pixels 2 1\n123456 abcdef\nend\n");
    EXPECT_EQ(r.failures, 0);
    EXPECT_EQ(r.errors, "");
}

TEST(DrawScript, UnnamedImagesAreNumberedInOutputOrder) {
    const Result r = RunScript(
        "format hex\n"
        "surface 1 1 0\n"
        "emit\n"
        "pixel 0 0 0xff\n"
        "emit\n"
        "pixel 0 0 0xff00\n"  // drawn after the last emit: never written
        "case named\n"
        "surface 1 1 0\n"
        "surface 1 1 0x10\n");
    EXPECT_EQ(r.out,
              "image img1 1 1\n000000\nend\n"
              "image img2 1 1\n0000ff\nend\n"
              "image named 1 1\n000000\nend\n"
              "image img4 1 1\n000010\nend\n");
}

TEST(DrawScript, FormatAppliesToSurfacesCreatedAfterIt) {
    const Result r = RunScript(
        "format hex\nsurface 2 1 0x123456 0xff\nformat raw\npixel 0 0 0xabcdef\n"
        "surface 2 1 0x123456 0xff\npixel 0 0 0xabcdef\n");
    // Raw words keep the alpha byte of untouched pixels; drawing writes 0 there.
    EXPECT_EQ(r.out, "image img1 2 1\nabcdef 123456\nend\nimage img2 2 1\n00efcdab ff563412\nend\n");
}

TEST(DrawScript, AsciiAndPpmFormats) {
    const Result ascii =
        RunScript("format ascii\nsurface 3 2 0xffffff\npixel 0 0 0xff\npixel 2 1 0xff00\npixel 1 1 0xff\n");
    EXPECT_EQ(ascii.out, "image img1 3 2\n  . = ffffff\n  A = 0000ff\n  B = 00ff00\nA..\n.AB\nend\n");
    const Result ppm = RunScript("case p\nsurface 2 1 0x0000ff\npixel 1 0 0x563412\n");
    EXPECT_EQ(ppm.out, std::string("P6\n# p\n2 1\n255\n\xff\x00\x00\x12\x34\x56", 21));
}

TEST(DrawScript, NumbersAreThirtyTwoBitCIntegers) {
    const Result r = RunScript(
        "format hex\n"
        "surface 4 1 0xffffff\n"
        "pixel 0 0 255\n"
        "pixel 1 0 0x1ffffff00\n"  // saturates to 0x7fffffff, as a 32-bit strtol does
        "pixel 2 0 010\n"          // octal
        "pixel -1 0 0\n");
    EXPECT_EQ(r.out, "image img1 4 1\n0000ff ffffff 000008 ffffff\nend\n");
    EXPECT_EQ(r.failures, 0);
}

TEST(DrawScript, SurfaceResetsThePenAndThePosition) {
    const Result r = RunScript(
        "format hex\n"
        "surface 3 1 0xffffff\n"
        "pen 4 0xff\n"
        "moveto 2 0\n"
        "surface 3 1 0xffffff\n"
        "lineto 2 0\n");
    EXPECT_EQ(r.out.substr(r.out.rfind("image")), "image img2 3 1\n000000 000000 ffffff\nend\n");
}

TEST(DrawScript, NullPenAndNullBrush) {
    const Result r = RunScript(
        "format hex\nsurface 3 3 0xffffff\npen 1 0 null\nbox 0 0 3 3 0 0 0xff\nbox 0 0 3 3 0 0 -2\n");
    EXPECT_EQ(r.out,
              "image img1 3 3\n0000ff 0000ff ffffff\n0000ff 0000ff ffffff\nffffff ffffff ffffff\nend\n");
}

TEST(DrawScript, FailingLinesAreReportedWithTheirNumberAndSkipped) {
    const Result r = RunScript(
        "pixel 0 0 0\n"
        "# comment\n"
        "\n"
        "format hex\n"
        "surface 0 5 0\n"
        "surface 2 1 0xffffff\n"
        "frobnicate 1 2\n"
        "line 0 0 1\n"
        "pixel 1 x 0\n"
        "pen 3 0 dash\n"
        "text 0 0 0 hello\n"
        "pixel 1 0 0\n");
    EXPECT_EQ(r.failures, 7);
    EXPECT_EQ(r.errors,
              "canvas-script: line 1: no surface yet\n"
              "canvas-script: line 5: bad surface size\n"
              "canvas-script: line 7: unknown command\n"
              "canvas-script: line 8: line X1 Y1 X2 Y2\n"
              "canvas-script: line 9: pixel X Y COLOUR\n"
              "canvas-script: line 10: pen style not supported\n"
              "canvas-script: line 11: text: not supported\n");
    EXPECT_EQ(r.out, "image img1 2 1\nffffff 000000\nend\n");
}

TEST(DrawScript, OversizedAndHugeInputsAreRefused) {
    const Result big = RunScript("surface 16385 1 0\npixel 0 0 0\n");
    EXPECT_EQ(big.failures, 2);
    EXPECT_EQ(big.out, "");
    const Result points = RunScript("surface 2 2 0\npolyline 100001 0 0\npolygon 0 2 0 0 1\n");
    EXPECT_EQ(points.failures, 2);
    EXPECT_NE(points.errors.find("line 3: not enough points"), std::string::npos);
}

TEST(DrawScript, SurfaceAboveThePixelLimitStopsTheScript) {
    // Earlier images are written; nothing after the refused surface runs.
    const Result r =
        RunScript("format hex\nsurface 2 1 0\nsurface 2049 2048 0\npixel 0 0 0xff\nsurface 1 1 0\n");
    EXPECT_EQ(r.failures, 1);
    EXPECT_EQ(r.errors,
              "canvas-script: line 3: surface 2049 x 2048 is above the limit of 4194304 pixels; stopping\n");
    EXPECT_EQ(r.out, "image img1 2 1\n000000 000000\nend\n");

    const Result alone = RunScript("surface 16384 16384 0\n");
    EXPECT_EQ(alone.failures, 1);
    EXPECT_EQ(alone.out, "");

    // A lower limit counts width x height, not either side.
    const Result atLimit = RunScript("format hex\nsurface 3 2 0\nsurface 6 1 0\nsurface 7 1 0\n", 6);
    EXPECT_EQ(atLimit.failures, 1);
    EXPECT_EQ(atLimit.out,
              "image img1 3 2\n000000 000000 000000\n000000 000000 000000\nend\n"
              "image img2 6 1\n000000 000000 000000 000000 000000 000000\nend\n");
    EXPECT_NE(atLimit.errors.find("line 4: surface 7 x 1 is above the limit of 6 pixels"), std::string::npos);
}

// Counts what reaches the stream and the largest single write.
class WriteSizes : public std::streambuf {
  public:
    std::streamsize total = 0;
    std::streamsize largest = 0;

  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        total += n;
        largest = std::max(largest, n);
        return n;
    }
    int_type overflow(int_type c) override {
        total += 1;
        largest = std::max<std::streamsize>(largest, 1);
        return traits_type::not_eof(c);
    }
};

TEST(DrawScript, ImagesAreWrittenRowByRow) {
    struct Case {
        const char* format;
        std::streamsize rowBytes;
    };
    // 1000 x 8 pixels: a hex row is 1000 six-digit words and their separators.
    for (const Case c : {Case{"hex", 7000}, Case{"raw", 9000}, Case{"ascii", 1001}, Case{"ppm", 3000}}) {
        WriteSizes sizes;
        std::ostream out(&sizes);
        std::ostringstream errors;
        std::istringstream script(std::string("format ") + c.format +
                                  "\nsurface 1000 8 0xffffff\nline 0 0 999 7\n");
        EXPECT_EQ(DrawScript(out, errors).Run(script), 0) << errors.str();
        EXPECT_GT(sizes.total, 8 * c.rowBytes) << c.format;
        EXPECT_LE(sizes.largest, c.rowBytes) << c.format;
    }
}

// The tool itself: one line and exit code 2 for arguments and for a surface
// above the limit, and no image output then.
TEST(DrawScript, ToolRefusesArgumentsAndHugeSurfaces) {
    namespace fs = std::filesystem;
    const testsupport::ScopedTempDir folder;
    ASSERT_FALSE(folder.path().empty());
    const fs::path dir = folder.path();
    const std::string tool = std::string(INSTRUMENTS_BIN_DIR) + "/canvas-script";
    std::ofstream(dir / "big.txt") << "format hex\nsurface 8192 8192 0\nline 0 0 9 9\n";
    auto run = [&](const std::string& arguments, const std::string& input) {
        const std::string command = tool + arguments + " < " + (dir / input).string() + " > " +
                                    (dir / "out").string() + " 2> " + (dir / "err").string();
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    auto read = [&](const char* name) {
        std::ifstream in(dir / name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(run("", "big.txt"), 2);
    EXPECT_EQ(read("out"), "");
    EXPECT_EQ(read("err"),
              "canvas-script: line 2: surface 8192 x 8192 is above the limit of 4194304 pixels; stopping\n");
    EXPECT_EQ(run(" --help", "big.txt"), 2);
    EXPECT_EQ(read("out"), "");
    EXPECT_EQ(read("err"), "usage: canvas-script < script.txt > images\n");
}

}  // namespace
}  // namespace instruments::raster
