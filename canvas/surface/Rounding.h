#pragma once

#include <climits>
#include <cmath>

namespace canvas {

// Every real value that becomes an integer (a pixel coordinate, a shade, a count)
// is rounded to the nearest integer with ties to the even one: 2.5 -> 2, 3.5 -> 4.
// Values outside the int range saturate and NaN gives 0, so no input can reach an
// undefined conversion.
inline int RoundHalfEven(double value) {
    if (!(value == value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless
    // a program changes it; this program never does.
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace canvas
