#include "canvas/bitmap/BmpLoader.h"

#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "canvas/bitmap/BmpBitfields.h"
#include "canvas/bitmap/BmpHeader.h"

namespace canvas::bitmap {

namespace {

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

std::optional<Surface> CopyPixels(SDL_Surface* converted) {
    Surface out(converted->w, converted->h);
    if (out.empty() || SDL_LockSurface(converted) != 0) {
        return std::nullopt;
    }
    for (int y = 0; y < converted->h; ++y) {
        const auto* in =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(converted->pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * converted->pitch);
        Pixel* row = out.row(y);
        for (int x = 0; x < converted->w; ++x) {
            row[x] = in[x] & 0x00ffffffu;
        }
    }
    SDL_UnlockSurface(converted);
    return out;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > static_cast<std::uintmax_t>(kMaxBmpFileBytes)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes) {
    // SDL reserves and clears the whole claimed picture before it reads a row,
    // so a tiny file claiming a huge picture would cost gigabytes: such claims
    // are refused before SDL sees the file.
    const std::optional<BmpHeader> header = ParseBmpHeader(bytes);
    if (!header || bytes.size() > static_cast<std::size_t>(kMaxBmpFileBytes) ||
        !PlausibleBmp(*header, bytes.size(), kMaxBmpPixels)) {
        return std::nullopt;
    }
    if (IsBitfieldsBmp(*header)) {
        return DecodeBitfieldsBmp(bytes, *header);
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) {
        return std::nullopt;
    }
    const SdlSurfacePtr loaded(SDL_LoadBMP_RW(stream, 1));
    if (!loaded) {
        return std::nullopt;
    }
    const SdlSurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XRGB8888, 0));
    if (!converted) {
        return std::nullopt;
    }
    return CopyPixels(converted.get());
}

std::optional<Surface> LoadBmpFile(const std::string& path) {
    if (path.find('.') == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeBmp(*bytes);
}

}  // namespace canvas::bitmap
