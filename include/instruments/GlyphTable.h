#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "instruments/Export.h"

namespace instruments {

// The 5 x 7 dot pattern of every 8-bit character code. Built into the program
// (Builtin(), made at compile time from the glyph data); a program can copy it
// and replace characters with designs of its own, as character-display
// controllers allow.
class INSTRUMENTS_API GlyphTable {
  public:
    static constexpr int kCodes = 256;
    static constexpr int kRows = 7;
    static constexpr int kColumns = 5;

    // The rows of one glyph, top first, as five bits: 0x10 is the left column
    // and 0x01 the right one, the way glyphs are written in hexadecimal.
    using Glyph = std::array<std::uint8_t, kRows>;
    // The rows of one glyph as text art: five characters each, "X" lit, "." dark.
    using GlyphArt = std::array<std::string_view, kRows>;

    // A table with every dot dark.
    constexpr GlyphTable() = default;

    // The program's glyphs: ASCII, quotation marks, segment-style digits and
    // signs, the degree ring, blocks, and a placeholder elsewhere.
    static const GlyphTable& Builtin();

    // Row `row` of a code's glyph; 0 for a row outside 0..6.
    constexpr std::uint8_t Bits(std::uint8_t code, int row) const {
        return ValidRow(row) ? bits_[Index(code, row)] : 0;
    }
    // Whether the dot at (column, row) of a code is lit; false outside the cell.
    constexpr bool Lit(std::uint8_t code, int row, int column) const {
        return column >= 0 && column < kColumns && (Bits(code, row) & (0x10 >> column)) != 0;
    }
    constexpr Glyph GlyphOf(std::uint8_t code) const {
        Glyph glyph{};
        for (int row = 0; row < kRows; ++row) {
            glyph[static_cast<std::size_t>(row)] = bits_[Index(code, row)];
        }
        return glyph;
    }

    // Gives a code a glyph of its own; bits beyond the five columns are ignored.
    constexpr void Replace(std::uint8_t code, const Glyph& glyph) {
        for (int row = 0; row < kRows; ++row) {
            bits_[Index(code, row)] = glyph[static_cast<std::size_t>(row)] & 0x1F;
        }
    }
    // The same from text art. Art of another shape (a row not five characters
    // of "X" and ".") changes nothing and gives false.
    constexpr bool Replace(std::uint8_t code, const GlyphArt& art) {
        Glyph glyph{};
        for (int row = 0; row < kRows; ++row) {
            const std::string_view text = art[static_cast<std::size_t>(row)];
            if (text.size() != kColumns) {
                return false;
            }
            for (int column = 0; column < kColumns; ++column) {
                const char dot = text[static_cast<std::size_t>(column)];
                if (dot != 'X' && dot != '.') {
                    return false;
                }
                if (dot == 'X') {
                    glyph[static_cast<std::size_t>(row)] |= static_cast<std::uint8_t>(0x10 >> column);
                }
            }
        }
        Replace(code, glyph);
        return true;
    }

    constexpr bool operator==(const GlyphTable&) const = default;

  private:
    static constexpr std::size_t Index(std::uint8_t code, int row) {
        return static_cast<std::size_t>(code) * kRows + static_cast<std::size_t>(row);
    }
    static constexpr bool ValidRow(int row) { return row >= 0 && row < kRows; }

    std::array<std::uint8_t, kCodes * kRows> bits_{};
};

}  // namespace instruments
