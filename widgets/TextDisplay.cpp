#include "instruments/TextDisplay.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "canvas/painter/PaintMemo.h"
#include "instruments/Face.h"
#include "instruments/SettingsError.h"
#include "widgets/Caption.h"
#include "widgets/InstrumentParts.h"
#include "widgets/TextLayout.h"

namespace instruments {

namespace {

constexpr std::int32_t kSquareCorner = 0;
// Corner value of a rounded dot: 80 % of the shorter side.
constexpr std::int32_t kRoundCorner = 80;
constexpr instruments::Colour kLabelColour = 0xFFFFFF;
// The shadow of a lit dot lies this far right and down.
constexpr int kShadowRight = 2;
constexpr int kShadowDown = 3;

// What every dot of one repaint shares.
struct DotPen {
    DotStyle style;
    instruments::Ink ink = 0;
    std::int32_t corner = kSquareCorner;
    double pitchX = 0;
    double pitchY = 0;
};

void PaintBox(instruments::Painter& p, double x1, double y1, double x2, double y2, std::int32_t corner,
              instruments::Ink line, instruments::Ink fill) {
    p.Box(x1, y1, x2, y2, corner, line, fill, instruments::FillStyle::Solid);
}

void PaintLitDot(instruments::Painter& p, const DotPen& pen, double x, double y) {
    // The shadow goes first so that the dot covers its own corner of it, and
    // later dots cover what falls on them.
    if (Has(pen.style, DotStyle::Shadow)) {
        PaintBox(p, x + kShadowRight, y + kShadowDown, x + pen.pitchX + kShadowRight - 1,
                 y + pen.pitchY + kShadowDown - 1, kSquareCorner, ShadeColour, ShadeColour);
    }
    if (!Has(pen.style, DotStyle::Joined)) {
        PaintBox(p, x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, pen.corner, pen.ink, pen.ink);
    } else if (Has(pen.style, DotStyle::Hollow)) {
        PaintBox(p, x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink, instruments::Ink::None());
    } else {
        PaintBox(p, x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink, pen.ink);
    }
}

void PaintUnlitDot(instruments::Painter& p, const DotPen& pen, double x, double y) {
    PaintBox(p, x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, kSquareCorner, ShadeColour, ShadeColour);
}

// The dots of laid-out lines, then the label.
void PaintLayouts(instruments::Painter& painter, const TextLook& look, std::span<const DotLayout> layouts) {
    // The label leaves the foreground white; a Default ink must not pick that
    // up on the next repaint.
    painter.ColourFg(instruments::Ink::Default());
    DotPen pen;
    pen.style = look.dots;
    pen.ink = look.ink;
    pen.corner = Has(pen.style, DotStyle::Rounded) ? kRoundCorner : kSquareCorner;
    for (const DotLayout& layout : layouts) {
        pen.pitchX = static_cast<double>(layout.pitchX());
        pen.pitchY = static_cast<double>(layout.pitchY());
        layout.ForEachDot([&](const Dot& dot) {
            const auto x = static_cast<double>(dot.x);
            const auto y = static_cast<double>(dot.y);
            if (dot.lit) {
                PaintLitDot(painter, pen, x, y);
            } else if (Has(pen.style, DotStyle::ShowUnlit)) {
                PaintUnlitDot(painter, pen, x, y);
            }
        });
    }
    PrintLine(painter, 0, 0, kLabelColour, look.label);
}

const GlyphTable& CheckedGlyphs(const GlyphTable* glyphs) {
    if (glyphs == nullptr) {
        throw SettingsError("glyphs is null: give a glyph table, such as &GlyphTable::Builtin()");
    }
    return *glyphs;
}

// The glyph of text art, or SettingsError naming the code and the row.
GlyphTable::Glyph GlyphOfArt(std::uint8_t code, const GlyphTable::GlyphArt& art) {
    GlyphTable::Glyph glyph{};
    for (std::size_t row = 0; row < art.size(); ++row) {
        const std::string_view text = art[row];
        const bool fiveDots =
            text.size() == GlyphTable::kColumns && text.find_first_not_of("X.") == std::string_view::npos;
        if (!fiveDots) {
            throw SettingsError("glyph art of code " + std::to_string(code) + ": row " + std::to_string(row) +
                                " \"" + std::string(text) +
                                "\" is not five characters, each \"X\" (lit) or \".\" (dark)");
        }
        for (std::size_t column = 0; column < text.size(); ++column) {
            if (text[column] == 'X') {
                glyph[row] |= static_cast<std::uint8_t>(0x10 >> column);
            }
        }
    }
    return glyph;
}

constexpr char kLineBreak = '\n';

}  // namespace

TextDisplay::TextDisplay(instruments::Size size, Settings settings, const instruments::Surface* picture)
    : Instrument(size), settings_(std::move(settings)), glyphs_(CheckedGlyphs(settings_.glyphs)) {
    CheckDots(settings_.dots);
    face_ = PaintFace(size, settings_.frame, settings_.background, picture);
}

TextDisplay::TextDisplay(Settings settings, instruments::PixelBlock face)
    : Instrument({face.width(), face.height()}),
      settings_(std::move(settings)),
      face_(std::move(face)),
      glyphs_(CheckedGlyphs(settings_.glyphs)) {
    CheckDots(settings_.dots);
    CheckFace({face_.width(), face_.height()}, settings_.frame);
}

void TextDisplay::SetText(std::string_view utf8) {
    SetCodes(GlyphCodes(utf8));
}

void TextDisplay::SetCodes(std::string_view codes) {
    if (codes == codes_) {
        return;
    }
    if (ShowsOtherDots(codes)) {
        Invalidate();
    }
    codes_.assign(codes);
}

bool TextDisplay::ShowsOtherDots(std::string_view codes) const {
    // The layout follows the line lengths alone, so codes with the same lines
    // of glyphs show the same dots.
    if (codes.size() != codes_.size()) {
        return true;
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const bool breaks = codes[i] == kLineBreak;
        if (breaks != (codes_[i] == kLineBreak)) {
            return true;
        }
        if (!breaks && glyphs_.GlyphOf(static_cast<std::uint8_t>(codes[i])) !=
                           glyphs_.GlyphOf(static_cast<std::uint8_t>(codes_[i]))) {
            return true;
        }
    }
    return false;
}

void TextDisplay::SetGlyph(std::uint8_t code, const GlyphTable::GlyphArt& art) {
    const GlyphTable::Glyph glyph = GlyphOfArt(code, art);
    if (glyph == glyphs_.GlyphOf(code)) {
        return;
    }
    glyphs_.Replace(code, glyph);
    if (code != static_cast<std::uint8_t>(kLineBreak) &&
        codes_.find(static_cast<char>(code)) != std::string::npos) {
        Invalidate();
    }
}

void TextDisplay::PaintState(instruments::Painter& painter) const {
    painter.ColourFg(instruments::Ink::Default());
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    const instruments::Size client = size();
    const std::vector<DotLayout> layouts =
        LayoutLines(client.width, client.height, settings_.frame.width, codes_, settings_.align, glyphs_);
    PaintLayouts(painter, {settings_.frame.width, settings_.ink, settings_.dots, settings_.label, &glyphs_},
                 layouts);
}

void AppendTextInputs(std::string& key, const GlyphTable* glyphs, std::string_view text) {
    const GlyphTable& table = glyphs != nullptr ? *glyphs : GlyphTable::Builtin();
    AppendInput(key, text);
    for (const char c : text) {
        const GlyphTable::Glyph glyph = table.GlyphOf(static_cast<std::uint8_t>(c));
        key.append(glyph.begin(), glyph.end());
    }
}

void PaintTextDots(instruments::Painter& painter, const TextLook& look, std::string_view text) {
    const GlyphTable& glyphs = look.glyphs != nullptr ? *look.glyphs : GlyphTable::Builtin();
    const instruments::Size client = painter.ClientSize();
    const DotLayout layout = LayoutText(client.width, client.height, look.frameWidth, text, glyphs);
    PaintLayouts(painter, look, std::span(&layout, 1));
}

}  // namespace instruments
