#include "dialog/Painters.h"

#include <map>

#include "dialog/Canvas.h"
#include "dialog/DisplayRecord.h"
#include "dialog/GlyphTable.h"
#include "dialog/LocalClock.h"
#include "instruments/AnalogClock.h"
#include "instruments/DisplaySettings.h"
#include "instruments/LevelMeter.h"
#include "instruments/TextDisplay.h"

namespace dialog {

namespace {

// Attaches a display (buffered) and restores its kept face; the painter of the
// display, or null when there is nothing to paint on.
instruments::Painter* Restored(DialogHandle dialog, int id) {
    if (!Attach(dialog, id, Buffering::Buffered)) {
        return nullptr;
    }
    if (const instruments::PixelBlock* face = BackgroundOf(id); face != nullptr && !face->empty()) {
        SetBits(*face);
    }
    return CurrentPainter();
}

// The text display of each id, built from the record's style words and kept
// until they change, so that repaints do not parse them again. It has no face
// of its own: the record table's kept face is restored first.
struct TextDisplayOfRecord {
    DisplayRecord record;
    instruments::TextDisplay display{instruments::TextDisplay::Settings{}, instruments::PixelBlock{}};
};

const instruments::TextDisplay& TextDisplayOf(int id, const DisplayRecord& record) {
    static std::map<int, TextDisplayOfRecord> displays;
    TextDisplayOfRecord& entry = displays[id];
    const bool built = entry.display.settings().glyphs == &glyphTable;
    if (!built || entry.record.styleWords != record.styleWords ||
        entry.record.inkColour != record.inkColour || entry.record.frameWidth != record.frameWidth) {
        const std::string_view words = record.styleWords.View();
        instruments::TextDisplay::Settings settings;
        settings.frameWidth = record.frameWidth;
        settings.ink = record.inkColour;
        settings.dots = instruments::DotStyle::FromWords(words);
        settings.label = std::string(instruments::LabelOf(words));
        settings.glyphs = &glyphTable;
        entry.record = record;
        entry.display = instruments::TextDisplay(std::move(settings), instruments::PixelBlock{});
    }
    return entry.display;
}

}  // namespace

void PaintDisplayText(DialogHandle dialog, int id, std::string_view text) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    if (instruments::Painter* painter = Restored(dialog, id)) {
        TextDisplayOf(id, *record).Paint(*painter, text);
        Redraw();
    }
}

void PaintClock(DialogHandle dialog, int id, int hourOffset) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    if (instruments::Painter* painter = Restored(dialog, id)) {
        const instruments::AnalogClock clock(instruments::AnalogClock::Settings{record->frameWidth},
                                             instruments::PixelBlock{});
        clock.Paint(*painter, ReadLocalTime(), hourOffset);
        Redraw();
    }
}

void PaintLevelMeter(DialogHandle dialog, int id, float value) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    if (instruments::Painter* painter = Restored(dialog, id)) {
        const instruments::LevelMeter meter(
            instruments::LevelMeter::Settings{record->frameWidth, record->inkColour},
            instruments::PixelBlock{});
        meter.Paint(*painter, value);
        Redraw();
    }
}

}  // namespace dialog
