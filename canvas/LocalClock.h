#pragma once

#include <functional>

namespace canvas {

// The local time of day, as the instruments read it.
struct LocalTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Reads the local clock, or the source installed with SetLocalClockSource.
LocalTime ReadLocalTime();
// Replaces the clock (tests and tools fix the time with it); an empty function
// restores the system clock.
void SetLocalClockSource(std::function<LocalTime()> source);

}  // namespace canvas
