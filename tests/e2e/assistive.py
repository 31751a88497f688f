"""What the end-to-end tests that look at the program as an assistive tool share.

They start the program, find it on the AT-SPI bus, drive it with xdotool where
a person would use the mouse, and count their checks.
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from lib import EXPECTED, Checks, stand_in_opener  # noqa: E402,F401

CAPTION = EXPECTED["caption"]


def start(program, work, extra_env=None):
    """Starts the program with a recording opener earlier on PATH."""
    bin_dir = os.path.join(work, "bin")
    stand_in_opener(bin_dir, os.path.join(work, "opened"))
    env = dict(os.environ, PATH=bin_dir + ":" + os.environ["PATH"], **(extra_env or {}))
    return subprocess.Popen([program], env=env)


def opened(work):
    try:
        with open(os.path.join(work, "opened")) as f:
            return f.read()
    except FileNotFoundError:
        return ""


def wait_for(predicate, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return None


def application():
    def find():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "mivello":
                return app
        return None

    return wait_for(find, 30)


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


# The interfaces' own functions, called with the object: the one form that
# every binding of AT-SPI accepts (newer ones give Accessible methods of the
# same names other meanings).
def text_of(node):
    return Atspi.Text.get_text(node, 0, -1)


def set_text(node, text):
    return Atspi.EditableText.set_text_contents(node, text)


def press(node):
    return Atspi.Action.do_action(node, 0)


def action_names(node):
    count = Atspi.Action.get_n_actions(node)
    return [Atspi.Action.get_action_name(node, i) for i in range(count)]


def role_nick(role):
    """A role as printed for people; tests compare the Atspi.Role values."""
    return role.value_nick


def window_id(name_regex="^" + CAPTION + "$"):
    def find():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name_regex], capture_output=True, text=True)
        ids = out.stdout.split()
        return ids[0] if ids else None

    return wait_for(find, 30)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)
    time.sleep(0.3)


def events_while(types, action, seconds=2.0):
    """Runs `action` and returns the AT-SPI events of `types` that follow, as
    (type, source) pairs; each handler sees the source while it is there."""
    seen = []
    listener = Atspi.EventListener.new(lambda event: seen.append((event.type, event.source, event.detail1)))
    for t in types:
        listener.register(t)
    loop = GLib.MainLoop()
    GLib.timeout_add(100, lambda: action() and False)
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()
    for t in types:
        listener.deregister(t)
    return seen


def screenshot(path):
    subprocess.run(["import", "-window", "root", "-crop", "600x300+0+0", path], check=False)
