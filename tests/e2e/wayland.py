"""The window on X11 or on a Wayland compositor, as the desktop and an
assistive tool see it: a calculation through AT-SPI (which runs over D-Bus,
whatever the display protocol), then a picture of the client area. On
Wayland the window must be a native toplevel named by the desktop entry's id
with a client area of 470 x 123.

    wayland.py PROGRAM ARTIFACT_FOLDER WORK_FOLDER x11|wayland   (inside atspi_session.sh)
"""
import json
import subprocess
import sys
import time

from assistive import CAPTION, EXPECTED, Checks, application, children, press, set_text, start, text_of, wait_for, window_id

program, artifacts, work, protocol = sys.argv[1:5]
checks = Checks(protocol)
process = start(program, work)
app = application()
checks.check("the program is on the accessibility bus", app is not None, True)


def toplevel():
    out = subprocess.run(["swaymsg", "-t", "get_tree", "-r"], capture_output=True, text=True).stdout
    stack = [json.loads(out or "{}")]
    while stack:
        node = stack.pop()
        if node.get("name") == EXPECTED["caption"] and node.get("pid"):
            return node
        stack.extend(node.get("nodes", []) + node.get("floating_nodes", []))
    return None


if protocol == "wayland":
    node = wait_for(toplevel, 20) or {}
    checks.check(
        "a native Wayland toplevel named by the desktop entry's id",
        (node.get("shell"), node.get("app_id")),
        ("xdg_shell", EXPECTED["app_id"]),
    )
    client = node.get("window_rect", {})
    checks.check("its client area", (client.get("width"), client.get("height")), (470, 123))
else:
    window = window_id("^" + CAPTION + "$")



def elements():
    frames = children(app) if app is not None else []
    found = {n.get_name(): n for n in children(frames[0])} if frames and frames[0] is not None else {}
    return found if "原价" in found else None


by_name = wait_for(elements, 20) or {}
checks.check("the window's elements reach the bus", bool(by_name), True)
if not by_name:
    process.kill()
    checks.finish()
set_text(by_name["原价"], "199")
set_text(by_name["折扣"], "8.5")
press(by_name["计算"])
result = wait_for(lambda: text_of(by_name["现价"]) or None, 5)
checks.check("199 at 8.5 through AT-SPI", result, "169.15")
time.sleep(0.5)

shot = f"{artifacts}/mivello-{protocol}.png"
if protocol == "wayland":
    node = toplevel() or {}
    x = node["rect"]["x"] + node["window_rect"]["x"]
    y = node["rect"]["y"] + node["window_rect"]["y"]
    subprocess.run(["grim", "-g", f"{x},{y} 470x123", shot], check=False)
else:
    subprocess.run(["import", "-window", window, shot], check=False)
process.kill()
process.wait()
checks.finish()
