"""Every Python block of the README and docs/python.md runs as written."""

import pathlib
import re

import numpy
import pytest

import instruments as ins

ROOT = pathlib.Path(__file__).resolve().parents[2]
DOCUMENTS = [ROOT / "README.md", ROOT / "docs" / "python.md"]


def blocks():
    for document in DOCUMENTS:
        text = document.read_text(encoding="utf-8")
        for number, match in enumerate(re.finditer(r"```python\n(.*?)```", text, re.S), start=1):
            yield pytest.param(match.group(1), id=f"{document.name}-{number}")


def test_there_are_blocks_to_run():
    assert len(list(blocks())) >= 5


@pytest.mark.parametrize("code", blocks())
def test_block_runs(code, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    exec(compile(code, "<documentation>", "exec"), {"__name__": "__documentation__"})
    # A block that writes NAME.png shows docs/python-NAME.png where there is one.
    for path in tmp_path.glob("*.png"):
        shown = ROOT / "docs" / f"python-{path.name}"
        if shown.exists():
            assert numpy.array_equal(numpy.asarray(ins.Surface.from_png(str(path))),
                                     numpy.asarray(ins.Surface.from_png(str(shown))))
