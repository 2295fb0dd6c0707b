#include "instruments/Face.h"

#include <span>

#include "canvas/bitmap/BmpLoader.h"
#include "widgets/InstrumentParts.h"

namespace instruments {

instruments::PixelBlock PaintFace(instruments::Size size, const Frame& frame, const Background& background,
                                  const instruments::Surface* picture) {
    CheckFace(size, frame);
    instruments::Surface surface(size.width, size.height,
                                 instruments::PixelFromColour(instruments::kSystemButtonFace));
    instruments::Painter painter(surface);
    if (picture != nullptr) {
        painter.Copy(*picture);
    }
    PaintFrameAndBackground(painter, frame, background, picture);
    return painter.GetBits();
}

void PaintFrameAndBackground(instruments::Painter& painter, const Frame& frame, const Background& background,
                             const instruments::Surface* picture) {
    PaintFrame(painter, frame);
    PaintBackground(painter, frame.width, background.colour, background.pattern, picture);
}

std::optional<instruments::Surface> LoadPicture(const std::string& path, int width, int height) {
    const auto picture = instruments::bitmap::BmpPicture::Open(path);
    instruments::Surface scaled(width, height);
    if (!picture || scaled.empty()) {
        return std::nullopt;
    }
    const instruments::bitmap::StretchTarget whole{&scaled, 0, 0, width, height};
    instruments::bitmap::StretchRows(*picture, std::span(&whole, 1));
    return scaled;
}

}  // namespace instruments
