#pragma once

#include <stdexcept>
#include <string>

#include "instruments/Export.h"

namespace instruments {

// Thrown by every part of the API that takes a setting it cannot use: a colour
// text that is neither a hex colour nor a colour name, a value out of range. The
// message names the offending text or field and what would be accepted.
class INSTRUMENTS_API SettingsError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

}  // namespace instruments
