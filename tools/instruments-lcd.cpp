// Drives a character LCD module from a script of bus operations or a text, and
// shows the result as a PNG, as dots in text, or as the controller's state in
// JSON.
//
//   instruments-lcd --size 16x2 [--font 5x8|5x10] [--preset NAME] [--backlight on|off] [--dot-size N]
//                   [--dot-gap N] [--timing] [--osc-khz F] [--rom FILE]
//                   (--script FILE|- | --text TEXT) [--at MS] [--png OUT] [--dots] [--dump]

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/CharacterLcd.h"
#include "instruments/Painter.h"
#include "instruments/Png.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"

namespace {

using instruments::LcdRegister;

constexpr const char* kUsage =
    "usage: instruments-lcd --size CxR [--font 5x8|5x10] [--preset NAME] [--backlight on|off] [--dot-size N] "
    "[--dot-gap N] [--timing] [--osc-khz F] [--rom FILE] (--script FILE|- | --text TEXT) [--at MS] [--png "
    "OUT] "
    "[--dots] [--dump]";

struct BadInput {
    std::string message;
};

[[noreturn]] void Refuse(const std::string& message) {
    throw BadInput{message};
}

// One operation of a script.
struct Operation {
    enum class Kind { Instruction, Data, Read, Status, Wait, Text } kind;
    std::uint8_t value = 0;
    double ms = 0;
    std::string bytes;
};

std::optional<int> Integer(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const int value = std::atoi(std::string(text).c_str());
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
}

std::optional<double> Milliseconds(std::string_view text) {
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
        Refuse("script line " + std::to_string(number) + ": " + why + ": \"" + line + "\"");
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
        const auto ms = Milliseconds(rest);
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

std::vector<Operation> ParseScript(std::istream& in) {
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

std::string Dump(const instruments::CharacterLcd& lcd) {
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

struct Arguments {
    instruments::CharacterLcd::Settings settings;
    std::optional<std::string> script;
    std::optional<std::string> text;
    std::optional<std::string> rom;
    double atMs = 0;
    std::string png;
    bool dots = false;
    bool dump = false;
};

Arguments Parse(int argc, char** argv) {
    Arguments a;
    bool sized = false;
    std::string preset = "yellow-green";
    std::optional<bool> backlight;
    std::optional<int> dotSize, dotGap;
    bool tall = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Refuse(std::string(option) + " needs a value");
            }
            return argv[++i];
        };
        if (option == "--help") {
            std::printf("%s\n", kUsage);
            std::exit(0);
        }
        if (option == "--size") {
            const std::string size = value();
            const auto x = size.find('x');
            const auto columns = x == std::string::npos ? std::nullopt : Integer(size.substr(0, x), 1, 1000);
            const auto rows = x == std::string::npos ? std::nullopt : Integer(size.substr(x + 1), 1, 1000);
            if (!columns || !rows) {
                Refuse("--size \"" + size + "\": expected COLUMNSxROWS, as 16x2");
            }
            a.settings.columns = *columns;
            a.settings.rows = *rows;
            sized = true;
        } else if (option == "--font") {
            const std::string font = value();
            if (font != "5x8" && font != "5x10") {
                Refuse("--font \"" + font + "\": give 5x8 or 5x10");
            }
            tall = font == "5x10";
        } else if (option == "--preset") {
            preset = value();
        } else if (option == "--backlight") {
            const std::string on = value();
            if (on != "on" && on != "off") {
                Refuse("--backlight \"" + on + "\": give on or off");
            }
            backlight = on == "on";
        } else if (option == "--dot-size" || option == "--dot-gap") {
            const std::string n = value();
            const auto number = Integer(n, 0, 1000);
            if (!number) {
                Refuse(std::string(option) + " \"" + n + "\": expected a whole number");
            }
            (option == "--dot-size" ? dotSize : dotGap) = *number;
        } else if (option == "--timing") {
            a.settings.timing = instruments::LcdTiming::Check;
        } else if (option == "--osc-khz") {
            const std::string f = value();
            const auto khz = Milliseconds(f);
            if (!khz) {
                Refuse("--osc-khz \"" + f + "\": expected a frequency in kHz");
            }
            a.settings.oscillatorKhz = *khz;
        } else if (option == "--rom") {
            a.rom = value();
        } else if (option == "--script") {
            a.script = value();
        } else if (option == "--text") {
            a.text = value();
        } else if (option == "--at") {
            const std::string ms = value();
            const auto at = Milliseconds(ms);
            if (!at) {
                Refuse("--at \"" + ms + "\": expected milliseconds");
            }
            a.atMs = *at;
        } else if (option == "--png") {
            a.png = value();
        } else if (option == "--dots") {
            a.dots = true;
        } else if (option == "--dump") {
            a.dump = true;
        } else {
            Refuse("unknown option \"" + std::string(option) + "\"");
        }
    }
    if (!sized) {
        Refuse("--size is needed");
    }
    if (a.script.has_value() == a.text.has_value()) {
        Refuse("give one of --script and --text");
    }
    try {
        a.settings.look = instruments::LcdLook::Preset(preset);
    } catch (const instruments::SettingsError& error) {
        Refuse(std::string("--preset: ") + error.what());
    }
    if (backlight) {
        a.settings.look.backlightOn = *backlight;
    }
    if (dotSize) {
        a.settings.look.dotSize = *dotSize;
    }
    if (dotGap) {
        a.settings.look.dotGap = *dotGap;
    }
    a.settings.look.glass = tall ? instruments::LcdFont::Dots5x10 : instruments::LcdFont::Dots5x8;
    return a;
}

void RunScript(instruments::CharacterLcd& lcd, const std::vector<Operation>& operations) {
    for (const Operation& op : operations) {
        switch (op.kind) {
            case Operation::Kind::Instruction:
                lcd.Write(LcdRegister::Instruction, op.value);
                break;
            case Operation::Kind::Data:
                lcd.Write(LcdRegister::Data, op.value);
                break;
            case Operation::Kind::Read:
                std::printf("r %02X\n", lcd.ReadByte(LcdRegister::Data));
                break;
            case Operation::Kind::Status:
                std::printf("s %02X\n", lcd.ReadByte(LcdRegister::Instruction));
                break;
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
void RunText(instruments::CharacterLcd& lcd, std::string_view text) {
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

int main(int argc, char** argv) {
    try {
        Arguments a = Parse(argc, argv);
        std::optional<instruments::LcdRom> rom;
        if (a.rom) {
            try {
                rom = instruments::LcdRom::Load(*a.rom);
            } catch (const instruments::SettingsError& error) {
                Refuse(std::string("--rom: ") + error.what());
            }
            a.settings.rom = &*rom;
        }
        std::vector<Operation> operations;
        if (a.script) {
            if (*a.script == "-") {
                operations = ParseScript(std::cin);
            } else {
                std::ifstream file(*a.script);
                if (!file) {
                    Refuse("--script: cannot read \"" + *a.script + "\"");
                }
                operations = ParseScript(file);
            }
        }
        std::optional<instruments::CharacterLcd> lcd;
        try {
            lcd.emplace(a.settings);
        } catch (const instruments::SettingsError& error) {
            Refuse(error.what());
        }
        if (a.script) {
            RunScript(*lcd, operations);
        } else {
            RunText(*lcd, *a.text);
        }
        lcd->Advance(a.atMs);
        if (a.dots) {
            std::fputs(lcd->DotsText().c_str(), stdout);
        }
        if (a.dump) {
            std::printf("%s\n", Dump(*lcd).c_str());
        }
        if (!a.png.empty()) {
            instruments::Surface panel(lcd->size().width, lcd->size().height);
            instruments::Painter painter(panel);
            lcd->Paint(painter);
            if (!instruments::WritePng(panel, a.png)) {
                std::fprintf(stderr, "instruments-lcd: cannot write \"%s\"\n", a.png.c_str());
                return 1;
            }
        }
        return 0;
    } catch (const BadInput& bad) {
        if (bad.message.rfind("script line", 0) == 0) {
            std::fprintf(stderr, "instruments-lcd: %s\n", bad.message.c_str());
        } else {
            std::fprintf(stderr, "instruments-lcd: %s (%s)\n", bad.message.c_str(), kUsage);
        }
        return 2;
    }
}
