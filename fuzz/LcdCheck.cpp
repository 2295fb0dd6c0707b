// Random bus traffic into a character LCD, against a small model of the
// controller written from the instruction table alone: the state after every
// transfer and every read must agree, and the incrementally painted glass must
// equal a full repaint.

#include <array>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "instruments/CharacterLcd.h"
#include "instruments/Painter.h"
#include "instruments/Surface.h"

namespace fuzz {

namespace {

using instruments::LcdRegister;

// The controller as a list of the addresses that exist, walked by position.
// The 80 bytes of DDRAM keep their order when the line mode changes: the n-th
// address that exists names the n-th byte.
struct Model {
    bool eightBit = true;
    bool twoLines = false;
    bool tall = false;
    bool display = false, cursor = false, blink = false;
    bool increment = true, shift = false;
    int displayShift = 0;
    int ac = 0;
    bool cgram = false;
    std::array<int, 80> ddram{};
    std::array<int, 64> cg{};
    bool half = false;
    int nibble = 0;
    bool readHalf = false;
    int readValue = 0;

    Model() { ddram.fill(0x20); }

    std::vector<int> Addresses() const {
        std::vector<int> list;
        for (int a = 0; a < 128; ++a) {
            if (twoLines ? (a < 40 || (a >= 0x40 && a < 0x68)) : a < 80) {
                list.push_back(a);
            }
        }
        return list;
    }
    std::size_t Byte(int address) const {
        const std::vector<int> list = Addresses();
        std::size_t at = 0;
        while (list[at] != address) {
            ++at;
        }
        return at;
    }
    void Step(bool forward) {
        if (cgram) {
            ac = (ac + (forward ? 1 : 63)) % 64;
            return;
        }
        const std::vector<int> list = Addresses();
        std::size_t at = 0;
        while (list[at] != ac) {
            ++at;
        }
        ac = list[(at + (forward ? 1 : list.size() - 1)) % list.size()];
    }
    void SetAddress(int a) {
        const std::vector<int> list = Addresses();
        ac = list[0];
        for (const int valid : list) {
            if (valid >= a) {
                ac = valid;
                break;
            }
        }
        cgram = false;
    }
    void Shift(bool left) {
        const int length = twoLines ? 40 : 80;
        displayShift = (displayShift + (left ? 1 : length - 1)) % length;
    }
    void Execute(bool data, int v) {
        if (data) {
            if (cgram) {
                cg[static_cast<std::size_t>(ac)] = v;
                Step(increment);
            } else {
                ddram[Byte(ac)] = v;
                Step(increment);
                if (shift) {
                    Shift(increment);
                }
            }
        } else if (v >= 0x80) {
            SetAddress(v & 0x7F);
        } else if (v >= 0x40) {
            ac = v & 0x3F;
            cgram = true;
        } else if (v >= 0x20) {
            eightBit = (v & 0x10) != 0;
            twoLines = (v & 0x08) != 0;
            tall = (v & 0x04) != 0 && !twoLines;
            half = false;
            displayShift %= twoLines ? 40 : 80;
            if (!cgram) {
                SetAddress(ac);
            }
        } else if (v >= 0x10) {
            if ((v & 0x08) != 0) {
                Shift((v & 0x04) == 0);
            } else {
                Step((v & 0x04) != 0);
            }
        } else if (v >= 0x08) {
            display = (v & 4) != 0;
            cursor = (v & 2) != 0;
            blink = (v & 1) != 0;
        } else if (v >= 0x04) {
            increment = (v & 2) != 0;
            shift = (v & 1) != 0;
        } else if (v >= 0x02) {
            ac = 0;
            cgram = false;
            displayShift = 0;
        } else if (v == 0x01) {
            ddram.fill(0x20);
            ac = 0;
            cgram = false;
            displayShift = 0;
            increment = true;
        }
    }
    void Write(bool data, int bus) {
        readHalf = false;
        if (eightBit) {
            Execute(data, bus);
        } else if (!half) {
            nibble = bus & 0xF0;
            half = true;
        } else {
            half = false;
            Execute(data, nibble | (bus >> 4));
        }
    }
    int ReadByteValue(bool data) {
        if (!data) {
            return ac;
        }
        const int value = cgram ? cg[static_cast<std::size_t>(ac)] : ddram[Byte(ac)];
        Step(increment);
        return value;
    }
    int Read(bool data) {
        half = false;
        if (eightBit) {
            return ReadByteValue(data);
        }
        if (!readHalf) {
            readValue = ReadByteValue(data);
            readHalf = true;
            return readValue & 0xF0;
        }
        readHalf = false;
        return (readValue << 4) & 0xF0;
    }
};

std::string Compare(const instruments::LcdState& s, const Model& m) {
    const auto differs = [](const char* what) {
        return std::string("LCD state differs from the model: ") + what;
    };
    if (s.eightBitBus != m.eightBit || s.twoLines != m.twoLines ||
        (s.font == instruments::LcdFont::Dots5x10) != m.tall) {
        return differs("function set");
    }
    if (s.displayOn != m.display || s.cursorOn != m.cursor || s.blinkOn != m.blink) {
        return differs("display control");
    }
    if (s.increment != m.increment || s.shiftOnWrite != m.shift || s.displayShift != m.displayShift) {
        return differs("entry mode or shift");
    }
    if (s.addressCounter != m.ac || s.addressInCgram != m.cgram) {
        return differs("address counter");
    }
    for (std::size_t i = 0; i < 80; ++i) {
        if (s.ddram[i] != m.ddram[i]) {
            return differs("DDRAM");
        }
    }
    for (std::size_t i = 0; i < 64; ++i) {
        if (s.cgram[i] != m.cg[i]) {
            return differs("CGRAM");
        }
    }
    return {};
}

}  // namespace

std::string CheckLcd(std::span<const std::uint8_t> input) {
    FuzzInput in(input);
    static constexpr std::array<std::array<int, 2>, 6> kSizes{
        {{8, 1}, {16, 2}, {20, 4}, {40, 2}, {16, 4}, {8, 2}}};
    const auto& size = kSizes[in.Byte() % kSizes.size()];
    instruments::CharacterLcd::Settings settings{.columns = size[0], .rows = size[1]};
    if (in.Byte() % 2 == 0) {
        settings.look = instruments::LcdLook::Preset("blue");
        settings.look.dots = instruments::DotStyle::Rounded;
        settings.look.dotSize = 1 + in.Byte() % 4;
        settings.look.dotGap = in.Byte() % 3;
    }
    instruments::CharacterLcd lcd(settings);
    Model model;
    instruments::Surface surface(lcd.size().width, lcd.size().height);
    instruments::Painter painter(surface);
    for (int step = 0; step < 400; ++step) {
        const std::uint8_t op = in.Byte();
        const std::uint8_t value = in.Byte();
        const bool data = (op & 1) != 0;
        const LcdRegister reg = data ? LcdRegister::Data : LcdRegister::Instruction;
        switch ((op >> 1) % 5) {
            case 0:
            case 1:
                lcd.Write(reg, value);
                model.Write(data, value);
                break;
            case 2:
                if (lcd.Read(reg) != model.Read(data)) {
                    return "a read differs from the model";
                }
                break;
            case 3:
                lcd.Advance(value * 7.5);
                break;
            default:
                if (value % 4 == 0) {
                    lcd.PaintChangedCells(painter);
                }
        }
        if (std::string failure = Compare(lcd.controller().state(), model); !failure.empty()) {
            return failure + " after step " + std::to_string(step);
        }
        if (in.Byte() == 0 && in.Byte() == 0) {
            break;  // the input ran out
        }
    }
    lcd.PaintChangedCells(painter);
    instruments::CharacterLcd fresh = lcd;
    instruments::Surface full(lcd.size().width, lcd.size().height);
    instruments::Painter fullPainter(full);
    fresh.Invalidate();
    fresh.Paint(fullPainter);
    if (!full.SamePixels(surface)) {
        return "the incrementally painted LCD differs from a full repaint";
    }
    return {};
}

}  // namespace fuzz
