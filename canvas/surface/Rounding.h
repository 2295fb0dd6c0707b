#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace instruments {

// Every real value that becomes an integer (a pixel coordinate, a shade, a count)
// is rounded to the nearest integer with ties to the even one: 2.5 -> 2, 3.5 -> 4.
// Values outside the int range saturate and NaN gives 0, so no input can reach an
// undefined conversion.
inline int RoundHalfEven(double value) {
    // Adding and taking away 1.5 x 2^52 leaves a double with no fraction bits,
    // rounded by the hardware in its default mode: to nearest, ties to even.
    // That is exact for every |value| below 2^51 and much cheaper than a libm call.
    constexpr double kShift = 6755399441055744.0;
    if (value > -2147483648.5 && value < 2147483647.5) {
        const double shifted = value + kShift;
        return static_cast<int>(shifted - kShift);
    }
    if (!(value == value)) {
        return 0;
    }
    return value > 0 ? INT_MAX : INT_MIN;
}

// A sum or product of coordinates, worked out in 64 bits, saturated back to int.
inline int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace instruments
