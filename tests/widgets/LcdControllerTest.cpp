// The character LCD controller against the datasheet's instruction set: the
// worked start and write sequences, address wrapping, shifts, CGRAM, reads,
// blink phases and the busy flag.

#include <gtest/gtest.h>

#include <string>

#include "instruments/CharacterLcd.h"
#include "instruments/SettingsError.h"

namespace instruments {
namespace {

constexpr auto kI = LcdRegister::Instruction;
constexpr auto kD = LcdRegister::Data;

LcdController Make(int columns = 16, int rows = 2, LcdTiming timing = LcdTiming::Off, double khz = 270) {
    return LcdController({.columns = columns, .rows = rows, .oscillatorKhz = khz, .timing = timing});
}

int Ddram(const LcdController& lcd, int address) {
    const LcdState& s = lcd.state();
    const int index = s.twoLines && address >= 0x40 ? address - 0x40 + 40 : address;
    return s.ddram[static_cast<std::size_t>(index)];
}

TEST(LcdController, PowerOnStateIsTheInternalReset) {
    const LcdController lcd = Make();
    const LcdState& s = lcd.state();
    EXPECT_TRUE(s.eightBitBus);
    EXPECT_FALSE(s.twoLines);
    EXPECT_EQ(s.font, LcdFont::Dots5x8);
    EXPECT_FALSE(s.displayOn || s.cursorOn || s.blinkOn || s.shiftOnWrite);
    EXPECT_TRUE(s.increment);
    EXPECT_EQ(s.addressCounter, 0);
    for (const std::uint8_t byte : s.ddram) {
        ASSERT_EQ(byte, 0x20);
    }
    for (const std::uint8_t byte : s.cgram) {
        ASSERT_EQ(byte, 0);
    }
}

// The datasheet's 8-bit example: function set, display on with cursor, entry
// mode increment, then "H" at the cursor.
TEST(LcdController, EightBitStartAndWrite) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kI, 0x0E);
    lcd.Write(kI, 0x06);
    lcd.Write(kD, 'H');
    const LcdState& s = lcd.state();
    EXPECT_TRUE(s.twoLines && s.displayOn && s.cursorOn && !s.blinkOn);
    EXPECT_EQ(Ddram(lcd, 0), 'H');
    EXPECT_EQ(s.addressCounter, 1);
    // The cursor row of the cell at AC is lit; the H's cell has the H.
    EXPECT_EQ(lcd.CellRows(0, 1, LcdFont::Dots5x8)[7], 0x1F);
    EXPECT_EQ(lcd.CellRows(0, 0, LcdFont::Dots5x8)[0], 0x11);  // H: X...X
}

// The 4-bit example: one 8-bit transfer sets the 4-bit bus, then every byte is
// two nibbles, high first, and takes the RS of the second.
TEST(LcdController, FourBitStartAndWrite) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x20);
    EXPECT_FALSE(lcd.state().eightBitBus);
    for (const std::uint8_t nibble : {0x20, 0x80, 0x00, 0xE0, 0x00, 0x60}) {
        lcd.Write(kI, nibble);
    }
    lcd.Write(kI, 0x40);  // the RS of the second nibble counts
    lcd.Write(kD, 0x80);
    EXPECT_TRUE(lcd.state().twoLines && lcd.state().displayOn && lcd.state().cursorOn);
    EXPECT_EQ(Ddram(lcd, 0), 'H');
    EXPECT_EQ(lcd.state().addressCounter, 1);
}

// The drivers' start-up nibbles 3, 3, 3, 2 end on a 4-bit bus at a byte
// boundary from an 8-bit bus, from a 4-bit one, and from half a byte sent.
TEST(LcdController, StartUpNibblesWorkFromEveryBusState) {
    for (int start = 0; start < 3; ++start) {
        LcdController lcd = Make();
        if (start >= 1) {
            lcd.Write(kI, 0x20);  // 4-bit
        }
        if (start == 2) {
            lcd.Write(kI, 0x00);  // half a byte
            ASSERT_TRUE(lcd.HalfByteWritten());
        }
        for (const std::uint8_t nibble : {0x30, 0x30, 0x30, 0x20}) {
            lcd.Write(kI, nibble);
        }
        EXPECT_FALSE(lcd.state().eightBitBus) << start;
        EXPECT_FALSE(lcd.HalfByteWritten()) << start;
        lcd.WriteByte(kI, 0x28);
        lcd.WriteByte(kD, 'A');
        EXPECT_TRUE(lcd.state().twoLines) << start;
        EXPECT_EQ(Ddram(lcd, 0), 'A') << start;
    }
}

