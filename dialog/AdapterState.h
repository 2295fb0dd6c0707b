#pragma once

// What the id-based operations keep besides the tables they share with their
// callers (records, kept faces, glyphs, dialogs, the drawing target): one
// object for the process.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "canvas/painter/PaintMemo.h"
#include "dialog/Dialogs.h"
#include "dialog/DisplayRecord.h"
#include "dialog/Painters.h"
#include "instruments/DotStyle.h"
#include "instruments/LocalTime.h"

namespace dialog {

// The text look of an id, read from the record's style words and kept until
// they change, so that repaints do not parse them again.
struct TextLookOfRecord {
    DisplayRecord record;
    instruments::DotStyle dots = instruments::DotStyle::Plain;
    std::string label;
    bool built = false;
};

// The off-screen surfaces a face made for a control (its picture slots).
using PictureSlots = std::array<int, 2>;

struct AdapterState {
    Repaints repaints = Repaints::SkipUnchanged;
    // Each id's last paint, for skipping one that would change nothing. A
    // display created again gets a new surface, which the memo tells apart.
    std::map<int, instruments::PaintMemo> memos;
    std::map<int, TextLookOfRecord> looks;
    // So that a face made again for the same control frees those of the face
    // it replaces.
    std::map<std::pair<DialogHandle, int>, PictureSlots> facePictures;
    // Tests and tools fix the time with it; empty for the system clock.
    std::function<instruments::LocalTime()> clockSource;
};

AdapterState& TheAdapterState();

}  // namespace dialog
