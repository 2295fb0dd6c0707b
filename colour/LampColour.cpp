#include "colour/LampColour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "canvas/surface/Rounding.h"
#include "canvas/text/Ascii.h"
#include "instruments/Colour.h"

namespace instruments {
namespace {

using Wide = std::int64_t;

// A real term rounded to the nearest integer. A term that is not finite (the
// divisions of "semaforo" by a zero ring or level) or that lies beyond the
// 64-bit range gives 0. Within that range the saturating rounding is enough,
// because every component is clamped to 0..255 afterwards.
Wide Nearest(double term) {
    constexpr double kWideLimit = 9223372036854775808.0;  // 2^63
    if (!std::isfinite(term) || term >= kWideLimit || term < -kWideLimit) {
        return 0;
    }
    return instruments::RoundHalfEven(term);
}

int Clamp(Wide value) {
    return static_cast<int>(std::clamp<Wide>(value, 0, 255));
}

instruments::Colour Compose(Wide red, Wide green, Wide blue) {
    return Rgb(Clamp(red), Clamp(green), Clamp(blue));
}

}  // namespace

instruments::Colour LampColour(std::string_view scheme, int step, int ring, float level) {
    const std::string name = instruments::text::LowerAsciiLetters(scheme);
    // The ring term g is an integer product; in 64 bits it cannot overflow.
    const Wide g = static_cast<Wide>(step) * ring;
    const double l = level;
    const double r = ring;
    const double s = step;
    const Wide lit = Nearest(2.0 * l + static_cast<double>(g));

    if (name.empty() || name == "verdino") {
        return Compose(g, lit, g);
    }
    if (name == "rosso-giallo") {
        return Compose(Nearest(l * r), lit, g);
    }
    if (name == "rosso-arancio") {
        // The product is clamped to 0..255 anyway; capping g first keeps 3 x g
        // inside 64 bits for any step and ring.
        return Compose(Nearest(l * r), 3 * std::clamp<Wide>(g, -256, 256), g);
    }
    if (name == "blu") {
        return Compose(g, lit, Nearest(l * r));
    }
    if (name == "rosso") {
        return Compose(lit, g, g);
    }
    if (name == "blu-scuro") {
        return Compose(g, g, lit);
    }
    if (name == "blu-bianco") {
        return Compose(Nearest(l * s), Nearest(l * r), Nearest(r * s * l));
    }
    if (name == "semaforo") {
        return Compose(Nearest(255.0 / r * l), Nearest(l * r), Nearest(r * s / l));
    }
    return 0;
}

}  // namespace instruments