TEST(LcdController, AddressesWrapBetweenTheLines) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kI, 0x80 | 0x27);
    lcd.Write(kD, 'a');
    EXPECT_EQ(lcd.state().addressCounter, 0x40);
    lcd.Write(kI, 0x80 | 0x67);
    lcd.Write(kD, 'b');
    EXPECT_EQ(lcd.state().addressCounter, 0x00);
    EXPECT_EQ(Ddram(lcd, 0x27), 'a');
    EXPECT_EQ(Ddram(lcd, 0x67), 'b');
    lcd.Write(kI, 0x04);  // decrement
    lcd.Write(kD, 'c');
    EXPECT_EQ(lcd.state().addressCounter, 0x67);
    lcd.Write(kI, 0x80 | 0x40);
    lcd.Write(kD, 'd');
    EXPECT_EQ(lcd.state().addressCounter, 0x27);
    // Outside the map: the next address that exists.
    lcd.Write(kI, 0x80 | 0x30);
    EXPECT_EQ(lcd.state().addressCounter, 0x40);
    lcd.Write(kI, 0x80 | 0x70);
    EXPECT_EQ(lcd.state().addressCounter, 0x00);

    LcdController one = Make(16, 1);
    one.Write(kI, 0x80 | 0x4F);
    one.Write(kD, 'z');
    EXPECT_EQ(one.state().addressCounter, 0);
    EXPECT_EQ(one.state().ddram[0x4F], 'z');
    one.Write(kI, 0x80 | 0x55);
    EXPECT_EQ(one.state().addressCounter, 0);
}

TEST(LcdController, DisplayAndCursorShifts) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kI, 0x0C);
    for (const char c : std::string("ABC")) {
        lcd.Write(kD, static_cast<std::uint8_t>(c));
    }
    lcd.Write(kI, 0x18);  // display left: column 0 shows address 1
    EXPECT_EQ(lcd.state().displayShift, 1);
    LcdController reference = Make();
    reference.Write(kI, 0x38);
    reference.Write(kI, 0x0C);
    reference.Write(kD, 'B');
    EXPECT_EQ(lcd.CellRows(0, 0, LcdFont::Dots5x8), reference.CellRows(0, 0, LcdFont::Dots5x8));
    lcd.Write(kI, 0x1C);
    lcd.Write(kI, 0x1C);  // right twice: wraps to 39
    EXPECT_EQ(lcd.state().displayShift, 39);
    // Cursor shifts move AC, the display stays.
    lcd.Write(kI, 0x10);
    EXPECT_EQ(lcd.state().addressCounter, 2);
    lcd.Write(kI, 0x14);
    EXPECT_EQ(lcd.state().addressCounter, 3);
    EXPECT_EQ(lcd.state().displayShift, 39);
    // Shift on write shifts with DDRAM writes only.
    lcd.Write(kI, 0x02);
    lcd.Write(kI, 0x07);
    lcd.Write(kD, 'x');
    EXPECT_EQ(lcd.state().displayShift, 1);
    lcd.Write(kI, 0x40);
    lcd.Write(kD, 0x1F);
    EXPECT_EQ(lcd.state().displayShift, 1);
    lcd.ReadByte(kD);
    EXPECT_EQ(lcd.state().displayShift, 1);
}

