// Compares a screenshot of the demo's window (an XWD file) with the snapshot
// tool's frame on the pixels that do not depend on the time: the frames of all
// twelve instruments, the parts of their faces that no content covers, and the
// dialog's background around them. Prints the first differing pixel and writes
// a diff image (differences in red over a dimmed snapshot).
//
//   e2e-compare WINDOW.xwd SNAPSHOT.png DIFF.png [SCALE]
//
// With a SCALE above 1 the window must show every snapshot pixel as a
// SCALE x SCALE block of one colour; the blocks are then compared.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "instruments/Png.h"
#include "instruments/Surface.h"
#include "tests/e2e/Xwd.h"

namespace {

using instruments::Pixel;
using instruments::Surface;

struct Instrument {
    int x, y, width, height, frameWidth;
    enum Kind { Text, Meter, Dial } kind;
};

// The demo's layout.
const Instrument kInstruments[] = {
    {10, 10, 210, 55, 6, Instrument::Text},   {10, 69, 210, 55, 6, Instrument::Text},
    {10, 128, 210, 55, 6, Instrument::Text},  {10, 187, 210, 55, 6, Instrument::Text},
    {10, 246, 210, 55, 6, Instrument::Text},  {10, 305, 210, 55, 6, Instrument::Text},
    {10, 364, 210, 55, 6, Instrument::Text},  {10, 423, 210, 55, 6, Instrument::Meter},
    {250, 10, 180, 180, 6, Instrument::Dial}, {250, 194, 180, 180, 8, Instrument::Dial},
    {450, 10, 80, 80, 10, Instrument::Dial},  {450, 94, 80, 80, 3, Instrument::Dial},
};

// Whether a pixel of an instrument's face stays the same whatever the time.
bool Static(const Instrument& in, int x, int y) {
    // The style text printed in the top-left corner is font-dependent: leave it out.
    if (x < 90 && y < 20) {
        return false;
    }
    const int m = in.frameWidth;
    const bool inFrame = x < m || y < m || x >= in.width - m || y >= in.height - m;
    switch (in.kind) {
        case Instrument::Text:
            // Dots (with shadows) stay above row 12 + 7 x 4 + 3.
            return inFrame || y >= 44;
        case Instrument::Meter:
            // The needle and the ticks stay between rows 17 and 47.
            return inFrame || y < 16;
        case Instrument::Dial: {
            // Hands and hour dots stay within the ellipse they reach, plus the pen.
            const double reach = (100.0 - (m + 4)) / 100.0 * in.width / 2.0 + 3.0;
            return std::hypot(x - in.width / 2.0, y - in.height / 2.0) > reach;
        }
    }
    return false;
}

// The window's blocks as single pixels, or nullopt (with the first uneven
// block named) when a block holds more than one colour.
std::optional<Surface> Downscaled(const Surface& window, int scale) {
    Surface small(window.width() / scale, window.height() / scale);
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            const Pixel corner = window.At(x * scale, y * scale);
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    if (window.At(x * scale + dx, y * scale + dy) != corner) {
                        std::fprintf(stderr, "e2e-compare: block (%d, %d) is not one colour\n", x, y);
                        return std::nullopt;
                    }
                }
            }
            small.SetPixel(x, y, corner);
        }
    }
    return small;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: e2e-compare WINDOW.xwd SNAPSHOT.png DIFF.png [SCALE]\n");
        return 2;
    }
    const int scale = argc == 5 ? std::atoi(argv[4]) : 1;
    std::optional<Surface> window = e2e::ReadXwd(argv[1]);
    if (window && scale > 1) {
        window = Downscaled(*window, scale);
        if (!window) {
            return 1;
        }
    }
    const std::optional<Surface> snapshot = instruments::bitmap::ReadPng(argv[2]);
    if (!window || !snapshot) {
        std::fprintf(stderr, "e2e-compare: cannot read %s\n", !window ? argv[1] : argv[2]);
        return 2;
    }
    if (window->width() != snapshot->width() || window->height() != snapshot->height()) {
        std::fprintf(stderr, "e2e-compare: window is %dx%d, snapshot %dx%d\n", window->width(),
                     window->height(), snapshot->width(), snapshot->height());
        return 1;
    }
    Surface diff(snapshot->width(), snapshot->height());
    long compared = 0, differing = 0;
    for (int y = 0; y < snapshot->height(); ++y) {
        for (int x = 0; x < snapshot->width(); ++x) {
            bool check = true;
            for (const Instrument& in : kInstruments) {
                if (x >= in.x && y >= in.y && x < in.x + in.width && y < in.y + in.height) {
                    check = Static(in, x - in.x, y - in.y);
                }
            }
            const Pixel expected = snapshot->At(x, y);
            diff.SetPixel(x, y, (expected >> 2) & 0x3F3F3F);
            if (!check) {
                continue;
            }
            ++compared;
            if (window->At(x, y) != expected) {
                if (differing == 0) {
                    std::fprintf(stderr,
                                 "e2e-compare: first difference at (%d, %d): window %06X, snapshot %06X\n", x,
                                 y, window->At(x, y), expected);
                }
                ++differing;
                diff.SetPixel(x, y, 0xFF0000);
            }
        }
    }
    std::printf("e2e-compare: %ld static pixels compared, %ld differ\n", compared, differing);
    if (differing != 0) {
        instruments::bitmap::WritePng(diff, argv[3]);
        return 1;
    }
    return 0;
}
