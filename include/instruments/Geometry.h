#pragma once

// Integer points, sizes and rectangles of pixel coordinates. A rectangle holds
// the columns x .. x + width - 1 and the rows y .. y + height - 1; sums that can
// leave the int range are worked out in 64 bits.

#include <algorithm>
#include <cstdint>

namespace instruments {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    static Rect At(Point origin, Size size) { return {origin.x, origin.y, size.width, size.height}; }

    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    bool empty() const { return width <= 0 || height <= 0; }
    // One past the last column and row, which need not fit an int.
    std::int64_t right() const { return std::int64_t{x} + width; }
    std::int64_t bottom() const { return std::int64_t{y} + height; }

    bool Contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    // The pixels both hold; an empty rectangle when they share none (all empty
    // intersections are the same, so they compare equal).
    Rect Intersect(const Rect& other) const {
        if (empty() || other.empty()) {
            return {};
        }
        const std::int64_t left = std::max(x, other.x);
        const std::int64_t top = std::max(y, other.y);
        const std::int64_t r = std::min(right(), other.right());
        const std::int64_t b = std::min(bottom(), other.bottom());
        if (r <= left || b <= top) {
            return {};
        }
        // Both ends lie inside `this`, so the extents fit an int.
        return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(r - left),
                static_cast<int>(b - top)};
    }
    bool operator==(const Rect&) const = default;
};

}  // namespace instruments
