#include "widgets/TextLayout.h"

namespace instruments {

namespace {

// Codes of ".", "/" and "0".."9", and how far above them the segment-style
// glyphs of the same characters lie.
constexpr std::uint8_t kFirstSegmentSource = 46;
constexpr std::uint8_t kLastSegmentSource = 57;
constexpr std::uint8_t kSegmentOffset = 176;

constexpr std::int64_t kCellColumns = GlyphTable::kColumns + 1;

}  // namespace

DotLayout::DotLayout(std::int64_t margin, std::int64_t pitchX, std::int64_t pitchY, std::string_view text,
                     const GlyphTable& glyphs)
    : margin_(margin), pitchX_(pitchX), pitchY_(pitchY), text_(text), glyphs_(&glyphs) {}

Dot DotLayout::operator[](std::size_t i) const {
    if (i >= size()) {
        return Dot{};
    }
    const std::size_t character = i / kDotsPerCharacter;
    const auto column = static_cast<int>(i % kDotsPerCharacter / GlyphTable::kRows);
    const auto row = static_cast<int>(i % GlyphTable::kRows);
    const auto code = static_cast<std::uint8_t>(text_[character]);
    const auto cellColumn = static_cast<std::int64_t>(character) * kCellColumns + column;
    return Dot{pitchX_ * cellColumn + margin_, pitchY_ * row + margin_, glyphs_->Lit(code, row, column)};
}

DotLayout LayoutText(int clientWidth, int clientHeight, std::int32_t frameWidth, std::string_view text,
                     const GlyphTable& glyphs) {
    const std::int64_t frame = frameWidth;
    const auto length = static_cast<std::int64_t>(text.size());
    // An empty text has no dots, so its pitch is never used: leave it 0 rather
    // than divide by zero.
    std::int64_t pitchX = 0;
    if (length > 0) {
        pitchX = (clientWidth - 3 * frame) / (kCellColumns * length);
    }
    const std::int64_t pitchY = (clientHeight - 4 * frame) / GlyphTable::kRows;
    return DotLayout(2 * frame, pitchX, pitchY, text, glyphs);
}

std::string ToSegmentDigits(std::string_view text) {
    std::string result(text);
    for (char& character : result) {
        const auto code = static_cast<std::uint8_t>(character);
        if (code >= kFirstSegmentSource && code <= kLastSegmentSource) {
            character = static_cast<char>(code + kSegmentOffset);
        }
    }
    return result;
}

}  // namespace instruments
