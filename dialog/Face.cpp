#include "dialog/Face.h"

#include <array>
#include <climits>
#include <map>
#include <utility>

#include "canvas/surface/Rounding.h"
#include "canvas/text/Ascii.h"
#include "dialog/AdapterState.h"
#include "dialog/Canvas.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Keywords.h"
#include "instruments/Colour.h"
#include "instruments/Switch.h"

namespace dialog {

namespace {

// Picture slots 2 and 3, as the adapter state keeps them.

int SlotHandle(std::intptr_t value) {
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

PictureSlots ReadPictureSlots(DialogHandle dialog, int id) {
    return {SlotHandle(GetUser(dialog, id, kSlotPictureOff)),
            SlotHandle(GetUser(dialog, id, kSlotPictureOn))};
}

bool Holds(const PictureSlots& slots, int handle) {
    return slots[0] == handle || slots[1] == handle;
}

// After a face was made: frees the pictures an earlier face made for the control
// that its slots no longer hold, and remembers those this face made.
void KeepOnlyCurrentPictures(DialogHandle dialog, int id, const PictureSlots& before) {
    const PictureSlots now = ReadPictureSlots(dialog, id);
    PictureSlots owned{};
    auto& pictures = TheAdapterState().facePictures;
    const auto key = std::make_pair(dialog, id);
    if (const auto earlier = pictures.find(key); earlier != pictures.end()) {
        for (std::size_t i = 0; i < owned.size(); ++i) {
            const int handle = earlier->second[i];
            if (handle == 0) {
                continue;
            }
            if (Holds(now, handle)) {
                owned[i] = handle;
            } else {
                BitmapFree(handle);
            }
        }
    }
    // A slot that changed while the face was made holds a picture the face made.
    for (std::size_t i = 0; i < owned.size(); ++i) {
        if (now[i] != 0 && now[i] != before[i]) {
            owned[i] = now[i];
        }
    }
    if (owned == PictureSlots{}) {
        pictures.erase(key);
    } else {
        pictures[key] = owned;
    }
}

}  // namespace

void CreateFace(DialogHandle dialog, int id, int x, int y, int width, int height, std::string_view faceText) {
    DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    ControlAddGraphic(dialog, id, "", x, y, width, height, id > 0 ? kNotifyStyle : 0);
    const PictureSlots before = ReadPictureSlots(dialog, id);
    // A text of spaces is not empty: it is taken as a (blank) picture name.
    if (!faceText.empty()) {
        const auto slash = faceText.find('/');
        if (slash != std::string_view::npos) {
            SetupSwitch(dialog, id, faceText.substr(0, slash), faceText.substr(slash + 1));
        } else {
            LoadFacePicture(dialog, id, faceText);
        }
        record->backStyle = kBackPicture;
    }
    KeepOnlyCurrentPictures(dialog, id, before);
}

void LoadFacePicture(DialogHandle dialog, int id, std::string_view file) {
    // Without the control there is nowhere to show the picture or keep it.
    if (!Attach(dialog, id, instruments::Buffering::Unbuffered)) {
        return;
    }
    const instruments::Size size = ClientSize();
    if (instruments::text::TrimLeadingSpaces(file).empty()) {
        return;
    }
    // Shown at once and kept, from one reading of the file.
    const int kept = RenderAndBitmapLoad(file, 0, 0, size.width, size.height, size.width, size.height);
    SetUser(dialog, id, kSlotPictureOff, kept);
    SetUser(dialog, id, kSlotSwitchState, 0);
}

namespace {

// The drawn face of a switch from its record: the OFF face in the record's
// background style, the ON face in the style its value holds.
void DrawFace(DialogHandle dialog, int id, const DisplayRecord& record, int newState, std::string label) {
    instruments::Switch::Settings settings;
    settings.frame.width = record.frameWidth;
    settings.frame.colour = KeywordColour(record.frameColour.View());
    settings.background.colour = KeywordColour(record.backColour.View());
    settings.background.pattern = KeywordPattern(record.backStyle);
    settings.onPattern = KeywordPattern(instruments::RoundHalfEven(record.value));
    settings.labelColour = record.inkColour;
    // The face is painted buffered, as the background painter attaches it, and
    // shown in one step.
    Attach(dialog, id, Buffering::Buffered);
    DrawOnTarget([&](instruments::Painter& painter) {
        instruments::PaintSwitchFace(painter, settings, newState == 1, std::move(label),
                                     FacePicture(dialog, id));
    });
    Redraw();
}

}  // namespace

void SetupSwitch(DialogHandle dialog, int id, std::string_view offPart, std::string_view onPart) {
    if (RecordOf(id) == nullptr) {
        return;
    }
    Attach(dialog, id, instruments::Buffering::Unbuffered);
    const instruments::Size size = ClientSize();
    const std::string joined = std::string(offPart) + std::string(onPart);
    if (instruments::text::TrimLeadingSpaces(joined).empty()) {
        // OFF -> ON -> OFF: the ON face is drawn first, then the OFF face stays.
        ToggleSwitch(dialog, id, kSwitchText);
        ToggleSwitch(dialog, id, kSwitchText);
        return;
    }
    // The OFF picture is shown at once and kept, from one reading of its file.
    SetUser(dialog, id, kSlotPictureOff,
            RenderAndBitmapLoad(offPart, 0, 0, size.width, size.height, size.width, size.height));
    SetUser(dialog, id, kSlotPictureOn, BitmapLoad(onPart, size.width, size.height));
    SetUser(dialog, id, kSlotSwitchState, 0);
}

void ToggleSwitch(DialogHandle dialog, int id, std::string_view text) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    const bool wasOff = GetUser(dialog, id, kSlotSwitchState) == 0;
    const int pictureOff = SlotHandle(GetUser(dialog, id, kSlotPictureOff));
    const int pictureOn = SlotHandle(GetUser(dialog, id, kSlotPictureOn));
    Attach(dialog, id, instruments::Buffering::Unbuffered);

    const std::string_view own = text.empty() ? LabelOf(record->label.View()) : text;
    const int newState = wasOff ? 1 : 0;
    std::string label = instruments::SwitchLabel(own, newState == 1);
    const int picture = newState == 1 ? pictureOn : pictureOff;
    SetUser(dialog, id, kSlotSwitchState, newState);
    if (picture != 0) {
        Copy(Source::Bitmap(picture), kRopSourceCopy);
        return;
    }
    DrawFace(dialog, id, *record, newState, std::move(label));
}

void LampDisc(int x, int y, int radius, instruments::Colour colour) {
    DrawOnTarget(
        [&](instruments::Painter& painter) { instruments::LampDisc(painter, x, y, radius, colour); });
}

const instruments::Surface* FacePicture(DialogHandle dialog, int id) {
    const int handle = SlotHandle(GetUser(dialog, id, kSlotPictureOff));
    return handle != 0 ? BitmapSurface(handle) : nullptr;
}

}  // namespace dialog
