"""Software-painted instrument faces: dot-matrix text displays, character LCD
modules, analog clocks, needle meters, switches, segment digits, bar graphs and
lamps, painted to the pixel into surfaces you can save, show in a window or
hand to numpy."""

import os
from dataclasses import dataclass
from typing import (
    Callable,
    ClassVar,
    Dict,
    List,
    Literal,
    Mapping,
    Optional,
    Sequence,
    Tuple,
    TypedDict,
    Union,
    overload,
)

import numpy
import numpy.typing

# A colour name ("gold", "grey-button"), "#rrggbb" / "#rgb", (r, g, b) with
# each 0..255, or an int 0xRRGGBB.
Colour = Union[str, Tuple[int, int, int], int]
# (width, height) in pixels.
Size = Tuple[int, int]
# (x, y) in pixels.
Point = Tuple[int, int]
# (x, y, width, height) in pixels.
Rect = Tuple[int, int, int, int]
# What the painter draws in: a colour, "default" (the current foreground) or
# "none" / None (nothing).
Ink = Optional[Colour]
# The keys a window reports and a headless script presses.
KeyName = Literal["escape", "enter", "space", "tab", "backspace", "left", "right", "up", "down"]
# One scripted event of a headless window, at a time in ms.
Event = Union[
    Tuple[Literal["click"], float, Point],
    Tuple[Literal["key"], float, KeyName],
    Tuple[Literal["resize"], float, Size],
    Tuple[Literal["close", "minimise", "minimize", "restore"], float],
]

# A setting that is an enum takes a member or its name. The module takes a
# name in any case with "-" or "_"; the stub spells it the documented way,
# lower case with "-", so that a checker catches a misspelt one.
_BackgroundPatternName = Literal[
    "none",
    "mirrored-rows",
    "rows-from-bottom",
    "mirrored-columns",
    "box-stack",
    "rows-from-top",
    "mirrored-columns-reversed",
    "picture",
]
_DotStyleName = Literal["plain", "shadow", "show-unlit", "joined", "hollow", "rounded"]
_TextAlignName = Literal["left", "centre", "right"]
_BarOrientationName = Literal["horizontal", "vertical"]
_BarStyleName = Literal["segmented", "continuous"]
_LampShapeName = Literal["round", "square"]
_LcdRegisterName = Literal["instruction", "data"]

class _Enum:
    __members__: ClassVar[Mapping[str, _Enum]]
    def __init__(self, value: int) -> None: ...
    @property
    def name(self) -> str: ...
    @property
    def value(self) -> int: ...
    def __int__(self) -> int: ...
    def __index__(self) -> int: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __hash__(self) -> int: ...

class BackgroundPattern(_Enum):
    """The patterns a face is painted with inside its frame."""

    NONE: ClassVar[BackgroundPattern]
    MIRRORED_ROWS: ClassVar[BackgroundPattern]
    ROWS_FROM_BOTTOM: ClassVar[BackgroundPattern]
    MIRRORED_COLUMNS: ClassVar[BackgroundPattern]
    BOX_STACK: ClassVar[BackgroundPattern]
    ROWS_FROM_TOP: ClassVar[BackgroundPattern]
    MIRRORED_COLUMNS_REVERSED: ClassVar[BackgroundPattern]
    PICTURE: ClassVar[BackgroundPattern]
    __members__: ClassVar[Dict[str, BackgroundPattern]]

class DotStyle(_Enum):
    """How a text display paints its dots; flags combined with |."""

    PLAIN: ClassVar[DotStyle]
    SHADOW: ClassVar[DotStyle]
    SHOW_UNLIT: ClassVar[DotStyle]
    JOINED: ClassVar[DotStyle]
    HOLLOW: ClassVar[DotStyle]
    ROUNDED: ClassVar[DotStyle]
    __members__: ClassVar[Dict[str, DotStyle]]
    def __or__(self, other: DotStyle, /) -> DotStyle: ...
    def __and__(self, other: DotStyle, /) -> DotStyle: ...
    def __contains__(self, flags: DotStyle, /) -> bool:
        """Whether every one of the flags is set."""

