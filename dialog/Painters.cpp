#include "dialog/Painters.h"

#include <map>
#include <string>

#include "canvas/painter/PaintMemo.h"
#include "dialog/AdapterState.h"
#include "dialog/Canvas.h"
#include "dialog/DisplayRecord.h"
#include "dialog/GlyphTable.h"
#include "dialog/Keywords.h"
#include "dialog/LocalClock.h"
#include "instruments/AnalogClock.h"
#include "widgets/InstrumentParts.h"

namespace dialog {

namespace {

// Attaches a display (buffered) and, unless nothing would change, restores its
// kept face, paints on it and marks it for the next present. `inputs` holds
// what the paint reads of the record and its arguments; the kept face is added
// here.
template <typename Paint>
void RepaintDisplay(DialogHandle dialog, int id, std::string& inputs, Paint&& paint) {
    if (!Attach(dialog, id, Buffering::Buffered)) {
        return;
    }
    instruments::Painter* painter = CurrentPainter();
    const instruments::PixelBlock* face = BackgroundOf(id);
    const bool hasFace = face != nullptr && !face->empty();
    instruments::AppendInput(inputs, hasFace ? face->serial() : 0);
    const instruments::FaceCover cover = hasFace ? instruments::PaintMemo::CoverOf(*face, painter->surface())
                                                 : instruments::FaceCover::Partial;
    AdapterState& state = TheAdapterState();
    instruments::PaintMemo& memo = state.memos[id];
    if (state.repaints == Repaints::Always) {
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

// The text look of each id; the record table's kept face is restored before
// the dots are painted.
instruments::TextLook TextLookOf(int id, const DisplayRecord& record) {
    TextLookOfRecord& entry = TheAdapterState().looks[id];
    if (!entry.built || entry.record.styleWords != record.styleWords) {
        const std::string_view words = record.styleWords.View();
        entry.dots = KeywordDots(words);
        entry.label = std::string(LabelOf(words));
        entry.record = record;
        entry.built = true;
    }
    return {record.frameWidth, InkOf(record.inkColour), entry.dots, entry.label, &glyphTable};
}

}  // namespace

void SetRepaints(Repaints policy) {
    TheAdapterState().repaints = policy;
}

void PaintDisplayText(DialogHandle dialog, int id, std::string_view text) {
    const DisplayRecord* record = RecordOf(id);
    if (record == nullptr) {
        return;
    }
    const instruments::TextLook look = TextLookOf(id, *record);
    std::string inputs;
    instruments::AppendInput(inputs, record->styleWords.View());
    instruments::AppendInput(inputs, record->inkColour);
    instruments::AppendInput(inputs, record->frameWidth);
    instruments::AppendTextInputs(inputs, look.glyphs, text);
    RepaintDisplay(dialog, id, inputs,
                   [&](instruments::Painter& painter) { instruments::PaintTextDots(painter, look, text); });
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
    instruments::AppendClockInputs(inputs, time, hourOffset);
    RepaintDisplay(dialog, id, inputs, [&](instruments::Painter& painter) {
        instruments::PaintClockHands(painter, record->frameWidth, time, hourOffset);
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
        instruments::PaintMeterNeedle(painter, record->frameWidth, InkOf(record->inkColour), value);
    });
}

}  // namespace dialog
