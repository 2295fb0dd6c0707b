#pragma once

#include "instruments/Export.h"

namespace instruments {

// A time of day on the local clock.
struct LocalTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const LocalTime&) const = default;
};

// Reads the system's local clock.
INSTRUMENTS_API LocalTime SystemLocalTime();

}  // namespace instruments
