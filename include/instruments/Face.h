#pragma once

#include <optional>
#include <string>

#include "instruments/Background.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace instruments {

// The static face of a display of the given size: the picture (if any) over
// the whole face, the frame, then the background inside it (the box stack as
// deep as height / 5), kept as a block that every repaint restores first.
// Throws SettingsError for a size that cannot be a surface, a negative frame
// width or one that leaves no inside.
INSTRUMENTS_API instruments::PixelBlock PaintFace(instruments::Size size, const Frame& frame,
                                                  const Background& background,
                                                  const instruments::Surface* picture = nullptr);

// The frame, then the background inside it, as PaintFace paints them over what
// the painter's surface already holds; a picture background stretches `picture`.
INSTRUMENTS_API void PaintFrameAndBackground(instruments::Painter& painter, const Frame& frame,
                                             const Background& background,
                                             const instruments::Surface* picture = nullptr);

// A BMP picture file scaled to width x height, or nullopt when it cannot be
// loaded.
INSTRUMENTS_API std::optional<instruments::Surface> LoadPicture(const std::string& path, int width,
                                                                int height);

}  // namespace instruments
