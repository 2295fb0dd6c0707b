"""The Python examples: what they show is what they claim, and their command
lines behave. Run with PYTHONPATH=<build>/python python3 -m pytest here."""

import os
import subprocess
import sys

import numpy
import pytest

import dashboard
import instruments as ins
import status_panel

HERE = os.path.dirname(os.path.abspath(__file__))


def run_example(name, *arguments):
    return subprocess.run([sys.executable, os.path.join(HERE, name), *arguments],
                          capture_output=True, text=True)


def test_status_panel_bar_and_bus_writes():
    dots_per_line = 8
    bar_width = status_panel.BAR_CELLS * 5
    for progress in (0.0, 0.01, 0.3, 0.64, 0.99, 1.0):
        lcd = status_panel.make_panel(temperature=21.5, progress=progress)
        # Every byte, the ones sent over the bus by hand included, arrived.
        assert lcd.state()["dropped_writes"] == 0
        # The bar lights one dot column per 1/bar_width, left to right, in every row.
        bar_rows = lcd.dots_text().splitlines()[dots_per_line:dots_per_line + 7]
        lit = round(progress * bar_width)
        for row in bar_rows:
            assert row[:bar_width] == "#" * lit + "." * (bar_width - lit)
    assert status_panel.bar_codes(-0.5) == status_panel.bar_codes(0.0)
    assert status_panel.bar_codes(1.5) == status_panel.bar_codes(1.0)


def test_status_panel_text_lands_where_printed():
    for temperature in (-5.0, 21.5, 104.25):
        lcd = status_panel.make_panel(temperature=temperature, progress=0.5)
        line_one = bytes.fromhex(lcd.state()["ddram"])[:status_panel.COLUMNS]
        reading = f"{temperature:5.1f}".encode() + bytes([status_panel.DEGREE]) + b"C"
        assert line_one.startswith(b"Boiler")
        assert line_one.endswith(reading)


def test_dashboard_readings(tmp_path, monkeypatch):
    meminfo = tmp_path / "meminfo"
    meminfo.write_text("MemTotal:       8000000 kB\nMemFree:         100000 kB\n"
                       "MemAvailable:   2000000 kB\nHugePages_Total:       0\n")
    assert dashboard.memory_in_use(meminfo) == pytest.approx(0.75)

    monkeypatch.setattr(os, "cpu_count", lambda: 4)
    monkeypatch.setattr(os, "getloadavg", lambda: (1.0, 9.0, 9.0))
    assert dashboard.load_percent() == pytest.approx(25.0)
    monkeypatch.setattr(os, "getloadavg", lambda: (10.0, 0.0, 0.0))
    assert dashboard.load_percent() == 100.0


def test_dashboard_snapshot_shows_the_fixed_readings(tmp_path):
    def snapshot(name, *arguments):
        out = tmp_path / name
        assert run_example("dashboard.py", "--snapshot", str(out), *arguments).returncode == 0
        return numpy.asarray(ins.Surface.from_png(str(out)))

    fixed = ("--load", "37", "--memory", "0.62")
    first = snapshot("a.png", "--time", "10:08:30", *fixed)
    assert numpy.array_equal(first, snapshot("b.png", "--time", "10:08:30", *fixed))

    expected = dashboard.Dashboard(lambda: (10, 8, 30), lambda: 37.0, lambda: 0.62)
    assert expected.text.codes == b"10:08:30" and expected.clock.time == (10, 8, 30)
    assert expected.load.level == 37.0 and expected.memory.lit_segments == round(0.62 * 21)
    for instrument, (x, y) in ((expected.clock, (230, 10)), (expected.text, (10, 10)),
                               (expected.load, (10, 75)), (expected.memory, (10, 140))):
        width, height = instrument.size
        assert numpy.array_equal(first[y:y + height, x:x + width],
                                 numpy.asarray(instrument.render()))

    later = snapshot("c.png", "--time", "10:09:30", *fixed)
    assert not numpy.array_equal(first[10:190, 230:410], later[10:190, 230:410])
    assert numpy.array_equal(first[75:160, 10:220], later[75:160, 10:220])


def test_dashboard_quits_on_escape_and_updates_every_second():
    ticks = []
    board = dashboard.Dashboard(lambda: (12, 0, len(ticks)), lambda: ticks.append(0) or 50.0,
                                lambda: 0.5)
    window = ins.Window.headless(size=dashboard.SIZE, span_ms=10_000,
                                 events=[("key", 2500, "enter"), ("key", 3500, "escape")])
    board.attach(window)
    assert window.run() == 0
    assert window.now_ms == 3500
    assert len(ticks) == 1 + 3 and board.clock.time == (12, 0, 3)


@pytest.mark.parametrize("name, arguments", [
    ("status_panel.py", ["--bogus"]),
    ("status_panel.py", ["--png"]),
    ("dashboard.py", ["--time", "25:00:00"]),
    ("dashboard.py", ["--load", "101"]),
    ("dashboard.py", ["--memory", "nan"]),
])
def test_bad_command_lines_get_one_line_and_exit_2(name, arguments):
    result = run_example(name, *arguments)
    assert result.returncode == 2
    assert result.stderr.startswith(name + ": ") and result.stderr.count("\n") == 1
    assert result.stdout == ""


def test_help_and_unwritable_output():
    for name in ("status_panel.py", "dashboard.py"):
        result = run_example(name, "--help")
        assert result.returncode == 0 and result.stdout.startswith("usage: " + name)
    result = run_example("status_panel.py", "--png", "/nonexistent-folder/panel.png")
    assert result.returncode == 1 and result.stderr.count("\n") == 1
