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
#include "tools/lcd-script/LcdScript.h"

namespace {


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

std::optional<int> Integer(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const int value = std::atoi(std::string(text).c_str());
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
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
            const auto khz = lcd_script::ParseMilliseconds(f);
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
            const auto at = lcd_script::ParseMilliseconds(ms);
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
        std::vector<lcd_script::Operation> operations;
        if (a.script) {
            std::ostringstream text;
            if (*a.script == "-") {
                text << std::cin.rdbuf();
            } else {
                std::ifstream file(*a.script);
                if (!file) {
                    Refuse("--script: cannot read \"" + *a.script + "\"");
                }
                text << file.rdbuf();
            }
            try {
                operations = lcd_script::ParseScript(text.str());
            } catch (const lcd_script::ScriptError& error) {
                Refuse(error.what());
            }
        }
        std::optional<instruments::CharacterLcd> lcd;
        try {
            lcd.emplace(a.settings);
        } catch (const instruments::SettingsError& error) {
            Refuse(error.what());
        }
        if (a.script) {
            lcd_script::RunScript(*lcd, operations,
                                  [](char kind, std::uint8_t byte) { std::printf("%c %02X\n", kind, byte); });
        } else {
            lcd_script::RunText(*lcd, *a.text);
        }
        lcd->Advance(a.atMs);
        if (a.dots) {
            std::fputs(lcd->DotsText().c_str(), stdout);
        }
        if (a.dump) {
            std::printf("%s\n", lcd_script::StateJson(*lcd).c_str());
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
