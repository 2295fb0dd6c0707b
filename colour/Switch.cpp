#include "colour/Switch.h"

#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "dialog/Canvas.h"
#include "canvas/surface/Rounding.h"
#include "canvas/text/Ascii.h"
#include "colour/FacePicture.h"
#include "colour/LampColour.h"
#include "display/Background.h"
#include "display/Bevel.h"
#include "display/Caption.h"
#include "display/DisplayRecord.h"

namespace colour {
namespace {

constexpr int kLampRings = 5;
constexpr float kLampLevel = 100.0f;
constexpr std::string_view kOffScheme = "rosso";
constexpr std::string_view kOnScheme = "verdino";

// The handle a user slot holds, or 0 when it cannot name a surface.
int SlotHandle(std::intptr_t value) {
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

// The record's label as a switch shows it: spaces cut at both ends, and zero
// bytes too, which is what a label that was never written holds.
std::string_view RecordLabel(const display::DisplayRecord& record) {
    constexpr std::string_view kBlank(" \0", 2);
    const std::string_view text = record.label.View();
    const auto first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

// The lamp sits in the square of side h at the left end; its discs shrink from
// the rim inward, their centres drifting left, so the centre is brightest.
void PaintLamp(int h, std::string_view scheme) {
    const int step = canvas::RoundHalfEven(255.0 / h);
    const int centreY = canvas::RoundHalfEven(h / 2.0);
    for (int i = kLampRings; i >= 0; --i) {
        const canvas::Colour colour = LampColour(scheme, step, -i, kLampLevel);
        LampDisc(canvas::RoundHalfEven(h / 2.0 + i / 2.0), centreY, i, colour);
    }
}

void DrawFace(dialog::DialogHandle dialog, int id, const display::DisplayRecord& record, int newState,
              std::string label) {
    int inset = record.frameWidth;
    int style = record.backStyle;
    if (newState == 1) {
        style = canvas::RoundHalfEven(record.value);
        inset = inset < INT_MAX ? inset + 1 : inset;
    }
    const std::string_view frameColour = record.frameColour.View();
    display::PaintBevelTopLeft(inset, frameColour);
    display::PaintBevelBottomRight(inset, frameColour);
    display::PaintBackground(dialog, id, inset, record.backColour.View(), style);
    PaintLamp(dialog::ClientSize().height, newState == 0 ? kOffScheme : kOnScheme);
    display::PaintCaption(label, record.inkColour, 0);
    dialog::Redraw();
}

}  // namespace

void SetupSwitch(dialog::DialogHandle dialog, int id, std::string_view offPart, std::string_view onPart) {
    if (display::RecordOf(id) == nullptr) {
        return;
    }
    dialog::Attach(dialog, id, canvas::Buffering::Unbuffered);
    const canvas::Size size = dialog::ClientSize();
    const std::string joined = std::string(offPart) + std::string(onPart);
    if (canvas::text::TrimLeadingSpaces(joined).empty()) {
        // OFF -> ON -> OFF: the ON face is drawn first, then the OFF face stays.
        ToggleSwitch(dialog, id, kSwitchText);
        ToggleSwitch(dialog, id, kSwitchText);
        return;
    }
    // The OFF picture is shown at once and kept, from one reading of its file.
    dialog::SetUser(
        dialog, id, kSlotPictureOff,
        dialog::RenderAndBitmapLoad(offPart, 0, 0, size.width, size.height, size.width, size.height));
    dialog::SetUser(dialog, id, kSlotPictureOn, dialog::BitmapLoad(onPart, size.width, size.height));
    dialog::SetUser(dialog, id, kSlotSwitchState, 0);
}

void ToggleSwitch(dialog::DialogHandle dialog, int id, std::string_view text) {
    const display::DisplayRecord* record = display::RecordOf(id);
    if (record == nullptr) {
        return;
    }
    const bool wasOff = dialog::GetUser(dialog, id, kSlotSwitchState) == 0;
    const int pictureOff = SlotHandle(dialog::GetUser(dialog, id, kSlotPictureOff));
    const int pictureOn = SlotHandle(dialog::GetUser(dialog, id, kSlotPictureOn));
    dialog::Attach(dialog, id, canvas::Buffering::Unbuffered);

    const std::string own(text.empty() ? RecordLabel(*record) : text);
    const auto slash = own.find('/');
    const int newState = wasOff ? 1 : 0;
    std::string label;
    int picture = 0;
    if (newState == 1) {
        label = slash == std::string::npos ? std::string{} : own.substr(slash + 1);
        picture = pictureOn;
    } else {
        label = slash == std::string::npos ? own : own.substr(0, slash);
        picture = pictureOff;
    }
    dialog::SetUser(dialog, id, kSlotSwitchState, newState);
    if (picture != 0) {
        dialog::Copy(dialog::Source::Bitmap(picture), dialog::kRopSourceCopy);
        return;
    }
    DrawFace(dialog, id, *record, newState, std::move(label));
}

void LampDisc(int x, int y, int radius, canvas::Colour colour) {
    const double cx = x;
    const double cy = y;
    const double r = radius;
    dialog::Box(cx - r, cy - r, cx + r, cy + r, canvas::kCornerEllipse, colour, colour, dialog::kFillSolid);
}

}  // namespace colour
