#include "fuzz/FuzzChecks.h"

namespace fuzz {

// Not written yet.
std::string CheckInstruments(std::span<const std::uint8_t>) {
    return {};
}

}  // namespace fuzz
