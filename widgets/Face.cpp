#include "instruments/Face.h"

#include <span>

#include "canvas/bitmap/BmpLoader.h"
#include "canvas/text/Ascii.h"

namespace instruments {

DisplaySettings DisplaySettings::FromKeywords(int frameWidth, std::string_view frameColour, int captionSize,
                                              instruments::Colour ink, std::string_view styleWords,
                                              std::string_view backColour, int backStyle) {
    DisplaySettings settings;
    settings.frame.width = frameWidth;
    settings.frame.colour = instruments::ColourSpec::Parse(frameColour);
    // Tested untrimmed: a single space counts as a colour and gives the frame
    // its colour on all four sides.
    settings.frame.topLeftColour = backColour.empty() ? instruments::ColourSpec{} : settings.frame.colour;
    settings.background.pattern = BackgroundPatternOf(backStyle);
    settings.background.colour = instruments::ColourSpec::Parse(backColour);
    settings.ink = ink;
    settings.dots = DotStyle::FromWords(styleWords);
    settings.label = std::string(LabelOf(styleWords));
    settings.captionSize = captionSize;
    return settings;
}

std::string_view LabelOf(std::string_view styleWords) {
    return instruments::text::Trim(styleWords, std::string_view(" \0", 2));
}

instruments::PixelBlock PaintFace(instruments::Size size, const DisplaySettings& settings,
                                  const instruments::Surface* picture) {
    instruments::Surface surface(size.width, size.height,
                                 instruments::PixelFromColour(instruments::kSystemButtonFace));
    instruments::Painter painter(surface);
    if (picture != nullptr) {
        painter.Copy(*picture);
    }
    PaintFrameAndBackground(painter, settings, picture);
    return painter.GetBits();
}

void PaintFrameAndBackground(instruments::Painter& painter, const DisplaySettings& settings,
                             const instruments::Surface* picture) {
    PaintFrame(painter, settings.frame);
    PaintBackground(painter, settings.frame.width, settings.background.colour, settings.background.pattern,
                    picture);
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
