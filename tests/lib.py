"""What the Python test scripts share, as tests/lib.sh is for the shell ones.

    EXPECTED                  the values of tests/expected_values.txt, by name
    Checks(name)              checks counted one way, with the closing line
                              "NAME: N passed, M failed[, K skipped]"
    stand_in_opener(bin, log) an xdg-open in BIN that records each call in LOG
"""
import os
import pathlib
import sys

_FILE = pathlib.Path(__file__).resolve().parent / "expected_values.txt"

EXPECTED = {
    name: value
    for name, _, value in (
        line.partition("=")
        for line in _FILE.read_text(encoding="utf-8").splitlines()
        if line and not line.startswith("#")
    )
}


class Checks:
    """Counted checks; finish() prints the closing line and exits with 1 for a
    failure and 77 when everything was skipped, as tests/lib.sh's finish does."""

    def __init__(self, name):
        self.name, self.passed, self.failed, self.skipped = name, 0, 0, 0

    def check(self, what, got, want):
        if got == want:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {what}: got {got!r}, expected {want!r}")

    def skip(self, what):
        self.skipped += 1
        print(f"skipped: {what}")

    def finish(self):
        line = f"{self.name}: {self.passed} passed, {self.failed} failed"
        if self.skipped:
            line += f", {self.skipped} skipped"
        print(line)
        if self.failed:
            sys.exit(1)
        sys.exit(77 if self.skipped and not self.passed else 0)


def stand_in_opener(bin_dir, log):
    """The twin of tests/lib.sh's stand_in_opener: each call appends a line,
    its number of arguments and then each of them, separated by tabs."""
    os.makedirs(bin_dir, exist_ok=True)
    opener = os.path.join(bin_dir, "xdg-open")
    with open(opener, "w") as f:
        f.write(f'#!/bin/sh\n{{ printf "%s" "$#"; printf "\\t%s" "$@"; echo; }} >>"{log}"\n')
    os.chmod(opener, 0o755)
    return opener
