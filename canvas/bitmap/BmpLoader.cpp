#include "canvas/bitmap/BmpLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <variant>
#include <vector>

#include "canvas/bitmap/BmpBitfields.h"
#include "canvas/bitmap/BmpHeader.h"
#include "canvas/surface/Counters.h"

namespace instruments::bitmap {

namespace {

// Enough of the file's start for every header field the checks read.
constexpr std::size_t kHeaderPrefixBytes = 256;

// A palette picture's colours by index; indices past the palette's colours
// are black.
using Palette = std::array<Pixel, 256>;

// Palette bytes past the end of the file read as 0xff, so a palette the file
// cuts short shows white where it is missing (as such pictures have always
// loaded here); the entries follow the info header whatever the pixel offset.
Palette ReadPalette(std::span<const std::uint8_t> bytes, const BmpHeader& header) {
    Palette palette{};
    const std::size_t entry = header.paletteEntryBytes();
    for (std::size_t i = 0; i < header.paletteColours(); ++i) {
        const std::size_t at = header.paletteOffset() + i * entry;
        const auto byte = [&](std::size_t k) { return at + k < bytes.size() ? Pixel{bytes[at + k]} : 0xffu; };
        palette[i] = (byte(2) << 16) | (byte(1) << 8) | byte(0);
    }
    return palette;
}

// Rows of palette indices packed as the file stores them: 1, 2, 4 or 8 bits
// each, the leftmost pixel in the high bits of a byte.
class PackedRows {
  public:
    PackedRows(std::span<const std::uint8_t> bytes, const BmpHeader& header)
        : bytes_(bytes), header_(header), palette_(ReadPalette(bytes, header)) {}

    std::span<const std::uint8_t> StoredRow(int y) const {
        const std::int64_t stored = header_.topDown() ? y : header_.rows() - 1 - y;
        const auto at = static_cast<std::size_t>(header_.pixelOffset + stored * header_.stride());
        return bytes_.subspan(at, static_cast<std::size_t>((header_.width * header_.bitsPerPixel + 7) / 8));
    }

    void ReadRow(int y, Pixel* out) const {
        const std::span<const std::uint8_t> row = StoredRow(y);
        for (int x = 0; x < header_.width; ++x) {
            out[x] = palette_[Index(row, x)];
        }
    }

    // Why the picture cannot be shown: a pixel names a colour past the
    // palette's (a file that cannot be right); empty when none does. Bits
    // that pad a row are not pixels and may hold anything.
    std::string IndexProblem() const {
        const std::uint32_t colours = header_.paletteColours();
        if (colours >= (1u << header_.bitsPerPixel)) {
            return {};
        }
        for (int y = 0; y < header_.rows(); ++y) {
            const std::span<const std::uint8_t> row = StoredRow(y);
            for (int x = 0; x < header_.width; ++x) {
                if (const std::uint32_t index = Index(row, x); index >= colours) {
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") has colour index " +
                           std::to_string(index) + ", past the " + std::to_string(colours) +
                           " colours of the palette";
                }
            }
        }
        return {};
    }

  private:
    std::uint32_t Index(std::span<const std::uint8_t> row, int x) const {
        const std::uint32_t bits = header_.bitsPerPixel;
        if (bits == 8) {
            return row[static_cast<std::size_t>(x)];
        }
        const std::uint32_t perByte = 8 / bits;
        const std::uint32_t slot = static_cast<std::uint32_t>(x) % perByte;
        const std::uint32_t byte = row[static_cast<std::size_t>(x) / perByte];
        return (byte >> (8 - bits * (slot + 1))) & ((1u << bits) - 1);
    }

    std::span<const std::uint8_t> bytes_;
    BmpHeader header_;
    Palette palette_;
};

// The rows of an RLE4 or RLE8 picture at one byte per pixel. A row the data
// never paints is kept once for all such rows, so a small file claiming a large
// picture costs memory for what its data paints, not for what it claims.
class RunLengthRows {
  public:
    // Nullopt with the reason in problem when the data ends before its
    // end-of-picture code.
    static std::optional<RunLengthRows> Decode(std::span<const std::uint8_t> bytes, const BmpHeader& header,
                                               std::string& problem);

    std::span<const std::uint8_t> StoredRow(int y) const {
        const std::vector<std::uint8_t>& row = rows_[static_cast<std::size_t>(y)];
        return row.empty() ? std::span<const std::uint8_t>(blank_) : std::span<const std::uint8_t>(row);
    }

    void ReadRow(int y, Pixel* out) const {
        const std::span<const std::uint8_t> row = StoredRow(y);
        std::transform(row.begin(), row.end(), out, [this](std::uint8_t i) { return palette_[i]; });
    }

