#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "instruments/CharacterLcd.h"
#include "instruments/GlyphTable.h"
#include "instruments/SettingsError.h"

namespace instruments {

namespace {

// Execution times at 270 kHz, in nanoseconds.
constexpr std::int64_t kPowerOnNs = 10'000'000;
constexpr std::int64_t kInstructionNs = 37'000;
constexpr std::int64_t kClearOrHomeNs = 1'520'000;
// One blink phase is 102400 oscillator periods: 102400 / f ms.
constexpr long double kBlinkPeriods = 102400.0L;

constexpr int kLineLength = 40;     // each line of a two-line display
constexpr int kOneLineLength = 80;  // the one line of a one-line display
constexpr int kSecondLine = 0x40;   // DDRAM address of the second line
constexpr int kCgramSize = 64;

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<std::int64_t>::max() : sum;
}

LcdRom MakeBuiltinRom() {
    return LcdRom::Parse("");
}

}  // namespace

const LcdRom& LcdRom::Builtin() {
    static const LcdRom rom = MakeBuiltinRom();
    return rom;
}

LcdRom LcdRom::Parse(std::string_view text) {
    LcdRom rom;
    const GlyphTable& glyphs = GlyphTable::Builtin();
    for (int code = 0; code < 256; ++code) {
        for (int row = 0; row < GlyphTable::kRows; ++row) {
            rom.patterns_[static_cast<std::size_t>(code)][static_cast<std::size_t>(row)] =
                glyphs.Bits(static_cast<std::uint8_t>(code), row);
        }
    }
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    int code = -1;
    int codeLine = 0;
    int rowsRead = 0;
    Pattern pattern{};
    const auto fail = [&](const std::string& why) {
        throw SettingsError("character ROM line " + std::to_string(number) + ": " + why);
    };
    const auto finish = [&] {
        if (code < 0) {
            return;
        }
        if (rowsRead != 8 && rowsRead != 10) {
            number = codeLine;
            fail("code " + std::to_string(code) + " has " + std::to_string(rowsRead) +
                 " rows: a pattern has 8 or 10");
        }
        rom.patterns_[static_cast<std::size_t>(code)] = pattern;
        code = -1;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
        }
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) {
            continue;
        }
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        if (line.rfind("code ", 0) == 0) {
            finish();
            const std::string hex = line.substr(5);
            char* end = nullptr;
            const long value = std::strtol(hex.c_str(), &end, 16);
            if (hex.empty() || hex.size() > 2 || *end != '\0' || value < 0 || value > 255) {
                fail("expected \"code HH\" with a hex code 00..FF, got \"" + line + "\"");
            }
            code = static_cast<int>(value);
            codeLine = number;
            rowsRead = 0;
            pattern = {};
            continue;
        }
        if (code < 0) {
            fail("a pattern row before any \"code HH\" line");
        }
        if (line.size() != 5 || line.find_first_not_of("X.") != std::string::npos) {
            fail("a pattern row is five \"X\" (lit) or \".\" (dark), got \"" + line + "\"");
        }
        if (rowsRead == 10) {
            fail("code " + std::to_string(code) + " has more than 10 rows");
        }
        std::uint8_t bits = 0;
        for (const char c : line) {
            bits = static_cast<std::uint8_t>((bits << 1) | (c == 'X' ? 1 : 0));
        }
        pattern[static_cast<std::size_t>(rowsRead++)] = bits;
    }
    finish();
    return rom;
}

LcdRom LcdRom::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw SettingsError("cannot read the character ROM \"" + path + "\"");
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

LcdController::LcdController(const Options& options) : options_(options) {
    const int columns = options.columns;
    const int rows = options.rows;
    if (columns < 8 || columns > 40 || (rows != 1 && rows != 2 && rows != 4) || columns * rows > 80 ||
        (rows == 4 && columns > 20)) {
        throw SettingsError("LCD size " + std::to_string(columns) + "x" + std::to_string(rows) +
                            ": give 8..40 columns by 1, 2 or 4 rows, at most 80 cells (four rows at most 20 "
                            "columns)");
    }
    if (!(options.oscillatorKhz >= 50 && options.oscillatorKhz <= 1000)) {
        throw SettingsError("LCD oscillator " + std::to_string(options.oscillatorKhz) +
                            " kHz: give 50..1000 kHz");
    }
    rom_ = options.rom != nullptr ? *options.rom : LcdRom::Builtin();
    options_.rom = nullptr;
    state_.ddram.fill(0x20);
    if (options.timing == LcdTiming::Check) {
        busyUntilNs_ = Scaled(kPowerOnNs);
    }
}

std::int64_t LcdController::Scaled(std::int64_t nanosecondsAt270) const {
    return std::llround(static_cast<double>(nanosecondsAt270) * 270.0 / options_.oscillatorKhz);
}

