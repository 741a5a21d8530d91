# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader meets in Tolvane, judged through AT-SPI.

Run by run.sh inside a private D-Bus session, with Debian's /usr/bin/python3
and python3-pyatspi. Fails when a role, a name, a labelled-by relation, the
spoken message after drawing a line or an entry of the surface's menu goes
missing.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(top, "scripts", "a11y"))
from find_app import find_frame  # noqa: E402 (it lives beside the screen-reader walk)

failures = []


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def named(root, name, role=None):
    return pyatspi.findDescendant(
        root, lambda a: a.name == name and (role is None or a.getRole() == role))


def labels_of(accessible):
    names = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                label = relation.getTarget(i)
                names.append((label.getRoleName(), label.name))
    return names


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--", name], check=False)
        time.sleep(0.15)


def sentence(name):
    """The words the program shows for name, as core/window/sentences.h has them."""
    with open(os.path.join(top, "core", "window", "sentences.h"), encoding="utf-8") as header:
        return re.search(name + r' = "([^"]*)"', header.read()).group(1)


def in_turn(*steps):
    """Runs the steps 0.4 s apart, hearing AT-SPI's events in between."""
    loop = GLib.MainLoop()
    for i, step in enumerate(steps + (loop.quit,)):
        GLib.timeout_add(400 * (i + 1), lambda step=step: (step(), False)[1])
    loop.run()


def main():
    frame = find_frame("Tolvane")
    if frame is None:
        return 1
    check("the window is a frame named Tolvane",
          frame.getRole() == pyatspi.ROLE_FRAME and frame.name == "Tolvane")
    surface = named(frame, "座標平面", pyatspi.ROLE_IMAGE)
    check("the surface is an image named 座標平面", surface is not None)
    box_a = named(frame, "ａ（χの係数）", pyatspi.ROLE_TEXT)
    check("box a is named for its purpose", box_a is not None)
    # Orca names a box by its label, so the label carries the purpose too.
    check("box a is labelled by its label", box_a is not None and labels_of(box_a) == [
        ("label", "ａ（χの係数）")])
    box_from = named(frame, "変域の始め（χ）", pyatspi.ROLE_TEXT)
    check("the range box is labelled by the caption that shows",
          box_from is not None and labels_of(box_from) == [("label", "変域の始め（χ）")])

    # Type a line and press 線を引く from the keyboard; the message must reach
    # AT-SPI as a notification that appears, and the focus end in box a.
    heard = []
    loop = GLib.MainLoop()

    def on_event(event):
        try:
            if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                heard.append(event.source.name)
                loop.quit()
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing")

    def type_line():
        window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tolvane$"],
                                capture_output=True, text=True).stdout.split()
        if window:
            subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
        time.sleep(0.5)
        keys("1", "Return", "2", "Return", "4", "Return", "minus", "2", "Return", "6",
             "Return", "Return")
        return False

    GLib.timeout_add(300, type_line)
    GLib.timeout_add_seconds(15, loop.quit)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_event, "object:state-changed:showing")

    check("drawing says what was drawn and which slot is next",
          heard == ["直線１を引きました: x + 2y = 4, −2 ≦ x ≦ 6。次は２ 空き"])
    check("the focus ends in box a",
          box_a is not None and box_a.getState().contains(pyatspi.STATE_FOCUSED))
    check("the surface describes the line",
          surface is not None and "直線１: x + 2y = 4, −2 ≦ x ≦ 6" in surface.description)
    check("slot button １ says what it holds",
          named(frame, "１ x + 2y = 4, −2 ≦ x ≦ 6", pyatspi.ROLE_RADIO_BUTTON) is not None)

    # The surface's menu must show all its entries each time it opens, not
    # only the first, and the down arrow must move the focus onto them; the
    # first opening is walked into as a screen reader would. Qt lists no popup
    # as a child of the application, so the menu and its focused entry are
    # heard as events.
    menu, focused = [], []

    def on_menu(event):
        try:
            role = event.source.getRole()
            if event.detail1 and role == pyatspi.ROLE_POPUP_MENU:
                menu[:] = [event.source]
            elif event.detail1 and role == pyatspi.ROLE_MENU_ITEM:
                focused.append(event.source.name)
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(on_menu, "object:state-changed:showing",
                                           "object:state-changed:focused")
    in_turn(lambda: surface.queryComponent().grabFocus(), lambda: keys("shift+F10", "Down"),
            lambda: keys("Escape"), menu.clear, focused.clear, lambda: keys("shift+F10", "Down"))
    entries = [c.name if c.getRole() == pyatspi.ROLE_MENU_ITEM else "-"
               for c in (menu[0] if menu else []) if c is not None]
    check("the surface's menu, opened again, shows all its entries", entries == [
        sentence("CopyPictureEntry"), "-", sentence("LinkCopyEntry"), sentence("LinkOpenEntry"),
        "-", sentence("UndoEntry"), sentence("RedoEntry"), "-",
        sentence("MarksEntry"), sentence("FunctionEntry"), "-", sentence("PrintEntry")])
    check("the down arrow focuses its first entry", focused == [sentence("CopyPictureEntry")])
    keys("Escape")

    # With the function view on, the panel beside the window is found by its
    # name and says the formula as it is spoken.
    in_turn(lambda: box_a.queryComponent().grabFocus(),
            lambda: keys("ctrl+a", "2", "Return", "ctrl+a", "3", "Return", "ctrl+a", "6", "Return",
                         "ctrl+a", "minus", "3", "Return", "ctrl+a", "3", "ctrl+g"))
    panel = named(frame, sentence("FunctionPanelName"))
    check("the function panel says the formula spoken",
          panel is not None and "y = マイナス3分の2x + 2" in panel.description)
    return 1 if failures else 0


sys.exit(main())
