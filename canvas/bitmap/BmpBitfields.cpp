#include "canvas/bitmap/BmpBitfields.h"

#include <array>
#include <bit>

namespace canvas::bitmap {

namespace {

// Where the red, green and blue masks sit: right after a 40-byte header, and
// at the same place inside every longer Windows header.
constexpr std::size_t kMaskOffset = 54;
constexpr std::uint32_t kOs2HeaderBytes = 64;

// Turns one colour mask into an 8-bit channel.
class Channel {
  public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask),
          shift_(mask == 0 ? 0 : std::countr_zero(mask)),
          bits_(mask == 0 ? 0 : std::bit_width(mask >> shift_)) {}

    // Scales to 0..255 rounding down, as SDL's tables for the common layouts do,
    // so a picture decodes alike whichever of the two decoders reads it.
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (bits_ == 0) {
            return 0;
        }
        const std::uint64_t v = (pixel & mask_) >> shift_;
        const std::uint64_t max = (std::uint64_t{1} << bits_) - 1;
        return static_cast<std::uint32_t>(v * 255 / max);
    }

  private:
    std::uint32_t mask_;
    int shift_;
    int bits_;
};

}  // namespace

bool IsBitfieldsBmp(const BmpHeader& header) {
    const bool masked = header.compression == kBiBitfields || header.compression == kBiAlphaBitfields;
    return masked && header.infoSize >= 40 && header.infoSize != kOs2HeaderBytes &&
           (header.bitsPerPixel == 16 || header.bitsPerPixel == 32);
}

std::optional<Surface> DecodeBitfieldsBmp(std::span<const std::uint8_t> bytes, const BmpHeader& header) {
    if (!IsBitfieldsBmp(header) || bytes.size() < kMaskOffset + 12) {
        return std::nullopt;
    }
    const std::array<Channel, 3> channels = {Channel(ReadLe32(bytes, kMaskOffset)),
                                             Channel(ReadLe32(bytes, kMaskOffset + 4)),
                                             Channel(ReadLe32(bytes, kMaskOffset + 8))};
    Surface out(static_cast<int>(header.width), static_cast<int>(header.rows()));
    if (out.empty()) {
        return std::nullopt;
    }
    const std::size_t bytesPerPixel = header.bitsPerPixel / 8;
    for (int y = 0; y < out.height(); ++y) {
        const std::int64_t stored = header.topDown() ? y : header.rows() - 1 - y;
        std::size_t at = header.pixelOffset + static_cast<std::size_t>(stored * header.stride());
        Pixel* row = out.row(y);
        for (int x = 0; x < out.width(); ++x, at += bytesPerPixel) {
            const std::uint32_t p = bytesPerPixel == 2 ? ReadLe16(bytes, at) : ReadLe32(bytes, at);
            row[x] = (channels[0](p) << 16) | (channels[1](p) << 8) | channels[2](p);
        }
    }
    return out;
}

}  // namespace canvas::bitmap
