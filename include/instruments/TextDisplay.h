#pragma once

#include <string>
#include <string_view>

#include "instruments/Background.h"
#include "instruments/DotStyle.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/GlyphTable.h"
#include "instruments/PaintMemo.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// A dot-matrix text display: each character a 5 x 7 grid of dots from a glyph
// table, laid out to fill the face inside a margin of twice the frame width,
// in the ink colour and dot style, with the label (if any) printed in white in
// the top-left corner.
//
//   instruments::TextDisplay display({210, 55}, {
//       .frame = {.width = 6, .colour = "gold"},
//       .background = {.pattern = instruments::BackgroundPattern::RowsFromBottom, .colour = "#f06040"},
//       .ink = instruments::Rgb(255, 0, 0),
//       .dots = instruments::DotStyle::Joined,
//   });
//   instruments::Surface surface(210, 55);
//   instruments::Painter painter(surface);
//   display.Paint(painter, "12:34:56");
class INSTRUMENTS_API TextDisplay {
  public:
    struct Settings {
        Frame frame{};
        Background background{};
        instruments::Colour ink = 0;
        DotStyle dots = DotStyle::Plain;
        std::string label{};
        // The glyphs of the characters; the table must outlive the display.
        const GlyphTable* glyphs = &GlyphTable::Builtin();
    };

    // A display of the given size that paints and keeps its own face. Throws
    // SettingsError for a size that cannot be a surface, a negative frame width,
    // one that leaves no inside, or Hollow dots that are not Joined.
    TextDisplay(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // A display over a face painted elsewhere (an empty face restores nothing;
    // the frame and background settings are not painted). Throws as above, the
    // size being the face's.
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
    Settings settings_;
    instruments::PixelBlock face_;
    instruments::PaintMemo memo_;
};

}  // namespace instruments
