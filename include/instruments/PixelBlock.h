#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "instruments/Export.h"
#include "instruments/Surface.h"

namespace instruments {

// A copy of a whole surface as a byte string: width and height as 32-bit
// little-endian integers, then width x height pixels of 4 bytes (blue, green,
// red, 0), rows top to bottom. Its length is 8 + 4 x width x height.
//
// The bytes are kept so that the pixels start on a 64-byte boundary: restoring a
// block onto a surface is then a straight copy between aligned buffers.
class INSTRUMENTS_API PixelBlock {
  public:
    PixelBlock() = default;
    // A block of the given bytes as they stand (any length; see Valid()).
    static PixelBlock FromBytes(std::span<const std::uint8_t> bytes);
    // The block of a whole surface.
    static PixelBlock FromSurface(const Surface& surface);

    PixelBlock(const PixelBlock& other);
    PixelBlock& operator=(const PixelBlock& other);
    // A moved-from block is empty.
    PixelBlock(PixelBlock&& other) noexcept;
    PixelBlock& operator=(PixelBlock&& other) noexcept;

    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    std::span<const std::uint8_t> bytes() const { return {data(), size_}; }
    const std::uint8_t* data() const { return base_ ? base_.get() + kHeaderOffset : nullptr; }

    // The header's width and height (0 when the block is shorter than its header).
    std::int32_t width() const;
    std::int32_t height() const;
    // True when the length is exactly 8 + 4 x width x height with width, height >= 0.
    bool Valid() const;
    // The pixel rows (only for a valid block).
    const Pixel* pixels() const { return reinterpret_cast<const Pixel*>(base_.get() + kPixelOffset); }

    bool operator==(const PixelBlock& other) const;

    // A number given to the bytes when they are made (0 for an empty block):
    // two blocks with the same serial hold the same bytes, so a kept block can
    // be recognised without comparing them.
    std::uint64_t serial() const { return serial_; }

  private:
    static constexpr std::size_t kPixelOffset = 64;
    static constexpr std::size_t kHeaderOffset = kPixelOffset - 8;
    void Allocate(std::size_t size);
    std::uint8_t* mutableData() { return base_ ? base_.get() + kHeaderOffset : nullptr; }

    struct FreeAligned {
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], FreeAligned> base_;
    std::size_t size_ = 0;
    std::uint64_t serial_ = 0;
};

// Writes a valid block onto the surface at the top-left corner with the block's
// own width and height, clipped to the surface. An invalid block writes nothing.
INSTRUMENTS_API void WritePixelBlock(Surface& surface, const PixelBlock& block);

}  // namespace instruments
