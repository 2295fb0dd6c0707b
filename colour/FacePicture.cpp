#include "colour/FacePicture.h"

#include <array>
#include <climits>
#include <map>
#include <utility>

#include "dialog/Canvas.h"
#include "colour/Switch.h"
#include "canvas/text/Ascii.h"
#include "display/Background.h"
#include "display/DisplayRecord.h"

namespace colour {

namespace {

using PictureSlots = std::array<int, 2>;  // slots 2 and 3

// The off-screen surfaces that faces made for each control, so that a face
// made again for the same control frees those of the face it replaces.
std::map<std::pair<dialog::DialogHandle, int>, PictureSlots>& FacePictures() {
    static std::map<std::pair<dialog::DialogHandle, int>, PictureSlots> pictures;
    return pictures;
}

int SlotHandle(std::intptr_t value) {
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

PictureSlots ReadPictureSlots(dialog::DialogHandle dialog, int id) {
    return {SlotHandle(dialog::GetUser(dialog, id, kSlotPictureOff)),
            SlotHandle(dialog::GetUser(dialog, id, kSlotPictureOn))};
}

bool Holds(const PictureSlots& slots, int handle) {
    return slots[0] == handle || slots[1] == handle;
}

// After a face was made: frees the pictures an earlier face made for the control
// that its slots no longer hold, and remembers those this face made.
void KeepOnlyCurrentPictures(dialog::DialogHandle dialog, int id, const PictureSlots& before) {
    const PictureSlots now = ReadPictureSlots(dialog, id);
    PictureSlots owned{};
    auto& pictures = FacePictures();
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
                dialog::BitmapFree(handle);
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

void CreateFace(dialog::DialogHandle dialog, int id, int x, int y, int width, int height,
                std::string_view faceText) {
    display::DisplayRecord* record = display::RecordOf(id);
    if (record == nullptr) {
        return;
    }
    dialog::ControlAddGraphic(dialog, id, "", x, y, width, height, id > 0 ? kNotifyStyle : 0);
    const PictureSlots before = ReadPictureSlots(dialog, id);
    // A text of spaces is not empty: it is taken as a (blank) picture name.
    if (!faceText.empty()) {
        const auto slash = faceText.find('/');
        if (slash != std::string_view::npos) {
            SetupSwitch(dialog, id, faceText.substr(0, slash), faceText.substr(slash + 1));
        } else {
            LoadFacePicture(dialog, id, faceText);
        }
        record->backStyle = display::kBackPicture;
    }
    KeepOnlyCurrentPictures(dialog, id, before);
}

void LoadFacePicture(dialog::DialogHandle dialog, int id, std::string_view file) {
    // Without the control there is nowhere to show the picture or keep it.
    if (!dialog::Attach(dialog, id, canvas::Buffering::Unbuffered)) {
        return;
    }
    const canvas::Size size = dialog::ClientSize();
    if (canvas::text::TrimLeadingSpaces(file).empty()) {
        return;
    }
    // Shown at once and kept, from one reading of the file.
    const int kept =
        dialog::RenderAndBitmapLoad(file, 0, 0, size.width, size.height, size.width, size.height);
    dialog::SetUser(dialog, id, kSlotPictureOff, kept);
    dialog::SetUser(dialog, id, kSlotSwitchState, 0);
}

}  // namespace colour
