#include "render/GlyphTable.h"

#include "render/GlyphData.h"

namespace render {

GlyphTable glyphTable;

GlyphTable::GlyphTable() {
    for (auto& entry : text_) {
        entry.fill('.');
    }
}

void GlyphTable::Build() {
    // Code ch lies in field ch MOD 16 of group ch \ 16; row r of that group is
    // data line 7 * group + r + 1, and every field is five dots and a space.
    constexpr int kFieldWidth = kColumns + 1;
    for (int code = 0; code < kCodes; ++code) {
        const int group = code / 16;
        const int field = code % 16;
        for (int row = 0; row < kRows; ++row) {
            const std::string_view line = GlyphDataLine(7 * group + row + 1);
            const std::string_view dots =
                line.substr(static_cast<std::size_t>(field * kFieldWidth), kColumns);
            const std::size_t index = Index(static_cast<std::uint8_t>(code), row);
            std::uint8_t bits = 0;
            for (int column = 0; column < kColumns; ++column) {
                // Only "X" is lit; the data holds nothing else but ".", and
                // anything else would count as dark.
                const char dot = dots[static_cast<std::size_t>(column)];
                text_[index][static_cast<std::size_t>(column)] = dot;
                if (dot == 'X') {
                    bits |= static_cast<std::uint8_t>(0x10 >> column);
                }
            }
            bits_[index] = bits;
        }
    }
}

std::string_view GlyphTable::Row(std::uint8_t code, int row) const {
    if (!ValidRow(row)) {
        return {};
    }
    const auto& entry = text_[Index(code, row)];
    return {entry.data(), entry.size()};
}

std::uint8_t GlyphTable::Bits(std::uint8_t code, int row) const {
    return ValidRow(row) ? bits_[Index(code, row)] : 0;
}

bool GlyphTable::Lit(std::uint8_t code, int row, int column) const {
    if (column < 0 || column >= kColumns) {
        return false;
    }
    return (Bits(code, row) & (0x10 >> column)) != 0;
}

void BuildGlyphTable() {
    glyphTable.Build();
}

}  // namespace render