TEST(LcdController, ClearAndHome) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kI, 0x05);  // decrement, shift
    lcd.Write(kD, 'q');
    lcd.Write(kI, 0x02);
    EXPECT_EQ(lcd.state().addressCounter, 0);
    EXPECT_EQ(lcd.state().displayShift, 0);
    EXPECT_EQ(Ddram(lcd, 0), 'q');
    lcd.Write(kI, 0x01);
    EXPECT_EQ(Ddram(lcd, 0), 0x20);
    EXPECT_TRUE(lcd.state().increment);
    EXPECT_TRUE(lcd.state().shiftOnWrite);
}

TEST(LcdController, CgramCharactersAndTheirAliases) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kI, 0x0C);
    lcd.Write(kI, 0x40 | 8);  // character 1
    for (int r = 0; r < 8; ++r) {
        lcd.Write(kD, static_cast<std::uint8_t>(0xE0 | r));  // bits above 4 are not shown
    }
    EXPECT_EQ(lcd.state().addressCounter, 16);
    lcd.Write(kI, 0x80);
    lcd.Write(kD, 1);
    lcd.Write(kD, 9);
    const LcdRom::Pattern one = lcd.CellRows(0, 0, LcdFont::Dots5x8);
    EXPECT_EQ(one, lcd.CellRows(0, 1, LcdFont::Dots5x8));
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(one[static_cast<std::size_t>(r)], r);
    }
    // 5 x 10: four characters of 16 bytes, codes 2 and 3 both the second.
    LcdController tall = Make(16, 1);
    tall.Write(kI, 0x34);
    tall.Write(kI, 0x0C);
    tall.Write(kI, 0x40 | 16);
    for (int r = 0; r < 11; ++r) {
        tall.Write(kD, 0x1F);
    }
    tall.Write(kI, 0x80);
    tall.Write(kD, 2);
    tall.Write(kD, 3);
    EXPECT_EQ(tall.state().font, LcdFont::Dots5x10);
    EXPECT_EQ(tall.CellRows(0, 0, LcdFont::Dots5x10)[10], 0x1F);
    EXPECT_EQ(tall.CellRows(0, 0, LcdFont::Dots5x10), tall.CellRows(0, 1, LcdFont::Dots5x10));
    // An 8-row glass cuts the pattern.
    EXPECT_EQ(tall.CellRows(0, 0, LcdFont::Dots5x8)[8], 0);
    // 5 x 10 is only for one line.
    tall.Write(kI, 0x3C);
    EXPECT_EQ(tall.state().font, LcdFont::Dots5x8);
}

TEST(LcdController, ReadsReturnRamAndStatus) {
    LcdController lcd = Make();
    lcd.Write(kI, 0x38);
    lcd.Write(kD, 'x');
    lcd.Write(kD, 'y');
    EXPECT_EQ(lcd.ReadByte(kI), 2);  // not busy, AC 2
    lcd.Write(kI, 0x80);
    EXPECT_EQ(lcd.ReadByte(kD), 'x');
    EXPECT_EQ(lcd.ReadByte(kD), 'y');
    EXPECT_EQ(lcd.state().addressCounter, 2);
    // On a 4-bit bus a read is two transfers, high nibble first.
    lcd.Write(kI, 0x28);
    lcd.WriteByte(kI, 0x80);
    EXPECT_EQ(lcd.Read(kD), 'x' & 0xF0);
    EXPECT_EQ(lcd.Read(kD), ('x' << 4) & 0xF0);
    EXPECT_EQ(lcd.ReadByte(kD), 'y');
}

TEST(LcdController, BlinkAlternatesWithAFullCellInPhasesOfTheOscillator) {
    for (const double khz : {270.0, 250.0}) {
        LcdController lcd = Make(16, 2, LcdTiming::Off, khz);
        lcd.Write(kI, 0x38);
        lcd.Write(kI, 0x0D);  // display, blink
        lcd.Write(kD, 'A');
        lcd.Write(kI, 0x80);
        const double phase = 102400.0 / khz;
        const LcdRom::Pattern block = lcd.CellRows(0, 0, LcdFont::Dots5x8);
        for (int r = 0; r < 8; ++r) {
            ASSERT_EQ(block[static_cast<std::size_t>(r)], 0x1F);
        }
        lcd.Advance(phase - 0.01);
        EXPECT_EQ(lcd.BlinkPhase(), 0);
        lcd.Advance(0.02);
        EXPECT_EQ(lcd.BlinkPhase(), 1);
        EXPECT_EQ(lcd.CellRows(0, 0, LcdFont::Dots5x8)[0], 0x0E) << khz;  // the A
        lcd.Advance(phase);
        EXPECT_EQ(lcd.CellRows(0, 0, LcdFont::Dots5x8), block) << khz;
    }
}

