#include "fuzz/FuzzChecks.h"

namespace fuzz {

// Not written yet.
std::string CheckDialogLoop(std::span<const std::uint8_t>) {
    return {};
}

}  // namespace fuzz
