#include "canvas/text/FontCache.h"

#include <mutex>
#include <unordered_map>

namespace instruments::text {

namespace {

// A program that asks for ever new fonts must not grow the cache without end;
// past this many entries the cache starts afresh (fonts still in use live on
// through their callers' references).
constexpr std::size_t kMaxCachedFonts = 64;

}  // namespace

std::shared_ptr<const FontFace> OpenFont(const FontRequest& request) {
    static std::mutex mutex;
    static std::unordered_map<FontRequest, std::shared_ptr<const FontFace>, FontRequestHash> cache;

    FontRequest key = request;
    key.styleBits &= kFontStyleMask;
    const std::lock_guard lock(mutex);
    if (const auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    if (cache.size() >= kMaxCachedFonts) {
        cache.clear();
    }
    std::shared_ptr<const FontFace> face = FontFace::Open(key);
    cache.emplace(std::move(key), face);
    return face;
}

}  // namespace instruments::text