class FillStyle(_Enum):
    """The interior of a box: solid or one of six hatches."""

    SOLID: ClassVar[FillStyle]
    HORIZONTAL: ClassVar[FillStyle]
    VERTICAL: ClassVar[FillStyle]
    FORWARD_DIAGONAL: ClassVar[FillStyle]
    BACKWARD_DIAGONAL: ClassVar[FillStyle]
    CROSS: ClassVar[FillStyle]
    DIAGONAL_CROSS: ClassVar[FillStyle]
    __members__: ClassVar[Dict[str, FillStyle]]

class RasterOperation(_Enum):
    """How a copied pixel S combines with the pixel D under it."""

    SOURCE_COPY: ClassVar[RasterOperation]
    SOURCE_AND: ClassVar[RasterOperation]
    SOURCE_PAINT: ClassVar[RasterOperation]
    SOURCE_INVERT: ClassVar[RasterOperation]
    NOT_SOURCE_COPY: ClassVar[RasterOperation]
    BLACKNESS: ClassVar[RasterOperation]
    WHITENESS: ClassVar[RasterOperation]
    __members__: ClassVar[Dict[str, RasterOperation]]

class TextAlign(_Enum):
    """Where each line of a text display lies."""

    LEFT: ClassVar[TextAlign]
    CENTRE: ClassVar[TextAlign]
    RIGHT: ClassVar[TextAlign]
    __members__: ClassVar[Dict[str, TextAlign]]

class BarOrientation(_Enum):
    HORIZONTAL: ClassVar[BarOrientation]
    VERTICAL: ClassVar[BarOrientation]
    __members__: ClassVar[Dict[str, BarOrientation]]

class BarStyle(_Enum):
    SEGMENTED: ClassVar[BarStyle]
    CONTINUOUS: ClassVar[BarStyle]
    __members__: ClassVar[Dict[str, BarStyle]]

class LampShape(_Enum):
    ROUND: ClassVar[LampShape]
    SQUARE: ClassVar[LampShape]
    __members__: ClassVar[Dict[str, LampShape]]

class LampMode(_Enum):
    OFF: ClassVar[LampMode]
    ON: ClassVar[LampMode]
    BLINKING: ClassVar[LampMode]
    __members__: ClassVar[Dict[str, LampMode]]

class LcdRegister(_Enum):
    """The register a bus transfer addresses (the RS line)."""

    INSTRUCTION: ClassVar[LcdRegister]
    DATA: ClassVar[LcdRegister]
    __members__: ClassVar[Dict[str, LcdRegister]]

class LcdBus(_Enum):
    EIGHT_BIT: ClassVar[LcdBus]
    FOUR_BIT: ClassVar[LcdBus]
    __members__: ClassVar[Dict[str, LcdBus]]

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

    pattern: Union[BackgroundPattern, _BackgroundPatternName] = BackgroundPattern.NONE
    colour: Optional[Colour] = None

class Surface:
    """A rectangle of 0xRRGGBB pixels, rows top to bottom.

    numpy.asarray(surface) is a (height, width) uint32 view of the pixels:
    writing through it changes the surface."""

    def __init__(self, width: int, height: int, fill: Colour = 0) -> None:
        """A surface of the size, every pixel the fill colour."""
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def size(self) -> Size: ...
    def pixel(self, x: int, y: int) -> int:
        """The pixel at (x, y) as 0xRRGGBB."""
    def fill(self, colour: Colour) -> None:
        """Sets every pixel to the colour."""
    def to_rgb(self) -> numpy.typing.NDArray[numpy.uint8]:
        """A (height, width, 3) uint8 copy in red, green, blue order (for PIL.Image.fromarray)."""
    def save_png(self, path: Union[str, os.PathLike[str]]) -> None:
        """Writes the surface as an 8-bit RGB PNG file; OSError when it cannot."""
    @staticmethod
    def from_png(path: Union[str, os.PathLike[str]]) -> Surface:
        """Reads a PNG file (alpha dropped); OSError when it cannot."""
    def copy(self) -> Surface:
        """A surface with a copy of the pixels."""
    # Only another Surface compares: anything else raises TypeError.
    def __eq__(self, other: object, /) -> bool: ...
    __hash__: ClassVar[None]  # type: ignore[assignment]
    # The buffer protocol (as the checkers that know it spell it).
    def __buffer__(self, flags: int, /) -> memoryview: ...

