#include "instruments/PixelBlock.h"

#include "canvas/surface/AlignedBuffer.h"
#include "canvas/surface/Counters.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace instruments {

namespace {

std::int32_t ReadLittleEndian32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void WriteLittleEndian32(std::uint8_t* p, std::uint32_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
    p[2] = static_cast<std::uint8_t>(value >> 16);
    p[3] = static_cast<std::uint8_t>(value >> 24);
}

}  // namespace

void PixelBlock::FreeAligned::operator()(std::uint8_t* p) const {
    FreeAlignedBuffer()(p);
}

void PixelBlock::Allocate(std::size_t size) {
    base_.reset();
    size_ = 0;
    serial_ = 0;
    if (size == 0) {
        return;
    }
    base_.reset(AllocateAligned<std::uint8_t>(kHeaderOffset + size).release());
    if (base_) {
        size_ = size;
        serial_ = TheCounters().NextSerial();
    }
}

PixelBlock::PixelBlock(PixelBlock&& other) noexcept
    : base_(std::move(other.base_)),
      size_(std::exchange(other.size_, 0)),
      serial_(std::exchange(other.serial_, 0)) {}

PixelBlock& PixelBlock::operator=(PixelBlock&& other) noexcept {
    if (this != &other) {
        base_ = std::move(other.base_);
        size_ = std::exchange(other.size_, 0);
        serial_ = std::exchange(other.serial_, 0);
    }
    return *this;
}

PixelBlock PixelBlock::FromBytes(std::span<const std::uint8_t> bytes) {
    PixelBlock block;
    block.Allocate(bytes.size());
    if (block.size_ != 0) {
        std::memcpy(block.mutableData(), bytes.data(), bytes.size());
    }
    return block;
}

PixelBlock PixelBlock::FromSurface(const Surface& surface) {
    PixelBlock block;
    const std::size_t rowBytes = static_cast<std::size_t>(surface.width()) * sizeof(Pixel);
    block.Allocate(8 + rowBytes * static_cast<std::size_t>(surface.height()));
    if (block.size_ == 0) {
        return block;
    }
    std::uint8_t* out = block.mutableData();
    WriteLittleEndian32(out, static_cast<std::uint32_t>(surface.width()));
    WriteLittleEndian32(out + 4, static_cast<std::uint32_t>(surface.height()));
    std::uint8_t* pixels = out + 8;
    if (surface.empty()) {
        return block;  // an empty surface has no pixel memory to copy from
    }
    if (surface.stride() == surface.width()) {
        // The rows follow each other without padding: one copy takes them all.
        std::memcpy(pixels, surface.row(0), rowBytes * static_cast<std::size_t>(surface.height()));
        return block;
    }
    for (int y = 0; y < surface.height(); ++y) {  // a view of a wider surface
        std::memcpy(pixels + rowBytes * static_cast<std::size_t>(y), surface.row(y), rowBytes);
    }
    return block;
}

PixelBlock::PixelBlock(const PixelBlock& other) {
    *this = FromBytes(other.bytes());
}

PixelBlock& PixelBlock::operator=(const PixelBlock& other) {
    if (this != &other) {
        *this = FromBytes(other.bytes());
    }
    return *this;
}

std::int32_t PixelBlock::width() const {
    return size_ >= 8 ? ReadLittleEndian32(data()) : 0;
}

std::int32_t PixelBlock::height() const {
    return size_ >= 8 ? ReadLittleEndian32(data() + 4) : 0;
}

bool PixelBlock::Valid() const {
    if (size_ < 8 || width() < 0 || height() < 0) {
        return false;
    }
    const auto expected = 8 + 4 * static_cast<std::uint64_t>(width()) * static_cast<std::uint64_t>(height());
    return expected == size_;
}

void WritePixelBlock(Surface& surface, const PixelBlock& block) {
    if (!block.Valid()) {
        return;
    }
    const int width = std::min<std::int32_t>(block.width(), surface.width());
    const int height = std::min<std::int32_t>(block.height(), surface.height());
    if (width <= 0 || height <= 0) {
        return;
    }
    const Pixel* source = block.pixels();
    const std::size_t blockStride = static_cast<std::size_t>(block.width());
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(Pixel);
    if (width == block.width() && width == surface.stride()) {
        // The usual restore: the block is the surface's own size, one copy.
        std::memcpy(surface.mutableRow(0), source, rowBytes * static_cast<std::size_t>(height));
        return;
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(surface.mutableRow(y), source + blockStride * static_cast<std::size_t>(y), rowBytes);
    }
}

bool PixelBlock::operator==(const PixelBlock& other) const {
    return size_ == other.size_ && (size_ == 0 || std::memcmp(data(), other.data(), size_) == 0);
}

}  // namespace instruments
