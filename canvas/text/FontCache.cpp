#include "canvas/text/FontCache.h"

#include <mutex>
#include <unordered_map>

namespace instruments::text {

namespace {

// A program that asks for ever new fonts must not grow the cache without end;
// past this many entries the cache starts afresh (fonts still in use live on
// through their callers' references).
constexpr std::size_t kMaxCachedFonts = 64;

using FontMap = std::unordered_map<FontRequest, std::shared_ptr<const FontFace>, FontRequestHash>;

// The process's fonts behind one lock: the font engine's library (started on
// first use), the fonts opened lately, and those kept for good (the painters'
// default font).
struct Cache {
    std::mutex mutex;
    bool started = false;
    std::shared_ptr<FontLibrary> library;
    FontMap recent;
    FontMap kept;
};

}  // namespace

std::shared_ptr<const FontFace> OpenFont(const FontRequest& request, CacheLife life) {
    static Cache cache;

    FontRequest key = request;
    key.styleBits &= kFontStyleMask;
    const std::lock_guard lock(cache.mutex);
    FontMap& fonts = life == CacheLife::Always ? cache.kept : cache.recent;
    if (const auto found = fonts.find(key); found != fonts.end()) {
        return found->second;
    }
    if (fonts.size() >= kMaxCachedFonts) {
        fonts.clear();
    }
    if (!cache.started) {
        cache.started = true;
        cache.library = OpenFontLibrary();
    }
    std::shared_ptr<const FontFace> face = FontFace::Open(key, cache.library);
    fonts.emplace(std::move(key), face);
    return face;
}

}  // namespace instruments::text
