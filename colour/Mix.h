#pragma once

#include "instruments/Colour.h"

namespace instruments {

// `part` 256ths of the way from colour a to colour b, each channel rounded down.
constexpr Colour MixColours(Colour a, Colour b, int part) {
    const auto channel = [&](int shift) {
        const int x = (a >> shift) & 0xFF;
        const int y = (b >> shift) & 0xFF;
        return (x * (256 - part) + y * part) / 256;
    };
    return Rgb(channel(0), channel(8), channel(16));
}

}  // namespace instruments
