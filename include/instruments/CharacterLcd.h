#pragma once

// A character LCD module: the dot-matrix controller that firmware drives through
// its instruction set (8- or 4-bit bus, busy flag, eight characters of its own),
// and the glass that shows it, painted to the pixel.
//
//   instruments::CharacterLcd lcd({.columns = 16, .rows = 2});
//   lcd.Begin();                 // two lines, display on, cleared
//   lcd.Print("Hello, world");
//   lcd.SetCursor(0, 1);
//   lcd.Print("T=21.5");
//   lcd.Paint(painter);          // or PaintChangedCells(painter) on the same surface
//
// Time is virtual: nothing reads the wall clock. Advance() moves it on, which
// decides the blink phase and, with the timing check on, when the controller is
// no longer busy.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/DotStyle.h"
#include "instruments/Export.h"
#include "instruments/Frame.h"
#include "instruments/Geometry.h"
#include "instruments/Instrument.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"

namespace instruments {

// The font mode of the controller, and how many dot rows a glass's cells have.
enum class LcdFont { Dots5x8, Dots5x10 };

// The character patterns the controller's ROM holds: five columns by up to
// eleven rows per code (bit 4 the left column). The built-in ROM is the
// library's glyph table (rows 0..6; rows 7..10 dark).
class INSTRUMENTS_API LcdRom {
  public:
    static constexpr int kRows = 11;
    using Pattern = std::array<std::uint8_t, kRows>;

    static const LcdRom& Builtin();
    // Reads a ROM written as text art (see docs/lcd.md): "code HH" then 8 or 10
    // rows of five "X" (lit) or "." (dark); "#" starts a comment.
    // Codes not given keep the built-in pattern. Throws SettingsError naming the
    // line for anything else.
    static LcdRom Parse(std::string_view text);
    // Parse of a file's text; SettingsError when it cannot be read.
    static LcdRom Load(const std::string& path);

    const Pattern& PatternOf(std::uint8_t code) const { return patterns_[code]; }

  private:
    std::array<Pattern, 256> patterns_{};
};

// Whether the controller keeps its execution times (off: everything at once).
enum class LcdTiming { Off, Check };

// How the driver calls of CharacterLcd (Begin, Print, ...) reach the
// controller: eight data lines, or four (DB7..DB4).
enum class LcdBus { EightBit, FourBit };

// The register a bus transfer addresses (the RS line).
enum class LcdRegister { Instruction, Data };

// What the controller holds, as plain data.
struct LcdState {
    bool eightBitBus = true;
    bool twoLines = false;
    LcdFont font = LcdFont::Dots5x8;
    bool displayOn = false;
    bool cursorOn = false;
    bool blinkOn = false;
    bool increment = true;
    bool shiftOnWrite = false;
    // Positions the display is shifted left, 0..39 (0..79 with one line).
    int displayShift = 0;
    // 0..0x7F; a DDRAM address (see the address map) or a CGRAM one (0..0x3F).
    int addressCounter = 0;
    bool addressInCgram = false;
    // In address order: 0x00..0x4F with one line, 0x00..0x27 then 0x40..0x67 with two.
    std::array<std::uint8_t, 80> ddram{};
    std::array<std::uint8_t, 64> cgram{};
    // Writes dropped because they came while the controller was busy.
    std::int64_t droppedWrites = 0;
};

class INSTRUMENTS_API LcdController {
  public:
    struct Options {
        int columns = 16;
        int rows = 2;
        double oscillatorKhz = 270;
        LcdTiming timing = LcdTiming::Off;
        // The character ROM; copied. Null for the built-in one.
        const LcdRom* rom = nullptr;
    };

    // In the power-on state. Throws SettingsError for a size other than 8..40
    // columns by 1, 2 or 4 rows (at most 80 cells, four rows at most 20
    // columns), or an oscillator outside 50..1000 kHz.
    explicit LcdController(const Options& options);

    // ---- The bus
    // One transfer. On an 8-bit bus the whole byte; on a 4-bit bus DB7..DB4,
    // the high nibble of `bus`, high nibble of a byte first: the byte takes
    // effect with its second nibble and the RS of that one.
    void Write(LcdRegister reg, std::uint8_t bus);
    // One read transfer: the whole byte, or on a 4-bit bus its high nibble then
    // its low nibble, each in bits 7..4. A read with half a byte written drops
    // that half.
    std::uint8_t Read(LcdRegister reg);
    // A whole byte, in one or two transfers as the bus takes it.
    void WriteByte(LcdRegister reg, std::uint8_t value);
    std::uint8_t ReadByte(LcdRegister reg);

    // ---- Time
    // Moves the virtual clock on; negative and NaN amounts do nothing.
    void Advance(double milliseconds);
    double NowMs() const;
    bool Busy() const;

    // ---- What shows
    const LcdState& state() const { return state_; }
    const Options& options() const { return options_; }
    // Whether a controller-driven (CGRAM or ROM) pattern row is lit at the cell
    // of the glass's row and column, cursor and blink included: bits 4..0 of
    // each of the rows the glass has (8, or 11 for a 5 x 10 glass).
    LcdRom::Pattern CellRows(int row, int column, LcdFont glass) const;
    // The DDRAM address the cell of the glass's row and column shows, or -1
    // when the display drives nothing there.
    int AddressAt(int row, int column) const;
    // The blink phase number since power-on; the block shows in even phases.
    std::int64_t BlinkPhase() const;
    // Whether the 4-bit bus holds the first half of a byte.
    bool HalfByteWritten() const { return halfWritten_; }

