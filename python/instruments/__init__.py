"""Software-painted instrument faces: dot-matrix text displays, character LCD
modules, analog clocks, needle meters, switches, segment digits, bar graphs and
lamps, painted to the pixel into surfaces you can save, show in a window or
hand to numpy.

    import instruments as ins

    volts = ins.TextDisplay(size=(210, 55), frame=ins.Frame(width=4, colour="gold"), ink=(255, 200, 0),
                            dots=ins.DotStyle.ROUNDED | ins.DotStyle.SHOW_UNLIT)
    volts.set_text("12.00 V")
    volts.render().save_png("volts.png")

Colours are names ("gold", "grey-button"), "#rrggbb" or (r, g, b); sizes are
(width, height). A setting that cannot be used raises ValueError naming it;
files that cannot be read or written raise OSError.
"""

from dataclasses import dataclass
from typing import Literal, Optional, Tuple, Union

from ._native import (
    AnalogClock,
    BackgroundPattern,
    BarGraph,
    BarOrientation,
    BarStyle,
    CharacterLcd,
    DotStyle,
    FillStyle,
    Instrument,
    Lamp,
    LampMode,
    LampShape,
    LcdBus,
    LcdRegister,
    LevelMeter,
    Painter,
    RasterOperation,
    SegmentDisplay,
    Surface,
    Switch,
    TextAlign,
    TextDisplay,
    Timer,
    Window,
    WindowError,
)

Colour = Union[str, Tuple[int, int, int], int]
Size = Tuple[int, int]
Point = Tuple[int, int]
Rect = Tuple[int, int, int, int]
# What the painter draws in: a colour, "default" or "none" / None.
Ink = Optional[Colour]
KeyName = Literal["escape", "enter", "space", "tab", "backspace", "left", "right", "up", "down"]
# One scripted event of a headless window, at a time in ms.
Event = Union[
    Tuple[Literal["click"], float, Point],
    Tuple[Literal["key"], float, KeyName],
    Tuple[Literal["resize"], float, Size],
    Tuple[Literal["close", "minimise", "minimize", "restore"], float],
]


@dataclass
class Frame:
    """A bevelled frame: `width` one-pixel rings shaded from `colour` (the
    left and top sides from `top_left_colour` when given)."""

    width: int = 0
    colour: Optional[Colour] = None
    top_left_colour: Optional[Colour] = None


@dataclass
class Background:
    """The pattern a face is painted with inside its frame, shaded from
    `colour`; a BackgroundPattern or its name ("rows-from-bottom")."""

    pattern: Union[BackgroundPattern, str] = BackgroundPattern.NONE
    colour: Optional[Colour] = None


__all__ = [
    "Event",
    "Ink",
    "KeyName",
    "Point",
    "Rect",
    "Size",
    "AnalogClock",
    "Background",
    "BackgroundPattern",
    "BarGraph",
    "BarOrientation",
    "BarStyle",
    "CharacterLcd",
    "Colour",
    "DotStyle",
    "FillStyle",
    "Frame",
    "Instrument",
    "Lamp",
    "LampMode",
    "LampShape",
    "LcdBus",
    "LcdRegister",
    "LevelMeter",
    "Painter",
    "RasterOperation",
    "SegmentDisplay",
    "Surface",
    "Switch",
    "TextAlign",
    "TextDisplay",
    "Timer",
    "Window",
    "WindowError",
]
