// Reads the seconds since midnight off display 207 in a screenshot of the demo's
// window, with the program's own glyph table: each dot cell of the text is lit
// when most of its pixels have the display's ink colour, and each character
// must match one segment-style glyph exactly. Prints the text ("45296.79").
//
//   e2e-read-seconds WINDOW.xwd

#include <cstdio>
#include <optional>
#include <string>

#include "instruments/GlyphTable.h"
#include "instruments/Surface.h"
#include "tests/e2e/Xwd.h"
#include "widgets/TextLayout.h"

namespace {

// Display 207 of the demo: place, size, frame and ink (red, as a pixel).
constexpr int kLeft = 10, kTop = 10, kWidth = 210, kHeight = 55, kFrameWidth = 6;
constexpr instruments::Pixel kInk = 0xFF0000;
// The style text is printed over the dots in white: its pixels say nothing.
constexpr instruments::Pixel kLabel = 0xFFFFFF;
constexpr int kLongestText = 12;

bool CellLit(const instruments::Surface& window, const instruments::Dot& dot, std::int64_t pitchX,
             std::int64_t pitchY) {
    int ink = 0, other = 0;
    for (std::int64_t y = dot.y; y < dot.y + pitchY; ++y) {
        for (std::int64_t x = dot.x; x < dot.x + pitchX; ++x) {
            const instruments::Pixel pixel =
                window.At(static_cast<int>(kLeft + x), static_cast<int>(kTop + y));
            ink += pixel == kInk;
            other += pixel != kInk && pixel != kLabel;
        }
    }
    return ink > other;
}

// The text of `length` characters that the window shows, if every character
// is a segment-style glyph.
std::optional<std::string> ReadText(const instruments::Surface& window, int length) {
    const instruments::DotLayout layout =
        instruments::LayoutText(kWidth, kHeight, kFrameWidth, std::string(length, '0'));
    std::string text;
    for (int character = 0; character < length; ++character) {
        std::uint8_t rows[instruments::GlyphTable::kRows] = {};
        for (int i = 0; i < instruments::DotLayout::kDotsPerCharacter; ++i) {
            const instruments::Dot dot =
                layout[static_cast<std::size_t>(character * instruments::DotLayout::kDotsPerCharacter + i)];
            const int column = i / instruments::GlyphTable::kRows;
            const int row = i % instruments::GlyphTable::kRows;
            if (CellLit(window, dot, layout.pitchX(), layout.pitchY())) {
                rows[row] |= static_cast<std::uint8_t>(0x10 >> column);
            }
        }
        // The characters "." to "9" as the display shows them: segment-style glyphs.
        char match = 0;
        for (char c = '.'; c <= '9' && match == 0; ++c) {
            const auto code = static_cast<std::uint8_t>(instruments::ToSegmentDigits(std::string(1, c))[0]);
            bool same = true;
            for (int row = 0; row < instruments::GlyphTable::kRows; ++row) {
                same = same && instruments::GlyphTable::Builtin().Bits(code, row) == rows[row];
            }
            match = same ? c : 0;
        }
        if (match == 0) {
            return std::nullopt;
        }
        text += match;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e-read-seconds WINDOW.xwd\n");
        return 2;
    }
    const std::optional<instruments::Surface> window = e2e::ReadXwd(argv[1]);
    if (!window || window->width() < kLeft + kWidth || window->height() < kTop + kHeight) {
        std::fprintf(stderr, "e2e-read-seconds: cannot read %s\n", argv[1]);
        return 2;
    }
    // The pitch depends on the text's length: only the right length reads as glyphs.
    for (int length = kLongestText; length >= 1; --length) {
        if (const auto text = ReadText(*window, length)) {
            std::printf("%s\n", text->c_str());
            return 0;
        }
    }
    std::fprintf(stderr, "e2e-read-seconds: display 207 shows no segment-style number\n");
    return 1;
}
