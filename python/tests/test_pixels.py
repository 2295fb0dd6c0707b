"""The same settings give the same pixels from Python as from the C++ tools."""

import json

import numpy
import pytest

import instruments as ins


def pixels(surface):
    return numpy.asarray(surface).copy()


def tool_png(tool, tmp_path, name, *arguments):
    out = tmp_path / "tool.png"
    tool(name, *arguments, "--png", str(out))
    return pixels(ins.Surface.from_png(str(out)))


CASES = [
    (["segments", "--digits", "6", "--colon", "--slant", "8", "--preset", "vfd", "--text", "12:34.5"],
     lambda: ins.SegmentDisplay(size=(300, 80), digits=6, colons=True, slant=8, preset="vfd"),
     lambda d: d.set_text("12:34.5")),
    (["segments", "--digits", "3", "--kind", "14", "--text", "A*Z", "--size", "150x60"],
     lambda: ins.SegmentDisplay(size=(150, 60), digits=3, kind=14),
     lambda d: d.set_text("A*Z")),
    (["bar", "--segments", "12", "--vertical", "--zones", "0.5", "--values", "0:0.4"],
     lambda: ins.BarGraph(size=(20, 120), segments=12, orientation="vertical", zones=[0.5],
                          zone_colours=[(40, 220, 60), (255, 180, 0)]),
     lambda b: b.set_value(0.4)),
    (["lamp", "--colour", "#ff8000", "--size", "40x30"],
     lambda: ins.Lamp(size=(40, 30), colour="#ff8000"),
     lambda lamp: lamp.set_on(True)),
    (["text", "--text", "21.5°C", "--frame", "6", "--frame-colour", "gold", "--background",
      "rows-from-bottom", "--background-colour", "#f06040", "--ink", "#ff0000"],
     lambda: ins.TextDisplay(size=(210, 55), frame=ins.Frame(width=6, colour="gold"),
                             background=ins.Background("rows-from-bottom", "#f06040"), ink=(255, 0, 0)),
     lambda d: d.set_text("21.5°C")),
    (["clock", "--time", "10:08:30", "--frame", "6", "--frame-colour", "gold", "--background", "box-stack"],
     lambda: ins.AnalogClock(size=(180, 180), frame=ins.Frame(6, "gold"),
                             background=ins.Background(ins.BackgroundPattern.BOX_STACK)),
     lambda c: c.set_time(10, 8, 30)),
    (["meter", "--level", "-3.5", "--range", "-20,5", "--labels", "-20:-20,0:0,5:+5", "--needle", "#00ff00"],
     lambda: ins.LevelMeter(size=(210, 55), range=(-20, 5), labels=[(-20, "-20"), (0, "0"), (5, "+5")],
                            needle="#00ff00"),
     lambda m: m.set_level(-3.5)),
    (["switch", "--on", "--labels", "RUN/PAUSE", "--label-colour", "#000080", "--background", "mirrored-rows",
      "--background-colour", "grey-button", "--on-background", "mirrored-columns"],
     lambda: ins.Switch(size=(400, 40), labels="RUN/PAUSE", label_colour=(0, 0, 128),
                        background=ins.Background("mirrored-rows", "grey-button"),
                        on_background="mirrored-columns"),
     lambda s: s.set_on(True)),
]


@pytest.mark.parametrize("arguments,make,show", CASES, ids=[" ".join(c[0][:3]) for c in CASES])
def test_render_equals_the_tool(tool, tmp_path, arguments, make, show):
    instrument = make()
    show(instrument)
    expected = tool_png(tool, tmp_path, "instruments-render", *arguments)
    assert numpy.array_equal(pixels(instrument.render()), expected)


LCD_SCRIPT = """\
i 38
i 0f
i 01
i 06
text "Temp 21.5"
i c0
d 41
i 40
d 1f
d 11
wait 300
"""


def drive_like_the_script(lcd):
    for byte in (0x38, 0x0F, 0x01, 0x06):
        lcd.write_instruction(byte)
    lcd.print("Temp 21.5")
    lcd.write_instruction(0xC0)
    lcd.write_data(0x41)
    lcd.write_instruction(0x40)
    lcd.write_data(0x1F)
    lcd.write_data(0x11)
    lcd.advance(300)


def test_lcd_equals_the_tool_in_pixels_and_state(tool, tmp_path):
    script = tmp_path / "script.txt"
    script.write_text(LCD_SCRIPT)
    out = tmp_path / "lcd.png"
    dumped = tool("instruments-lcd", "--size", "20x4", "--preset", "blue", "--script", str(script),
                  "--png", str(out), "--dump").stdout
    lcd = ins.CharacterLcd(columns=20, rows=4, preset="blue")
    drive_like_the_script(lcd)
    assert lcd.state() == json.loads(dumped)
    assert numpy.array_equal(pixels(lcd.render()), pixels(ins.Surface.from_png(str(out))))


def test_lcd_text_and_friendly_calls_match_the_tool(tool, tmp_path):
    out = tmp_path / "lcd.png"
    dumped = tool("instruments-lcd", "--size", "16x2", "--text", "Hello\\nworld", "--dump", "--png",
                  str(out)).stdout
    lcd = ins.CharacterLcd()
    lcd.begin()
    lcd.print("Hello")
    lcd.set_cursor(0, 1)
    lcd.print(b"world")
    assert lcd.state() == json.loads(dumped)
    assert numpy.array_equal(pixels(lcd.render()), pixels(ins.Surface.from_png(str(out))))
    assert lcd.dots_text().count("\n") == 2 * 8


def test_painting_into_a_panel_equals_each_render():
    clock = ins.AnalogClock(size=(120, 120), frame=ins.Frame(4, "gold"))
    clock.set_time(3, 15, 0)
    lamp = ins.Lamp(size=(30, 30), scheme="blue")
    lamp.set_on(True)
    panel = ins.Surface(200, 130, fill=(1, 2, 3))
    painter = ins.Painter(panel)
    for instrument, (x, y) in ((clock, (5, 5)), (lamp, (150, 20))):
        with painter.saved():
            painter.clip((x, y, *instrument.size))
            painter.translate((x, y))
            instrument.paint(painter)
    view = numpy.asarray(panel)
    assert numpy.array_equal(view[5:125, 5:125], pixels(clock.render()))
    assert numpy.array_equal(view[20:50, 150:180], pixels(lamp.render()))
    assert view[0, 0] == 0x010203 and view[129, 199] == 0x010203
    assert not clock.needs_paint and not clock.paint_if_changed(painter)