  private:
    void Execute(LcdRegister reg, std::uint8_t value);
    void Instruction(std::uint8_t value);
    void WriteRam(std::uint8_t value);
    std::uint8_t ReadRam();
    void MoveAddress(bool forward);
    void SetDdramAddress(int address);
    void ShiftDisplay(bool left);
    void HoldBusy(std::int64_t nanoseconds);
    int DdramIndex(int address) const;
    std::int64_t Scaled(std::int64_t nanosecondsAt270) const;

    Options options_;
    LcdRom rom_;
    LcdState state_;
    std::int64_t nowNs_ = 0;
    std::int64_t busyUntilNs_ = 0;
    bool halfWritten_ = false;
    std::uint8_t firstNibble_ = 0;
    bool readSecondHalf_ = false;
    std::uint8_t readByte_ = 0;
};

// How the glass looks. The presets give the colours of common modules.
struct LcdLook {
    Frame frame{.width = 4, .colour = "grey"};
    Colour backlight = Rgb(156, 196, 40);
    Colour ink = Rgb(30, 40, 20);
    // Unlit dots shown faintly, as real glass shows them.
    DotStyle dots = DotStyle::ShowUnlit;
    bool backlightOn = true;
    int dotSize = 3;
    int dotGap = 1;
    // The number of dot rows of a cell: 8, or 11 for a one-row 5 x 10 glass.
    LcdFont glass = LcdFont::Dots5x8;

    // "yellow-green" (the default), "blue", "white-on-black", "amber-on-black",
    // "green-on-black"; SettingsError naming the text otherwise.
    static LcdLook Preset(std::string_view name);
};

// The module: a controller, the glass that shows it, and the calls of the usual
// driver libraries, which issue the same instructions as the bus does.
//
// Geometry, with frame width w, dot size s, gap g and pitch p = s + g: a cell
// is 5 x 8 dots (5 x 11 on a 5 x 10 glass), cells 6p apart across and 9p (12p)
// down, a margin of 2p inside the frame; the dot at (row r, column c) of cell
// (R, C) has its top-left corner at (w + 2p + 6pC + pc, w + 2p + 9pR + pr).
class INSTRUMENTS_API CharacterLcd : public Instrument {
  public:
    struct Settings {
        int columns = 16;
        int rows = 2;
        LcdLook look{};
        LcdBus bus = LcdBus::EightBit;
        double oscillatorKhz = 270;
        LcdTiming timing = LcdTiming::Off;
        const LcdRom* rom = nullptr;
    };

    // Throws SettingsError for a size the controller refuses, a 5 x 10 glass of
    // more than one row, a dot size below 1 or above 16, a gap below 0 or above
    // 16, a negative frame width, or dot styles other than ShowUnlit, Rounded
    // and Joined.
    explicit CharacterLcd(const Settings& settings);

    // The pixel size the settings give.
    static Size SizeOf(const Settings& settings);
    const Settings& settings() const { return settings_; }
    const LcdController& controller() const { return controller_; }

    // ---- The bus (see LcdController); each marks the cells it changes.
    void Write(LcdRegister reg, std::uint8_t bus);
    std::uint8_t Read(LcdRegister reg);
    void WriteByte(LcdRegister reg, std::uint8_t value);
    std::uint8_t ReadByte(LcdRegister reg);
    void Advance(double milliseconds);

    // ---- As the usual driver libraries have it. Each waits, on the virtual
    // clock, until the controller is no longer busy before it writes.
    // Function set for the glass's rows (two lines when it has more than one,
    // 5 x 10 font on a 5 x 10 glass), display on without cursor or blink, clear,
    // left to right. On a 4-bit bus it first sends the start-up nibbles.
    void Begin();
    void Clear();
    void Home();
    // Moves the cursor to a column and row of the glass; clamped to it.
    void SetCursor(int column, int row);
    // The bytes of the text as data writes.
    void Print(std::string_view bytes);
    void Display(bool on);
    void Cursor(bool on);
    void Blink(bool on);
    void ScrollLeft();
    void ScrollRight();
    void LeftToRight();
    void RightToLeft();
    void Autoscroll(bool on);
    // Character `slot` (0..7) from eight row bytes (bits 4..0); slot is taken mod 8.
    void CreateChar(int slot, const std::array<std::uint8_t, 8>& rows);

    // ---- Painting
    // Repaints only the cells whose dots changed since the last paint through
    // this function or Paint, assuming the painter's surface still holds that
    // paint at the same place; true when it painted anything.
    bool PaintChangedCells(Painter& painter);
    // The dots of the glass as text: one line per dot row, five characters per
    // cell, "#" lit and "." not.
    std::string DotsText() const;

  protected:
    void PaintState(Painter& painter) const override;

  private:
    using CellDots = LcdRom::Pattern;
    // Marks the cells that show something else than before the operation
    // that left the controller's state `before`.
    void MarkChangedCells(const LcdState& before);
    void MarkAllChangedCells();
    void Command(std::uint8_t instruction);
    void WaitReady();
    // With `background` the cell's glass first (a full paint has painted it).
    void PaintCell(Painter& painter, int row, int column, const CellDots& dots, bool background) const;
    void PaintGlass(Painter& painter) const;
    Rect CellArea(int row, int column) const;
    int DotRows() const;

    Settings settings_;
    LcdController controller_;
    // What the last paint showed, and what the controller shows now.
    mutable std::vector<CellDots> painted_;
    std::vector<CellDots> current_;
    mutable bool paintedAll_ = false;
};

}  // namespace instruments
