#pragma once

// The properties checked on one fuzz input. The fuzz programs and the replay of
// saved inputs in the normal test build call the very same functions, so a
// crash or a broken property found while fuzzing stays found.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

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

// Paints random shapes, text and copies through a Painter with extreme
// coordinates, pens and fonts.
std::string CheckPainter(std::span<const std::uint8_t> input);

// Builds the instrument objects from random settings and paints them with
// Update and with Paint: the pixels must not depend on which one ran.
std::string CheckInstruments(std::span<const std::uint8_t> input);

// Runs a headless dialog loop on scripted timers, inputs, resizes and
// replaced controls; what is presented must match the live controls.
std::string CheckDialogLoop(std::span<const std::uint8_t> input);

// Random bus traffic into a character LCD against a model of the controller;
// the incremental paint must equal a full repaint.
std::string CheckLcd(std::span<const std::uint8_t> input);

// The longest one call of the code under test may take in this run; zero (the
// default, as in the replay under ctest) checks no time.
void SetCallLimit(std::chrono::microseconds limit);
// Runs call; when a limit is set and the call took longer, returns what took
// how long, otherwise an empty string.
std::string Timed(std::string_view what, const std::function<void()>& call);

struct Target {
    const char* name;
    std::string (*check)(std::span<const std::uint8_t> input);
};

inline constexpr Target kTargets[] = {
    {"bmp-stretch", CheckBmpStretch}, {"draw-script", CheckDrawScript},  {"display", CheckDisplay},
    {"painter", CheckPainter},        {"instruments", CheckInstruments}, {"dialog-loop", CheckDialogLoop},
    {"lcd", CheckLcd},
};

}  // namespace fuzz
