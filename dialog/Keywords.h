#pragma once

// The keyword texts of the id-based operations, read leniently in this one
// place: colour texts with Italian names, style words found anywhere in their
// text, background pattern numbers. Nothing here throws: what is not
// understood falls back (black, no style, no pattern).

#include <string>
#include <string_view>

#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/DotStyle.h"
#include "instruments/Frame.h"

namespace dialog {

// A colour text:
//   - "" : no colour (the box stack then paints its own greens);
//   - "#" first: up to three hex pairs for red, green and blue, each read as
//     far as its characters are hex digits (a missing pair counts 0);
//   - a name, trimmed of spaces and with A-Z lower-cased: "rosso" (red),
//     "verde" (green), "grigio" (grey), "oro" (gold), "pulsanterosso"
//     (red-button), "pulsanteverde", "pulsantegrigio", "pulsanteoro",
//     "pulsanteblu" (blue-button);
//   - anything else: black at every shade.
instruments::ShadedColour KeywordColour(std::string_view text);
// KeywordColour(text).At(shade).
instruments::Colour KeywordColourAt(std::string_view text, int shade);

// The dot style of style words: "ombra" Shadow, "fondo" ShowUnlit, "unito"
// Joined, "vuoto" Hollow (only with "unito"), "cerchio" Rounded. A word counts
// wherever it occurs in the text, whatever the case of its letters A-Z.
instruments::DotStyle KeywordDots(std::string_view styleWords);

// Pattern numbers 0..6: mirrored rows, rows from bottom, mirrored columns, box
// stack, rows from top, mirrored columns reversed, picture; any other none.
instruments::BackgroundPattern KeywordPattern(int number);
inline constexpr int kBackMirroredRows = 0;
inline constexpr int kBackRowsFromBottom = 1;
inline constexpr int kBackMirroredColumns = 2;
inline constexpr int kBackBoxStack = 3;
inline constexpr int kBackRowsFromTop = 4;
inline constexpr int kBackMirroredColumnsReversed = 5;
inline constexpr int kBackPicture = 6;

// The style words as a display prints them: blanks (spaces, and the zero bytes
// of a field never written) cut at both ends.
std::string_view LabelOf(std::string_view styleWords);

// The look of a display from its keyword settings.
struct KeywordLook {
    instruments::Frame frame{};
    instruments::Background background{};
    instruments::Colour ink = 0;
    instruments::DotStyle dots = instruments::DotStyle::Plain;
    std::string label{};
    bool operator==(const KeywordLook&) const = default;
};
// A display given no background colour (the empty text, not merely blank) gets
// the left and top sides of its frame in black; the label is LabelOf the style
// words.
KeywordLook LookOfKeywords(int frameWidth, std::string_view frameColour, instruments::Colour ink,
                           std::string_view styleWords, std::string_view backColour, int backStyle);

}  // namespace dialog
