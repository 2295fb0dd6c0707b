#pragma once

// What the drawing-script check asks of a script run's two streams.

#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Reads out as a sequence of images in the script formats (hex, raw, ascii,
// ppm), none above maxPixels; counts them into images. Returns what is
// malformed, or an empty string.
std::string CheckScriptImages(std::string_view out, std::int64_t maxPixels, int& images);

// Every failure is one line naming a script line, in script order, and there
// are as many as the run counted. Returns what is wrong, or an empty string.
std::string CheckScriptErrors(std::string_view errors, int failures, std::string_view script);

}  // namespace fuzz
