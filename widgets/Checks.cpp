#include <string>

#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "widgets/InstrumentParts.h"

namespace instruments {

void CheckFace(instruments::Size size, const Frame& frame) {
    const std::string sizeError = instruments::Surface::SizeError(size.width, size.height);
    if (!sizeError.empty()) {
        throw SettingsError(sizeError);
    }
    if (frame.width < 0) {
        throw SettingsError("frame.width " + std::to_string(frame.width) +
                            " is negative: it must be 0 or more");
    }
    const int shorter = size.width < size.height ? size.width : size.height;
    if (shorter > 0 && static_cast<long long>(frame.width) * 2 >= shorter) {
        throw SettingsError("frame.width " + std::to_string(frame.width) + " leaves no inside in a " +
                            std::to_string(size.width) + " x " + std::to_string(size.height) +
                            " face: it must be below " + std::to_string((shorter + 1) / 2));
    }
}

void CheckDots(DotStyle dots) {
    if (Has(dots, DotStyle::Hollow) && !Has(dots, DotStyle::Joined)) {
        throw SettingsError("dots: DotStyle::Hollow only shapes joined dots; add DotStyle::Joined");
    }
}

}  // namespace instruments
