#pragma once

#include <memory>

#include "canvas/text/FontFace.h"
#include "canvas/text/FontRequest.h"

namespace instruments::text {

// Whether a font stays in the cache when it is cleared for room.
enum class CacheLife { UntilFull, Always };

// The font for a request, opened once and then shared: asking again with an
// equal request gives the same object. Null when no usable font exists (that
// answer is remembered too). Style bits outside the four known ones are ignored.
std::shared_ptr<const FontFace> OpenFont(const FontRequest& request, CacheLife life = CacheLife::UntilFull);

}  // namespace instruments::text
