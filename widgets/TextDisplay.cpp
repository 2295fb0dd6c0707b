#include "instruments/TextDisplay.h"

#include <cstdint>

#include "instruments/Face.h"
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

}  // namespace

TextDisplay::TextDisplay(instruments::Size size, Settings settings, const instruments::Surface* picture)
    : settings_(std::move(settings)) {
    CheckDots(settings_.dots);
    face_ = PaintFace(size, settings_.frame, settings_.background, picture);
}

TextDisplay::TextDisplay(Settings settings, instruments::PixelBlock face)
    : settings_(std::move(settings)), face_(std::move(face)) {
    CheckDots(settings_.dots);
    CheckFace({face_.width(), face_.height()}, settings_.frame);
}

bool TextDisplay::Update(instruments::Painter& painter, std::string_view text) {
    std::string key;
    AppendPaintInputs(key, text);
    return memo_.Repaint(painter, key, PaintMemo::CoverOf(face_, painter.surface()),
                         [&] { Paint(painter, text); });
}

void TextDisplay::AppendPaintInputs(std::string& key, std::string_view text) const {
    AppendTextInputs(key, settings_.glyphs, text);
}

void TextDisplay::Paint(instruments::Painter& painter, std::string_view text) const {
    painter.ColourFg(instruments::Ink::Default());
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    PaintTextDots(painter,
                  {settings_.frame.width, settings_.ink, settings_.dots, settings_.label, settings_.glyphs},
                  text);
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
    // The label leaves the foreground white; a Default ink must not pick that
    // up on the next repaint.
    painter.ColourFg(instruments::Ink::Default());
    const GlyphTable& glyphs = look.glyphs != nullptr ? *look.glyphs : GlyphTable::Builtin();
    const instruments::Size client = painter.ClientSize();
    DotPen pen;
    pen.style = look.dots;
    pen.ink = look.ink;
    pen.corner = Has(pen.style, DotStyle::Rounded) ? kRoundCorner : kSquareCorner;
    const DotLayout layout = LayoutText(client.width, client.height, look.frameWidth, text, glyphs);
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

    PrintLine(painter, 0, 0, kLabelColour, look.label);
}

}  // namespace instruments
