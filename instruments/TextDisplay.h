#pragma once

#include <string>
#include <string_view>

#include "canvas/painter/Painter.h"
#include "canvas/surface/PixelBlock.h"
#include "instruments/DisplaySettings.h"
#include "instruments/DotStyle.h"
#include "instruments/GlyphTable.h"

namespace instruments {

// A dot-matrix text display: each character a 5 x 7 grid of dots from a glyph
// table, laid out to fill the face inside a margin of twice the frame width,
// in the ink colour and dot style, with the label printed in white in the
// top-left corner.
//
//   instruments::TextDisplay display({210, 55}, settings);
//   canvas::Surface surface(210, 55);
//   canvas::Painter painter(surface);
//   display.Paint(painter, "12:34:56");
class TextDisplay {
  public:
    struct Settings {
        int frameWidth = 0;
        canvas::Colour ink = 0;
        DotStyle dots;
        std::string label;
        // The glyphs of the characters; the table must outlive the display.
        const GlyphTable* glyphs = &GlyphTable::Builtin();
    };

    // A display of the given size that paints and keeps its own face.
    TextDisplay(canvas::Size size, const DisplaySettings& settings, const canvas::Surface* picture = nullptr);
    // A display over a face painted elsewhere (an empty face restores nothing).
    TextDisplay(Settings settings, canvas::PixelBlock face);

    const Settings& settings() const { return settings_; }
    const canvas::PixelBlock& face() const { return face_; }

    // Restores the face, paints the text's dots (the bytes of the text are the
    // character codes) and prints the label. The same text gives the same pixels
    // every time.
    void Paint(canvas::Painter& painter, std::string_view text) const;

  private:
    Settings settings_;
    canvas::PixelBlock face_;
};

}  // namespace instruments
