#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/FuzzChecks.h"
#include "fuzz/ScriptOutput.h"
#include "tools/canvas-script/DrawScript.h"

namespace fuzz {

namespace {

// Small surfaces keep one run fast (the recorded scripts use up to 48 x 48);
// large coordinates and pens still reach far outside them.
constexpr std::int64_t kFuzzMaxPixels = 4096;

using Run = instruments::raster::DrawScript::Result;

Run RunScript(std::string_view script) {
    return instruments::raster::DrawScript::RunText(script, kFuzzMaxPixels);
}

}  // namespace

std::string CheckDrawScript(std::span<const std::uint8_t> input) {
    const std::string_view script(reinterpret_cast<const char*>(input.data()), input.size());
    const Run run = RunScript(script);
    if (std::string problem = CheckScriptErrors(run.errors, run.failures, script); !problem.empty()) {
        return problem;
    }
    int images = 0;
    if (std::string problem = CheckScriptImages(run.out, kFuzzMaxPixels, images); !problem.empty()) {
        return problem;
    }
    // Each image needs a surface or emit line.
    const auto lines = std::count(script.begin(), script.end(), '\n') + 1;
    if (images > lines) {
        return std::to_string(images) + " images from " + std::to_string(lines) + " lines";
    }
    // Nothing depends on memory that drawing left unset.
    const Run again = RunScript(script);
    if (again.out != run.out || again.errors != run.errors) {
        return "a second run of the same script gave other output";
    }
    return {};
}

}  // namespace fuzz