  private:
    RunLengthRows(std::span<const std::uint8_t> bytes, const BmpHeader& header)
        : rows_(static_cast<std::size_t>(header.rows())),
          blank_(static_cast<std::size_t>(header.width), 0),
          palette_(ReadPalette(bytes, header)) {}

    // Row `up` counted from the bottom, made when first painted.
    std::uint8_t* Painted(std::int64_t up) {
        std::vector<std::uint8_t>& row = rows_[rows_.size() - 1 - static_cast<std::size_t>(up)];
        if (row.empty()) {
            row = blank_;
        }
        return row.data();
    }

    std::vector<std::vector<std::uint8_t>> rows_;  // top row first
    std::vector<std::uint8_t> blank_;              // index 0, where nothing was painted
    Palette palette_;
};

// Pixels that fall right of the picture or above its top row are dropped: they
// have no place in the picture, and the rows already decoded keep their pixels.
std::optional<RunLengthRows> RunLengthRows::Decode(std::span<const std::uint8_t> bytes,
                                                   const BmpHeader& header, std::string& problem) {
    RunLengthRows picture(bytes, header);
    const bool fourBits = header.compression == kBiRle4;
    const std::int64_t width = header.width;
    const std::int64_t rows = header.rows();
    std::size_t at = header.pixelOffset;
    std::int64_t x = 0;
    std::int64_t up = 0;  // rows from the bottom
    const auto paint = [&](std::int64_t count, auto&& indexOf) {
        if (up < rows && x < width) {
            std::uint8_t* row = picture.Painted(up);
            for (std::int64_t i = 0; i < count && x + i < width; ++i) {
                row[x + i] = indexOf(i);
            }
        }
        x += count;
    };
    const auto cut = [&] {
        problem = "the run-length data ends before its end-of-picture code";
        return std::nullopt;
    };
    while (true) {
        if (at + 2 > bytes.size()) {
            return cut();
        }
        const std::uint8_t count = bytes[at];
        const std::uint8_t value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            // A run: one index, or two alternating ones of 4 bits (the high one first).
            paint(count, [&](std::int64_t i) {
                return fourBits ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0f) : value;
            });
            continue;
        }
        switch (value) {
            case 0:  // end of row
                x = 0;
                ++up;
                break;
            case 1:  // end of picture
                return picture;
            case 2:  // move right and up
                if (at + 2 > bytes.size()) {
                    return cut();
                }
                x += bytes[at];
                up += bytes[at + 1];
                at += 2;
                break;
            default: {
                // `value` indices as they stand, padded to an even number of bytes.
                const std::size_t length = fourBits ? (value + 1u) / 2 : value;
                if (at + length + length % 2 > bytes.size()) {
                    return cut();
                }
                const std::uint8_t* data = bytes.data() + at;
                paint(value, [&](std::int64_t i) {
                    return fourBits
                               ? static_cast<std::uint8_t>(i % 2 == 0 ? data[i / 2] >> 4 : data[i / 2] & 0x0f)
                               : data[i];
                });
                at += length + length % 2;
                break;
            }
        }
    }
}

using Rows = std::variant<BitfieldsRows, PackedRows, RunLengthRows>;

// The rows of the picture in these bytes, or nullopt with the reason in problem.
std::optional<Rows> DecodeRows(std::span<const std::uint8_t> bytes, const BmpHeader& header,
                               std::string& problem) {
    if (header.runLength()) {
        std::optional<RunLengthRows> rows = RunLengthRows::Decode(bytes, header, problem);
        return rows ? std::optional<Rows>(std::move(*rows)) : std::nullopt;
    }
    if (header.paletteColours() > 0) {
        PackedRows rows(bytes, header);
        problem = rows.IndexProblem();
        return problem.empty() ? std::optional<Rows>(std::move(rows)) : std::nullopt;
    }
    if (std::optional<BitfieldsRows> rows = BitfieldsRows::Make(bytes, header)) {
        return *rows;
    }
    problem = "the file ends inside its colour masks";
    return std::nullopt;
}

// The header, or nullopt with the reason in problem: not a BMP file, or one
// that cannot be decoded from a file of fileSize bytes.
std::optional<BmpHeader> CheckedHeader(std::span<const std::uint8_t> prefix, std::uint64_t fileSize,
                                       std::string& problem) {
    if (fileSize > static_cast<std::uint64_t>(kMaxBmpFileBytes)) {
        problem = "the file has " + std::to_string(fileSize) + " bytes, more than the " +
                  std::to_string(kMaxBmpFileBytes) + " a picture may have";
        return std::nullopt;
    }
    std::optional<BmpHeader> header = ParseBmpHeader(prefix, &problem);
    if (header) {
        problem = BmpProblem(*header, static_cast<std::size_t>(fileSize));
    }
    return problem.empty() ? header : std::nullopt;
}

void Tell(std::string* error, const std::string& name, const std::string& problem) {
    if (error != nullptr) {
        *error = name + ": " + problem;
    }
}

