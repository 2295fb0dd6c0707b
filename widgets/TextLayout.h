#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/GlyphCodes.h"
#include "instruments/GlyphTable.h"
#include "instruments/TextDisplay.h"

namespace instruments {

// One dot of a laid-out text: its top-left corner in client pixels and whether
// the glyph lights it.
struct Dot {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool lit = false;
    bool operator==(const Dot&) const = default;
};

// A text laid out as a grid of dots on one display. Each character takes a cell
// of 6 x 7 dot positions (the sixth column is the gap to the next character),
// and the cells run left to right from (left, top). The dots are computed
// on demand from the text, so a layout allocates nothing per dot; they come in
// painting order: characters left to right, then columns, then rows.
//
// Coordinates are 64-bit so that no frame width or client size can overflow them.
class DotLayout {
  public:
    static constexpr int kDotsPerCharacter = 35;

    DotLayout() = default;
    DotLayout(std::int64_t left, std::int64_t top, std::int64_t pitchX, std::int64_t pitchY,
              std::string_view text, const GlyphTable& glyphs = GlyphTable::Builtin());

    std::int64_t left() const { return left_; }
    std::int64_t top() const { return top_; }
    std::int64_t pitchX() const { return pitchX_; }
    std::int64_t pitchY() const { return pitchY_; }

    // 35 dots per character.
    std::size_t size() const { return text_.size() * kDotsPerCharacter; }
    bool empty() const { return text_.empty(); }
    // Dot i in painting order (a default dot past the end).
    Dot operator[](std::size_t i) const;

    // Calls visit(dot) for every dot in painting order.
    template <typename Visit>
    void ForEachDot(Visit&& visit) const;

  private:
    std::int64_t left_ = 0;
    std::int64_t top_ = 0;
    std::int64_t pitchX_ = 0;
    std::int64_t pitchY_ = 0;
    std::string text_;
    const GlyphTable* glyphs_ = &GlyphTable::Builtin();
};

// Lays a text out, in the given glyphs, on a display of the given client size and frame width: the grid
// keeps a margin of 2 x frameWidth at the left and top, one frameWidth at the
// right and 2 x frameWidth at the bottom. The horizontal pitch shrinks as the text
// grows; the vertical pitch depends on the height only.
DotLayout LayoutText(int clientWidth, int clientHeight, std::int32_t frameWidth, std::string_view text,
                     const GlyphTable& glyphs = GlyphTable::Builtin());

// Lays out a text of lines separated by "\n" (code 10, which shows no glyph),
// one DotLayout per line, top line first. N lines take 8N - 1 rows of dots: 7
// for each line and one between lines, so the vertical pitch is (h - 4 x
// frameWidth) / (8N - 1) and line k starts 8k rows below the top margin. The
// horizontal pitch is the one LayoutText gives the longest line. Each line
// then lies in the width that its cells leave of the client width less 3 x
// frameWidth: at the left margin, centred (half the space, rounded down, on
// the left) or at the right. One line aligned left is LayoutText's layout.
std::vector<DotLayout> LayoutLines(int clientWidth, int clientHeight, std::int32_t frameWidth,
                                   std::string_view text, TextAlign align,
                                   const GlyphTable& glyphs = GlyphTable::Builtin());

template <typename Visit>
void DotLayout::ForEachDot(Visit&& visit) const {
    std::int64_t cellX = left_;
    for (const char character : text_) {
        const auto code = static_cast<std::uint8_t>(character);
        for (int column = 0; column < GlyphTable::kColumns; ++column) {
            const std::int64_t x = cellX + pitchX_ * column;
            for (int row = 0; row < GlyphTable::kRows; ++row) {
                visit(Dot{x, top_ + pitchY_ * row, glyphs_->Lit(code, row, column)});
            }
        }
        cellX += pitchX_ * (GlyphTable::kColumns + 1);
    }
}

}  // namespace instruments
