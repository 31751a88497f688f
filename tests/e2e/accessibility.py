"""The window as a screen reader meets it, over AT-SPI: every element in
reading order with its role, name, description, place and relations; a
calculation done through the accessible interfaces alone; the shop line and
both badges opened through their actions.

    accessibility.py PROGRAM ARTIFACT_FOLDER WORK_FOLDER   (inside atspi_session.sh)
"""
import sys
import time
import warnings

from assistive import (CAPTION, EXPECTED, Atspi, Checks, action_names, application, children, opened, press, role_nick, set_text, start,
                       text_of, wait_for, window_id)

program, artifacts, work = sys.argv[1:4]
checks = Checks("accessibility")
process = start(program, work)
app = application()
window_id()
time.sleep(0.5)


def extents(node):
    e = node.get_extents(Atspi.CoordType.WINDOW)
    return (e.x, e.y, e.width, e.height)


def relations(node):
    out = []
    for r in node.get_relation_set():
        kind = r.get_relation_type().value_nick
        if kind in ("labelled-by", "label-for"):
            out.append((kind, [r.get_target(i).get_name() for i in range(r.get_n_targets())]))
    return out


def actions(node):
    # get_action_name is the name every AT-SPI release still has.
    warnings.simplefilter("ignore", DeprecationWarning)
    return action_names(node)


frames = children(app)
checks.check("one frame named by the window caption", [(f.get_role(), f.get_name()) for f in frames], [(Atspi.Role.FRAME, CAPTION)])
frame = frames[0]
SHOP = EXPECTED["shop_line"]
LABEL, TEXT, BUTTON, LINK = Atspi.Role.LABEL, Atspi.Role.TEXT, Atspi.Role.PUSH_BUTTON, Atspi.Role.LINK
expected = [
    (LABEL, "原价：", "", (24, 32, 41, 17), [("label-for", ["原价"])], []),
    (TEXT, "原价", "", (56, 24, 57, 25), [("labelled-by", ["原价："])], ["SetFocus"]),
    (LABEL, "折扣：", "", (120, 32, 41, 17), [("label-for", ["折扣"])], []),
    (TEXT, "折扣", "", (152, 24, 57, 25), [("labelled-by", ["折扣："])], ["SetFocus"]),
    (LABEL, "现价：", "", (216, 32, 49, 17), [("label-for", ["现价"])], []),
    (TEXT, "现价", "", (248, 24, 65, 25), [("labelled-by", ["现价："])], ["SetFocus"]),
    (BUTTON, "计算", "", (320, 24, 65, 25), [], ["Press", "SetFocus"]),
    (BUTTON, "重来", "", (400, 24, 57, 25), [], ["Press", "SetFocus"]),
    (LABEL, "使用说明:直接输入原价和折扣值就可以了。如9折就直接在折扣处输入9。", "", (40, 72, 393, 17), [], []),
    (LINK, SHOP, "点击访问小店", (24, 104, 217, 17), [], ["Press"]),
    (LABEL, "旺旺：", "", (240, 104, 41, 17), [], []),
    (LINK, "和我联系", "点击联系我旺旺", (272, 96, 77, 19), [], ["Press"]),
    (LABEL, "QQ：", "", (360, 104, 49, 17), [], []),
    (LINK, "QQ在线", "点击联系我QQ", (384, 96, 74, 23), [], ["Press"]),
]
elements = children(frame)
print("The accessibility tree:")
print(f"  frame {CAPTION!r}")
got = []
for node in elements:
    row = (node.get_role(), node.get_name(), node.get_description(), extents(node), relations(node), actions(node))
    print("   ", role_nick(row[0]), *row[1:])
    got.append(row)
checks.check("the elements in reading order", len(got), len(expected))
for want, have in zip(expected, got):
    checks.check(f"element {want[1]}", have, want)
checks.check("no painted element is focusable", [n.get_name() for n in elements if n.get_role() in (LABEL, LINK)
                                                  and n.get_state_set().contains(Atspi.StateType.FOCUSABLE)], [])

# What the mouse would reach at a point is what the tool finds there.
hits = {(30, 110): SHOP, (240, 110): "旺旺：", (275, 110): "和我联系", (390, 110): "QQ在线", (30, 40): "原价：", (84, 36): "原价"}
for (x, y), name in hits.items():
    hit = frame.get_accessible_at_point(x, y, Atspi.CoordType.WINDOW)
    checks.check(f"the element at {x},{y}", hit.get_name() if hit else None, name)

# A calculation through EditableText, Action and Text alone.
by_name = {n.get_name(): n for n in elements}
set_text(by_name["原价"], "199")
set_text(by_name["折扣"], "8.5")
press(by_name["计算"])
result = wait_for(lambda: text_of(by_name["现价"]) or None, 5)
checks.check("199 at 8.5 read back through Text", result, "169.15")
press(by_name["重来"])
time.sleep(0.5)
checks.check("重来 empties the boxes", [text_of(by_name[n]) for n in ("原价", "折扣", "现价")], ["", "", ""])

# The links' actions open what a click opens.
for name in (SHOP, "和我联系", "QQ在线"):
    press(by_name[name])
    time.sleep(0.3)
wait_for(lambda: opened(work).count("\n") == 3, 5)
checks.check(
    "the opener got the three links",
    opened(work),
    "".join(f"1\t{EXPECTED[link]}\n" for link in ("shop_link", "wangwang_link", "qq_link")),
)
process.kill()
process.wait()
checks.finish()
