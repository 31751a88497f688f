"""Clicks the first and last device column and row of each badge and of the
shop line, and the pixel just outside each, with the real pointer, on a
window shown at a scale factor; prints the links it expects to be opened, in
order, one per line. Where the badges lie is read from the window's own
pixels (what is painted there), the shop line's from its pixel rectangle
scaled with halves rounded up (it paints on the form's own colour).

    scale_clicks.py WINDOW_ID SCALE SHOT.ppm
"""
import math
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from lib import EXPECTED  # noqa: E402

window, scale, shot = sys.argv[1], float(sys.argv[2]), sys.argv[3]


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    parts, at = [], 0
    while len(parts) < 4:  # magic, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        parts.append(data[at:end])
        at = end
    width, height = int(parts[1]), int(parts[2])
    pixels = data[at + 1:]
    return width, height, lambda x, y: pixels[3 * (y * width + x):3 * (y * width + x) + 3]


subprocess.run(["import", "-window", window, "-depth", "8", "ppm:" + shot], check=True)
width, height, pixel = read_ppm(shot)
background = pixel(2, 2)


def painted_box(left, top, right, bottom):
    """The device pixels that differ from the form's colour within a box."""
    xs, ys = [], []
    for y in range(max(0, top), min(height, bottom)):
        for x in range(max(0, left), min(width, right)):
            if pixel(x, y) != background:
                xs.append(x)
                ys.append(y)
    return min(xs), min(ys), max(xs), max(ys)  # inclusive


def edge(pixels):
    return math.floor(pixels * scale + 0.5)


# Each element: its link and its first and last device column and row.
elements = {}
for name, link, (l, t, w, h) in (("Image1", "wangwang_link", (272, 96, 77, 19)),
                                 ("Image2", "qq_link", (384, 96, 74, 23))):
    # What is painted decides: looked for a little beyond the badge's pixel
    # rectangle, except on the left, where its caption's last glyph may lie.
    elements[name] = (link,) + painted_box(edge(l), edge(t) - 3, edge(l + w) + 3, edge(t + h) + 3)
# The shop line's last column is under 旺旺：, which lies above it.
elements["Label1"] = ("shop_link", edge(24), edge(104), min(edge(24 + 217), edge(240)) - 1, edge(104 + 17) - 1)

clicks = {}
for name, (link, x0, y0, x1, y1) in elements.items():
    mx, my = (x0 + x1) // 2, (y0 + y1) // 2
    clicks[name] = [(x0, my, link, f"{name}'s first column {x0}"), (x1, my, link, f"{name}'s last column {x1}"),
                    (mx, y0, link, f"{name}'s first row {y0}"), (mx, y1, link, f"{name}'s last row {y1}"),
                    (x0 - 1, my, None, f"left of {name}, {x0 - 1}"), (x1 + 1, my, None, f"right of {name}, {x1 + 1}"),
                    (mx, y0 - 1, None, f"above {name}, {y0 - 1}"), (mx, y1 + 1, None, f"below {name}, {y1 + 1}")]

# Round robin over the three elements, so that no two clicks in a row are
# near enough to make a double-click.
for row in zip(*clicks.values()):
    for x, y, link, what in row:
        subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"], check=True)
        time.sleep(0.15)
        print(f"{what}: {'opens' if link else 'nothing'}", file=sys.stderr)
        if link:
            print(EXPECTED[link])
