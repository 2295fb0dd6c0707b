#include <cstdint>
#include <cstring>
#include <string>

#include "dialog/Dialogs.h"
#include "dialog/Display.h"
#include "dialog/DisplayRecord.h"
#include "dialog/LocalClock.h"
#include "dialog/Painters.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "instruments/Surface.h"

namespace fuzz {

namespace {

// Sizes stay below these so that one run takes milliseconds.
constexpr int kMaxWidth = 320;
constexpr int kMaxHeight = 200;

void Prepare() {
    static const bool prepared = [] {
        dialog::UseHeadlessDialogs({});
        dialog::AllocateDisplayTable();
        dialog::EnsureBackgroundTable();
        return true;
    }();
    (void)prepared;
}

// A headless dialog that ends with the scope.
class Dialog {
  public:
    Dialog() : handle_(dialog::DialogNew(dialog::kDialogPixels, 0, "fuzz", -1, -1, 400, 300, 0, 0)) {}
    ~Dialog() { dialog::DialogEnd(handle_, 0); }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    dialog::DialogHandle handle() const { return handle_; }

  private:
    dialog::DialogHandle handle_;
};

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

std::string CheckDisplay(std::span<const std::uint8_t> input) {
    Prepare();
    FuzzInput in(input);
    const std::uint8_t pick = in.Byte();
    // Mostly a valid id; the edges of the record table and any number too.
    static constexpr int kIds[] = {207, 207, 0, dialog::kMaxDisplayId, dialog::kMaxDisplayId + 1, -1};
    const int idPick = pick % 7;
    const int id = idPick < 6 ? kIds[idPick] : static_cast<int>(in.Word());
    // A face text names picture files unless it is a switch with blank parts;
    // files stay out of this test, so only the built-in faces are chosen.
    static constexpr const char* kFaces[] = {"", "/", " / "};
    const std::string_view face = kFaces[(pick >> 3) % 3];
    int x = in.Between(-50, 400);
    int y = in.Between(-50, 300);
    int width = in.Between(0, kMaxWidth);
    int height = in.Between(0, kMaxHeight);
    const int frameWidth = in.Number(40);
    const int captionSize = in.Number(100);
    const instruments::Colour ink = in.Word();
    const int backStyle = in.Number(8);
    const std::string_view frameColour = in.Text(40);
    const std::string_view styleWords = in.Text(60);
    const std::string_view backColour = in.Text(40);
    const std::uint32_t meterBits = in.Word();
    const int hourOffset = in.Number(48);
    const instruments::LocalTime time{in.Between(0, 23), in.Between(0, 59), in.Between(0, 59), 0};
    const std::string_view text = in.Rest();

    const Dialog dialog;
    if (dialog.handle() == 0) {
        return "no headless dialog: " + dialog::LastDialogError();
    }
    const int askedWidth = width;
    const int askedHeight = height;
    dialog::CreateDisplay(
        dialog.handle(), id, x, y, width, height,
        {face, frameWidth, frameColour, captionSize, ink, styleWords, backColour, backStyle});

    const instruments::Surface* face0 = dialog::ControlSurface(dialog.handle(), id);
    if (!dialog::ValidDisplayId(id)) {
        if (face0 != nullptr || width != 0 || height != 0) {
            return "a display was created for id " + std::to_string(id);
        }
        return {};
    }
    if (face0 == nullptr) {
        return "no control for display " + std::to_string(id);
    }
    if (face0->width() != width || face0->height() != height) {
        return "control of " + Size(face0->width(), face0->height()) + " reported as " + Size(width, height);
    }
    // An empty control has no pixels at all: 0 x 0.
    const bool empty = askedWidth == 0 || askedHeight == 0;
    if (empty ? width != 0 || height != 0 : width != askedWidth || height != askedHeight) {
        return "asked for " + Size(askedWidth, askedHeight) + ", created " + Size(width, height);
    }

    // Painting restores the kept face first, so the same text paints the same.
    dialog::PaintDisplayText(dialog.handle(), id, text);
    const instruments::Surface first = *dialog::ControlSurface(dialog.handle(), id);
    dialog::PaintDisplayText(dialog.handle(), id, text);
    if (!dialog::ControlSurface(dialog.handle(), id)->SamePixels(first)) {
        return "the same text painted twice gave two faces";
    }

    float value = 0.0f;
    std::memcpy(&value, &meterBits, sizeof value);
    dialog::PaintLevelMeter(dialog.handle(), id, value);
    dialog::SetLocalClockSource([time] { return time; });
    dialog::PaintClock(dialog.handle(), id, hourOffset);
    dialog::SetLocalClockSource({});
    const instruments::Surface* last = dialog::ControlSurface(dialog.handle(), id);
    if (last->width() != width || last->height() != height) {
        return "painting resized the control to " + Size(last->width(), last->height());
    }
    // Nothing the meter or the clock leaves behind shows in the next text.
    dialog::PaintDisplayText(dialog.handle(), id, text);
    if (!dialog::ControlSurface(dialog.handle(), id)->SamePixels(first)) {
        return "the text painted after the meter and the clock differs from the first time";
    }
    return {};
}

}  // namespace fuzz
