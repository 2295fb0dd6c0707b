#pragma once

#include <functional>

#include "instruments/LocalTime.h"

namespace dialog {

// Reads the local clock, or the source installed with SetLocalClockSource.
instruments::LocalTime ReadLocalTime();
// Replaces the clock (tests and tools fix the time with it); an empty function
// restores the system clock.
void SetLocalClockSource(std::function<instruments::LocalTime()> source);

}  // namespace dialog
