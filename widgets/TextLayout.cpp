#include "widgets/TextLayout.h"

#include <algorithm>

namespace instruments {

namespace {

// Codes of ".", "/" and "0".."9", and how far above them the segment-style
// glyphs of the same characters lie.
constexpr std::uint8_t kFirstSegmentSource = 46;
constexpr std::uint8_t kLastSegmentSource = 57;
constexpr std::uint8_t kSegmentOffset = 176;

constexpr std::int64_t kCellColumns = GlyphTable::kColumns + 1;

}  // namespace

DotLayout::DotLayout(std::int64_t left, std::int64_t top, std::int64_t pitchX, std::int64_t pitchY,
                     std::string_view text, const GlyphTable& glyphs)
    : left_(left), top_(top), pitchX_(pitchX), pitchY_(pitchY), text_(text), glyphs_(&glyphs) {}

Dot DotLayout::operator[](std::size_t i) const {
    if (i >= size()) {
        return Dot{};
    }
    const std::size_t character = i / kDotsPerCharacter;
    const auto column = static_cast<int>(i % kDotsPerCharacter / GlyphTable::kRows);
    const auto row = static_cast<int>(i % GlyphTable::kRows);
    const auto code = static_cast<std::uint8_t>(text_[character]);
    const auto cellColumn = static_cast<std::int64_t>(character) * kCellColumns + column;
    return Dot{pitchX_ * cellColumn + left_, pitchY_ * row + top_, glyphs_->Lit(code, row, column)};
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
    return DotLayout(2 * frame, 2 * frame, pitchX, pitchY, text, glyphs);
}

std::vector<DotLayout> LayoutLines(int clientWidth, int clientHeight, std::int32_t frameWidth,
                                   std::string_view text, TextAlign align, const GlyphTable& glyphs) {
    std::vector<std::string_view> lines;
    std::size_t longest = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        longest = std::max(longest, lines.back().size());
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    const std::int64_t frame = frameWidth;
    const auto count = static_cast<std::int64_t>(lines.size());
    const std::int64_t width = clientWidth - 3 * frame;
    const std::int64_t pitchX = longest > 0 ? width / (kCellColumns * static_cast<std::int64_t>(longest)) : 0;
    const std::int64_t rows = (GlyphTable::kRows + 1) * count - 1;
    const std::int64_t pitchY = (clientHeight - 4 * frame) / rows;

    std::vector<DotLayout> layouts;
    layouts.reserve(lines.size());
    std::int64_t top = 2 * frame;
    for (const std::string_view line : lines) {
        // A display too small for its text has no room to share out.
        const std::int64_t room =
            pitchX < 0 ? 0
                       : std::max<std::int64_t>(
                             width - kCellColumns * static_cast<std::int64_t>(line.size()) * pitchX, 0);
        std::int64_t shift = 0;
        if (align == TextAlign::Centre) {
            shift = room / 2;
        } else if (align == TextAlign::Right) {
            shift = room;
        }
        layouts.emplace_back(2 * frame + shift, top, pitchX, pitchY, line, glyphs);
        top += (GlyphTable::kRows + 1) * pitchY;
    }
    return layouts;
}

std::string ToSegmentDigits(std::string_view codes) {
    std::string result(codes);
    for (char& character : result) {
        const auto code = static_cast<std::uint8_t>(character);
        if (code >= kFirstSegmentSource && code <= kLastSegmentSource) {
            character = static_cast<char>(code + kSegmentOffset);
        }
    }
    return result;
}

}  // namespace instruments
