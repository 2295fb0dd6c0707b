#include "display/Frame.h"

#include <string>

#include "dialog/Canvas.h"
#include "canvas/surface/Rounding.h"
#include "colour/ColourSpec.h"
#include "display/Bevel.h"
#include "display/Caption.h"
#include "display/DisplayRecord.h"

namespace display {
namespace {

constexpr std::string_view kCaptionFace = "courier new";

// The caption's point size: the size over the single-precision 1.2
// (1.20000005), so 15 gives 12.4999995 and rounds down to 12.
double CaptionPoints(std::int16_t captionSize) {
    return canvas::RoundHalfEven(captionSize / static_cast<double>(1.2f));
}

}  // namespace

std::string_view TopLeftFrameColour(std::string_view backColour, std::string_view frameColour) {
    return backColour.empty() ? std::string_view{} : frameColour;
}

void PaintFrame(dialog::DialogHandle dialog, int id, std::string_view caption) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    dialog::Attach(dialog, id, canvas::Buffering::Buffered);
    const canvas::PixelBlock* background = BackgroundOf(id);
    if (background != nullptr && !background->empty()) {
        dialog::SetBits(*background);
    }
    if (!caption.empty()) {
        dialog::Font(kCaptionFace, CaptionPoints(record->captionSize), 0);
        std::string text(caption);
        PaintCaption(text, record->inkColour, colour::Rgb(85, 130, 85));
        const std::string_view frameColour = record->frameColour.View();
        PaintBevelTopLeft(record->frameWidth, TopLeftFrameColour(record->backColour.Trimmed(), frameColour));
        PaintBevelBottomRight(record->frameWidth, frameColour);
    }
    dialog::Redraw();
}

}  // namespace display