TEST(LcdController, TimingCheckHoldsBusyAndDropsEarlyWrites) {
    LcdController lcd = Make(16, 2, LcdTiming::Check);
    EXPECT_TRUE(lcd.Busy());
    lcd.Write(kI, 0x38);  // during the internal reset
    EXPECT_EQ(lcd.state().droppedWrites, 1);
    EXPECT_FALSE(lcd.state().twoLines);
    EXPECT_EQ(lcd.ReadByte(kI) & 0x80, 0x80);
    lcd.Advance(10);
    EXPECT_FALSE(lcd.Busy());
    lcd.Write(kI, 0x38);
    EXPECT_TRUE(lcd.Busy());
    lcd.Advance(0.036);
    lcd.Write(kI, 0x0C);
    EXPECT_EQ(lcd.state().droppedWrites, 2);
    lcd.Advance(0.001);
    lcd.Write(kI, 0x01);  // clear: 1.52 ms
    lcd.Advance(1.5);
    EXPECT_TRUE(lcd.Busy());
    lcd.Advance(0.02);
    EXPECT_FALSE(lcd.Busy());
    // Twice the oscillator, half the times.
    LcdController fast = Make(16, 2, LcdTiming::Check, 540);
    fast.Advance(5);
    EXPECT_FALSE(fast.Busy());
    // With the check off nothing is ever busy.
    LcdController off = Make();
    off.Write(kI, 0x01);
    EXPECT_FALSE(off.Busy());
    EXPECT_EQ(off.ReadByte(kI) & 0x80, 0);
}

TEST(LcdController, RefusesSizesNoModuleHas) {
    for (const auto& [columns, rows] : {std::pair{7, 2}, {41, 1}, {16, 3}, {24, 4}, {40, 4}, {8, 0}}) {
        EXPECT_THROW(Make(columns, rows), SettingsError) << columns << "x" << rows;
    }
    for (const auto& [columns, rows] : {std::pair{8, 1}, {16, 2}, {20, 4}, {40, 2}, {16, 4}}) {
        EXPECT_NO_THROW(Make(columns, rows)) << columns << "x" << rows;
    }
    EXPECT_THROW(Make(16, 2, LcdTiming::Off, 0), SettingsError);
}

TEST(LcdRom, ParsesTextArtAndNamesTheBadLine) {
    const LcdRom rom = LcdRom::Parse(
        "# a ROM of one glyph\n"
        "code 41\n"
        "X...X\n.X.X.\n..X..\n..X..\n..X..\n..X..\n..X..\n.....  # row 8\n");
    EXPECT_EQ(rom.PatternOf(0x41)[0], 0x11);
    EXPECT_EQ(rom.PatternOf(0x41)[6], 0x04);
    EXPECT_EQ(rom.PatternOf(0x42), LcdRom::Builtin().PatternOf(0x42));
    const auto lineOf = [](const char* text) -> std::string {
        try {
            LcdRom::Parse(text);
        } catch (const SettingsError& error) {
            return error.what();
        }
        return "accepted";
    };
    EXPECT_NE(lineOf("code 41\nX...X\nXX\n").find("line 3"), std::string::npos);
    EXPECT_NE(lineOf("\ncode 41\nX...X\n").find("line 2"), std::string::npos);  // 1 row, not 8 or 10
    EXPECT_NE(lineOf("code 1G4\n").find("line 1"), std::string::npos);
    EXPECT_NE(lineOf("X...X\n").find("line 1"), std::string::npos);
    EXPECT_THROW(LcdRom::Load("/nonexistent/rom.txt"), SettingsError);
}

}  // namespace
}  // namespace instruments
