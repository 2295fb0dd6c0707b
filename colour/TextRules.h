#pragma once

#include <string>
#include <string_view>

namespace colour {

// Names, schemes and keywords are compared after lowering A-Z only, so that the
// result never depends on the locale or on bytes above 127.
std::string LowerAsciiLetters(std::string_view text);

// The text without the spaces (0x20 only) at its ends.
std::string_view TrimSpaces(std::string_view text);

// The text without its leading spaces.
std::string_view TrimLeadingSpaces(std::string_view text);

}  // namespace colour
