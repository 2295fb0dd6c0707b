#include "canvas/text/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>

namespace instruments::text {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// The face name goes in as a plain family string rather than through the
// fontconfig name syntax, so a name holding ':' or '-' cannot smuggle in
// properties of its own.
PatternPtr RequestPattern(const FontRequest& request) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return nullptr;
    }
    if (!request.face.empty()) {
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(request.face.c_str()));
    }
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.bold() ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic() ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, static_cast<double>(request.pixelHeight));
    return pattern;
}

}  // namespace

std::optional<MatchedFont> MatchFont(const FontRequest& request) {
    // fontconfig's configuration is process-wide; it is set up once, and
    // matching is serialised so the font cache may be used from more than one
    // thread.
    static struct {
        std::mutex mutex;
        bool tried = false;
        bool ready = false;
    } fontconfig;
    const std::lock_guard lock(fontconfig.mutex);
    if (!fontconfig.tried) {
        fontconfig.tried = true;
        fontconfig.ready = FcInit() == FcTrue;
    }
    if (!fontconfig.ready) {
        return std::nullopt;
    }
    PatternPtr pattern = RequestPattern(request);
    if (!pattern || !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) {
        return std::nullopt;
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match) {
        return std::nullopt;
    }
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
        return std::nullopt;
    }
    MatchedFont matched;
    matched.file = reinterpret_cast<const char*>(file);
    int value = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &value) == FcResultMatch) {
        matched.index = value;
    }
    return matched;
}

}  // namespace instruments::text

// fontconfig 2.14 loses a few hundred bytes while parsing its configuration
// files once per process. Sanitizer builds would report that as our leak; the
// suppression names only fontconfig's own frames.
#if defined(__SANITIZE_ADDRESS__)
#define INSTRUMENTS_LSAN_ACTIVE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define INSTRUMENTS_LSAN_ACTIVE 1
#endif
#endif
#ifdef INSTRUMENTS_LSAN_ACTIVE
// Visible whatever the library's visibility: the sanitizer runtime looks it up by name.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
