#include "instruments/CharacterLcd.h"

#include <algorithm>
#include <cmath>

#include "colour/Mix.h"
#include "instruments/SettingsError.h"

namespace instruments {

namespace {

constexpr int kCellColumns = 5;

// Glass without its backlight: every colour at 40 %.
Colour Unlit(Colour c) {
    return MixColours(Rgb(0, 0, 0), c, 102);
}

struct Colours {
    Colour glass;
    Colour lit;
    Colour unlit;
};

Colours ColoursOf(const LcdLook& look) {
    Colours c{look.backlight, look.ink, MixColours(look.backlight, look.ink, 30)};
    if (!Has(look.dots, DotStyle::ShowUnlit)) {
        c.unlit = c.glass;
    }
    if (!look.backlightOn) {
        c = {Unlit(c.glass), Unlit(c.lit), Unlit(c.unlit)};
    }
    return c;
}

}  // namespace

LcdLook LcdLook::Preset(std::string_view name) {
    LcdLook look;
    if (name == "yellow-green") {
        return look;
    }
    if (name == "blue") {
        look.backlight = Rgb(24, 64, 216);
        look.ink = Rgb(232, 240, 255);
    } else if (name == "white-on-black") {
        look.backlight = Rgb(12, 12, 12);
        look.ink = Rgb(240, 240, 240);
    } else if (name == "amber-on-black") {
        look.backlight = Rgb(14, 8, 0);
        look.ink = Rgb(255, 176, 0);
    } else if (name == "green-on-black") {
        look.backlight = Rgb(6, 14, 6);
        look.ink = Rgb(64, 255, 96);
    } else {
        throw SettingsError("unknown LCD preset \"" + std::string(name) +
                            "\": give yellow-green, blue, white-on-black, amber-on-black or green-on-black");
    }
    return look;
}

Size CharacterLcd::SizeOf(const Settings& settings) {
    const LcdLook& look = settings.look;
    const int p = look.dotSize + look.dotGap;
    const bool tall = look.glass == LcdFont::Dots5x10;
    const int w = look.frame.width;
    return {2 * w + 6 * p * settings.columns + 2 * p + look.dotSize,
            2 * w + (tall ? 12 : 9) * p * settings.rows + 2 * p + look.dotSize};
}

namespace {

LcdController::Options ControllerOptions(const CharacterLcd::Settings& settings) {
    return {settings.columns, settings.rows, settings.oscillatorKhz, settings.timing, settings.rom};
}

const CharacterLcd::Settings& Checked(const CharacterLcd::Settings& settings) {
    // The controller refuses sizes and oscillators; the glass is checked here.
    const LcdController sizeCheck(ControllerOptions(settings));
    const LcdLook& look = settings.look;
    if (look.dotSize < 1 || look.dotSize > 16) {
        throw SettingsError("LCD dot size " + std::to_string(look.dotSize) + ": give 1..16");
    }
    if (look.dotGap < 0 || look.dotGap > 16) {
        throw SettingsError("LCD dot gap " + std::to_string(look.dotGap) + ": give 0..16");
    }
    if (look.frame.width < 0 || look.frame.width > 64) {
        throw SettingsError("LCD frame.width " + std::to_string(look.frame.width) + ": give 0..64");
    }
    const auto allowed = static_cast<std::uint8_t>(DotStyle::ShowUnlit) |
                         static_cast<std::uint8_t>(DotStyle::Rounded) |
                         static_cast<std::uint8_t>(DotStyle::Joined);
    if ((static_cast<std::uint8_t>(look.dots) & ~allowed) != 0) {
        throw SettingsError("LCD dots: only ShowUnlit, Rounded and Joined apply to a character LCD");
    }
    if (look.glass == LcdFont::Dots5x10 && settings.rows != 1) {
        throw SettingsError("a 5x10 LCD glass has one row, not " + std::to_string(settings.rows));
    }
    return settings;
}

}  // namespace

CharacterLcd::CharacterLcd(const Settings& settings)
    : Instrument(SizeOf(Checked(settings))),
      settings_(settings),
      controller_(ControllerOptions(settings)),
      painted_(static_cast<std::size_t>(settings.columns * settings.rows)),
      current_(painted_.size()) {
    settings_.rom = nullptr;
    MarkAllChangedCells();
}

int CharacterLcd::DotRows() const {
    return settings_.look.glass == LcdFont::Dots5x10 ? 11 : 8;
}

Rect CharacterLcd::CellArea(int row, int column) const {
    const int p = settings_.look.dotSize + settings_.look.dotGap;
    const int origin = settings_.look.frame.width + 2 * p;
    const int down = settings_.look.glass == LcdFont::Dots5x10 ? 12 : 9;
    return {origin + 6 * p * column, origin + down * p * row, kCellColumns * p, DotRows() * p};
}

void CharacterLcd::MarkAllChangedCells() {
    for (int row = 0; row < settings_.rows; ++row) {
        for (int column = 0; column < settings_.columns; ++column) {
            const CellDots dots = controller_.CellRows(row, column, settings_.look.glass);
            CellDots& shown = current_[static_cast<std::size_t>(row * settings_.columns + column)];
            if (dots != shown) {
                shown = dots;
                Invalidate(CellArea(row, column));
            }
        }
    }
}

void CharacterLcd::MarkChangedCells(const LcdState& before) {
    const LcdState& now = controller_.state();
    if (before.displayOn != now.displayOn || before.cursorOn != now.cursorOn ||
        before.blinkOn != now.blinkOn || before.twoLines != now.twoLines || before.font != now.font ||
        before.displayShift != now.displayShift || before.cgram != now.cgram) {
        MarkAllChangedCells();
        return;
    }
    // Otherwise only the cells of the addresses whose byte changed and those
    // the cursor left or reached can show something else.
    std::array<bool, 128> touched{};
    touched[static_cast<std::size_t>(before.addressCounter)] = true;
    touched[static_cast<std::size_t>(now.addressCounter)] = true;
    for (std::size_t i = 0; i < now.ddram.size(); ++i) {
        if (now.ddram[i] != before.ddram[i]) {
            touched[now.twoLines && i >= 40 ? 0x40 + i - 40 : i] = true;
        }
    }
    for (int row = 0; row < settings_.rows; ++row) {
        for (int column = 0; column < settings_.columns; ++column) {
            const int address = controller_.AddressAt(row, column);
            if (address < 0 || !touched[static_cast<std::size_t>(address)]) {
                continue;
            }
            const CellDots dots = controller_.CellRows(row, column, settings_.look.glass);
            CellDots& shown = current_[static_cast<std::size_t>(row * settings_.columns + column)];
            if (dots != shown) {
                shown = dots;
                Invalidate(CellArea(row, column));
            }
        }
    }
}

void CharacterLcd::Write(LcdRegister reg, std::uint8_t bus) {
    const LcdState before = controller_.state();
    controller_.Write(reg, bus);
    MarkChangedCells(before);
}

std::uint8_t CharacterLcd::Read(LcdRegister reg) {
    const LcdState before = controller_.state();
    const std::uint8_t value = controller_.Read(reg);
    MarkChangedCells(before);
    return value;
}

void CharacterLcd::WriteByte(LcdRegister reg, std::uint8_t value) {
    const LcdState before = controller_.state();
    controller_.WriteByte(reg, value);
    MarkChangedCells(before);
}

std::uint8_t CharacterLcd::ReadByte(LcdRegister reg) {
    const LcdState before = controller_.state();
    const std::uint8_t value = controller_.ReadByte(reg);
    MarkChangedCells(before);
    return value;
}

void CharacterLcd::Advance(double milliseconds) {
    const std::int64_t phase = controller_.BlinkPhase();
    controller_.Advance(milliseconds);
    if (controller_.BlinkPhase() != phase) {
        MarkAllChangedCells();
    }
}

void CharacterLcd::WaitReady() {
    // Execution times are at most a few milliseconds; step in microseconds.
    while (controller_.Busy()) {
        Advance(0.001);
    }
}

void CharacterLcd::Command(std::uint8_t instruction) {
    WaitReady();
    WriteByte(LcdRegister::Instruction, instruction);
}

void CharacterLcd::Begin() {
    const bool twoLines = settings_.rows > 1;
    const bool tall = settings_.look.glass == LcdFont::Dots5x10;
    const std::uint8_t lines = twoLines ? 0x08 : (tall ? 0x04 : 0x00);
    WaitReady();
    if (settings_.bus == LcdBus::FourBit) {
        // The start-up nibbles bring the bus to 8 bits from any state, half a
        // byte sent included, then to 4.
        for (const std::uint8_t nibble : {0x30, 0x30, 0x30, 0x20}) {
            WaitReady();
            Write(LcdRegister::Instruction, nibble);
        }
        Command(static_cast<std::uint8_t>(0x20 | lines));
    } else {
        for (int i = 0; i < 3; ++i) {
            Command(0x30);
        }
        Command(static_cast<std::uint8_t>(0x30 | lines));
    }
    Command(0x0C);
    Command(0x01);
    Command(0x06);
}

void CharacterLcd::Clear() {
    Command(0x01);
}

void CharacterLcd::Home() {
    Command(0x02);
}

void CharacterLcd::SetCursor(int column, int row) {
    column = std::clamp(column, 0, settings_.columns - 1);
    row = std::clamp(row, 0, settings_.rows - 1);
    const int lineStart = controller_.state().twoLines ? (row % 2) * 0x40 : 0;
    Command(static_cast<std::uint8_t>(0x80 | (lineStart + (row / 2) * settings_.columns + column)));
}

void CharacterLcd::Print(std::string_view bytes) {
    for (const char c : bytes) {
        WaitReady();
        WriteByte(LcdRegister::Data, static_cast<std::uint8_t>(c));
    }
}

namespace {

std::uint8_t DisplayControl(const LcdState& s) {
    return static_cast<std::uint8_t>(0x08 | (s.displayOn ? 4 : 0) | (s.cursorOn ? 2 : 0) |
                                     (s.blinkOn ? 1 : 0));
}

std::uint8_t EntryMode(bool increment, bool shift) {
    return static_cast<std::uint8_t>(0x04 | (increment ? 2 : 0) | (shift ? 1 : 0));
}

}  // namespace

void CharacterLcd::Display(bool on) {
    Command(static_cast<std::uint8_t>((DisplayControl(controller_.state()) & ~4) | (on ? 4 : 0)));
}

void CharacterLcd::Cursor(bool on) {
    Command(static_cast<std::uint8_t>((DisplayControl(controller_.state()) & ~2) | (on ? 2 : 0)));
}

void CharacterLcd::Blink(bool on) {
    Command(static_cast<std::uint8_t>((DisplayControl(controller_.state()) & ~1) | (on ? 1 : 0)));
}

void CharacterLcd::ScrollLeft() {
    Command(0x18);
}

void CharacterLcd::ScrollRight() {
    Command(0x1C);
}

void CharacterLcd::LeftToRight() {
    Command(EntryMode(true, controller_.state().shiftOnWrite));
}

void CharacterLcd::RightToLeft() {
    Command(EntryMode(false, controller_.state().shiftOnWrite));
}

void CharacterLcd::Autoscroll(bool on) {
    Command(EntryMode(controller_.state().increment, on));
}

void CharacterLcd::CreateChar(int slot, const std::array<std::uint8_t, 8>& rows) {
    const LcdState& s = controller_.state();
    const bool inDdram = !s.addressInCgram;
    const int address = s.addressCounter;
    Command(static_cast<std::uint8_t>(0x40 | ((slot & 7) << 3)));
    for (const std::uint8_t bits : rows) {
        WaitReady();
        WriteByte(LcdRegister::Data, bits);
    }
    // Printing goes on where it was, not into the character's bytes.
    if (inDdram) {
        Command(static_cast<std::uint8_t>(0x80 | address));
    }
}

namespace {

// Fills a rectangle of drawing coordinates within the painter's clip.
void Fill(Painter& painter, const Rect& area, Pixel pixel) {
    const Point origin = painter.state().origin;
    const Rect part =
        Rect::At({area.x + origin.x, area.y + origin.y}, area.size()).Intersect(painter.ClipArea());
    if (!part.empty()) {
        painter.surface().FillRect(part.x, part.y, part.x + part.width, part.y + part.height, pixel);
    }
}

}  // namespace

void CharacterLcd::PaintCell(Painter& painter, int row, int column, const CellDots& dots,
                             bool background) const {
    const Colours colours = ColoursOf(settings_.look);
    const LcdLook& look = settings_.look;
    const int p = look.dotSize + look.dotGap;
    const int side = Has(look.dots, DotStyle::Joined) ? p : look.dotSize;
    const Rect cell = CellArea(row, column);
    const Pixel glass = PixelFromColour(colours.glass);
    if (background) {
        Fill(painter, cell, glass);
    }
    const bool rounded = Has(look.dots, DotStyle::Rounded);
    const Pixel lit = PixelFromColour(colours.lit);
    const Pixel unlit = PixelFromColour(colours.unlit);
    const Point origin = painter.state().origin;
    const Rect onSurface = Rect::At({cell.x + origin.x, cell.y + origin.y}, {cell.width, cell.height});
    // Square dots of a cell wholly inside the clip go straight to the surface.
    const bool direct = !rounded && onSurface.Intersect(painter.ClipArea()) == onSurface;
    for (int r = 0; r < DotRows(); ++r) {
        const std::uint8_t bits = dots[static_cast<std::size_t>(r)];
        for (int c = 0; c < kCellColumns; ++c) {
            const bool isLit = (bits & (0x10 >> c)) != 0;
            if (!isLit && unlit == glass) {
                continue;
            }
            const Pixel pixel = isLit ? lit : unlit;
            if (direct) {
                Surface& surface = painter.surface();
                const int x = onSurface.x + p * c;
                for (int y = onSurface.y + p * r, end = y + side; y < end; ++y) {
                    Pixel* out = surface.mutableRow(y) + x;
                    for (int i = 0; i < side; ++i) {
                        out[i] = pixel;
                    }
                }
            } else if (rounded) {
                const Ink ink(isLit ? colours.lit : colours.unlit);
                painter.Box({cell.x + p * c, cell.y + p * r, side, side},
                            {.corner = 100, .line = ink, .fill = ink});
            } else {
                Fill(painter, {cell.x + p * c, cell.y + p * r, side, side}, pixel);
            }
        }
    }
}

void CharacterLcd::PaintGlass(Painter& painter) const {
    const Colours colours = ColoursOf(settings_.look);
    const Size whole = size();
    const int w = settings_.look.frame.width;
    if (w > 0) {
        PaintFrame(painter, settings_.look.frame);
    }
    Fill(painter, {w, w, whole.width - 2 * w, whole.height - 2 * w}, PixelFromColour(colours.glass));
}

void CharacterLcd::PaintState(Painter& painter) const {
    PaintGlass(painter);
    for (int row = 0; row < settings_.rows; ++row) {
        for (int column = 0; column < settings_.columns; ++column) {
            PaintCell(painter, row, column,
                      current_[static_cast<std::size_t>(row * settings_.columns + column)], false);
        }
    }
    painted_ = current_;
    paintedAll_ = true;
}

bool CharacterLcd::PaintChangedCells(Painter& painter) {
    if (!paintedAll_) {
        Paint(painter);
        return true;
    }
    const PainterStateSaver saved(painter);
    painter.Clip(Rect::At({}, size()));
    bool painted = false;
    for (int row = 0; row < settings_.rows; ++row) {
        for (int column = 0; column < settings_.columns; ++column) {
            const std::size_t i = static_cast<std::size_t>(row * settings_.columns + column);
            if (current_[i] != painted_[i]) {
                PaintCell(painter, row, column, current_[i], true);
                painted_[i] = current_[i];
                painted = true;
            }
        }
    }
    MarkPainted();
    return painted;
}

std::string CharacterLcd::DotsText() const {
    std::string text;
    for (int row = 0; row < settings_.rows; ++row) {
        for (int r = 0; r < DotRows(); ++r) {
            for (int column = 0; column < settings_.columns; ++column) {
                const std::uint8_t bits = current_[static_cast<std::size_t>(row * settings_.columns + column)]
                                                  [static_cast<std::size_t>(r)];
                for (int c = 0; c < kCellColumns; ++c) {
                    text += (bits & (0x10 >> c)) != 0 ? '#' : '.';
                }
            }
            text += '\n';
        }
    }
    return text;
}

}  // namespace instruments