class _StateSaver:
    def __enter__(self) -> None: ...
    def __exit__(self, *args: object) -> None: ...

class Painter:
    """Draws on one surface with a state of its own: position, pen width,
    colours, font, clip and origin. Coordinates round to the nearest pixel,
    ties to even; nothing is drawn outside the clip."""

    def __init__(self, surface: Surface) -> None: ...
    @property
    def surface(self) -> Surface: ...
    def saved(self) -> _StateSaver:
        """A context manager that puts the drawing state (clip and origin included) back at its end."""
    def clip(self, area: Rect) -> None:
        """Narrows drawing to (x, y, width, height) in the current coordinates, within the clip so far."""
    def translate(self, offset: Point) -> None:
        """Moves the origin by (dx, dy)."""
    @property
    def clip_area(self) -> Rect: ...
    @property
    def client_size(self) -> Size: ...
    @property
    def char_size(self) -> Size: ...
    def text_size(self, text: str) -> Size: ...
    def set_pos(self, x: float, y: float) -> None:
        """Moves the current position."""
    def pen_width(self, width: float) -> None:
        """The width of lines and outlines."""
    def foreground(self, colour: Ink) -> None:
        """The colour of text and of lines drawn in "default"."""
    def text_background(self, colour: Ink) -> None:
        """The background behind text: a colour, "default" or "none" (transparent)."""
    def font(
        self,
        face: str,
        points: float,
        *,
        bold: bool = False,
        italic: bool = False,
        underline: bool = False,
        strike_out: bool = False,
    ) -> None: ...
    def line_to(self, x: float, y: float, ink: Ink = "default", *, relative: bool = False) -> None:
        """A line from the current position; its end pixel is not painted."""
    def box(
        self,
        x1: float,
        y1: float,
        x2: float,
        y2: float,
        *,
        corner: int = 0,
        line: Ink = "default",
        fill: Ink = "default",
        fill_style: Union[FillStyle, str] = FillStyle.SOLID,
    ) -> None:
        """A rectangle, corners rounded by `corner` percent of the shorter side."""
    def ellipse(
        self, x1: float, y1: float, x2: float, y2: float, *, line: Ink = "default", fill: Ink = "default"
    ) -> None:
        """The ellipse inscribed in the rectangle."""
    def set_pixel(self, x: float, y: float, colour: Ink = "default") -> None: ...
    def print(self, text: str) -> None:
        """Prints Latin-1 text at the current position in the current font, and moves it."""
    def new_line(self) -> None: ...
    def copy(self, source: Surface, operation: Union[RasterOperation, str] = RasterOperation.SOURCE_COPY) -> None:
        """Combines the source's pixels from the drawable area's top-left corner on."""
    def stretch(self, source: Surface, source_area: Rect, area: Rect) -> None:
        """Scales the source's (x, y, width, height) into the area (x, y, width, height)."""

class Instrument:
    """What every instrument is: an object of a fixed size that holds its
    state, paints it at the painter's origin and inside its clip, and knows
    what changed since it was last painted."""

    @property
    def size(self) -> Size: ...
    @property
    def dirty(self) -> Optional[Rect]:
        """The (x, y, width, height) changed since the last paint, or None."""
    @property
    def needs_paint(self) -> bool: ...
    def invalidate(self) -> None:
        """Marks the whole instrument changed (its pixels on the host were overwritten)."""
    def paint(self, painter: Painter) -> None:
        """Paints the whole state, (0, 0) at the painter's origin, inside its clip."""
    def paint_if_changed(self, painter: Painter) -> bool:
        """Paints only when something changed since the last paint; True when it painted."""

