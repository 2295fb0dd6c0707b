"""A 16 x 2 character LCD driven the way firmware drives it, written to a PNG.

The module is set up with begin(), gets custom characters (a degree sign and
the bar cells of a progress bar) from create_char(), and shows a temperature
and a progress bar through set_cursor() and print(). The heading goes over the
bus instead, byte by byte: read_status() says when the controller is busy, and
write_instruction() / write_data() do what print() does for you. The module
checks timing, so a byte sent while it is busy would be lost.

    PYTHONPATH=<build>/python python3 status_panel.py [--png OUT]

OUT is status_panel.png (in the current directory) unless given.
"""

import argparse
import sys

import instruments

COLUMNS = 16
BAR_CELLS = 12  # the progress bar, followed by "100%" at most
DEGREE = 0  # the character slots of the custom characters
BAR_SLOTS = range(1, 6)  # slot n: a bar cell with its n left columns lit

DEGREE_ROWS = [0b01100, 0b10010, 0b10010, 0b01100, 0, 0, 0, 0]

BUSY_FLAG = 0x80
SET_DDRAM_ADDRESS = 0x80


def bar_cell_rows(lit_columns):
    """The eight rows of a bar cell whose `lit_columns` left columns are lit
    (the bottom row is left for the cursor)."""
    row = (0b11111 << (5 - lit_columns)) & 0b11111
    return [row] * 7 + [0]


def bar_codes(fraction, cells=BAR_CELLS):
    """The character codes of a progress bar `cells` wide, filled to
    `fraction` (0..1) in steps of one dot column."""
    columns = round(min(max(fraction, 0.0), 1.0) * cells * 5)
    codes = []
    for cell in range(cells):
        lit = min(max(columns - 5 * cell, 0), 5)
        codes.append(lit if lit else ord(" "))  # slot `lit` has `lit` columns
    return bytes(codes)


def wait_until_ready(lcd):
    """Polls the busy flag as firmware does, letting time pass meanwhile."""
    while lcd.read_status() & BUSY_FLAG:
        lcd.advance(0.01)


def write_over_the_bus(lcd, column, row, text):
    """What set_cursor() and print() do: a DDRAM address, then data bytes."""
    wait_until_ready(lcd)
    lcd.write_instruction(SET_DDRAM_ADDRESS | (0x40 * row + column))
    for byte in text.encode("latin-1"):
        wait_until_ready(lcd)
        lcd.write_data(byte)


def make_panel(temperature, progress):
    """A module showing a temperature in degrees Celsius and a progress of
    0..1."""
    lcd = instruments.CharacterLcd(columns=COLUMNS, rows=2, preset="blue", check_timing=True)
    lcd.begin()
    lcd.create_char(DEGREE, DEGREE_ROWS)
    for slot in BAR_SLOTS:
        lcd.create_char(slot, bar_cell_rows(slot))

    write_over_the_bus(lcd, 0, 0, "Boiler")
    reading = f"{temperature:5.1f}".encode("latin-1") + bytes([DEGREE]) + b"C"
    lcd.set_cursor(COLUMNS - len(reading), 0)
    lcd.print(reading)

    lcd.set_cursor(0, 1)
    lcd.print(bar_codes(progress))
    lcd.print(f"{round(progress * 100):3d}%")
    return lcd


class OneLineParser(argparse.ArgumentParser):
    """Reports a bad command line in one line on stderr, and exits 2."""

    def error(self, message):
        self.exit(2, f"{self.prog}: {message} (see --help)\n")


def main(argv=None):
    parser = OneLineParser(description="Writes a 16 x 2 LCD status panel as PNG.")
    parser.add_argument("--png", metavar="OUT", default="status_panel.png",
                        help="the PNG file to write (default: %(default)s)")
    arguments = parser.parse_args(argv)

    panel = make_panel(temperature=21.5, progress=0.64)
    try:
        panel.render().save_png(arguments.png)
    except OSError as error:
        print(f"{parser.prog}: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
