#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "canvas/text/Ascii.h"

namespace dialog {

// A text field of exactly N bytes. Storing cuts a longer text to N bytes and pads
// a shorter one with spaces; reading yields all N bytes. A field never written
// holds zero bytes, not spaces.
template <std::size_t N>
class FixedText {
  public:
    static constexpr std::size_t kWidth = N;

    void Store(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        for (std::size_t i = 0; i < N; ++i) {
            bytes_[i] = i < n ? text[i] : ' ';
        }
    }
    // Every byte of the field, trailing spaces (or zero bytes) included.
    std::string_view View() const { return {bytes_.data(), N}; }
    // The text with spaces removed at both ends.
    std::string_view Trimmed() const { return instruments::text::Trim(View()); }
    bool operator==(const FixedText&) const = default;

  private:
    std::array<char, N> bytes_{};
};

}  // namespace dialog
