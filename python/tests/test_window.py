"""Windows on virtual time: timers, clicks, keys and closing reach their
callbacks; an exception raised in a callback ends run() and comes out of it."""

import numpy
import pytest

import instruments as ins


def test_timers_clicks_and_keys_on_virtual_time():
    lamp = ins.Lamp(size=(20, 20), scheme="red")
    display = ins.TextDisplay(size=(80, 20))
    seen = []
    window = ins.Window.headless(size=(120, 40), span_ms=1000, events=[
        ("click", 250, (105, 12)),
        ("click", 260, (5, 30)),
        ("key", 300, "enter"),
    ])
    window.add(display, at=(0, 0))
    window.add(lamp, at=(100, 10))
    ticks = []
    timer = window.every(100, lambda: ticks.append(window.now_ms))
    window.on_click(lamp, lambda x, y: (seen.append(("lamp", x, y)), lamp.set_on(not lamp.lit)))
    window.on_click(lambda x, y: seen.append(("elsewhere", x, y)))
    window.on_key(lambda key: (seen.append(("key", key)), display.set_text(key.upper())))
    assert window.run() == 0
    assert ticks == list(range(100, 1001, 100))
    assert seen == [("lamp", 5, 2), ("elsewhere", 5, 30), ("key", "enter")]
    frame = numpy.asarray(window.last_frame())
    assert numpy.array_equal(frame[10:30, 100:120], numpy.asarray(lamp.render()))
    assert numpy.array_equal(frame[0:20, 0:80], numpy.asarray(display.render()))
    timer.stop()


def test_an_exception_in_a_callback_ends_run_and_propagates():
    window = ins.Window.headless(size=(50, 50), span_ms=10_000)
    calls = []

    def tick():
        calls.append(window.now_ms)
        if len(calls) == 3:
            raise KeyError("from the third tick")

    window.every(50, tick)
    with pytest.raises(KeyError, match="third tick"):
        window.run()
    assert calls == [50, 100, 150]


def test_frame_callback_errors_and_quit_codes():
    window = ins.Window.headless(size=(30, 30), span_ms=500, on_frame=lambda surface, at: 1 / 0)
    window.add(ins.Lamp(size=(10, 10)), at=(0, 0))
    with pytest.raises(ZeroDivisionError):
        window.run()
    window = ins.Window.headless(size=(30, 30), span_ms=500)
    window.every(200, lambda: window.quit(7))
    assert window.run() == 7 and window.now_ms == 200


def test_close_requests_and_keep_open():
    window = ins.Window.headless(size=(30, 30), span_ms=1000, events=[("close", 100), ("close", 300)])
    closes = []

    def on_close():
        closes.append(window.now_ms)
        if len(closes) == 1:
            window.keep_open()

    window.on_close(on_close)
    assert window.run() == 0
    assert closes == [100, 300] and window.now_ms == 300


def test_frames_show_what_changed():
    frames = []
    bar = ins.BarGraph(size=(100, 10), segments=10)
    window = ins.Window.headless(size=(100, 10), span_ms=300,
                                 on_frame=lambda surface, at: frames.append((at, surface)))
    window.add(bar, at=(0, 0))
    values = iter([0.3, 0.3, 0.8])
    window.every(100, lambda: bar.set_value(next(values)))
    window.run()
    times = [at for at, _ in frames]
    assert times == [0, 100, 300]
    assert window.frame_count == 3
    assert frames[-1][1] == bar.render()
