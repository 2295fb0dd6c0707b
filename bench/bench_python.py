"""What a paint call costs from Python, against the same call from C++, and how
two threads painting compare with one.

    PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py build/bin/instruments-bench

Paints each kind of instrument whole in the settings `instruments-bench --each`
uses, in batches of 100 calls, and prints per instrument the median per call
from Python and from C++ and the difference (the cost of crossing into the
module), and a call through a painter clipped to nothing, which paints
nothing: what is left is the cost of the call itself. Then two threads, each
painting its own 20 x 4 character LCD (and, for comparison, its own 180 x 180
clock) for a second, against one thread: their throughput ratio.
"""

import argparse
import re
import statistics
import subprocess
import sys
import threading
import time

import instruments as ins

BATCH = 100


def make_instruments():
    text = ins.TextDisplay(size=(210, 55), frame=ins.Frame(6, "gold"),
                           background=ins.Background("rows-from-bottom", "#f06040"), ink=(255, 0, 0))
    text.set_text("21.5°C")
    clock = ins.AnalogClock(size=(180, 180), frame=ins.Frame(6, "gold"), background=ins.Background("box-stack"))
    clock.set_time(10, 8, 30)
    meter = ins.LevelMeter(size=(210, 55), needle=(0, 255, 0), range=(-20, 5))
    meter.set_level(-3.5)
    toggle = ins.Switch(size=(400, 40), labels="RUN/PAUSE")
    toggle.set_on(True)
    lcd = ins.CharacterLcd(columns=16, rows=2)
    lcd.begin()
    lcd.print("Hello, world")
    digits = ins.SegmentDisplay(size=(300, 80), digits=6, colons=True)
    digits.set_text("12:34:56")
    bar = ins.BarGraph(size=(200, 20), segments=20)
    bar.set_value(0.72)
    lamp = ins.Lamp(size=(24, 24), scheme="red")
    lamp.set_on(True)
    return {"TextDisplay": text, "AnalogClock": clock, "LevelMeter": meter, "Switch": toggle,
            "CharacterLcd": lcd, "SegmentDisplay": digits, "BarGraph": bar, "Lamp": lamp}


def paint_median_us(instrument, batches, clip=None):
    painter = ins.Painter(ins.Surface(*instrument.size))
    if clip:
        painter.clip(clip)
    paint = instrument.paint
    samples = []
    for _ in range(batches):
        begin = time.perf_counter_ns()
        for _ in range(BATCH):
            paint(painter)
        samples.append((time.perf_counter_ns() - begin) / 1000 / BATCH)
    return statistics.median(samples)


def cpp_medians(bench, batches):
    out = subprocess.run([bench, "--each", "--ticks", str(batches)], capture_output=True, text=True,
                         check=True).stdout
    return {m[1]: float(m[2]) for m in re.finditer(r"paint ([\w-]+) median ([\d.]+) us", out)}


def big_lcd():
    lcd = ins.CharacterLcd(columns=20, rows=4)
    lcd.begin()
    lcd.print("threads paint apart " * 4)
    return lcd


def paints_per_second(threads, seconds, make):
    counts = [0] * threads
    stop = threading.Event()

    def work(index):
        instrument = make()
        painter = ins.Painter(ins.Surface(*instrument.size))
        while not stop.is_set():
            for _ in range(10):
                instrument.paint(painter)
            counts[index] += 10

    workers = [threading.Thread(target=work, args=(i,)) for i in range(threads)]
    for worker in workers:
        worker.start()
    time.sleep(seconds)
    stop.set()
    for worker in workers:
        worker.join()
    return sum(counts) / seconds


class OneLineParser(argparse.ArgumentParser):
    def error(self, message):
        self.exit(2, f"bench_python: {message}\n")


def main():
    parser = OneLineParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench", help="the instruments-bench program of the same build")
    parser.add_argument("--batches", type=int, default=300, help="batches of 100 calls per instrument")
    parser.add_argument("--seconds", type=float, default=1.0, help="how long the thread runs paint")
    arguments = parser.parse_args()
    if arguments.batches < 1 or not arguments.seconds > 0:
        parser.error("--batches and --seconds must be positive")

    cpp = cpp_medians(arguments.bench, arguments.batches)
    worst = 0.0
    print(f"{'instrument':16} {'python us':>10} {'c++ us':>10} {'overhead us':>12}")
    for name, instrument in make_instruments().items():
        python = paint_median_us(instrument, arguments.batches)
        overhead = python - cpp[name]
        worst = max(worst, overhead)
        print(f"{name:16} {python:10.3f} {cpp[name]:10.3f} {overhead:12.3f}")
    empty = paint_median_us(make_instruments()["Lamp"], arguments.batches, clip=(0, 0, 0, 0))
    print(f"{'empty-clip':16} {empty:10.3f} {cpp['empty-clip']:10.3f} {empty - cpp['empty-clip']:12.3f}")
    print(f"call overhead (empty clip) {empty - cpp['empty-clip']:.3f} us; largest difference {worst:.3f} us")
    for name, make in (("lcd 20x4", big_lcd), ("clock 180x180", lambda: make_instruments()["AnalogClock"])):
        one = paints_per_second(1, arguments.seconds, make)
        two = paints_per_second(2, arguments.seconds, make)
        print(f"{name} paints per second: one thread {one:.0f}, two threads {two:.0f}, ratio {two / one:.2f}")


if __name__ == "__main__":
    main()
