#pragma once

// Small surfaces as text pictures for exact pixel tests: one character per
// pixel, rows separated by newlines.

#include <set>
#include <string>
#include <utility>

#include "instruments/Surface.h"

namespace instruments::raster::testing {

inline constexpr Pixel kWhite = 0xffffff;
inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kGreen = 0x00ff00;
inline constexpr Pixel kRed = 0xff0000;
inline constexpr Pixel kBlue = 0x0000ff;

// '.' white, '#' black, 'o' green, 'r' red, 'b' blue, '?' anything else.
inline std::string Picture(const Surface& surface) {
    std::string text;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            switch (surface.At(x, y)) {
                case kWhite:
                    text += '.';
                    break;
                case kBlack:
                    text += '#';
                    break;
                case kGreen:
                    text += 'o';
                    break;
                case kRed:
                    text += 'r';
                    break;
                case kBlue:
                    text += 'b';
                    break;
                default:
                    text += '?';
                    break;
            }
        }
        text += '\n';
    }
    return text;
}

// The coordinates of every pixel that is not white.
inline std::set<std::pair<int, int>> Painted(const Surface& surface) {
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.At(x, y) != kWhite) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

// The surface mirrored left-right and top-bottom (for symmetry checks).
inline Surface Rotated180(const Surface& surface) {
    Surface out(surface.width(), surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            out.SetPixel(surface.width() - 1 - x, surface.height() - 1 - y, surface.At(x, y));
        }
    }
    return out;
}

}  // namespace instruments::raster::testing
