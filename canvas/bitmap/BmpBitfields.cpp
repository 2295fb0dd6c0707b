#include "canvas/bitmap/BmpBitfields.h"

#include <bit>

namespace instruments::bitmap {

namespace {

// Where the red, green and blue masks sit: right after a 40-byte header, and
// at the same place inside every longer Windows header.
constexpr std::size_t kMaskOffset = 54;
constexpr std::uint32_t kOs2HeaderBytes = 64;

}  // namespace

BitfieldsRows::Channel BitfieldsRows::ChannelOf(std::uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    channel.shift = mask == 0 ? 0 : std::countr_zero(mask);
    channel.bits = mask == 0 ? 0 : std::bit_width(mask >> channel.shift);
    return channel;
}

// Scales to 0..255 rounding down, as SDL's tables for the common layouts do,
// so a picture decodes alike whichever of the two decoders reads it.
std::uint32_t BitfieldsRows::Channel::operator()(std::uint32_t pixel) const {
    if (bits == 0) {
        return 0;
    }
    const std::uint64_t v = (pixel & mask) >> shift;
    const std::uint64_t max = (std::uint64_t{1} << bits) - 1;
    return static_cast<std::uint32_t>(v * 255 / max);
}

bool IsBitfieldsBmp(const BmpHeader& header) {
    const bool masked = header.compression == kBiBitfields || header.compression == kBiAlphaBitfields;
    return masked && header.infoSize >= 40 && header.infoSize != kOs2HeaderBytes &&
           (header.bitsPerPixel == 16 || header.bitsPerPixel == 32);
}

BitfieldsRows::BitfieldsRows(std::span<const std::uint8_t> bytes, const BmpHeader& header)
    : bytes_(bytes), header_(header) {
    channels_ = {ChannelOf(ReadLe32(bytes, kMaskOffset)), ChannelOf(ReadLe32(bytes, kMaskOffset + 4)),
                 ChannelOf(ReadLe32(bytes, kMaskOffset + 8))};
}

std::optional<BitfieldsRows> BitfieldsRows::Make(std::span<const std::uint8_t> bytes,
                                                 const BmpHeader& header) {
    if (!IsBitfieldsBmp(header) || bytes.size() < kMaskOffset + 12) {
        return std::nullopt;
    }
    return BitfieldsRows(bytes, header);
}

std::span<const std::uint8_t> BitfieldsRows::StoredRow(int y) const {
    const std::int64_t stored = header_.topDown() ? y : header_.rows() - 1 - y;
    const auto at = static_cast<std::size_t>(header_.pixelOffset + stored * header_.stride());
    return bytes_.subspan(at, static_cast<std::size_t>(header_.width) * (header_.bitsPerPixel / 8));
}

void BitfieldsRows::ReadRow(int y, Pixel* out) const {
    const std::span<const std::uint8_t> row = StoredRow(y);
    const std::size_t bytesPerPixel = header_.bitsPerPixel / 8;
    for (std::size_t x = 0, at = 0; at < row.size(); ++x, at += bytesPerPixel) {
        const std::uint32_t p = bytesPerPixel == 2 ? ReadLe16(row, at) : ReadLe32(row, at);
        out[x] = (channels_[0](p) << 16) | (channels_[1](p) << 8) | channels_[2](p);
    }
}

}  // namespace instruments::bitmap
