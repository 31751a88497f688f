"""Qt's own texts in the window are Chinese: the text boxes' context menu and
the message box's button, read as an assistive tool reads them.

    chinese_texts.py PROGRAM ARTIFACT_FOLDER WORK_FOLDER   (inside atspi_session.sh)
"""
import sys

from assistive import Atspi, Checks, application, children, events_while, screenshot, start, wait_for, window_id, xdotool

program, artifacts, work = sys.argv[1:4]
checks = Checks("chinese texts")
process = start(program, work)
app = application()
window = window_id()
checks.check("the program is on the accessibility bus", app is not None and window is not None, True)

# A right click in the price box opens its context menu.
menus = []


def right_click():
    xdotool("mousemove", "--window", window, "84", "36", "click", "3")


for kind, source, shown in events_while(["object:state-changed:showing"], right_click, 5.0):
    if shown and source.get_role() == Atspi.Role.POPUP_MENU:
        menus.append([item.get_name() for item in children(source) if item.get_role() == Atspi.Role.MENU_ITEM])
screenshot(f"{artifacts}/context-menu.png")
checks.check(
    "the context menu of a price box",
    menus[:1],
    [["撤消(U)\tCtrl+Z", "重做(R)\tCtrl+Shift+Z", "剪切(T)\tCtrl+X", "复制(C)\tCtrl+C", "粘贴(P)\tCtrl+V", "删除", "全选\tCtrl+A"]],
)
xdotool("key", "Escape")

# An overflow opens the untrapped-error message box.
xdotool("mousemove", "--window", window, "84", "36", "click", "1")
xdotool("type", "1e400")
xdotool("mousemove", "--window", window, "352", "36", "click", "1")
box = window_id("^Mivello$")
screenshot(f"{artifacts}/message-box.png")
dialogs = wait_for(lambda: [w for w in children(app) if w.get_name() == "Mivello"], 10) or []
buttons = []
for dialog in dialogs:
    stack = [dialog]
    while stack:
        node = stack.pop()
        if node.get_role() == Atspi.Role.PUSH_BUTTON:
            buttons.append(node.get_name())
        stack.extend(children(node))
checks.check("one message box", (box is not None, len(dialogs)), (True, 1))
checks.check("its button", buttons, ["确定"])
process.kill()
process.wait()
checks.finish()
