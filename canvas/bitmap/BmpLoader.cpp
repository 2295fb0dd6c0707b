#include "canvas/bitmap/BmpLoader.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "canvas/bitmap/BmpBitfields.h"
#include "canvas/bitmap/BmpHeader.h"

namespace instruments::bitmap {

namespace {

// Enough of the file's start for every header field the checks read.
constexpr std::size_t kHeaderPrefixBytes = 256;

std::atomic<std::int64_t> picturesDecoded = 0;

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Whether the header allows decoding a file of this size.
std::optional<BmpHeader> CheckedHeader(std::span<const std::uint8_t> prefix, std::uint64_t fileSize) {
    const std::optional<BmpHeader> header = ParseBmpHeader(prefix);
    if (!header || fileSize > static_cast<std::uint64_t>(kMaxBmpFileBytes) ||
        !PlausibleBmp(*header, static_cast<std::size_t>(fileSize), kMaxBmpPixels)) {
        return std::nullopt;
    }
    return header;
}

bool ReadAll(std::FILE* file, std::uint8_t* out, std::size_t size) {
    return std::fread(out, 1, size, file) == size;
}

}  // namespace

// Either SDL's surface in the file's own format, or the bytes of a picture with
// colour masks that SDL may not know.
struct BmpPicture::Decoded {
    SdlSurfacePtr surface;
    std::array<Pixel, 256> palette{};  // for a surface of palette indices
    std::vector<std::uint8_t> ownBytes;
    std::optional<BitfieldsRows> bitfields;
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
    if (decoded_->bitfields) {
        return decoded_->bitfields->StoredRow(y);
    }
    const SDL_Surface* s = decoded_->surface.get();
    const auto* pixels = static_cast<const std::uint8_t*>(s->pixels);
    return {pixels + static_cast<std::ptrdiff_t>(y) * s->pitch,
            static_cast<std::size_t>(s->w) * s->format->BytesPerPixel};
}

void BmpPicture::ReadRow(int y, Pixel* out) const {
    if (decoded_->bitfields) {
        decoded_->bitfields->ReadRow(y, out);
        return;
    }
    const std::span<const std::uint8_t> stored = StoredRow(y);
    if (decoded_->surface->format->palette != nullptr) {
        std::transform(stored.begin(), stored.end(), out,
                       [this](std::uint8_t i) { return decoded_->palette[i]; });
        return;
    }
    const int w = decoded_->width;
    SDL_ConvertPixels(w, 1, decoded_->surface->format->format, stored.data(), decoded_->surface->pitch,
                      SDL_PIXELFORMAT_XRGB8888, out, w * static_cast<int>(sizeof(Pixel)));
    for (int x = 0; x < w; ++x) {
        out[x] &= 0x00ffffffu;
    }
}

namespace {

// SDL reserves and clears the whole claimed picture before it reads a row, so a
// tiny file claiming a huge picture would cost gigabytes: CheckedHeader refuses
// such claims before SDL sees the file.
std::unique_ptr<BmpPicture::Decoded> LoadWithSdl(SDL_RWops* stream) {
    if (stream == nullptr) {
        return nullptr;
    }
    SdlSurfacePtr loaded(SDL_LoadBMP_RW(stream, 1));
    if (!loaded || loaded->w <= 0 || loaded->h <= 0) {
        return nullptr;
    }
    const SDL_PixelFormat* format = loaded->format;
    // Rows are read straight from the surface: it must be byte-addressed.
    if (format->palette != nullptr ? format->BitsPerPixel != 8 : format->BytesPerPixel < 2) {
        return nullptr;
    }
    auto decoded = std::make_unique<BmpPicture::Decoded>();
    if (const SDL_Palette* palette = format->palette) {
        // Indices past the palette's colours show black.
        const int colours = std::min(palette->ncolors, 256);
        for (int i = 0; i < colours; ++i) {
            const SDL_Color c = palette->colors[i];
            decoded->palette[static_cast<std::size_t>(i)] =
                (Pixel{c.r} << 16) | (Pixel{c.g} << 8) | Pixel{c.b};
        }
    }
    if (SDL_MUSTLOCK(loaded.get())) {
        return nullptr;
    }
    decoded->width = loaded->w;
    decoded->height = loaded->h;
    decoded->surface = std::move(loaded);
    return decoded;
}

}  // namespace

std::optional<BmpPicture> BmpPicture::Finish(std::unique_ptr<Decoded> decoded) {
    if (!decoded) {
        return std::nullopt;
    }
    ++picturesDecoded;
    return BmpPicture(std::move(decoded));
}

std::optional<BmpPicture> BmpPicture::FromBytes(std::span<const std::uint8_t> bytes) {
    const std::optional<BmpHeader> header = CheckedHeader(bytes, bytes.size());
    if (!header) {
        return std::nullopt;
    }
    if (IsBitfieldsBmp(*header)) {
        auto decoded = std::make_unique<Decoded>();
        decoded->bitfields = BitfieldsRows::Make(bytes, *header);
        decoded->width = static_cast<int>(header->width);
        decoded->height = static_cast<int>(header->rows());
        return decoded->bitfields ? Finish(std::move(decoded)) : std::nullopt;
    }
    return Finish(LoadWithSdl(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()))));
}

std::optional<BmpPicture> BmpPicture::Open(const std::string& path) {
    if (path.find('.') == std::string::npos) {
        return std::nullopt;
    }
    // Non-blocking, so that a FIFO behind the name cannot hold the open; only a
    // regular file is read, and its size is taken from the open file itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return std::nullopt;
    }
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);
    std::vector<std::uint8_t> prefix(
        static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kHeaderPrefixBytes)));
    if (!ReadAll(file.get(), prefix.data(), prefix.size())) {
        return std::nullopt;
    }
    const std::optional<BmpHeader> header = CheckedHeader(prefix, fileSize);
    if (!header) {
        return std::nullopt;
    }
    if (IsBitfieldsBmp(*header)) {
        // Read from the file's bytes: they are the one full-size copy.
        auto decoded = std::make_unique<Decoded>();
        decoded->ownBytes.resize(static_cast<std::size_t>(fileSize));
        std::memcpy(decoded->ownBytes.data(), prefix.data(), prefix.size());
        if (!ReadAll(file.get(), decoded->ownBytes.data() + prefix.size(),
                     decoded->ownBytes.size() - prefix.size())) {
            return std::nullopt;
        }
        decoded->bitfields = BitfieldsRows::Make(decoded->ownBytes, *header);
        decoded->width = static_cast<int>(header->width);
        decoded->height = static_cast<int>(header->rows());
        return decoded->bitfields ? Finish(std::move(decoded)) : std::nullopt;
    }
    // SDL reads the rest of the file itself, so the file's bytes are never held whole.
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return std::nullopt;
    }
    std::FILE* const handed = file.release();
    SDL_RWops* stream = SDL_RWFromFP(handed, SDL_TRUE);
    if (stream == nullptr) {
        std::fclose(handed);
        return std::nullopt;
    }
    return Finish(LoadWithSdl(stream));
}

std::int64_t BmpPicturesDecoded() {
    return picturesDecoded;
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
        picture->ReadRow(y, out.row(y));
    }
    return out;
}

}  // namespace

std::optional<Surface> LoadBmpFile(const std::string& path) {
    return Whole(BmpPicture::Open(path));
}

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes) {
    return Whole(BmpPicture::FromBytes(bytes));
}

}  // namespace instruments::bitmap
