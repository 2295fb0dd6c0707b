#pragma once

// The checks the instruments' constructors make, and their painting without
// those checks: the id-based adapter paints any keyword settings as they come.

#include <string>
#include <string_view>

#include "instruments/DotStyle.h"
#include "instruments/Frame.h"
#include "instruments/GlyphTable.h"
#include "instruments/LocalTime.h"
#include "instruments/Painter.h"

namespace instruments {

// Throws SettingsError unless the size can be a surface and the frame fits it:
// a width of 0 or more that leaves at least one pixel inside (on a face that
// is not empty).
void CheckFace(instruments::Size size, const Frame& frame);
// Throws SettingsError for Hollow without Joined.
void CheckDots(DotStyle dots);

// What a text display paints over its restored face: the dots of the text and
// the label.
struct TextLook {
    int frameWidth = 0;
    instruments::Ink ink = 0;
    DotStyle dots = DotStyle::Plain;
    std::string_view label;
    const GlyphTable* glyphs = nullptr;  // null: the built-in table
};
void PaintTextDots(instruments::Painter& painter, const TextLook& look, std::string_view text);
void AppendTextInputs(std::string& key, const GlyphTable* glyphs, std::string_view text);

// What a paint of the hands reads of the time, for a key of paint inputs.
void AppendClockInputs(std::string& key, const instruments::LocalTime& time, int hourOffset);
void PaintClockHands(instruments::Painter& painter, int frameWidth, const instruments::LocalTime& time,
                     int hourOffset);
void PaintMeterNeedle(instruments::Painter& painter, int frameWidth, instruments::Ink needle, float value);
// The same for a value of the 0..100 scale in double precision.
void PaintMeterNeedle(instruments::Painter& painter, int frameWidth, instruments::Ink needle,
                      double value);

}  // namespace instruments
