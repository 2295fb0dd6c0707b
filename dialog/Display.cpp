#include "dialog/Display.h"

#include <cstdint>

#include "canvas/surface/Rounding.h"
#include "dialog/Canvas.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Face.h"
#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/Face.h"
#include "instruments/Frame.h"
#include "widgets/Caption.h"

namespace dialog {

namespace {

constexpr std::string_view kCaptionFace = "courier new";
// The caption's shadow: a dark green two pixels right and down.
constexpr instruments::Colour kCaptionShadow = instruments::Rgb(85, 130, 85);

// The caption's point size: the size over the single-precision 1.2
// (1.20000005), so 15 gives 12.4999995 and rounds down to 12.
double CaptionPoints(std::int16_t captionSize) {
    return instruments::RoundHalfEven(captionSize / static_cast<double>(1.2f));
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

void CreateDisplay(DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   const DisplaySettings& settings) {
    EnsureBackgroundTable();
    DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        width = 0;
        height = 0;
        return;
    }
    CreateFace(dialog, id, x, y, width, height, settings.faceText);

    Attach(dialog, id, Buffering::Buffered);
    const instruments::Size size = ClientSize();
    width = size.width;
    height = size.height;

    StoreSettings(*record, settings);
    const KeywordLook look = LookOfKeywords(settings.frameWidth, settings.frameColour, settings.inkColour,
                                            settings.styleWords, settings.backColour, settings.backStyle);
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintFrameAndBackground(painter, look.frame, look.background, FacePicture(dialog, id));
    });

    *BackgroundOf(id) = GetBits();
    Redraw();
    PaintFrame(dialog, id, "");
}

void CreateDisplay(DialogHandle dialog, int id, int& x, int& y, int& width, int& height,
                   std::string_view faceText, int frameWidth, std::string_view frameColour, int captionSize,
                   instruments::Colour inkColour, std::string_view styleWords, std::string_view backColour,
                   int backStyle) {
    const DisplaySettings settings{faceText,  frameWidth, frameColour, captionSize,
                                   inkColour, styleWords, backColour,  backStyle};
    CreateDisplay(dialog, id, x, y, width, height, settings);
}

std::string_view TopLeftFrameColour(std::string_view backColour, std::string_view frameColour) {
    return backColour.empty() ? std::string_view{} : frameColour;
}

void PaintFrame(DialogHandle dialog, int id, std::string_view caption) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    Attach(dialog, id, Buffering::Buffered);
    const instruments::PixelBlock* background = BackgroundOf(id);
    if (background != nullptr && !background->empty()) {
        SetBits(*background);
    }
    if (!caption.empty()) {
        Font(kCaptionFace, CaptionPoints(record->captionSize), 0);
        std::string text(caption);
        PaintCaption(text, record->inkColour, kCaptionShadow);
        const std::string_view frameColour = record->frameColour.View();
        PaintBevelTopLeft(record->frameWidth, TopLeftFrameColour(record->backColour.Trimmed(), frameColour));
        PaintBevelBottomRight(record->frameWidth, frameColour);
    }
    Redraw();
}

void PaintBevelTopLeft(int inset, std::string_view colourText) {
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintBevelTopLeft(painter, inset, KeywordColour(colourText));
    });
}

void PaintBevelBottomRight(int inset, std::string_view colourText) {
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintBevelBottomRight(painter, inset, KeywordColour(colourText));
    });
}

int CentreX(std::string_view text) {
    const instruments::Painter* painter = CurrentPainter();
    return painter ? instruments::CentreX(*painter, text) : 0;
}

int CentreY() {
    const instruments::Painter* painter = CurrentPainter();
    return painter ? instruments::CentreY(*painter) : 0;
}

void PaintCaption(std::string& text, instruments::Colour textColour, instruments::Colour shadowColour) {
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintCaption(painter, text, InkOf(textColour), shadowColour);
    });
}

void PaintBoxStack(int inset, std::string_view colourText, int depth) {
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintBoxStack(painter, inset, KeywordColour(colourText), depth);
    });
}

void PaintBackground(DialogHandle dialog, int id, int inset, std::string_view colourText, int style) {
    Attach(dialog, id, Buffering::Buffered);
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintBackground(painter, inset, KeywordColour(colourText), KeywordPattern(style),
                                     FacePicture(dialog, id));
    });
}

}  // namespace dialog
