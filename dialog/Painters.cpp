#include "dialog/Painters.h"

#include <map>
#include <string>

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

Repaints repaints = Repaints::SkipUnchanged;

// Attaches a display (buffered) and, unless nothing would change, restores its
// kept face, paints on it and marks it for the next present. `inputs` holds
// what the paint reads of the record and its arguments; the kept face is added
// here. The memo of each id lives as long as the program: a display that is
// created again gets a new surface, which the memo tells apart.
template <typename Paint>
void RepaintDisplay(DialogHandle dialog, int id, std::string& inputs, Paint&& paint) {
    static std::map<int, instruments::PaintMemo> memos;
    if (!Attach(dialog, id, Buffering::Buffered)) {
        return;
    }
    instruments::Painter* painter = CurrentPainter();
    const instruments::PixelBlock* face = BackgroundOf(id);
    const bool hasFace = face != nullptr && !face->empty();
    instruments::AppendInput(inputs, hasFace ? face->serial() : 0);
    const instruments::FaceCover cover = hasFace ? instruments::PaintMemo::CoverOf(*face, painter->surface())
                                                 : instruments::FaceCover::Partial;
    instruments::PaintMemo& memo = memos[id];
    if (repaints == Repaints::Always) {
        memo.Forget();
    }
    memo.Repaint(*painter, inputs, cover, [&] {
        if (hasFace) {
            SetBits(*face);
        }
        paint(*painter);
        Redraw();
    });
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

void SetRepaints(Repaints policy) {
    repaints = policy;
}

void PaintDisplayText(DialogHandle dialog, int id, std::string_view text) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    const instruments::TextDisplay& display = TextDisplayOf(id, *record);
    std::string inputs;
    instruments::AppendInput(inputs, record->styleWords.View());
    instruments::AppendInput(inputs, record->inkColour);
    instruments::AppendInput(inputs, record->frameWidth);
    display.AppendPaintInputs(inputs, text);
    RepaintDisplay(dialog, id, inputs, [&](instruments::Painter& painter) { display.Paint(painter, text); });
}

void PaintClock(DialogHandle dialog, int id, int hourOffset) {
    PaintClock(dialog, id, hourOffset, ReadLocalTime());
}

void PaintClock(DialogHandle dialog, int id, int hourOffset, const instruments::LocalTime& time) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    std::string inputs;
    instruments::AppendInput(inputs, record->frameWidth);
    instruments::AnalogClock::AppendPaintInputs(inputs, time, hourOffset);
    RepaintDisplay(dialog, id, inputs, [&](instruments::Painter& painter) {
        const instruments::AnalogClock clock(instruments::AnalogClock::Settings{record->frameWidth},
                                             instruments::PixelBlock{});
        clock.Paint(painter, time, hourOffset);
    });
}

void PaintLevelMeter(DialogHandle dialog, int id, float value) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    std::string inputs;
    instruments::AppendInput(inputs, record->frameWidth);
    instruments::AppendInput(inputs, record->inkColour);
    instruments::AppendInput(inputs, value);
    RepaintDisplay(dialog, id, inputs, [&](instruments::Painter& painter) {
        const instruments::LevelMeter meter(
            instruments::LevelMeter::Settings{record->frameWidth, record->inkColour},
            instruments::PixelBlock{});
        meter.Paint(painter, value);
    });
}

}  // namespace dialog
