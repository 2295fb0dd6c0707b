#include "canvas/raster/ThinLine.h"

#include <algorithm>
#include <cstdint>

#include "canvas/raster/Spans.h"

namespace instruments::raster {

namespace {

// Steps the minor coordinate of step i, floor((2*i*d + n - 1) / (2*n)), one
// step at a time with an integer remainder (|d| <= n, so at most one carry).
class MinorAxis {
  public:
    MinorAxis(std::int64_t firstStep, std::int64_t delta, std::int64_t steps)
        : delta2_(2 * delta), den_(2 * steps) {
        // The first numerator can exceed 64 bits for lines spanning the int range.
        const __int128 num = static_cast<__int128>(2) * firstStep * delta + steps - 1;
        __int128 q = num / den_;
        __int128 r = num % den_;
        if (r < 0) {
            r += den_;
            q -= 1;
        }
        offset_ = static_cast<std::int64_t>(q);
        remainder_ = static_cast<std::int64_t>(r);
    }

    std::int64_t offset() const { return offset_; }

    void Step() {
        remainder_ += delta2_;
        if (remainder_ >= den_) {
            remainder_ -= den_;
            ++offset_;
        } else if (remainder_ < 0) {
            remainder_ += den_;
            --offset_;
        }
    }

  private:
    std::int64_t delta2_;
    std::int64_t den_;
    std::int64_t offset_ = 0;
    std::int64_t remainder_ = 0;
};

// The steps i in [0, steps) whose major coordinate start + sign * i lies in [0, limit).
struct StepRange {
    std::int64_t begin;
    std::int64_t end;
};

StepRange VisibleSteps(std::int64_t start, int sign, std::int64_t steps, int limit) {
    if (sign > 0) {
        return {std::max<std::int64_t>(0, -start), std::min<std::int64_t>(steps, limit - start)};
    }
    return {std::max<std::int64_t>(0, start - (limit - 1)), std::min<std::int64_t>(steps, start + 1)};
}

// x-major lines: consecutive pixels on one row are painted as one span.
void DrawXMajor(Surface& surface, std::int64_t x1, std::int64_t y1, std::int64_t dx, std::int64_t dy,
                Pixel colour) {
    const int sx = dx > 0 ? 1 : -1;
    const std::int64_t steps = dx > 0 ? dx : -dx;
    const StepRange range = VisibleSteps(x1, sx, steps, surface.width());
    if (range.begin >= range.end) {
        return;
    }
    MinorAxis minor(range.begin, dy, steps);
    std::int64_t runY = y1 + minor.offset();
    std::int64_t runStart = x1 + sx * range.begin;
    std::int64_t runEnd = runStart;
    for (std::int64_t i = range.begin + 1; i < range.end; ++i) {
        minor.Step();
        const std::int64_t x = x1 + sx * i;
        const std::int64_t y = y1 + minor.offset();
        if (y != runY) {
            PaintSpan(surface, runY, std::min(runStart, runEnd), std::max(runStart, runEnd) + 1, colour);
            runY = y;
            runStart = x;
        }
        runEnd = x;
    }
    PaintSpan(surface, runY, std::min(runStart, runEnd), std::max(runStart, runEnd) + 1, colour);
}

// y-major lines: one pixel per row.
void DrawYMajor(Surface& surface, std::int64_t x1, std::int64_t y1, std::int64_t dx, std::int64_t dy,
                Pixel colour) {
    const int sy = dy > 0 ? 1 : -1;
    const std::int64_t steps = dy > 0 ? dy : -dy;
    const StepRange range = VisibleSteps(y1, sy, steps, surface.height());
    if (range.begin >= range.end) {
        return;
    }
    MinorAxis minor(range.begin, dx, steps);
    for (std::int64_t i = range.begin;;) {
        const std::int64_t x = x1 + minor.offset();
        if (x >= 0 && x < surface.width()) {
            surface.SetPixel(static_cast<int>(x), static_cast<int>(y1 + sy * i), colour);
        }
        if (++i == range.end) {
            break;
        }
        minor.Step();
    }
}

}  // namespace

void DrawThinLine(Surface& surface, int x1, int y1, int x2, int y2, Pixel colour) {
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx > ady) {
        DrawXMajor(surface, x1, y1, dx, dy, colour);
    } else if (ady != 0) {
        DrawYMajor(surface, x1, y1, dx, dy, colour);
    }
}

}  // namespace instruments::raster
