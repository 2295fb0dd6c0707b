#include "instruments/TextDisplay.h"

#include <cstdint>

#include "instruments/Face.h"
#include "widgets/Caption.h"
#include "widgets/TextLayout.h"

namespace instruments {

namespace {

constexpr std::int32_t kSquareCorner = 0;
// Corner value of a rounded ("cerchio") dot: 80 % of the shorter side.
constexpr std::int32_t kRoundCorner = 80;
constexpr instruments::Colour kLabelColour = 0xFFFFFF;
// The shadow of a lit dot lies this far right and down.
constexpr int kShadowRight = 2;
constexpr int kShadowDown = 3;

// What every dot of one repaint shares.
struct DotPen {
    DotStyle style;
    instruments::Colour ink = 0;
    std::int32_t corner = kSquareCorner;
    double pitchX = 0;
    double pitchY = 0;
};

void PaintBox(instruments::Painter& p, double x1, double y1, double x2, double y2, std::int32_t corner,
              instruments::Colour line, instruments::Colour fill) {
    p.Box(x1, y1, x2, y2, corner, line, fill, instruments::FillStyle::Solid);
}

void PaintLitDot(instruments::Painter& p, const DotPen& pen, double x, double y) {
    // The shadow goes first so that the dot covers its own corner of it, and
    // later dots cover what falls on them.
    if (pen.style.shadow) {
        PaintBox(p, x + kShadowRight, y + kShadowDown, x + pen.pitchX + kShadowRight - 1,
                 y + pen.pitchY + kShadowDown - 1, kSquareCorner, ShadeColour, ShadeColour);
    }
    if (!pen.style.joined) {
        PaintBox(p, x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, pen.corner, pen.ink, pen.ink);
    } else if (pen.style.hollow) {
        PaintBox(p, x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink,
                 instruments::kColourTransparent);
    } else {
        PaintBox(p, x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink, pen.ink);
    }
}

void PaintUnlitDot(instruments::Painter& p, const DotPen& pen, double x, double y) {
    PaintBox(p, x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, kSquareCorner, ShadeColour, ShadeColour);
}

TextDisplay::Settings SettingsOf(const DisplaySettings& settings) {
    TextDisplay::Settings text;
    text.frameWidth = settings.frame.width;
    text.ink = settings.ink;
    text.dots = settings.dots;
    text.label = settings.label;
    return text;
}

}  // namespace

TextDisplay::TextDisplay(instruments::Size size, const DisplaySettings& settings,
                         const instruments::Surface* picture)
    : settings_(SettingsOf(settings)), face_(PaintFace(size, settings, picture)) {}

TextDisplay::TextDisplay(Settings settings, instruments::PixelBlock face)
    : settings_(std::move(settings)), face_(std::move(face)) {}

bool TextDisplay::Update(instruments::Painter& painter, std::string_view text) {
    std::string key;
    AppendPaintInputs(key, text);
    return memo_.Repaint(painter, key, PaintMemo::CoverOf(face_, painter.surface()),
                         [&] { Paint(painter, text); });
}

void TextDisplay::AppendPaintInputs(std::string& key, std::string_view text) const {
    const GlyphTable& glyphs = Glyphs();
    AppendInput(key, text);
    for (const char c : text) {
        const GlyphTable::Glyph glyph = glyphs.GlyphOf(static_cast<std::uint8_t>(c));
        key.append(glyph.begin(), glyph.end());
    }
}

void TextDisplay::Paint(instruments::Painter& painter, std::string_view text) const {
    // The label leaves the foreground white; an ink of -1 (the default colour)
    // must not pick that up on the next repaint.
    painter.ColourFg(instruments::kColourDefault);
    if (!face_.empty()) {
        painter.SetBits(face_);
    }
    const instruments::Size client = painter.ClientSize();
    DotPen pen;
    pen.style = settings_.dots;
    pen.ink = settings_.ink;
    pen.corner = pen.style.circle ? kRoundCorner : kSquareCorner;
    const DotLayout layout = LayoutText(client.width, client.height, settings_.frameWidth, text, Glyphs());
    pen.pitchX = static_cast<double>(layout.pitchX());
    pen.pitchY = static_cast<double>(layout.pitchY());
    layout.ForEachDot([&](const Dot& dot) {
        const auto x = static_cast<double>(dot.x);
        const auto y = static_cast<double>(dot.y);
        if (dot.lit) {
            PaintLitDot(painter, pen, x, y);
        } else if (pen.style.showUnlit) {
            PaintUnlitDot(painter, pen, x, y);
        }
    });

    PrintLine(painter, 0, 0, kLabelColour, settings_.label);
}

}  // namespace instruments
