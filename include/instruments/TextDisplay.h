#pragma once

#include <string>
#include <string_view>

#include "instruments/DisplaySettings.h"
#include "instruments/DotStyle.h"
#include "instruments/GlyphTable.h"
#include "instruments/PaintMemo.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// A dot-matrix text display: each character a 5 x 7 grid of dots from a glyph
// table, laid out to fill the face inside a margin of twice the frame width,
// in the ink colour and dot style, with the label printed in white in the
// top-left corner.
//
//   instruments::TextDisplay display({210, 55}, settings);
//   instruments::Surface surface(210, 55);
//   instruments::Painter painter(surface);
//   display.Paint(painter, "12:34:56");
class TextDisplay {
  public:
    struct Settings {
        int frameWidth = 0;
        instruments::Colour ink = 0;
        DotStyle dots;
        std::string label;
        // The glyphs of the characters; the table must outlive the display.
        const GlyphTable* glyphs = &GlyphTable::Builtin();
    };

    // A display of the given size that paints and keeps its own face.
    TextDisplay(instruments::Size size, const DisplaySettings& settings,
                const instruments::Surface* picture = nullptr);
    // A display over a face painted elsewhere (an empty face restores nothing).
    TextDisplay(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }
    const instruments::PixelBlock& face() const { return face_; }

    // Restores the face, paints the text's dots (the bytes of the text are the
    // character codes) and prints the label. The same text gives the same pixels
    // every time.
    void Paint(instruments::Painter& painter, std::string_view text) const;
    // Paints as Paint does, unless the last Update painted the same text with
    // the same glyphs on this painter and nothing has drawn on it since (see
    // PaintMemo); true when it painted.
    bool Update(instruments::Painter& painter, std::string_view text);

    // What a paint of the text reads besides the settings, face and painter:
    // the text and the glyphs of its characters.
    void AppendPaintInputs(std::string& key, std::string_view text) const;

  private:
    // The settings' table, or the built-in one when they name none.
    const GlyphTable& Glyphs() const {
        return settings_.glyphs != nullptr ? *settings_.glyphs : GlyphTable::Builtin();
    }

    Settings settings_;
    instruments::PixelBlock face_;
    instruments::PaintMemo memo_;
};

}  // namespace instruments
