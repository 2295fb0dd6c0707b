#include "instruments/Surface.h"

#include "canvas/surface/AlignedBuffer.h"
#include "canvas/surface/Brush.h"
#include "canvas/surface/Counters.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace instruments {

Counters& TheCounters() {
    static Counters counters;
    return counters;
}

void Surface::FreeAligned::operator()(Pixel* p) const {
    TheCounters().livePixels -= pixels;
    FreeAlignedBuffer()(p);
}

std::int64_t Surface::LivePixels() {
    return TheCounters().livePixels;
}

std::int64_t Surface::PeakLivePixels() {
    return TheCounters().peakLivePixels;
}

void Surface::ResetPeakLivePixels() {
    Counters& counters = TheCounters();
    counters.peakLivePixels = counters.livePixels.load();
}

std::string Surface::SizeError(std::int64_t width, std::int64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 0 || height < 0) {
        return "size " + size + " is negative";
    }
    if (width > kMaxSide || height > kMaxSide) {
        return "size " + size + " is larger than " + std::to_string(kMaxSide) + " pixels a side";
    }
    if (width * height > kMaxPixels) {
        return "size " + size + " has more than " + std::to_string(kMaxPixels) + " pixels";
    }
    return {};
}

Surface::Surface(int width, int height, Pixel fill) {
    if (width <= 0 || height <= 0 || !SizeError(width, height).empty()) {
        return;
    }
    const int stride = width;
    auto memory = AllocateAligned<Pixel>(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height) *
                                         sizeof(Pixel));
    if (!memory) {
        return;
    }
    const std::int64_t count = std::int64_t{stride} * height;
    pixels_ = std::unique_ptr<Pixel[], FreeAligned>(memory.release(), FreeAligned{count});
    Counters& counters = TheCounters();
    const std::int64_t live = counters.livePixels += count;
    std::int64_t peak = counters.peakLivePixels;
    while (live > peak && !counters.peakLivePixels.compare_exchange_weak(peak, live)) {
    }
    data_ = pixels_.get();
    width_ = width;
    height_ = height;
    stride_ = stride;
    Fill(fill);
}

std::uint64_t Surface::NextSerial() {
    // Every surface (and every surface a move or an assignment leaves behind)
    // gets one, so that revisions of different surfaces never meet.
    return TheCounters().NextSerial();
}

Surface::Surface(Surface&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)),
      pixels_(std::move(other.pixels_)),
      data_(std::exchange(other.data_, nullptr)),
      root_(std::exchange(other.root_, nullptr)),
      serial_(std::exchange(other.serial_, NextSerial())),
      writes_(std::exchange(other.writes_, 0)) {}

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        pixels_ = std::move(other.pixels_);
        data_ = std::exchange(other.data_, nullptr);
        root_ = std::exchange(other.root_, nullptr);
        serial_ = std::exchange(other.serial_, NextSerial());
        writes_ = std::exchange(other.writes_, 0);
    }
    return *this;
}

Surface::Surface(const Surface& other) : Surface(other.width_, other.height_) {
    if (empty()) {
        return;
    }
    if (other.stride_ == stride_) {
        std::memcpy(data_, other.data_,
                    static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_) * sizeof(Pixel));
        return;
    }
    for (int y = 0; y < height_; ++y) {  // a view: its rows lie apart
        std::memcpy(data_ + static_cast<std::ptrdiff_t>(y) * stride_, other.row(y),
                    static_cast<std::size_t>(width_) * sizeof(Pixel));
    }
}

Surface Surface::View(const Rect& area) {
    const Rect part = area.Intersect({0, 0, width_, height_});
    Surface view;
    view.serial_ = 0;  // a view's revision is its root's
    if (part.empty()) {
        view.root_ = &Root();
        return view;
    }
    view.width_ = part.width;
    view.height_ = part.height;
    view.stride_ = stride_;
    view.data_ = data_ + static_cast<std::ptrdiff_t>(part.y) * stride_ + part.x;
    view.root_ = &Root();
    return view;
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        Surface copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Surface::Fill(Pixel pixel) {
    for (int y = 0; y < height_; ++y) {
        std::fill_n(mutableRow(y), width_, pixel);
    }
}

unsigned char HatchRowBits(HatchStyle style, int y) {
    const int r = y & 7;
    switch (style) {
        case HatchStyle::Horizontal:
            return r == 4 ? 0xff : 0x00;
        case HatchStyle::Vertical:
            return 0x08;
        case HatchStyle::ForwardDiagonal:
            return static_cast<unsigned char>(0x80 >> r);
        case HatchStyle::BackwardDiagonal:
            return static_cast<unsigned char>(0x01 << r);
        case HatchStyle::Cross:
            return r == 4 ? 0xff : 0x08;
        case HatchStyle::DiagonalCross:
            return static_cast<unsigned char>((0x80 >> r) | (0x01 << r));
    }
    return 0;
}

void Surface::FillSpan(int y, int x0, int x1, const Brush& brush) {
    switch (brush.kind) {
        case BrushKind::Null:
            return;
        case BrushKind::Solid:
            FillSpan(y, x0, x1, brush.colour);
            return;
        case BrushKind::Hatched:
            break;
    }
    if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) {
        return;
    }
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    const unsigned bits = HatchRowBits(brush.hatch, y);
    Pixel* out = mutableRow(y);
    for (int x = x0; x < x1; ++x) {
        if (bits & (0x80u >> (x & 7))) {
            out[x] = brush.colour;
        } else if (brush.background == HatchBackground::Opaque) {
            out[x] = brush.backgroundColour;
        }
    }
}

void Surface::Blit(int dx, int dy, const Surface& source, int sx, int sy, int width, int height) {
    // Clip the block against the source, then against this surface, in 64 bits so
    // that no position near the int limits can overflow.
    std::int64_t toX = dx, toY = dy, fromX = sx, fromY = sy, w = width, h = height;
    if (fromX < 0) {
        toX -= fromX;
        w += fromX;
        fromX = 0;
    }
    if (fromY < 0) {
        toY -= fromY;
        h += fromY;
        fromY = 0;
    }
    if (toX < 0) {
        fromX -= toX;
        w += toX;
        toX = 0;
    }
    if (toY < 0) {
        fromY -= toY;
        h += toY;
        toY = 0;
    }
    w = std::min({w, source.width_ - fromX, width_ - toX});
    h = std::min({h, source.height_ - fromY, height_ - toY});
    if (w <= 0 || h <= 0) {
        return;
    }
    // Everything now lies inside both surfaces.
    dx = static_cast<int>(toX);
    dy = static_cast<int>(toY);
    sx = static_cast<int>(fromX);
    sy = static_cast<int>(fromY);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(Pixel);
    if (SharesPixels(source)) {
        // Overlapping blocks: copy through a scratch buffer.
        std::vector<Pixel> scratch(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            std::memcpy(scratch.data() + static_cast<std::size_t>(y) * width, source.row(sy + y) + sx,
                        rowBytes);
        }
        for (int y = 0; y < height; ++y) {
            std::memcpy(mutableRow(dy + y) + dx, scratch.data() + static_cast<std::size_t>(y) * width,
                        rowBytes);
        }
        return;
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(mutableRow(dy + y) + dx, source.row(sy + y) + sx, rowBytes);
    }
}

bool Surface::SamePixels(const Surface& other) const {
    if (width_ != other.width_ || height_ != other.height_) {
        return false;
    }
    for (int y = 0; y < height_; ++y) {
        if (std::memcmp(row(y), other.row(y), static_cast<std::size_t>(width_) * sizeof(Pixel)) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace instruments
