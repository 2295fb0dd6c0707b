// The character LCD module: the driver calls firmware makes, the bus, and the
// controller's state as a dict (the fields of `instruments-lcd --dump`).

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>

#include "instruments/CharacterLcd.h"
#include "python/module/Bindings.h"
#include "python/module/Convert.h"
#include "python/module/InstrumentClass.h"

namespace instruments::python {

namespace {

using namespace pybind11::literals;

// Keeps the ROM a module was made with for as long as the module.
struct RomHolder {
    std::optional<LcdRom> rom;
};
struct PyCharacterLcd : RomHolder, Held<CharacterLcd> {
    PyCharacterLcd(std::optional<LcdRom> romIn, CharacterLcd::Settings settings)
        : RomHolder{std::move(romIn)}, Held<CharacterLcd>(WithRom(std::move(settings), rom)) {}

    static CharacterLcd::Settings WithRom(CharacterLcd::Settings settings, const std::optional<LcdRom>& rom) {
        settings.rom = rom ? &*rom : nullptr;
        return settings;
    }
};

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

py::dict State(const CharacterLcd& lcd) {
    const LcdController& c = lcd.controller();
    const LcdState& s = c.state();
    py::dict state;
    state["columns"] = lcd.settings().columns;
    state["rows"] = lcd.settings().rows;
    state["interface"] = s.eightBitBus ? 8 : 4;
    state["lines"] = s.twoLines ? 2 : 1;
    state["font"] = s.font == LcdFont::Dots5x10 ? "5x10" : "5x8";
    state["display"] = s.displayOn;
    state["cursor"] = s.cursorOn;
    state["blink"] = s.blinkOn;
    state["increment"] = s.increment;
    state["shift_on_write"] = s.shiftOnWrite;
    state["display_shift"] = s.displayShift;
    state["address_counter"] = s.addressCounter;
    state["address_target"] = s.addressInCgram ? "cgram" : "ddram";
    state["busy"] = c.Busy();
    state["dropped_writes"] = s.droppedWrites;
    state["ddram"] = Hex(s.ddram.data(), s.ddram.size());
    state["cgram"] = Hex(s.cgram.data(), s.cgram.size());
    state["time_ms"] = c.NowMs();
    return state;
}

// Text as the controller's bytes: bytes as they are; a str in Latin-1 (the
// ROM's codes 0..255), refusing a character beyond it.
std::string Bytes(py::handle text) {
    if (py::isinstance<py::bytes>(text)) {
        return text.cast<std::string>();
    }
    if (!py::isinstance<py::str>(text)) {
        RefuseValue("print: expected str or bytes, not " + py::repr(text).cast<std::string>());
    }
    std::string bytes;
    for (const py::handle character : text) {
        const std::u32string one = character.cast<std::u32string>();
        if (one.size() != 1 || one[0] > 0xFF) {
            RefuseValue("print: " + py::repr(character).cast<std::string>() +
                        " has no code of the module (give bytes, or characters of Latin-1)");
        }
        bytes += static_cast<char>(one[0]);
    }
    return bytes;
}

std::uint8_t ByteOf(int value, const char* what) {
    if (value < 0 || value > 255) {
        RefuseValue(std::string(what) + ": " + std::to_string(value) + " is not a byte (0..255)");
    }
    return static_cast<std::uint8_t>(value);
}

// Each call on the module takes its lock: Locked(f) is f with the lock held,
// of the same signature (which pybind11 reads).
template <typename F>
struct LockedCall : LockedCall<decltype(&F::operator())> {};
template <typename C, typename R, typename... Arguments>
struct LockedCall<R (C::*)(CharacterLcd&, Arguments...) const> {
    template <typename F>
    static auto Wrap(F call) {
        return [call](CharacterLcd& lcd, Arguments... arguments) -> R {
            const auto lock = LockOf(lcd);
            return call(lcd, arguments...);
        };
    }
};
template <typename F>
auto Locked(F call) {
    return LockedCall<F>::Wrap(call);
}

}  // namespace

void BindCharacterLcd(py::module_& m) {
    py::enum_<LcdRegister>(m, "LcdRegister", "The register a bus transfer addresses (the RS line).")
        .value("INSTRUCTION", LcdRegister::Instruction)
        .value("DATA", LcdRegister::Data);
    py::enum_<LcdBus>(m, "LcdBus").value("EIGHT_BIT", LcdBus::EightBit).value("FOUR_BIT", LcdBus::FourBit);

    InstrumentClass<CharacterLcd>(m, "CharacterLcd",
                                  R"(A character LCD module: the controller firmware drives and its glass.

    lcd = instruments.CharacterLcd(columns=16, rows=2, preset="blue")
    lcd.begin()
    lcd.print("Hello, world")
    lcd.set_cursor(0, 1)
    lcd.print("T=21.5")
    lcd.render().save_png("lcd.png")

Time is virtual: advance(ms) moves it (blink phase, busy time).)")
        .def(py::init([](int columns, int rows, const std::string& preset, py::handle backlight,
                         py::handle ink, std::optional<bool> backlightOn, std::optional<bool> showUnlit,
                         std::optional<int> dotSize, std::optional<int> dotGap, py::handle frame,
                         const std::string& font, int bus, double oscillatorKhz, bool checkTiming,
                         py::object rom) {
                 CharacterLcd::Settings settings;
                 settings.columns = columns;
                 settings.rows = rows;
                 settings.look = LcdLook::Preset(preset);
                 if (!backlight.is_none()) {
                     settings.look.backlight = ToColour(backlight, "backlight");
                 }
                 if (!ink.is_none()) {
                     settings.look.ink = ToColour(ink, "ink");
                 }
                 if (backlightOn) {
                     settings.look.backlightOn = *backlightOn;
                 }
                 if (showUnlit) {
                     settings.look.dots = *showUnlit
                                              ? settings.look.dots | DotStyle::ShowUnlit
                                              : static_cast<DotStyle>(static_cast<int>(settings.look.dots) &
                                                                      ~static_cast<int>(DotStyle::ShowUnlit));
                 }
                 if (dotSize) {
                     settings.look.dotSize = *dotSize;
                 }
                 if (dotGap) {
                     settings.look.dotGap = *dotGap;
                 }
                 if (!frame.is_none()) {
                     settings.look.frame = ToFrame(frame);
                 }
                 if (font != "5x8" && font != "5x10") {
                     RefuseValue("font \"" + font + "\": give \"5x8\" or \"5x10\"");
                 }
                 settings.look.glass = font == "5x10" ? LcdFont::Dots5x10 : LcdFont::Dots5x8;
                 if (bus != 8 && bus != 4) {
                     RefuseValue("bus " + std::to_string(bus) + ": give 8 or 4 (data lines)");
                 }
                 settings.bus = bus == 8 ? LcdBus::EightBit : LcdBus::FourBit;
                 settings.oscillatorKhz = oscillatorKhz;
                 settings.timing = checkTiming ? LcdTiming::Check : LcdTiming::Off;
                 std::optional<LcdRom> loaded;
                 if (!rom.is_none()) {
                     loaded = LcdRom::Load(PathOf(rom));
                 }
                 return new PyCharacterLcd(std::move(loaded), settings);
             }),
             py::kw_only(), "columns"_a = 16, "rows"_a = 2, "preset"_a = "yellow-green",
             "backlight"_a = py::none(), "ink"_a = py::none(), "backlight_on"_a = py::none(),
             "show_unlit"_a = py::none(), "dot_size"_a = py::none(), "dot_gap"_a = py::none(),
             "frame"_a = py::none(), "font"_a = "5x8", "bus"_a = 8, "oscillator_khz"_a = 270.0,
             "check_timing"_a = false, "rom"_a = py::none(),
             "Presets: yellow-green, blue, white-on-black, amber-on-black, green-on-black. rom: a ROM "
             "text-art "
             "file.")
        .def_static(
            "size_of",
            [](int columns, int rows, int dotSize, int dotGap, int frameWidth, const std::string& font) {
                CharacterLcd::Settings settings{.columns = columns, .rows = rows};
                settings.look.dotSize = dotSize;
                settings.look.dotGap = dotGap;
                settings.look.frame.width = frameWidth;
                settings.look.glass = font == "5x10" ? LcdFont::Dots5x10 : LcdFont::Dots5x8;
                if (font != "5x8" && font != "5x10") {
                    RefuseValue("font \"" + font + "\": give \"5x8\" or \"5x10\"");
                }
                const Size size = CharacterLcd::SizeOf(settings);
                return py::make_tuple(size.width, size.height);
            },
            py::kw_only(), "columns"_a = 16, "rows"_a = 2, "dot_size"_a = 3, "dot_gap"_a = 1,
            "frame_width"_a = 4, "font"_a = "5x8", "The pixel size of a module with these settings.")
        // The driver calls.
        .def("begin", Locked([](CharacterLcd& lcd) { lcd.Begin(); }),
             "Two lines (on a glass of more than one row), display on, cleared, left to right.")
        .def("clear", Locked([](CharacterLcd& lcd) { lcd.Clear(); }))
        .def("home", Locked([](CharacterLcd& lcd) { lcd.Home(); }))
        .def("set_cursor", Locked([](CharacterLcd& lcd, int column, int row) { lcd.SetCursor(column, row); }),
             "column"_a, "row"_a, "Moves the cursor to a column and row, clamped to the glass.")
        .def(
            "print",
            [](CharacterLcd& lcd, py::handle text) {
                const std::string bytes = Bytes(text);
                const auto lock = LockOf(lcd);
                lcd.Print(bytes);
            },
            "text"_a, "Writes the text's bytes as data (str: Latin-1 characters).")
        .def("display", Locked([](CharacterLcd& lcd, bool on) { lcd.Display(on); }), "on"_a = true)
        .def("cursor", Locked([](CharacterLcd& lcd, bool on) { lcd.Cursor(on); }), "on"_a = true)
        .def("blink", Locked([](CharacterLcd& lcd, bool on) { lcd.Blink(on); }), "on"_a = true)
        .def("scroll_left", Locked([](CharacterLcd& lcd) { lcd.ScrollLeft(); }))
        .def("scroll_right", Locked([](CharacterLcd& lcd) { lcd.ScrollRight(); }))
        .def("left_to_right", Locked([](CharacterLcd& lcd) { lcd.LeftToRight(); }))
        .def("right_to_left", Locked([](CharacterLcd& lcd) { lcd.RightToLeft(); }))
        .def("autoscroll", Locked([](CharacterLcd& lcd, bool on) { lcd.Autoscroll(on); }), "on"_a = true)
        .def(
            "create_char",
            [](CharacterLcd& lcd, int slot, const std::vector<int>& rows) {
                if (rows.size() != 8) {
                    RefuseValue("create_char: give 8 row bytes, not " + std::to_string(rows.size()));
                }
                std::array<std::uint8_t, 8> bytes{};
                for (std::size_t i = 0; i < 8; ++i) {
                    bytes[i] = ByteOf(rows[i], "create_char row");
                }
                const auto lock = LockOf(lcd);
                lcd.CreateChar(slot, bytes);
            },
            "slot"_a, "rows"_a, "Character slot (0..7, taken mod 8) from eight row bytes, bits 4..0.")
        // The bus.
        .def("write_instruction", Locked([](CharacterLcd& lcd, int value) {
                 lcd.WriteByte(LcdRegister::Instruction, ByteOf(value, "write_instruction"));
             }),
             "value"_a,
             "An instruction byte, in one or two transfers as the bus takes it. With check_timing, a byte "
             "sent while the controller is busy is lost (state()[\"dropped_writes\"] counts them).")
        .def("write_data", Locked([](CharacterLcd& lcd, int value) {
                 lcd.WriteByte(LcdRegister::Data, ByteOf(value, "write_data"));
             }),
             "value"_a, "A data byte into the RAM at the address counter (lost while busy, as above).")
        .def("read_data", Locked([](CharacterLcd& lcd) { return lcd.ReadByte(LcdRegister::Data); }),
             "Reads the RAM byte at the address counter, which then moves.")
        .def("read_status", Locked([](CharacterLcd& lcd) { return lcd.ReadByte(LcdRegister::Instruction); }),
             "The busy flag (bit 7) and the address counter.")
        .def(
            "transfer",
            [](CharacterLcd& lcd, py::handle reg, int bus) {
                const LcdRegister target = ToEnum<LcdRegister>(reg, "register");
                const std::uint8_t value = ByteOf(bus, "transfer");
                const auto lock = LockOf(lcd);
                lcd.Write(target, value);
            },
            "register"_a, "bus"_a,
            "One write transfer to LcdRegister.INSTRUCTION or DATA (or \"instruction\", \"data\"); on a "
            "4-bit "
            "bus DB7..DB4 are bits 7..4 of `bus`.")
        .def("advance", Locked([](CharacterLcd& lcd, double ms) { lcd.Advance(ms); }), "ms"_a,
             "Moves the virtual clock on.")
        .def("state", Locked([](CharacterLcd& lcd) { return State(lcd); }),
             "The controller's state: the fields of instruments-lcd --dump.")
        .def("dots_text", Locked([](CharacterLcd& lcd) { return lcd.DotsText(); }),
             "The glass's dots, one line per dot row, \"#\" lit.")
        .def(
            "paint_changed_cells",
            [](CharacterLcd& lcd, PyPainter& painter) {
                py::gil_scoped_release unlocked;
                const auto painterLock = painter.Lock();
                const auto lock = LockOf(lcd);
                return lcd.PaintChangedCells(painter);
            },
            "painter"_a, "Repaints only the cells changed since the last paint, on a surface that holds it.");
}

}  // namespace instruments::python
