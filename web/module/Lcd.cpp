// The character LCD module: the driver calls firmware makes, the bus, the
// scripts of instruments-lcd, and the controller's state.

#include <emscripten/bind.h>

#include <optional>

#include "instruments/CharacterLcd.h"
#include "tools/lcd-script/LcdScript.h"
#include "web/module/Bindings.h"

namespace instruments::web {

namespace {

using emscripten::allow_raw_pointers;
using emscripten::optional_override;
using emscripten::val;

CharacterLcd* MakeCharacterLcd(val object) {
    const Options options(object, "CharacterLcd");
    CharacterLcd::Settings settings;
    settings.columns = options.Integer("columns", settings.columns);
    settings.rows = options.Integer("rows", settings.rows);
    const std::string preset = options.Text("preset", "yellow-green");
    settings.look = Refusing("CharacterLcd preset", [&] { return LcdLook::Preset(preset); });
    LcdLook& look = settings.look;
    look.backlight = options.ColourOf("backlight", look.backlight);
    look.ink = options.ColourOf("ink", look.ink);
    look.backlightOn = options.Flag("backlightOn", look.backlightOn);
    if (options.Has("showUnlit")) {
        const bool show = options.Flag("showUnlit", true);
        look.dots =
            show
                ? look.dots | DotStyle::ShowUnlit
                : static_cast<DotStyle>(static_cast<int>(look.dots) & ~static_cast<int>(DotStyle::ShowUnlit));
    }
    look.dotSize = options.Integer("dotSize", look.dotSize);
    look.dotGap = options.Integer("dotGap", look.dotGap);
    look.frame = options.FrameOf("frame", look.frame);
    const std::string font = options.Text("font", "5x8");
    if (font != "5x8" && font != "5x10") {
        Refuse("CharacterLcd font: \"" + font + "\" is not 5x8 or 5x10");
    }
    look.glass = font == "5x10" ? LcdFont::Dots5x10 : LcdFont::Dots5x8;
    const int bus = options.Integer("bus", 8);
    if (bus != 8 && bus != 4) {
        Refuse("CharacterLcd bus: " + std::to_string(bus) + " is not 8 or 4 (data lines)");
    }
    settings.bus = bus == 8 ? LcdBus::EightBit : LcdBus::FourBit;
    settings.oscillatorKhz = options.Number("oscillatorKhz", settings.oscillatorKhz);
    settings.timing = options.Flag("checkTiming", false) ? LcdTiming::Check : LcdTiming::Off;
    return Refusing("CharacterLcd", [&] { return new CharacterLcd(settings); });
}

LcdRegister RegisterOf(const std::string& name) {
    if (name != "instruction" && name != "data") {
        Refuse("register \"" + name + "\" is not \"instruction\" or \"data\"");
    }
    return name == "data" ? LcdRegister::Data : LcdRegister::Instruction;
}

std::uint8_t ByteOf(int value, const char* what) {
    if (value < 0 || value > 255) {
        Refuse(std::string(what) + ": " + std::to_string(value) + " is not a byte (0..255)");
    }
    return static_cast<std::uint8_t>(value);
}

// Text as the controller's bytes: each character's code, refusing one beyond
// Latin-1 (the ROM's codes are 0..255).
std::string BytesOf(const std::u16string& text) {
    std::string bytes;
    for (const char16_t c : text) {
        if (c > 0xFF) {
            Refuse("print: a character of code " + std::to_string(static_cast<int>(c)) +
                   " has no code of the module (give characters of Latin-1)");
        }
        bytes += static_cast<char>(c);
    }
    return bytes;
}

std::u16string Latin1(const std::string& bytes) {
    std::u16string text;
    for (const char c : bytes) {
        text += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return text;
}

void CreateChar(CharacterLcd& lcd, int slot, val rows) {
    if (slot < 0 || slot > 7) {
        Refuse("createChar: slot " + std::to_string(slot) + " is not 0..7");
    }
    if (!val::global("Array").call<bool>("isArray", rows) || rows["length"].as<int>() != 8) {
        Refuse("createChar: a character is 8 rows, each a number of 5 bits");
    }
    std::array<std::uint8_t, 8> bits{};
    for (int i = 0; i < 8; ++i) {
        const val row = rows[i];
        const double value = row.isNumber() ? row.as<double>() : -1;
        if (!(value >= 0 && value <= 255) || value != static_cast<int>(value)) {
            Refuse("createChar: row " + std::to_string(i) + " is not a byte (0..255)");
        }
        bits[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
    }
    lcd.CreateChar(slot, bits);
}

// Runs a script of instruments-lcd; the reads it made, one "r HH" or "s HH" each.
val RunScript(CharacterLcd& lcd, const std::string& script) {
    std::vector<lcd_script::Operation> operations;
    char problem[512] = "";
    try {
        operations = lcd_script::ParseScript(script);
    } catch (const lcd_script::ScriptError& error) {
        std::snprintf(problem, sizeof problem, "%s", error.what());
    }
    if (problem[0] != '\0') {
        operations.clear();
        operations.shrink_to_fit();
        RefuseText(problem);
    }
    val reads = val::array();
    lcd_script::RunScript(lcd, operations, [&reads](char kind, std::uint8_t byte) {
        char line[8];
        std::snprintf(line, sizeof line, "%c %02X", kind, byte);
        reads.call<void>("push", std::string(line));
    });
    return reads;
}

}  // namespace

void BindCharacterLcd() {
    emscripten::class_<CharacterLcd>("CharacterLcd")
        .constructor(&MakeCharacterLcd, allow_raw_pointers())
        .property("width", optional_override([](const CharacterLcd& lcd) { return lcd.size().width; }))
        .property("height", optional_override([](const CharacterLcd& lcd) { return lcd.size().height; }))
        .function("render", optional_override([](CharacterLcd& lcd) { return Render(lcd); }))
        .function("needsPaint", optional_override([](const CharacterLcd& lcd) { return lcd.NeedsPaint(); }))
        .function("begin", &CharacterLcd::Begin)
        .function("clear", &CharacterLcd::Clear)
        .function("home", &CharacterLcd::Home)
        .function("setCursor", &CharacterLcd::SetCursor)
        .function("print", optional_override([](CharacterLcd& lcd, const std::u16string& text) {
                      lcd.Print(BytesOf(text));
                  }))
        .function("display", &CharacterLcd::Display)
        .function("cursor", &CharacterLcd::Cursor)
        .function("blink", &CharacterLcd::Blink)
        .function("scrollLeft", &CharacterLcd::ScrollLeft)
        .function("scrollRight", &CharacterLcd::ScrollRight)
        .function("leftToRight", &CharacterLcd::LeftToRight)
        .function("rightToLeft", &CharacterLcd::RightToLeft)
        .function("autoscroll", &CharacterLcd::Autoscroll)
        .function("createChar", &CreateChar)
        .function("write", optional_override([](CharacterLcd& lcd, const std::string& reg, int bus) {
                      lcd.Write(RegisterOf(reg), ByteOf(bus, "write"));
                  }))
        .function("read", optional_override([](CharacterLcd& lcd, const std::string& reg) {
                      return static_cast<int>(lcd.Read(RegisterOf(reg)));
                  }))
        .function("writeByte", optional_override([](CharacterLcd& lcd, const std::string& reg, int value) {
                      lcd.WriteByte(RegisterOf(reg), ByteOf(value, "writeByte"));
                  }))
        .function("readByte", optional_override([](CharacterLcd& lcd, const std::string& reg) {
                      return static_cast<int>(lcd.ReadByte(RegisterOf(reg)));
                  }))
        .function("advance", optional_override([](CharacterLcd& lcd, double milliseconds) {
                      if (!(milliseconds >= 0 && milliseconds <= 1e9)) {
                          Refuse("advance: milliseconds are 0..1e9");
                      }
                      lcd.Advance(milliseconds);
                  }))
        .function("runScript", &RunScript)
        .function("runText", optional_override([](CharacterLcd& lcd, const std::u16string& text) {
                      lcd_script::RunText(lcd, BytesOf(text));
                  }))
        .function("stateJson",
                  optional_override([](const CharacterLcd& lcd) { return lcd_script::StateJson(lcd); }))
        .function("dotsText", optional_override([](const CharacterLcd& lcd) { return lcd.DotsText(); }))
        .function("ddramText", optional_override([](const CharacterLcd& lcd) {
                      const auto& ram = lcd.controller().state().ddram;
                      return Latin1(std::string(ram.begin(), ram.end()));
                  }));
}

}  // namespace instruments::web
