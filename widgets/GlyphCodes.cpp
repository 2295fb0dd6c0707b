#include "instruments/GlyphCodes.h"

#include <array>
#include <cstddef>

namespace instruments {

namespace {

constexpr std::uint8_t kAsciiEnd = 0x80;
constexpr std::uint8_t kSpace = 32;

struct CharacterCode {
    char32_t character;
    std::uint8_t code;
};
// The characters beyond ASCII that the built-in glyphs show.
constexpr std::array<CharacterCode, 7> kCharacterCodes = {{
    {U'\u00A0', kSpace},
    {U'\u00B0', 248},
    {U'\u2018', 145},
    {U'\u2019', 146},
    {U'\u201C', 147},
    {U'\u201D', 148},
    {U'\u2588', 255},
}};
constexpr char32_t kFirstSegmentedDigit = U'\U0001FBF0';
constexpr char32_t kLastSegmentedDigit = U'\U0001FBF9';
constexpr std::uint8_t kFirstSegmentDigitCode = 224;

std::uint8_t CodeOf(char32_t character) {
    if (character < kAsciiEnd) {
        return static_cast<std::uint8_t>(character);
    }
    if (character >= kFirstSegmentedDigit && character <= kLastSegmentedDigit) {
        return static_cast<std::uint8_t>(kFirstSegmentDigitCode + (character - kFirstSegmentedDigit));
    }
    for (const CharacterCode& entry : kCharacterCodes) {
        if (entry.character == character) {
            return entry.code;
        }
    }
    return kPlaceholderCode;
}

// How a well-formed sequence starting with a lead byte goes on: its length
// and the range of its second byte (the later ones are all 0x80..0xBF). The
// narrowed second ranges rule out overlong forms, surrogates and values past
// U+10FFFF. A length of 0 means the byte cannot start a sequence.
struct Sequence {
    int length = 0;
    std::uint8_t secondLow = 0x80;
    std::uint8_t secondHigh = 0xBF;
};

Sequence SequenceOf(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4};
    }
    return {};
}

// Kept from the lead byte of a sequence of each length.
constexpr std::array<std::uint8_t, 5> kLeadBits = {0, 0, 0x1F, 0x0F, 0x07};

}  // namespace

std::string GlyphCodes(std::string_view utf8) {
    std::string codes;
    codes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        if (lead < kAsciiEnd) {
            codes += static_cast<char>(lead);
            ++i;
            continue;
        }
        const Sequence sequence = SequenceOf(lead);
        if (sequence.length == 0) {
            codes += static_cast<char>(kPlaceholderCode);
            ++i;
            continue;
        }
        char32_t character = lead & kLeadBits[static_cast<std::size_t>(sequence.length)];
        int taken = 1;
        for (; taken < sequence.length && i + static_cast<std::size_t>(taken) < utf8.size(); ++taken) {
            const auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(taken)]);
            const std::uint8_t low = taken == 1 ? sequence.secondLow : std::uint8_t{0x80};
            const std::uint8_t high = taken == 1 ? sequence.secondHigh : std::uint8_t{0xBF};
            if (next < low || next > high) {
                break;
            }
            character = (character << 6) | (next & 0x3Fu);
        }
        // A sequence cut short is one malformed part: the bytes it took so far.
        codes += static_cast<char>(taken == sequence.length ? CodeOf(character) : kPlaceholderCode);
        i += static_cast<std::size_t>(taken);
    }
    return codes;
}

}  // namespace instruments
