"""A setting that cannot be used is a ValueError naming it; nothing crashes."""

import math

import pytest

import instruments as ins


@pytest.mark.parametrize("make,names", [
    (lambda: ins.Surface(20000, 10), "20000"),
    (lambda: ins.Surface(-1, 10), "-1"),
    (lambda: ins.TextDisplay(size=(0, 10)), "size"),
    (lambda: ins.TextDisplay(size=(100, 20), ink="gren"), "gren"),
    (lambda: ins.TextDisplay(size=(100, 20), ink=(300, 0, 0)), "ink"),
    (lambda: ins.TextDisplay(size=(100, 20), ink=(1, 2)), "ink"),
    (lambda: ins.TextDisplay(size=(100, 20), frame=ins.Frame(-1)), "frame"),
    (lambda: ins.TextDisplay(size=(100, 20), frame=ins.Frame(2, "mauve")), "mauve"),
    (lambda: ins.TextDisplay(size=(100, 20), dots=ins.DotStyle.HOLLOW), "Hollow"),
    (lambda: ins.TextDisplay(size=(100, 20), align="middle"), "middle"),
    (lambda: ins.TextDisplay(size=(100, 20), background=ins.Background("stripes")), "stripes"),
    (lambda: ins.TextDisplay(size=(100, 20), background=ins.Background("picture")), "picture"),
    (lambda: ins.LevelMeter(size=(100, 40), range=(5, 5)), "range"),
    (lambda: ins.LevelMeter(size=(100, 40), labels=[(math.inf, "x")]), "label"),
    (lambda: ins.SegmentDisplay(size=(100, 40), digits=0), "digits"),
    (lambda: ins.SegmentDisplay(size=(100, 40), kind=9), "kind"),
    (lambda: ins.SegmentDisplay(size=(100, 40), preset="neon"), "neon"),
    (lambda: ins.BarGraph(size=(100, 20), zones=[0.9, 0.1]), "increase"),
    (lambda: ins.BarGraph(size=(100, 20), zone_colours=["red"]), "colour"),
    (lambda: ins.Lamp(scheme="rosso"), "rosso"),
    (lambda: ins.CharacterLcd(columns=100, rows=2), "100"),
    (lambda: ins.CharacterLcd(preset="purple"), "purple"),
    (lambda: ins.CharacterLcd(bus=6), "bus"),
    (lambda: ins.CharacterLcd(font="5x9"), "5x9"),
    (lambda: ins.Window.headless(size=(10, 10), span_ms=-1), "span_ms"),
    (lambda: ins.Window.headless(size=(10, 10), span_ms=10, events=[("wave", 3)]), "events"),
    (lambda: ins.Window.headless(size=(10, 10), span_ms=10, events=[("key", 3, "f1")]), "f1"),
])
def test_bad_settings_raise_value_error_naming_them(make, names):
    with pytest.raises(ValueError, match=names):
        make()


def test_bad_values_on_live_objects():
    lcd = ins.CharacterLcd()
    with pytest.raises(ValueError, match="byte"):
        lcd.write_data(256)
    with pytest.raises(ValueError, match="Latin-1"):
        lcd.print("snow \u2603")
    with pytest.raises(ValueError, match="8 row"):
        lcd.create_char(0, [1, 2, 3])
    with pytest.raises(ValueError):
        ins.CharacterLcd(rom="/no/such/rom.txt")
    clock = ins.AnalogClock(size=(50, 50))
    with pytest.raises(ValueError, match="time of day"):
        clock.set_time(24, 0, 0)
    lamp = ins.Lamp()
    with pytest.raises(ValueError):
        lamp.set_blink(0, 0.5)
    display = ins.TextDisplay(size=(50, 20))
    with pytest.raises(ValueError, match="7 rows"):
        display.set_glyph(1, ["X...."])
    with pytest.raises(IndexError):
        ins.Surface(3, 3).pixel(3, 0)
    with pytest.raises(IndexError):
        ins.SegmentDisplay(size=(100, 40)).lit_segments(4)


def test_degenerate_values_do_not_crash():
    meter = ins.LevelMeter(size=(100, 40))
    for level in (math.nan, math.inf, -math.inf, 1e308):
        meter.set_level(level)
        meter.render()
    bar = ins.BarGraph(size=(100, 20), peak_hold_ms=100)
    for value in (math.nan, -5, 5):
        bar.set_value(value)
        bar.advance(math.nan)
        bar.advance(-10)
    assert bar.lit_segments == 20
    painter = ins.Painter(ins.Surface(10, 10))
    painter.clip((5, 5, -3, -3))
    painter.box(-1e12, -1e12, 1e12, 1e12, fill="red")
    painter.line_to(math.nan, math.inf)
    painter.print("\xff" * 1000)
    lcd = ins.CharacterLcd(columns=8, rows=1)
    for byte in range(256):
        lcd.write_instruction(byte)
        lcd.write_data(byte)
    lcd.read_data()
    lcd.render()