void LcdController::Advance(double milliseconds) {
    if (!(milliseconds > 0)) {
        return;
    }
    // A day at most per call: the clock stays far from overflowing.
    const double nanoseconds = std::min(milliseconds, 86'400'000.0) * 1e6;
    nowNs_ = SaturatingAdd(nowNs_, std::llround(nanoseconds));
}

double LcdController::NowMs() const {
    return static_cast<double>(nowNs_) / 1e6;
}

bool LcdController::Busy() const {
    return options_.timing == LcdTiming::Check && nowNs_ < busyUntilNs_;
}

void LcdController::HoldBusy(std::int64_t nanosecondsAt270) {
    if (options_.timing == LcdTiming::Check) {
        busyUntilNs_ = SaturatingAdd(nowNs_, Scaled(nanosecondsAt270));
    }
}

std::int64_t LcdController::BlinkPhase() const {
    return static_cast<std::int64_t>(static_cast<long double>(nowNs_) * options_.oscillatorKhz /
                                     (kBlinkPeriods * 1e6L));
}

void LcdController::Write(LcdRegister reg, std::uint8_t bus) {
    if (Busy()) {
        ++state_.droppedWrites;
        return;
    }
    readSecondHalf_ = false;
    if (state_.eightBitBus) {
        Execute(reg, bus);
        return;
    }
    if (!halfWritten_) {
        firstNibble_ = bus & 0xF0;
        halfWritten_ = true;
        return;
    }
    halfWritten_ = false;
    Execute(reg, static_cast<std::uint8_t>(firstNibble_ | (bus >> 4)));
}

std::uint8_t LcdController::Read(LcdRegister reg) {
    halfWritten_ = false;
    const auto readByte = [&]() -> std::uint8_t {
        if (reg == LcdRegister::Instruction) {
            return static_cast<std::uint8_t>((Busy() ? 0x80 : 0) | state_.addressCounter);
        }
        return ReadRam();
    };
    if (state_.eightBitBus) {
        return readByte();
    }
    if (!readSecondHalf_) {
        readByte_ = readByte();
        readSecondHalf_ = true;
        return readByte_ & 0xF0;
    }
    readSecondHalf_ = false;
    return static_cast<std::uint8_t>(readByte_ << 4);
}

void LcdController::WriteByte(LcdRegister reg, std::uint8_t value) {
    if (state_.eightBitBus) {
        Write(reg, value);
        return;
    }
    Write(reg, value);
    Write(reg, static_cast<std::uint8_t>(value << 4));
}

std::uint8_t LcdController::ReadByte(LcdRegister reg) {
    if (state_.eightBitBus) {
        return Read(reg);
    }
    const std::uint8_t high = Read(reg);
    return static_cast<std::uint8_t>(high | (Read(reg) >> 4));
}

void LcdController::Execute(LcdRegister reg, std::uint8_t value) {
    if (reg == LcdRegister::Data) {
        WriteRam(value);
        HoldBusy(kInstructionNs);
    } else {
        Instruction(value);
    }
}

int LcdController::DdramIndex(int address) const {
    if (!state_.twoLines) {
        return address;
    }
    return address >= kSecondLine ? address - kSecondLine + kLineLength : address;
}

// An address outside the map moves to the next address that exists: in
// two-line mode 0x28..0x3F to 0x40 and 0x68..0x7F to 0x00, in one-line mode
// 0x50..0x7F to 0x00.
void LcdController::SetDdramAddress(int address) {
    address &= 0x7F;
    if (state_.twoLines) {
        if (address >= kLineLength && address < kSecondLine) {
            address = kSecondLine;
        } else if (address >= kSecondLine + kLineLength) {
            address = 0;
        }
    } else if (address >= kOneLineLength) {
        address = 0;
    }
    state_.addressCounter = address;
    state_.addressInCgram = false;
}

void LcdController::MoveAddress(bool forward) {
    int& ac = state_.addressCounter;
    if (state_.addressInCgram) {
        ac = (ac + (forward ? 1 : kCgramSize - 1)) % kCgramSize;
        return;
    }
    if (!state_.twoLines) {
        ac = (ac + (forward ? 1 : kOneLineLength - 1)) % kOneLineLength;
        return;
    }
    if (forward) {
        ac = ac == kLineLength - 1 ? kSecondLine : ac == kSecondLine + kLineLength - 1 ? 0 : ac + 1;
    } else {
        ac = ac == kSecondLine ? kLineLength - 1 : ac == 0 ? kSecondLine + kLineLength - 1 : ac - 1;
    }
}

void LcdController::ShiftDisplay(bool left) {
    const int length = state_.twoLines ? kLineLength : kOneLineLength;
    state_.displayShift = (state_.displayShift + (left ? 1 : length - 1)) % length;
}

