#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace fuzz {

// Takes numbers and texts off the front of a fuzz input; past the end every
// number is 0 and every text empty, so any input gives a complete set.
class FuzzInput {
  public:
    explicit FuzzInput(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const std::uint8_t b = rest_.front();
        rest_ = rest_.subspan(1);
        return b;
    }

    std::uint32_t Word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        }
        return value;
    }

    // A number in lo..hi.
    int Between(int lo, int hi) {
        const auto span = static_cast<std::uint32_t>(hi - lo) + 1;
        return lo + static_cast<int>(Word() % span);
    }

    // Mostly small numbers around 0, sometimes any 32-bit value: the edges of
    // the int range are where arithmetic goes wrong.
    int Number(int smallLimit) {
        const std::uint8_t kind = Byte();
        if (kind < 0xe0) {
            return static_cast<int>(kind % (2 * smallLimit + 1)) - smallLimit;
        }
        return static_cast<int>(Word());
    }

    // A text of up to maxLength bytes, its length given by one byte.
    std::string_view Text(std::size_t maxLength) {
        std::size_t n = Byte();
        n = n < maxLength ? n : maxLength;
        n = n < rest_.size() ? n : rest_.size();
        const std::string_view text(reinterpret_cast<const char*>(rest_.data()), n);
        rest_ = rest_.subspan(n);
        return text;
    }

    std::string_view Rest() {
        const std::string_view text(reinterpret_cast<const char*>(rest_.data()), rest_.size());
        rest_ = {};
        return text;
    }

  private:
    std::span<const std::uint8_t> rest_;
};

}  // namespace fuzz
