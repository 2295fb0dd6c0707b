#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "canvas/bitmap/BmpHeader.h"
#include "instruments/Pixel.h"

namespace instruments::bitmap {

// Whether the picture stores 16- or 32-bit pixels through colour masks of a
// Windows info header (an OS/2 header gives the same compression code another
// meaning).
bool IsBitfieldsBmp(const BmpHeader& header);

// Reads the rows of a picture of direct colours (16, 24 or 32 bits) straight
// from the file's bytes: through the file's colour masks, contiguous or not,
// or, uncompressed, through the masks the format implies (5-5-5 for 16 bits,
// 8-8-8 for 24 and 32).
class BitfieldsRows {
  public:
    // Nullopt unless the header is such a picture and has passed BmpProblem for
    // these bytes. The bytes must outlive the reader.
    static std::optional<BitfieldsRows> Make(std::span<const std::uint8_t> bytes, const BmpHeader& header);

    // Row y (0 at the top) as stored.
    std::span<const std::uint8_t> StoredRow(int y) const;
    void ReadRow(int y, Pixel* out) const;

  private:
    // Turns one colour mask into an 8-bit channel.
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        int bits = 0;
        std::uint32_t operator()(std::uint32_t pixel) const;
    };
    static Channel ChannelOf(std::uint32_t mask);

    BitfieldsRows(std::span<const std::uint8_t> bytes, const BmpHeader& header,
                  const std::array<std::uint32_t, 3>& masks);
    std::span<const std::uint8_t> bytes_;
    BmpHeader header_;
    std::array<Channel, 3> channels_{};
};

}  // namespace instruments::bitmap
