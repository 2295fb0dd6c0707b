#include "colour/FacePicture.h"

#include "canvas/Canvas.h"
#include "colour/Switch.h"
#include "canvas/text/Ascii.h"
#include "display/Background.h"
#include "display/DisplayRecord.h"

namespace colour {

void CreateFace(canvas::DialogHandle dialog, int id, int x, int y, int width, int height,
                std::string_view faceText) {
    display::DisplayRecord* record = display::RecordOf(id);
    if (record == nullptr) {
        return;
    }
    canvas::ControlAddGraphic(dialog, id, "", x, y, width, height, id > 0 ? kNotifyStyle : 0);
    // A text of spaces is not empty: it is taken as a (blank) picture name.
    if (faceText.empty()) {
        return;
    }
    const auto slash = faceText.find('/');
    if (slash != std::string_view::npos) {
        SetupSwitch(dialog, id, faceText.substr(0, slash), faceText.substr(slash + 1));
    } else {
        LoadFacePicture(dialog, id, faceText);
    }
    record->backStyle = display::kBackPicture;
}

void LoadFacePicture(canvas::DialogHandle dialog, int id, std::string_view file) {
    canvas::Attach(dialog, id, canvas::Buffering::Unbuffered);
    const canvas::Size size = canvas::ClientSize();
    if (canvas::text::TrimLeadingSpaces(file).empty()) {
        return;
    }
    canvas::Render(file, 0, 0, size.width, size.height);
    canvas::SetUser(dialog, id, kSlotPictureOff, canvas::BitmapLoad(file, size.width, size.height));
    canvas::SetUser(dialog, id, kSlotSwitchState, 0);
}

}  // namespace colour
