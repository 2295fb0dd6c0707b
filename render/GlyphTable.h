#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace render {

// The 5 x 7 dot pattern of every 8-bit character code, read once from the glyph
// data and then only looked up. Each entry is held twice, as its row text
// ("X" lit, "." dark) and as five bits, so that a lookup is a plain index.
class GlyphTable {
  public:
    static constexpr int kCodes = 256;
    static constexpr int kRows = 7;
    static constexpr int kColumns = 5;

    // An unbuilt table has every dot dark.
    GlyphTable();

    // Fills every entry from the glyph data.
    void Build();

    // The five-character row text of a code, column 0 first; empty for a row
    // outside 0..6.
    std::string_view Row(std::uint8_t code, int row) const;
    // The same row as bits: 0x10 is column 0 and 0x01 column 4, the way glyphs are
    // written in hexadecimal. 0 for a row outside 0..6.
    std::uint8_t Bits(std::uint8_t code, int row) const;
    // Whether the dot at (column, row) of a code is lit; false outside the cell.
    bool Lit(std::uint8_t code, int row, int column) const;

  private:
    static std::size_t Index(std::uint8_t code, int row) {
        return static_cast<std::size_t>(code) * kRows + static_cast<std::size_t>(row);
    }
    static bool ValidRow(int row) { return row >= 0 && row < kRows; }

    std::array<std::array<char, kColumns>, kCodes * kRows> text_;
    std::array<std::uint8_t, kCodes * kRows> bits_{};
};

// The program's one glyph table, filled by BuildGlyphTable at start-up.
extern GlyphTable glyphTable;

// Fills glyphTable from the glyph data.
void BuildGlyphTable();

}  // namespace render
