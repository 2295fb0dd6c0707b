#pragma once

#include <atomic>
#include <cstdint>

namespace instruments {

// The library's process-wide counters, kept together: the serial numbers that
// tell surfaces and pixel blocks apart, and the measures that tests and
// benchmarks read. Each is atomic, so any thread may count.
struct Counters {
    // The last serial number given to a surface or a pixel block; one sequence
    // for both, so that no two ever share one.
    std::atomic<std::uint64_t> lastSerial = 0;
    // Pixels held by all surfaces, and the most ever held since the last reset.
    std::atomic<std::int64_t> livePixels = 0;
    std::atomic<std::int64_t> peakLivePixels = 0;
    // BMP files decoded.
    std::atomic<std::int64_t> picturesDecoded = 0;

    std::uint64_t NextSerial() { return lastSerial.fetch_add(1, std::memory_order_relaxed) + 1; }
};

Counters& TheCounters();

}  // namespace instruments
