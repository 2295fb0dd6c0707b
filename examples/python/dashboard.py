"""A window of instruments fed by the machine, updated by a 1 s timer.

An analog clock and a dot-matrix display show the local time, a needle meter
the load (the 1-minute load average per core, 0..100 %) and a bar graph the
memory in use (1 - MemAvailable / MemTotal from /proc/meminfo). Escape quits.

    PYTHONPATH=<build>/python python3 dashboard.py
    PYTHONPATH=<build>/python python3 dashboard.py --snapshot OUT.png \\
        [--time HH:MM:SS] [--load N] [--memory F]

--snapshot runs the window headless for 1.5 s of virtual time and writes its
last frame; --time, --load (percent) and --memory (a fraction) replace the
machine's readings, so that a snapshot comes out the same every time.
"""

import argparse
import datetime
import os
import sys
import time

import instruments as ins

SIZE = (420, 200)
SNAPSHOT_SPAN_MS = 1500
UPDATE_PERIOD_MS = 1000


def local_time():
    return time.localtime()[3:6]


def load_percent():
    """The 1-minute load average as a share of all cores, at most 100 %."""
    return min(100.0, 100.0 * os.getloadavg()[0] / (os.cpu_count() or 1))


def memory_in_use(meminfo_path="/proc/meminfo"):
    """The fraction of memory in use: 1 - MemAvailable / MemTotal."""
    fields = {}
    with open(meminfo_path) as meminfo:
        for line in meminfo:
            name, _, value = line.partition(":")
            fields[name] = int(value.split()[0])
    return 1.0 - fields["MemAvailable"] / fields["MemTotal"]


class Dashboard:
    """The instruments, where they lie, and what feeds them."""

    def __init__(self, read_time, read_load, read_memory):
        self.read_time = read_time
        self.read_load = read_load
        self.read_memory = read_memory
        gold = ins.Frame(width=6, colour="gold")
        self.clock = ins.AnalogClock(size=(180, 180), frame=gold,
                                     background=ins.Background("box-stack"))
        self.text = ins.TextDisplay(size=(210, 55), frame=gold, ink=(255, 0, 0),
                                    dots=ins.DotStyle.JOINED,
                                    background=ins.Background("rows-from-bottom", "#f06040"))
        self.load = ins.LevelMeter(size=(210, 55), frame=ins.Frame(width=6, colour="green"),
                                   background=ins.Background("rows-from-bottom", "blue-button"),
                                   needle=(0, 255, 0),
                                   labels=[(0, "0"), (25, "25"), (50, "50"), (75, "75 %")])
        self.memory = ins.BarGraph(size=(210, 20), segments=21, zones=(0.7, 0.9))
        self.update()

    def attach(self, window):
        """Shows the instruments in the window, updates them every second
        and quits on Escape."""
        window.add(self.text, at=(10, 10))
        window.add(self.load, at=(10, 75))
        window.add(self.memory, at=(10, 140))
        window.add(self.clock, at=(230, 10))
        window.every(UPDATE_PERIOD_MS, self.update)
        window.on_key(lambda key: window.quit() if key == "escape" else None)

    def update(self):
        hour, minute, second = self.read_time()
        self.clock.set_time(hour, minute, second)
        self.text.set_text(f"{hour:02d}:{minute:02d}:{second:02d}")
        self.load.set_level(self.read_load())
        self.memory.set_value(self.read_memory())


def time_of_day(text):
    try:
        moment = datetime.datetime.strptime(text, "%H:%M:%S")
    except ValueError:
        raise argparse.ArgumentTypeError(f"{text!r} is not a time HH:MM:SS") from None
    return moment.hour, moment.minute, moment.second


def number_in(low, high):
    def parse(text):
        try:
            value = float(text)
        except ValueError:
            value = None
        if value is None or not low <= value <= high:
            raise argparse.ArgumentTypeError(f"{text!r} is not a number {low}..{high}")
        return value

    return parse


class OneLineParser(argparse.ArgumentParser):
    """Reports a bad command line in one line on stderr, and exits 2."""

    def error(self, message):
        self.exit(2, f"{self.prog}: {message} (see --help)\n")


def parse_arguments(argv):
    parser = OneLineParser(description="A window of instruments showing the time, load and memory.")
    parser.add_argument("--snapshot", metavar="OUT.png",
                        help="run headless and write the last frame")
    parser.add_argument("--time", type=time_of_day, metavar="HH:MM:SS",
                        help="show this time of day")
    parser.add_argument("--load", type=number_in(0, 100), metavar="N",
                        help="show this load, in percent")
    parser.add_argument("--memory", type=number_in(0, 1), metavar="F",
                        help="show this fraction of memory in use")
    return parser, parser.parse_args(argv)


def fixed_or(value, read):
    """`read`, or a reader of `value` when one was given."""
    return read if value is None else lambda: value


def main(argv=None):
    parser, arguments = parse_arguments(argv)
    try:
        dashboard = Dashboard(read_time=fixed_or(arguments.time, local_time),
                              read_load=fixed_or(arguments.load, load_percent),
                              read_memory=fixed_or(arguments.memory, memory_in_use))
        if arguments.snapshot:
            window = ins.Window.headless(size=SIZE, span_ms=SNAPSHOT_SPAN_MS)
        else:
            window = ins.Window("Dashboard", size=SIZE)
        dashboard.attach(window)
        code = window.run()
        if arguments.snapshot:
            window.last_frame().save_png(arguments.snapshot)
        return code
    except (ins.WindowError, OSError) as error:
        print(f"{parser.prog}: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
