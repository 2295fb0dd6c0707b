// The libFuzzer entry point of one target; FUZZ_CHECK names its check.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzChecks.h"

// FUZZ_CALL_LIMIT_MS, when set, bounds every timed call (see fuzz::Timed).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* limit = std::getenv("FUZZ_CALL_LIMIT_MS")) {
        fuzz::SetCallLimit(std::chrono::milliseconds(std::atoi(limit)));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = fuzz::FUZZ_CHECK({data, size});
    if (!failure.empty()) {
        std::fprintf(stderr, "property failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
