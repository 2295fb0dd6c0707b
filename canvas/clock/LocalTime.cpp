#include "instruments/LocalTime.h"

#include <sys/time.h>

#include <ctime>

namespace instruments {

LocalTime SystemLocalTime() {
    timeval now{};
    gettimeofday(&now, nullptr);
    const time_t seconds = now.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(now.tv_usec / 1000)};
}

}  // namespace instruments
