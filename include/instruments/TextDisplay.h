#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "instruments/Background.h"
#include "instruments/DotStyle.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/GlyphCodes.h"
#include "instruments/GlyphTable.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"

namespace instruments {

// Where each line of a text display lies in the width its layout leaves.
enum class TextAlign { Left, Centre, Right };

// A dot-matrix text display: each character a 5 x 7 grid of dots from the
// display's glyph table, laid out to fill the face inside a margin of twice the
// frame width, in the ink colour and dot style, with the label (if any) printed
// in white in the top-left corner.
//
// "\n" starts a new line. N lines share the height: 7 rows of dots each and one
// empty row between lines, all at one vertical pitch, (h - 4 x frame width) /
// (8N - 1). The longest line sets the horizontal pitch, (w - 3 x frame width) /
// (6 x its length); Settings::align places each line within that width.
//
//   instruments::TextDisplay display({210, 55}, {
//       .frame = {.width = 6, .colour = "gold"},
//       .background = {.pattern = instruments::BackgroundPattern::RowsFromBottom, .colour = "#f06040"},
//       .ink = instruments::Rgb(255, 0, 0),
//       .dots = instruments::DotStyle::Joined,
//   });
//   display.SetText("21.5°C");
//   instruments::Surface surface(210, 55);
//   instruments::Painter painter(surface);
//   display.Paint(painter);
//
// A glyph of the program's own replaces a code's glyph in this display alone:
//
//   display.SetGlyph(1, {"..X..",
//                        ".XXX.",
//                        "XXXXX",
//                        "..X..",
//                        "..X..",
//                        "..X..",
//                        "....."});
//   display.SetCodes("\x01 UP");
class INSTRUMENTS_API TextDisplay : public Instrument {
  public:
    struct Settings {
        Frame frame{};
        Background background{};
        instruments::Colour ink = 0;
        DotStyle dots = DotStyle::Plain;
        std::string label{};
        TextAlign align = TextAlign::Left;
        // The glyphs the display starts with; it keeps a copy of its own.
        const GlyphTable* glyphs = &GlyphTable::Builtin();
    };

    // A display of the given size that paints and keeps its own face, showing
    // no text. Throws SettingsError for a size that cannot be a surface, a
    // negative frame width, one that leaves no inside, Hollow dots that are not
    // Joined, or no glyph table.
    TextDisplay(instruments::Size size, Settings settings, const instruments::Surface* picture = nullptr);
    // A display over a face painted elsewhere, the face's size (the frame and
    // background settings are not painted). Throws as above.
    TextDisplay(Settings settings, instruments::PixelBlock face);

    const Settings& settings() const { return settings_; }
    const instruments::PixelBlock& face() const { return face_; }
    const GlyphTable& glyphs() const { return glyphs_; }

    // Shows a UTF-8 text: its characters become glyph codes as GlyphCodes()
    // gives them (see instruments/GlyphCodes.h).
    void SetText(std::string_view utf8);
    // Shows raw glyph codes, one byte a character; code 10 ("\n") ends a line.
    void SetCodes(std::string_view codes);
    // The codes shown.
    const std::string& codes() const { return codes_; }

    // Gives a code a glyph of the program's own, as text art ("X" lit, "."
    // dark). Throws SettingsError, changing nothing, for art that is not seven
    // rows of five such characters.
    void SetGlyph(std::uint8_t code, const GlyphTable::GlyphArt& art);

  protected:
    // Restores the face, paints the dots of the codes and prints the label.
    void PaintState(instruments::Painter& painter) const override;

  private:
    // Whether the codes would show other dots than the ones shown.
    bool ShowsOtherDots(std::string_view codes) const;

    Settings settings_;
    instruments::PixelBlock face_;
    GlyphTable glyphs_;
    std::string codes_;
};

}  // namespace instruments
