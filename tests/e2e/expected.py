"""The values of tests/expected_values.txt, by name."""
import pathlib

_FILE = pathlib.Path(__file__).resolve().parent.parent / "expected_values.txt"

EXPECTED = {
    name: value
    for name, _, value in (
        line.partition("=")
        for line in _FILE.read_text(encoding="utf-8").splitlines()
        if line and not line.startswith("#")
    )
}
