#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks ventbox as a screen reader meets it on the accessibility bus.

Run with a running ventbox on the same accessibility bus (see README,
"Accessibility"). Prints one line per check and exits non-zero on a failure.
"""
import sys
import time

import pyatspi

failures = 0


def check(what, ok, seen=""):
    global failures
    print(("ok   " if ok else "FAIL ") + what + (f" [{seen}]" if seen else ""))
    failures += 0 if ok else 1


def wait_for(find, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def descendants(root, pred):
    # The file dialog's views hand out empty children while they fill.
    found = []
    for child in (root or []):
        if child is None:
            continue
        if pred(child):
            found.append(child)
        found.extend(descendants(child, pred))
    return found


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in desktop if a and a.name == "ventbox"), None)


def named(root, role, prefix):
    return next(iter(descendants(root, lambda o: o.getRole() == role and o.name.startswith(prefix))), None)


def act(obj, action):
    actions = obj.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            return actions.doAction(i)
    raise LookupError(f"{obj.name} has no action {action}")


application = wait_for(app)
if not application:
    sys.exit("ventbox is not on the accessibility bus")
# The start-up sequence opens the file dialog first; cancelling it opens the window.
cancel = wait_for(lambda: named(application, pyatspi.ROLE_PUSH_BUTTON, "Cancel"), 5)
if cancel:
    act(cancel, "Press")
window = wait_for(lambda: next((w for w in application if w.name == "Box"), None))
check("the window reaches the bus as a frame", window is not None and window.getRole() == pyatspi.ROLE_FRAME,
      window.getRoleName() if window else "no window")
frames = descendants(window, lambda o: o.getRole() == pyatspi.ROLE_FRAME)
check("no panel is a frame", not frames, ", ".join(f.name for f in frames))

VOLUME = "キャビネットの実効内容積 Vo (㍑): "
RADIUS = "バスレフ換算半径 r (cm): "
volume = named(window, pyatspi.ROLE_LABEL, VOLUME)
check("the volume is readable with its value", volume is not None and volume.name != VOLUME + "BoxVolium",
      volume.name if volume else "no label")

width = named(window, pyatspi.ROLE_TEXT, "箱の横サイズ　BL1")
width.queryEditableText().setTextContents("40")
time.sleep(0.5)
check("a field set through the bus recalculates", volume.name == VOLUME + "59.6㍑", volume.name)
notification = named(window, pyatspi.ROLE_NOTIFICATION, "")
check("the results are told in a notification", notification is not None and "59.6㍑" in notification.name,
      notification.name if notification else "none")

# The pipe counts only for a duct as wide as it is high.
named(window, pyatspi.ROLE_TEXT, "ダクトのサイズＬ２").queryEditableText().setTextContents("4")
radius = named(window, pyatspi.ROLE_LABEL, RADIUS)
time.sleep(0.5)
before = radius.name
act(named(window, pyatspi.ROLE_CHECK_BOX, "パイプ"), "Toggle")
time.sleep(0.5)
check("the check box's toggle action recalculates", radius.name != before, f"{before} -> {radius.name}")

act(named(window, pyatspi.ROLE_PUSH_BUTTON, "終了"), "Press")
alert = wait_for(lambda: named(application, pyatspi.ROLE_ALERT, ""), 5)
labels = descendants(alert, lambda o: o.getRole() == pyatspi.ROLE_LABEL)
check("the saved message is an alert", alert is not None and any(l.name == "データを保存しました。" for l in labels),
      ", ".join(l.name for l in labels))
if alert:
    act(named(alert, pyatspi.ROLE_PUSH_BUTTON, "OK"), "Press")
sys.exit(1 if failures else 0)
