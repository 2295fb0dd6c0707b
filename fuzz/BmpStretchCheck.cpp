#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "canvas/bitmap/BmpHeader.h"
#include "canvas/bitmap/BmpLoader.h"
#include "canvas/bitmap/StretchBlackOnWhite.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/StretchCheck.h"
#include "instruments/Surface.h"

namespace fuzz {

namespace {

using instruments::Pixel;
using instruments::Surface;
using instruments::bitmap::ReadLe16;
using instruments::bitmap::ReadLe32;

// The width and number of rows the file's info header states (the core header
// has 16-bit fields, every later one 32-bit fields with a signed height).
std::optional<std::pair<std::int64_t, std::int64_t>> StatedSize(std::span<const std::uint8_t> b) {
    if (b.size() < 26) {
        return std::nullopt;
    }
    if (ReadLe32(b, 14) == 12) {
        return std::pair<std::int64_t, std::int64_t>{ReadLe16(b, 18), ReadLe16(b, 20)};
    }
    const auto height = static_cast<std::int32_t>(ReadLe32(b, 22));
    return std::pair<std::int64_t, std::int64_t>{static_cast<std::int32_t>(ReadLe32(b, 18)),
                                                 std::abs(std::int64_t{height})};
}

std::string Where(int x, int y) {
    return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

std::string CheckBmpStretch(std::span<const std::uint8_t> input) {
    const std::optional<Surface> decoded = instruments::bitmap::DecodeBmp(input);
    if (!decoded) {
        return {};
    }
    const Surface& picture = *decoded;
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || std::int64_t{w} * h > instruments::bitmap::kMaxBmpPixels) {
        return "decoded picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
    }
    const auto stated = StatedSize(input);
    if (!stated || stated->first != w || stated->second != h) {
        return "decoded " + std::to_string(w) + " x " + std::to_string(h) +
               ", the header states another size";
    }
    // Every one of the w x h pixels is there to be read (the sanitizers watch
    // the reads) and none has alpha.
    for (int y = 0; y < h; ++y) {
        const Pixel* row = picture.row(y);
        for (int x = 0; x < w; ++x) {
            if ((row[x] >> 24) != 0) {
                return "decoded pixel with alpha" + Where(x, y);
            }
        }
    }

    // The stretch parameters come from the last bytes, which seldom change how
    // the picture decodes.
    FuzzInput params(input.subspan(input.size() >= 12 ? input.size() - 12 : 0));
    const int destWidth = params.Between(1, 48);
    const int destHeight = params.Between(1, 48);
    StretchRects r;
    r.dx = params.Between(-16, 47);
    r.dy = params.Between(-16, 47);
    r.dw = params.Between(-4, 64);
    r.dh = params.Between(-4, 64);
    r.sw = w;
    r.sh = h;
    switch (params.Byte() % 4) {
        case 0:  // the whole picture
            break;
        case 1:  // one pixel more than the picture, as the pictured backgrounds pass
            r.sw = w + 1;
            r.sh = h + 1;
            break;
        case 2:  // the destination's size from inside the picture: a plain copy
            r.sx = std::min(params.Between(0, 255), w - 1);
            r.sy = std::min(params.Between(0, 255), h - 1);
            r.sw = std::min(r.dw, w - r.sx);
            r.sh = std::min(r.dh, h - r.sy);
            break;
        default:  // anywhere, partly or wholly outside the picture
            r.sx = params.Number(100);
            r.sy = params.Number(100);
            r.sw = params.Number(100);
            r.sh = params.Number(100);
            break;
    }
    Surface destination(destWidth, destHeight, kUnwritten);
    instruments::bitmap::StretchBlackOnWhite(picture, r.sx, r.sy, r.sw, r.sh, destination, r.dx, r.dy, r.dw,
                                             r.dh);
    return CheckStretched(picture, r, destination);
}

std::string CheckStretched(const Surface& picture, const StretchRects& r, const Surface& destination) {
    const bool copy = r.sw == r.dw && r.sh == r.dh && r.sw > 0 && r.sh > 0 && r.sx >= 0 && r.sy >= 0 &&
                      r.sx + r.sw <= picture.width() && r.sy + r.sh <= picture.height();
    for (int y = 0; y < destination.height(); ++y) {
        for (int x = 0; x < destination.width(); ++x) {
            const Pixel p = destination.row(y)[x];
            const bool inside = x >= r.dx && x - r.dx < r.dw && y >= r.dy && y - r.dy < r.dh;
            if (!inside && p != kUnwritten) {
                return "stretch wrote outside its destination rectangle" + Where(x, y);
            }
            if (inside && r.sw > 0 && r.sh > 0 && p == kUnwritten) {
                return "stretch left a pixel of its destination rectangle unwritten" + Where(x, y);
            }
            if (inside && copy && p != picture.row(r.sy + y - r.dy)[r.sx + x - r.dx]) {
                return "stretch at the same size is not a copy" + Where(x, y);
            }
        }
    }
    return {};
}

}  // namespace fuzz
