"""Painting lets go of the interpreter lock: instruments painted from several
threads give the pixels they give from one, and sharing one instrument or
painter between threads is safe."""

import threading

import numpy

import instruments as ins


def make_instruments():
    clock = ins.AnalogClock(size=(160, 160), frame=ins.Frame(6, "gold"), background=ins.Background("box-stack"))
    clock.set_time(10, 8, 30)
    lcd = ins.CharacterLcd(columns=20, rows=4, preset="blue")
    lcd.begin()
    lcd.print("threads")
    digits = ins.SegmentDisplay(size=(300, 80), digits=6, colons=True)
    digits.set_text("12:34:56")
    return [clock, lcd, digits]


def test_parallel_renders_equal_serial_ones():
    expected = [numpy.asarray(i.render()).copy() for i in make_instruments()]
    results = {}

    def work(index):
        instrument = make_instruments()[index % 3]
        for _ in range(20):
            results[index] = numpy.asarray(instrument.render()).copy()

    threads = [threading.Thread(target=work, args=(i,)) for i in range(6)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for index, pixels in results.items():
        assert numpy.array_equal(pixels, expected[index % 3])


def test_one_instrument_and_painter_shared_by_threads():
    display = ins.TextDisplay(size=(200, 30), frame=ins.Frame(3, "grey"))
    surface = ins.Surface(200, 30)
    painter = ins.Painter(surface)
    errors = []
    texts = ["first", "second"]

    def paint():
        try:
            for _ in range(200):
                display.paint(painter)
                display.render()
        except Exception as error:  # noqa: BLE001 - reported below
            errors.append(error)

    def change():
        for n in range(400):
            display.set_text(texts[n % 2])
            with painter.saved():
                painter.clip((0, 0, 10, 10))

    threads = [threading.Thread(target=paint) for _ in range(2)] + [threading.Thread(target=change)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert not errors
    display.paint(painter)
    assert surface == display.render()
    assert painter.clip_area == (0, 0, 200, 30)
