#include "canvas/bitmap/BmpBitfields.h"

#include <bit>

namespace instruments::bitmap {

namespace {

// Where the red, green and blue masks sit: right after a 40-byte header, and
// at the same place inside every longer Windows header.
constexpr std::size_t kMaskOffset = 54;

// The masks an uncompressed picture implies.
constexpr std::array<std::uint32_t, 3> kMasks555 = {0x7c00, 0x03e0, 0x001f};
constexpr std::array<std::uint32_t, 3> kMasks888 = {0xff0000, 0x00ff00, 0x0000ff};

}  // namespace

BitfieldsRows::Channel BitfieldsRows::ChannelOf(std::uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    channel.shift = mask == 0 ? 0 : std::countr_zero(mask);
    channel.bits = mask == 0 ? 0 : std::bit_width(mask >> channel.shift);
    return channel;
}

// Scales to 0..255 rounding down: 5-bit 31 is 255 and 5-bit 5 is 41, as
// pictures of these depths have always been shown here.
std::uint32_t BitfieldsRows::Channel::operator()(std::uint32_t pixel) const {
    if (bits == 0) {
        return 0;
    }
    const std::uint64_t v = (pixel & mask) >> shift;
    if (bits == 8) {
        return static_cast<std::uint32_t>(v);
    }
    const std::uint64_t max = (std::uint64_t{1} << bits) - 1;
    return static_cast<std::uint32_t>(v * 255 / max);
}

bool IsBitfieldsBmp(const BmpHeader& header) {
    return header.bitfields() && header.infoSize >= 40 &&
           (header.bitsPerPixel == 16 || header.bitsPerPixel == 32);
}

BitfieldsRows::BitfieldsRows(std::span<const std::uint8_t> bytes, const BmpHeader& header,
                             const std::array<std::uint32_t, 3>& masks)
    : bytes_(bytes), header_(header) {
    channels_ = {ChannelOf(masks[0]), ChannelOf(masks[1]), ChannelOf(masks[2])};
}

std::optional<BitfieldsRows> BitfieldsRows::Make(std::span<const std::uint8_t> bytes,
                                                 const BmpHeader& header) {
    if (IsBitfieldsBmp(header)) {
        if (bytes.size() < kMaskOffset + 12) {
            return std::nullopt;
        }
        return BitfieldsRows(bytes, header,
                             {ReadLe32(bytes, kMaskOffset), ReadLe32(bytes, kMaskOffset + 4),
                              ReadLe32(bytes, kMaskOffset + 8)});
    }
    if (header.compression != kBiRgb) {
        return std::nullopt;
    }
    switch (header.storedBits()) {
        case 16:
            return BitfieldsRows(bytes, header, kMasks555);
        case 24:
        case 32:
            return BitfieldsRows(bytes, header, kMasks888);
        default:
            return std::nullopt;
    }
}

std::span<const std::uint8_t> BitfieldsRows::StoredRow(int y) const {
    const std::int64_t stored = header_.topDown() ? y : header_.rows() - 1 - y;
    const auto at = static_cast<std::size_t>(header_.pixelOffset + stored * header_.stride());
    return bytes_.subspan(at, static_cast<std::size_t>(header_.width) * (header_.storedBits() / 8));
}

void BitfieldsRows::ReadRow(int y, Pixel* out) const {
    const std::span<const std::uint8_t> row = StoredRow(y);
    const std::size_t bytesPerPixel = header_.storedBits() / 8;
    for (std::size_t x = 0, at = 0; at < row.size(); ++x, at += bytesPerPixel) {
        std::uint32_t p = 0;
        switch (bytesPerPixel) {
            case 2:
                p = ReadLe16(row, at);
                break;
            case 3:
                p = ReadLe16(row, at) | (std::uint32_t{row[at + 2]} << 16);
                break;
            default:
                p = ReadLe32(row, at);
                break;
        }
        out[x] = (channels_[0](p) << 16) | (channels_[1](p) << 8) | channels_[2](p);
    }
}

}  // namespace instruments::bitmap
