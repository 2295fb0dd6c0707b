#include "render/DotPainter.h"

#include <cstdint>

#include "dialog/Canvas.h"
#include "display/DisplayRecord.h"
#include "render/DotStyle.h"
#include "render/TextLayout.h"

namespace render {

namespace {

constexpr std::int32_t kSquareCorner = 0;
constexpr std::int32_t kRoundCorner = 80;
constexpr canvas::Colour kLabelColour = 0xFFFFFF;

// What every dot of one repaint shares.
struct DotPen {
    DotStyle style;
    canvas::Colour ink = 0;
    std::int32_t corner = kSquareCorner;
    double pitchX = 0;
    double pitchY = 0;
};

void PaintBox(double x1, double y1, double x2, double y2, std::int32_t corner, canvas::Colour line,
              canvas::Colour fill) {
    dialog::Box(x1, y1, x2, y2, corner, line, fill, dialog::kFillSolid);
}

void PaintLitDot(const DotPen& pen, double x, double y) {
    // The shadow goes first so that the dot covers its own corner of it, and
    // later dots cover what falls on them.
    if (pen.style.shadow) {
        PaintBox(x + 2, y + 3, x + pen.pitchX + 1, y + pen.pitchY + 2, kSquareCorner, ShadeColour,
                 ShadeColour);
    }
    if (!pen.style.joined) {
        PaintBox(x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, pen.corner, pen.ink, pen.ink);
    } else if (pen.style.hollow) {
        PaintBox(x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink, canvas::kColourTransparent);
    } else {
        PaintBox(x, y, x + pen.pitchX, y + pen.pitchY, pen.corner, pen.ink, pen.ink);
    }
}

void PaintUnlitDot(const DotPen& pen, double x, double y) {
    PaintBox(x, y, x + pen.pitchX - 1, y + pen.pitchY - 1, kSquareCorner, ShadeColour, ShadeColour);
}

// The style text as shown: spaces cut at both ends, and zero bytes too, which
// is what a field that was never written holds.
std::string_view LabelOf(std::string_view words) {
    const auto first = words.find_first_not_of(std::string_view(" \0", 2));
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = words.find_last_not_of(std::string_view(" \0", 2));
    return words.substr(first, last - first + 1);
}

}  // namespace

void PaintDisplayText(dialog::DialogHandle dialog, int id, std::string_view text) {
    const display::DisplayRecord* record = display::RecordOf(id);
    if (record == nullptr || !dialog::Attach(dialog, id, canvas::Buffering::Buffered)) {
        return;
    }
    const canvas::Size client = dialog::ClientSize();
    // The label below leaves the foreground white; an ink of -1 (the default
    // colour) must not pick that up on the next repaint.
    dialog::ColourFg(canvas::kColourDefault);
    if (const canvas::PixelBlock* background = display::BackgroundOf(id);
        background != nullptr && !background->empty()) {
        dialog::SetBits(*background);
    }

    const std::string_view words = record->styleWords.View();
    DotPen pen;
    pen.style = DotStyle::FromWords(words);
    pen.ink = record->inkColour;
    pen.corner = pen.style.circle ? kRoundCorner : kSquareCorner;
    const DotLayout layout = LayoutText(client.width, client.height, record->frameWidth, text, glyphTable);
    pen.pitchX = static_cast<double>(layout.pitchX());
    pen.pitchY = static_cast<double>(layout.pitchY());
    layout.ForEachDot([&](const Dot& dot) {
        const auto x = static_cast<double>(dot.x);
        const auto y = static_cast<double>(dot.y);
        if (dot.lit) {
            PaintLitDot(pen, x, y);
        } else if (pen.style.showUnlit) {
            PaintUnlitDot(pen, x, y);
        }
    });

    dialog::SetPos(0, 0);
    dialog::ColourFg(kLabelColour);
    dialog::ColourBg(canvas::kColourTransparent);
    dialog::Print(LabelOf(words));
    dialog::PrintNewLine();
    dialog::Redraw();
}

}  // namespace render