class TextDisplay(Instrument):
    """A dot-matrix text display: 5 x 7 glyphs filling the face."""

    def __init__(
        self,
        *,
        size: Size,
        frame: Optional[Frame] = None,
        background: Optional[Background] = None,
        ink: Colour = (0, 0, 0),
        dots: Union[DotStyle, _DotStyleName] = DotStyle.PLAIN,
        label: str = "",
        align: Union[TextAlign, _TextAlignName] = TextAlign.LEFT,
        picture: Optional[Surface] = None,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_text(self, text: str) -> None:
        """Shows a text; characters without a glyph show the placeholder. "\\n" starts a line."""
    def set_codes(self, codes: bytes) -> None:
        """Shows raw glyph codes, one byte a character (10 ends a line)."""
    @property
    def codes(self) -> bytes: ...
    def set_glyph(self, code: int, rows: Sequence[str]) -> None:
        """Gives a code a glyph of its own: 7 strings of 5 "X" (lit) or "."."""

class AnalogClock(Instrument):
    """An analog clock: hour, minute and second hands and hour dots."""

    def __init__(
        self,
        *,
        size: Size,
        frame: Optional[Frame] = None,
        background: Optional[Background] = None,
        picture: Optional[Surface] = None,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_time(self, hour: int, minute: int, second: int = 0, *, hour_offset: int = 0) -> None:
        """Shows a time of day, the hour shifted by hour_offset."""
    @property
    def time(self) -> Tuple[int, int, int]:
        """(hour, minute, second)."""

class LevelMeter(Instrument):
    """A needle meter over a scale with 21 ticks."""

    def __init__(
        self,
        *,
        size: Size,
        frame: Optional[Frame] = None,
        background: Optional[Background] = None,
        needle: Colour = (0, 0, 0),
        range: Tuple[float, float] = (0.0, 100.0),
        labels: Sequence[Tuple[float, str]] = [],
        picture: Optional[Surface] = None,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_level(self, level: float) -> None:
        """Shows a level in the range's units; NaN shows no needle."""
    @property
    def level(self) -> float: ...

class Switch(Instrument):
    """A two-state switch face: a lamp and the state's label."""

    def __init__(
        self,
        *,
        size: Size,
        frame: Optional[Frame] = None,
        background: Optional[Background] = None,
        on_background: Union[BackgroundPattern, _BackgroundPatternName] = BackgroundPattern.NONE,
        label_colour: Colour = (0, 0, 0),
        labels: str = "OFF/ON",
        off_picture: Optional[Surface] = None,
        on_picture: Optional[Surface] = None,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_on(self, on: bool) -> None: ...
    def toggle(self) -> None: ...
    @property
    def on(self) -> bool: ...

class SegmentDisplay(Instrument):
    """A row of seven- or fourteen-segment digits."""

    def __init__(
        self,
        *,
        size: Size,
        digits: int = 4,
        kind: Literal[7, 14] = 7,
        colons: bool = False,
        slant: float = 0.0,
        preset: str = "red",
        frame: Optional[Frame] = None,
        background: Optional[Colour] = None,
        ink: Optional[Colour] = None,
        show_unlit: Optional[bool] = None,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_text(self, text: str) -> None:
        """Shows a text right-aligned; "." and ":" light the point and colon."""
    @property
    def text(self) -> str: ...
    @property
    def unshown(self) -> str:
        """The characters of the text that could not be shown, in order."""
    def lit_segments(self, cell: int) -> List[str]:
        """The names of the cell's lit segments (a b c ... then dp)."""
    def colon_after(self, cell: int) -> bool: ...
    def paint_changed_cells(self, painter: Painter) -> bool:
        """Repaints only the cells changed since the last paint, on a surface that holds it."""

class BarGraph(Instrument):
    """An LED bar graph lit to a value of 0..1, coloured by zones."""

    def __init__(
        self,
        *,
        size: Size,
        segments: int = 20,
        orientation: Union[BarOrientation, _BarOrientationName] = BarOrientation.HORIZONTAL,
        style: Union[BarStyle, _BarStyleName] = BarStyle.SEGMENTED,
        zones: Sequence[float] = [0.6, 0.85],
        zone_colours: Optional[Sequence[Colour]] = None,
        background: Colour = (20, 20, 20),
        show_unlit: bool = True,
        peak_hold_ms: float = 0.0,
        peak_fall_per_second: float = 0.0,
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_value(self, value: float) -> None:
        """Lights round(value x segments) segments; clamped to 0..1, NaN is 0."""
    def advance(self, ms: float) -> None:
        """Moves the virtual clock on (the peak holds, then falls)."""
    @property
    def lit_segments(self) -> int: ...
    @property
    def peak_segment(self) -> int:
        """The peak segment, 1..N; 0 for none."""

class Lamp(Instrument):
    """An indicator lamp: round or square, on, off or blinking."""

    def __init__(
        self,
        *,
        size: Size = (24, 24),
        shape: Union[LampShape, _LampShapeName] = LampShape.ROUND,
        scheme: str = "green",
        colour: Optional[Colour] = None,
        background: Colour = (240, 240, 240),
    ) -> None: ...
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    def set_on(self, on: bool) -> None: ...
    def set_blink(self, period_ms: float, duty: float = 0.5) -> None:
        """Blinks from now on, lit for `duty` (0..1) of each period."""
    def advance(self, ms: float) -> None: ...
    @property
    def mode(self) -> LampMode: ...
    @property
    def lit(self) -> bool:
        """Whether the lamp shows lit now."""

class _LcdState(TypedDict):
    columns: int
    rows: int
    interface: Literal[8, 4]
    lines: Literal[1, 2]
    font: Literal["5x8", "5x10"]
    display: bool
    cursor: bool
    blink: bool
    increment: bool
    shift_on_write: bool
    display_shift: int
    address_counter: int
    address_target: Literal["ddram", "cgram"]
    busy: bool
    dropped_writes: int
    ddram: str
    cgram: str
    time_ms: float

class CharacterLcd(Instrument):
    """A character LCD module: the controller firmware drives and its glass.

    Time is virtual: advance(ms) moves it (blink phase, busy time)."""

    def __init__(
        self,
        *,
        columns: int = 16,
        rows: int = 2,
        preset: str = "yellow-green",
        backlight: Optional[Colour] = None,
        ink: Optional[Colour] = None,
        backlight_on: Optional[bool] = None,
        show_unlit: Optional[bool] = None,
        dot_size: Optional[int] = None,
        dot_gap: Optional[int] = None,
        frame: Optional[Frame] = None,
        font: Literal["5x8", "5x10"] = "5x8",
        bus: Literal[8, 4] = 8,
        oscillator_khz: float = 270.0,
        check_timing: bool = False,
        rom: Union[str, os.PathLike[str], None] = None,
    ) -> None:
        """Presets: yellow-green, blue, white-on-black, amber-on-black, green-on-black.
        rom: a ROM text-art file."""
    @staticmethod
    def size_of(
        *,
        columns: int = 16,
        rows: int = 2,
        dot_size: int = 3,
        dot_gap: int = 1,
        frame_width: int = 4,
        font: Literal["5x8", "5x10"] = "5x8",
    ) -> Size:
        """The pixel size of a module with these settings."""
    def render(self) -> Surface:
        """A new Surface of the instrument's size showing its current state."""
    # The driver calls.
    def begin(self) -> None:
        """Two lines (on a glass of more than one row), display on, cleared, left to right."""
    def clear(self) -> None: ...
    def home(self) -> None: ...
    def set_cursor(self, column: int, row: int) -> None:
        """Moves the cursor to a column and row, clamped to the glass."""
    def print(self, text: Union[str, bytes]) -> None:
        """Writes the text's bytes as data (str: Latin-1 characters)."""
    def display(self, on: bool = True) -> None: ...
    def cursor(self, on: bool = True) -> None: ...
    def blink(self, on: bool = True) -> None: ...
    def scroll_left(self) -> None: ...
    def scroll_right(self) -> None: ...
    def left_to_right(self) -> None: ...
    def right_to_left(self) -> None: ...
    def autoscroll(self, on: bool = True) -> None: ...
    def create_char(self, slot: int, rows: Sequence[int]) -> None:
        """Character slot (0..7, taken mod 8) from eight row bytes, bits 4..0."""
    # The bus.
    def write_instruction(self, value: int) -> None:
        """An instruction byte, in one or two transfers as the bus takes it.

        With check_timing, a byte sent while the controller is busy is lost
        (state()["dropped_writes"] counts them)."""
    def write_data(self, value: int) -> None:
        """A data byte into the RAM at the address counter (lost while busy, as above)."""
    def read_data(self) -> int:
        """Reads the RAM byte at the address counter, which then moves."""
    def read_status(self) -> int:
        """The busy flag (bit 7) and the address counter."""
    def transfer(self, register: Union[LcdRegister, _LcdRegisterName], bus: int) -> None:
        """One write transfer to LcdRegister.INSTRUCTION or DATA (or "instruction", "data");
        on a 4-bit bus DB7..DB4 are bits 7..4 of `bus`."""
    def advance(self, ms: float) -> None:
        """Moves the virtual clock on."""
    def state(self) -> _LcdState:
        """The controller's state: the fields of instruments-lcd --dump."""
    def dots_text(self) -> str:
        """The glass's dots, one line per dot row, "#" lit."""
    def paint_changed_cells(self, painter: Painter) -> bool:
        """Repaints only the cells changed since the last paint, on a surface that holds it."""

class WindowError(RuntimeError): ...

class Timer:
    """A repeating callback made by Window.every."""

    def stop(self) -> None:
        """No further calls."""

class Window:
    """A window whose client area shows instruments, with callbacks.

    Window.headless(...) is the same on virtual time, for tests and snapshots.
    Change the instruments of a running window from its callbacks."""

    def __init__(
        self, title: str, *, size: Size, scale: int = 1, background: Colour = (240, 240, 240)
    ) -> None: ...
    @staticmethod
    def headless(
        *,
        size: Size,
        span_ms: float,
        events: Sequence[Event] = [],
        on_frame: Optional[Callable[[Surface, int], object]] = None,
        background: Colour = (240, 240, 240),
    ) -> Window:
        """A window that shows nothing and runs on virtual time for span_ms;
        on_frame(surface, at_ms) sees every present."""
    @property
    def client_size(self) -> Size: ...
    def add(self, instrument: Instrument, *, at: Point) -> None:
        """Shows the instrument with its top-left corner at (x, y) of the client area."""
    @overload
    def on_click(self, instrument: Instrument, callback: Callable[[int, int], object]) -> None:
        """callback(x, y) on a click on the instrument, in its own coordinates."""
    @overload
    def on_click(self, callback: Callable[[int, int], object]) -> None:
        """callback(x, y) on every other click, in client coordinates."""
    def on_key(self, callback: Callable[[KeyName], object]) -> None:
        """callback(name): escape, enter, space, tab, backspace, left, right, up, down."""
    def on_resize(self, callback: Callable[[int, int], object]) -> None: ...
    def on_close(self, callback: Callable[[], object]) -> None:
        """Called on a close request; run() then ends unless it calls keep_open()."""
    def keep_open(self) -> None: ...
    def every(self, period_ms: float, callback: Callable[[], object]) -> Timer:
        """Calls callback() every period (at least 10 ms) until the returned Timer is stopped."""
    def run(self) -> int:
        """Shows the window and calls the callbacks until quit() or a close; returns quit's code."""
    def quit(self, code: int = 0) -> None: ...
    @property
    def now_ms(self) -> int: ...
    def last_frame(self) -> Optional[Surface]:
        """A copy of the last presented client area (headless), or None."""
    @property
    def frame_count(self) -> int: ...

__all__ = [
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