void LcdController::WriteRam(std::uint8_t value) {
    if (state_.addressInCgram) {
        state_.cgram[static_cast<std::size_t>(state_.addressCounter)] = value;
        MoveAddress(state_.increment);
        return;
    }
    state_.ddram[static_cast<std::size_t>(DdramIndex(state_.addressCounter))] = value;
    MoveAddress(state_.increment);
    if (state_.shiftOnWrite) {
        ShiftDisplay(state_.increment);
    }
}

std::uint8_t LcdController::ReadRam() {
    const std::uint8_t value =
        state_.addressInCgram ? state_.cgram[static_cast<std::size_t>(state_.addressCounter)]
                              : state_.ddram[static_cast<std::size_t>(DdramIndex(state_.addressCounter))];
    MoveAddress(state_.increment);
    HoldBusy(kInstructionNs);
    return value;
}

void LcdController::Instruction(std::uint8_t value) {
    if ((value & 0x80) != 0) {
        SetDdramAddress(value & 0x7F);
    } else if ((value & 0x40) != 0) {
        state_.addressCounter = value & 0x3F;
        state_.addressInCgram = true;
    } else if ((value & 0x20) != 0) {
        // The chip accepts lines and font only in the first function set after
        // start-up; this one takes them whenever they come.
        state_.eightBitBus = (value & 0x10) != 0;
        state_.twoLines = (value & 0x08) != 0;
        state_.font = (value & 0x04) != 0 && !state_.twoLines ? LcdFont::Dots5x10 : LcdFont::Dots5x8;
        halfWritten_ = false;
        const int length = state_.twoLines ? kLineLength : kOneLineLength;
        state_.displayShift %= length;
        if (!state_.addressInCgram) {
            SetDdramAddress(state_.addressCounter);
        }
    } else if ((value & 0x10) != 0) {
        const bool right = (value & 0x04) != 0;
        if ((value & 0x08) != 0) {
            ShiftDisplay(!right);
        } else {
            MoveAddress(right);
        }
    } else if ((value & 0x08) != 0) {
        state_.displayOn = (value & 0x04) != 0;
        state_.cursorOn = (value & 0x02) != 0;
        state_.blinkOn = (value & 0x01) != 0;
    } else if ((value & 0x04) != 0) {
        state_.increment = (value & 0x02) != 0;
        state_.shiftOnWrite = (value & 0x01) != 0;
    } else if ((value & 0x02) != 0) {
        state_.addressCounter = 0;
        state_.addressInCgram = false;
        state_.displayShift = 0;
        HoldBusy(kClearOrHomeNs);
        return;
    } else if (value == 0x01) {
        state_.ddram.fill(0x20);
        state_.addressCounter = 0;
        state_.addressInCgram = false;
        state_.displayShift = 0;
        state_.increment = true;
        HoldBusy(kClearOrHomeNs);
        return;
    } else {
        return;  // 0x00 is no instruction
    }
    HoldBusy(kInstructionNs);
}

int LcdController::AddressAt(int row, int column) const {
    if (row < 0 || row >= options_.rows || column < 0 || column >= options_.columns) {
        return -1;
    }
    // Rows 2 and 3 continue lines 1 and 2 past the glass's width.
    const int line = row % 2;
    const int along = (row / 2) * options_.columns + column;
    if (state_.twoLines) {
        return (line == 1 ? kSecondLine : 0) + (along + state_.displayShift) % kLineLength;
    }
    return line == 0 ? (along + state_.displayShift) % kOneLineLength : -1;  // one line drives no second row
}

LcdRom::Pattern LcdController::CellRows(int row, int column, LcdFont glass) const {
    LcdRom::Pattern rows{};
    const int address = AddressAt(row, column);
    if (!state_.displayOn || address < 0) {
        return rows;
    }
    const std::uint8_t code = state_.ddram[static_cast<std::size_t>(DdramIndex(address))];
    const bool tall = state_.font == LcdFont::Dots5x10;
    const int fontRows = tall ? 11 : 8;
    if (code < 16) {
        const int first = tall ? ((code & 7) >> 1) * 16 : (code & 7) * 8;
        for (int r = 0; r < fontRows; ++r) {
            rows[static_cast<std::size_t>(r)] = state_.cgram[static_cast<std::size_t>(first + r)] & 0x1F;
        }
    } else {
        const LcdRom::Pattern& pattern = rom_.PatternOf(code);
        std::copy_n(pattern.begin(), fontRows, rows.begin());
    }
    const bool atCursor = !state_.addressInCgram && state_.addressCounter == address;
    if (atCursor && state_.cursorOn) {
        rows[static_cast<std::size_t>(fontRows - 1)] = 0x1F;
    }
    if (atCursor && state_.blinkOn && BlinkPhase() % 2 == 0) {
        std::fill_n(rows.begin(), fontRows, std::uint8_t{0x1F});
    }
    const int glassRows = glass == LcdFont::Dots5x10 ? 11 : 8;
    std::fill(rows.begin() + glassRows, rows.end(), std::uint8_t{0});
    return rows;
}

}  // namespace instruments
