#include "tools/lcd-script/LcdScript.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace lcd_script {

namespace {

using instruments::LcdRegister;

std::optional<double> ParseMillisecondsText(std::string_view text) {
    if (text.empty() || text.size() > 24 || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        text.find('.') != text.rfind('.') || text == ".") {
        return std::nullopt;
    }
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    return std::isfinite(value) && value <= 1e9 ? std::optional(value) : std::nullopt;
}

std::optional<std::uint8_t> HexByte(std::string_view text) {
    if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) {
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(std::strtol(std::string(text).c_str(), nullptr, 16));
}

// The bytes of a quoted text with \xHH, \\ and \" escapes; nullopt when malformed.
std::optional<std::string> Quoted(std::string_view text, std::size_t& end) {
    if (text.empty() || text[0] != '"') {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            end = i + 1;
            return bytes;
        }
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            bytes += text[++i];
        } else if (i + 3 < text.size() && text[i + 1] == 'x') {
            const auto value = HexByte(text.substr(i + 2, 2));
            if (!value || text.substr(i + 2, 2).size() != 2) {
                return std::nullopt;
            }
            bytes += static_cast<char>(*value);
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// Everything before a '#' that lies outside quotes.
std::string WithoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '\\') {
            ++i;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == '#' && !quoted) {
            return std::string(line.substr(0, i));
        }
    }
    return std::string(line);
}

Operation ParseLine(const std::string& line, int number) {
    const auto bad = [&](const std::string& why) -> Operation {
        throw ScriptError("script line " + std::to_string(number) + ": " + why + ": \"" + line + "\"");
    };
    const std::string text = Trim(WithoutComment(line));
    const auto space = text.find_first_of(" \t");
    const std::string word = text.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : Trim(text.substr(space));
    if (word == "i" || word == "d") {
        const auto value = HexByte(rest);
        if (!value) {
            return bad("expected a hex byte after \"" + word + "\"");
        }
        return {word == "i" ? Operation::Kind::Instruction : Operation::Kind::Data, *value, 0, {}};
    }
    if ((word == "r" || word == "s") && rest.empty()) {
        return {word == "r" ? Operation::Kind::Read : Operation::Kind::Status, 0, 0, {}};
    }
    if (word == "wait") {
        const auto ms = ParseMillisecondsText(rest);
        if (!ms) {
            return bad("expected milliseconds (0..1e9, decimals allowed) after \"wait\"");
        }
        return {Operation::Kind::Wait, 0, *ms, {}};
    }
    if (word == "text") {
        std::size_t end = 0;
        const auto bytes = Quoted(rest, end);
        if (!bytes || !Trim(rest.substr(end)).empty()) {
            return bad("expected one quoted text (escapes \\xHH, \\\\, \\\") after \"text\"");
        }
        return {Operation::Kind::Text, 0, 0, *bytes};
    }
    return bad("unknown operation (i HH, d HH, r, s, wait MS, text \"...\")");
}

std::vector<Operation> ParseScriptStream(std::istream& in) {
    std::vector<Operation> operations;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (Trim(WithoutComment(line)).empty()) {
            continue;
        }
        operations.push_back(ParseLine(line, number));
    }
    return operations;
}

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string StateJsonText(const instruments::CharacterLcd& lcd) {
    const instruments::LcdController& c = lcd.controller();
    const instruments::LcdState& s = c.state();
    const auto flag = [](bool b) { return b ? "true" : "false"; };
    std::ostringstream out;
    out << "{\"columns\": " << lcd.settings().columns << ", \"rows\": " << lcd.settings().rows
        << ", \"interface\": " << (s.eightBitBus ? 8 : 4) << ", \"lines\": " << (s.twoLines ? 2 : 1)
        << ", \"font\": \"" << (s.font == instruments::LcdFont::Dots5x10 ? "5x10" : "5x8") << "\""
        << ", \"display\": " << flag(s.displayOn) << ", \"cursor\": " << flag(s.cursorOn)
        << ", \"blink\": " << flag(s.blinkOn) << ", \"increment\": " << flag(s.increment)
        << ", \"shift_on_write\": " << flag(s.shiftOnWrite) << ", \"display_shift\": " << s.displayShift
        << ", \"address_counter\": " << s.addressCounter << ", \"address_target\": \""
        << (s.addressInCgram ? "cgram" : "ddram") << "\", \"busy\": " << flag(c.Busy())
        << ", \"dropped_writes\": " << s.droppedWrites << ", \"ddram\": \""
        << Hex(s.ddram.data(), s.ddram.size()) << "\", \"cgram\": \"" << Hex(s.cgram.data(), s.cgram.size())
        << "\", \"time_ms\": " << c.NowMs() << "}";
    return out.str();
}

void RunScriptOn(instruments::CharacterLcd& lcd, const std::vector<Operation>& operations,
                 const ReadReport& report) {
    for (const Operation& op : operations) {
        switch (op.kind) {
            case Operation::Kind::Instruction:
                lcd.Write(LcdRegister::Instruction, op.value);
                break;
            case Operation::Kind::Data:
                lcd.Write(LcdRegister::Data, op.value);
                break;
            case Operation::Kind::Read: {
                const std::uint8_t byte = lcd.ReadByte(LcdRegister::Data);
                if (report) {
                    report('r', byte);
                }
            } break;
            case Operation::Kind::Status: {
                const std::uint8_t byte = lcd.ReadByte(LcdRegister::Instruction);
                if (report) {
                    report('s', byte);
                }
            } break;
            case Operation::Kind::Wait:
                lcd.Advance(op.ms);
                break;
            case Operation::Kind::Text:
                for (const char c : op.bytes) {
                    lcd.WriteByte(LcdRegister::Data, static_cast<std::uint8_t>(c));
                }
                break;
        }
    }
}

// --text: begin, then the text; "\n" goes to the start of the next row.
void RunTextOn(instruments::CharacterLcd& lcd, std::string_view text) {
    lcd.Begin();
    int row = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool newline = i + 1 < text.size() && text[i] == '\\' && text[i + 1] == 'n';
        if (i == text.size() || newline || text[i] == '\n') {
            lcd.Print(text.substr(start, i - start));
            if (i == text.size()) {
                break;
            }
            lcd.SetCursor(0, ++row);
            i += newline ? 1 : 0;
            start = i + 1;
        }
    }
}

}  // namespace

std::vector<Operation> ParseScript(std::string_view script) {
    std::istringstream in{std::string(script)};
    return ParseScriptStream(in);
}

std::optional<double> ParseMilliseconds(std::string_view text) {
    return ParseMillisecondsText(text);
}

void RunScript(instruments::CharacterLcd& lcd, const std::vector<Operation>& operations,
               const ReadReport& report) {
    RunScriptOn(lcd, operations, report);
}

void RunText(instruments::CharacterLcd& lcd, std::string_view text) {
    RunTextOn(lcd, text);
}

std::string StateJson(const instruments::CharacterLcd& lcd) {
    return StateJsonText(lcd);
}

}  // namespace lcd_script
