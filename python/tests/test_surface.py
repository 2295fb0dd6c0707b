"""Surfaces: the buffer is a real view, PNG files round-trip, the painter's
state comes back after a `with` block."""

import numpy
import pytest

import instruments as ins


def test_numpy_sees_and_changes_the_pixels():
    surface = ins.Surface(7, 3, fill="#102030")
    view = numpy.asarray(surface)
    assert view.shape == (3, 7) and view.dtype == numpy.uint32
    assert (view == 0x102030).all()
    view[2, 6] = 0xABCDEF
    assert surface.pixel(6, 2) == 0xABCDEF
    painter = ins.Painter(surface)
    painter.set_pixel(1, 0, (255, 0, 0))
    assert view[0, 1] == 0xFF0000
    rgb = surface.to_rgb()
    assert rgb.shape == (3, 7, 3) and rgb.dtype == numpy.uint8
    assert list(rgb[2, 6]) == [0xAB, 0xCD, 0xEF] and list(rgb[0, 1]) == [255, 0, 0]
    rgb[0, 0] = 0
    assert surface.pixel(0, 0) == 0x102030


def test_png_round_trip_and_file_errors(tmp_path):
    surface = ins.Surface(5, 4)
    numpy.asarray(surface)[:] = numpy.arange(20, dtype=numpy.uint32).reshape(4, 5) * 0x010305
    path = tmp_path / "s.png"
    surface.save_png(str(path))
    assert ins.Surface.from_png(str(path)) == surface
    assert surface.copy() == surface and surface.copy() is not surface
    assert surface != 3 and surface not in [None, "s.png"]
    assert ins.Surface.from_png(path) == surface  # any os.PathLike names a file
    (tmp_path / "junk.png").write_bytes(b"\x89PNG not really")
    for unreadable in (tmp_path / "missing.png", tmp_path / "junk.png", tmp_path):
        with pytest.raises(OSError, match="cannot read"):
            ins.Surface.from_png(str(unreadable))
    with pytest.raises(OSError, match="cannot write"):
        surface.save_png(str(tmp_path / "no-such-folder" / "s.png"))
    with pytest.raises(OSError, match="empty"):
        ins.Surface(0, 0).save_png(str(tmp_path / "empty.png"))


def test_painter_state_comes_back_after_with():
    surface = ins.Surface(40, 20)
    painter = ins.Painter(surface)
    painter.box(0, 0, 40, 20, fill_style="cross", line="none", fill=(9, 9, 9))
    hatched = numpy.asarray(surface)
    assert 0 < numpy.count_nonzero(hatched == 0x090909) < 39 * 19  # lines over the text background
    painter.copy(ins.Surface(40, 20), "blackness")
    assert not hatched.any()
    with painter.saved():
        painter.clip((10, 5, 10, 10))
        painter.translate((10, 5))
        assert painter.clip_area == (10, 5, 10, 10)
        painter.box(0, 0, 100, 100, line="none", fill=(0, 255, 0))
    assert painter.clip_area == (0, 0, 40, 20)
    painter.box(0, 0, 3, 3, line="none", fill=(0, 0, 255))  # no outline: one pixel short
    view = numpy.asarray(surface)
    assert (view[5:15, 10:20] == 0x00FF00).all()
    assert view[4, 10] == 0 and view[15, 10] == 0 and view[5, 20] == 0
    assert (view[0:2, 0:2] == 0x0000FF).all() and view[2, 2] == 0
    with pytest.raises(RuntimeError), painter.saved():
        painter.translate((3, 3))
        raise RuntimeError("out of the block")
    painter.set_pixel(0, 0, "#ffffff")
    assert view[0, 0] == 0xFFFFFF


def test_render_leaves_what_a_host_has_to_paint():
    display = ins.TextDisplay(size=(60, 20))
    display.set_text("A")
    assert display.needs_paint
    first = display.render()
    assert display.needs_paint and display.dirty == (0, 0, 60, 20)
    assert display.render() == first
    display.paint(ins.Painter(ins.Surface(60, 20)))
    assert not display.needs_paint and display.dirty is None
    display.set_text("A")
    assert not display.needs_paint
    display.set_text("B")
    assert display.needs_paint
