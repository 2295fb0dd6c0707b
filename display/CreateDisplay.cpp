#include "display/CreateDisplay.h"

#include <cmath>
#include <cstdint>

#include "dialog/Canvas.h"
#include "colour/FacePicture.h"
#include "display/Background.h"
#include "display/Bevel.h"
#include "display/DisplayRecord.h"
#include "display/Frame.h"

namespace display {
namespace {

// Creation paints the box stack deeper than the background painter does:
// boxes 0 .. floor(0.2 x height) with the single-precision 0.2 (0.200000003...),
// which is never below height / 5, so this is height / 5 rounded down.
int CreationBoxDepth(int height) {
    return static_cast<int>(std::floor(static_cast<double>(0.2f) * height));
}

void StoreSettings(DisplayRecord& record, const DisplaySettings& settings) {
    record.frameWidth = settings.frameWidth;
    record.frameColour.Store(settings.frameColour);
    record.captionSize = static_cast<std::int16_t>(static_cast<std::uint16_t>(settings.captionSize));
    record.inkColour = settings.inkColour;
    record.styleWords.Store(settings.styleWords);
    record.backColour.Store(settings.backColour);
    record.backStyle = settings.backStyle;
}

}  // namespace

void CreateDisplay(dialog::DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   const DisplaySettings& settings) {
    EnsureBackgroundTable();
    DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        width = 0;
        height = 0;
        return;
    }
    colour::CreateFace(dialog, id, x, y, width, height, settings.faceText);

    dialog::Attach(dialog, id, canvas::Buffering::Buffered);
    const canvas::Size size = dialog::ClientSize();
    width = size.width;
    height = size.height;

    // The background colour is tested untrimmed here: a single space counts as
    // a colour and gives the frame its colour on all four sides.
    PaintBevelTopLeft(settings.frameWidth, TopLeftFrameColour(settings.backColour, settings.frameColour));
    PaintBevelBottomRight(settings.frameWidth, settings.frameColour);

    StoreSettings(*record, settings);

    if (settings.backStyle == kBackBoxStack) {
        PaintBoxStack(settings.frameWidth, settings.backColour, CreationBoxDepth(height));
    } else {
        PaintBackground(dialog, id, settings.frameWidth, settings.backColour, settings.backStyle);
    }

    *BackgroundOf(id) = dialog::GetBits();
    dialog::Redraw();
    PaintFrame(dialog, id, "");
}

void CreateDisplay(dialog::DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   std::string_view faceText, int frameWidth, std::string_view frameColour, int captionSize,
                   canvas::Colour inkColour, std::string_view styleWords, std::string_view backColour,
                   int backStyle) {
    const DisplaySettings settings{faceText,  frameWidth, frameColour, captionSize,
                                   inkColour, styleWords, backColour,  backStyle};
    CreateDisplay(dialog, id, x, y, width, height, settings);
}

}  // namespace display