// Reads size bytes from the descriptor; false when it ends sooner or fails.
bool ReadAll(int fd, std::uint8_t* out, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::read(fd, out, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

}  // namespace

// The rows, and the file's bytes when they were read from a file and the rows
// are read from them.
struct BmpPicture::Decoded {
    Decoded(Rows decodedRows, const BmpHeader& header)
        : rows(std::move(decodedRows)),
          width(static_cast<int>(header.width)),
          height(static_cast<int>(header.rows())) {}
    std::vector<std::uint8_t> ownBytes;
    Rows rows;
    int width = 0;
    int height = 0;
};

BmpPicture::BmpPicture(std::unique_ptr<Decoded> decoded) : decoded_(std::move(decoded)) {}
BmpPicture::BmpPicture(BmpPicture&&) noexcept = default;
BmpPicture& BmpPicture::operator=(BmpPicture&&) noexcept = default;
BmpPicture::~BmpPicture() = default;

int BmpPicture::width() const {
    return decoded_->width;
}

int BmpPicture::height() const {
    return decoded_->height;
}

std::span<const std::uint8_t> BmpPicture::StoredRow(int y) const {
    return std::visit([y](const auto& rows) { return rows.StoredRow(y); }, decoded_->rows);
}

void BmpPicture::ReadRow(int y, Pixel* out) const {
    std::visit([y, out](const auto& rows) { rows.ReadRow(y, out); }, decoded_->rows);
}

std::optional<BmpPicture> BmpPicture::Finish(std::unique_ptr<Decoded> decoded) {
    ++TheCounters().picturesDecoded;
    return BmpPicture(std::move(decoded));
}

std::optional<BmpPicture> BmpPicture::FromBytes(std::span<const std::uint8_t> bytes, std::string* error) {
    std::string problem;
    const std::optional<BmpHeader> header = CheckedHeader(bytes, bytes.size(), problem);
    std::optional<Rows> rows = header ? DecodeRows(bytes, *header, problem) : std::nullopt;
    if (!rows) {
        Tell(error, "BMP data", problem);
        return std::nullopt;
    }
    return Finish(std::make_unique<Decoded>(std::move(*rows), *header));
}

std::optional<BmpPicture> BmpPicture::Open(const std::string& path, std::string* error) {
    if (path.find('.') == std::string::npos) {
        Tell(error, path, "a name without a '.' names a resource, and there are none");
        return std::nullopt;
    }
    // Non-blocking, so that a FIFO behind the name cannot hold the open; only a
    // regular file is read, and its size is taken from the open file itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        Tell(error, path, std::string("cannot be opened: ") + std::strerror(errno));
        return std::nullopt;
    }
    const FdCloser closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Tell(error, path, "not a regular file");
        return std::nullopt;
    }
    // The header is checked against the file's real size before the rest is
    // read, so a claim the file cannot back costs nothing.
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);
    std::vector<std::uint8_t> prefix(
        static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kHeaderPrefixBytes)));
    std::string problem;
    if (!ReadAll(fd, prefix.data(), prefix.size())) {
        problem = "cannot be read";
    }
    const std::optional<BmpHeader> header =
        problem.empty() ? CheckedHeader(prefix, fileSize, problem) : std::nullopt;
    if (!header) {
        Tell(error, path, problem);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes = std::move(prefix);
    const std::size_t start = bytes.size();
    bytes.resize(static_cast<std::size_t>(fileSize));
    if (!ReadAll(fd, bytes.data() + start, bytes.size() - start)) {
        Tell(error, path, "the file ends before its stated size (changed while read?)");
        return std::nullopt;
    }
    std::optional<Rows> rows = DecodeRows(bytes, *header, problem);
    if (!rows) {
        Tell(error, path, problem);
        return std::nullopt;
    }
    auto decoded = std::make_unique<Decoded>(std::move(*rows), *header);
    // Uncompressed rows are read from the file's bytes; run-length rows hold their own.
    if (!header->runLength()) {
        decoded->ownBytes = std::move(bytes);
    }
    return Finish(std::move(decoded));
}

std::int64_t BmpPicturesDecoded() {
    return TheCounters().picturesDecoded;
}

namespace {

std::optional<Surface> Whole(const std::optional<BmpPicture>& picture) {
    if (!picture) {
        return std::nullopt;
    }
    Surface out(picture->width(), picture->height());
    if (out.empty()) {
        return std::nullopt;
    }
    for (int y = 0; y < out.height(); ++y) {
        picture->ReadRow(y, out.mutableRow(y));
    }
    return out;
}

}  // namespace

std::optional<Surface> LoadBmpFile(const std::string& path, std::string* error) {
    return Whole(BmpPicture::Open(path, error));
}

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error) {
    return Whole(BmpPicture::FromBytes(bytes, error));
}

}  // namespace instruments::bitmap
