"""Shared fixtures: the C++ tools of the same build, to compare pixels with."""

import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def tool():
    """Runs a C++ tool of the build by name; returns the completed process."""
    bin_dir = os.environ.get("INSTRUMENTS_BIN_DIR")
    if not bin_dir:
        pytest.skip("INSTRUMENTS_BIN_DIR names the build's programs (ctest sets it)")

    def run(name, *arguments, stdin=None):
        return subprocess.run([os.path.join(bin_dir, name), *arguments], input=stdin, capture_output=True,
                              text=True, check=True)

    return run
