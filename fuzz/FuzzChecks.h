#pragma once

// The properties checked on one fuzz input. The fuzz programs and the replay of
// saved inputs in the normal test build call the very same functions, so a
// crash or a broken property found while fuzzing stays found.

#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

// Each returns an empty string when every property holds, or what failed.
// Memory errors show up through the sanitizers instead.

// Decodes the input as a BMP file and stretches the picture into a small
// destination whose size and place come from the input's last bytes.
std::string CheckBmpStretch(std::span<const std::uint8_t> input);

// Runs the input as a drawing script on small surfaces.
std::string CheckDrawScript(std::span<const std::uint8_t> input);

// Creates a display from settings taken from the input and paints it as text,
// level meter and clock in a headless dialog.
std::string CheckDisplay(std::span<const std::uint8_t> input);

struct Target {
    const char* name;
    std::string (*check)(std::span<const std::uint8_t> input);
};

inline constexpr Target kTargets[] = {
    {"bmp-stretch", CheckBmpStretch},
    {"draw-script", CheckDrawScript},
    {"display", CheckDisplay},
};

}  // namespace fuzz
