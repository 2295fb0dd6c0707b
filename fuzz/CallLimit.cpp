#include <chrono>
#include <string>

#include "fuzz/FuzzChecks.h"

namespace fuzz {

namespace {

// Set once, before the first input, by the fuzz program or the replay.
std::chrono::microseconds callLimit{0};

}  // namespace

void SetCallLimit(std::chrono::microseconds limit) {
    callLimit = limit;
}

std::string Timed(std::string_view what, const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    if (callLimit.count() <= 0) {
        return {};
    }
    const auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    if (took <= callLimit) {
        return {};
    }
    return std::string(what) + " took " + std::to_string(took.count() / 1000.0) +
           " ms, more than the limit of " + std::to_string(callLimit.count() / 1000.0) + " ms";
}

}  // namespace fuzz
