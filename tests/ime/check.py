# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A pupil typing with Mozc in hiragana mode, judged by what Tolvane shows.

Run by run.sh inside a private desktop with ibus-daemon and Mozc. Fails when
the Enter walk does not draw the line, when a click while composing puts the
composition into a second box, or when it leaks into the next slot."""
import os
import re
import subprocess
import sys
import time

import pyatspi

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from find_app import find_frame  # noqa: E402

# Without a window manager the client area sits at (4, 30) on the screen.
PLACES = {"b": (760, 336, 49, 41), "draw": (744, 472, 161, 33), "clear": (824, 16, 89, 33)}
BOXES = ["ａ（χの係数）", "ｂ（ｙの係数）", "ｃ（右辺の数）", "変域の始め（χ）", "変域の終わり（χ）"]
LINE = "１ x + 2y = 4, −2 ≦ x ≦ 6"
failures = []


def check(what, ok, seen=""):
    print(("ok   " if ok else "FAIL ") + what + ("" if ok else f" (seen: {seen})"), flush=True)
    failures.extend([] if ok else [what])


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=False)
        time.sleep(0.15)
    time.sleep(0.4)  # lets a composition reach the box before a click


def click(place):
    left, top, width, height = PLACES[place]
    subprocess.run(["xdotool", "mousemove", "--sync", str(4 + left + width // 2),
                    str(30 + top + height // 2), "click", "1"], check=False)


def wait_for(condition, seconds=10):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.1)
    return condition()


def blue_points():
    """How many of nine points along the line of LINE are light blue: it runs
    from (256, 234) to (432, 322) on the surface, which starts at (16, 32)."""
    ppm = subprocess.run("xwd -root -silent | xwdtopnm 2>/dev/null", shell=True,
                         capture_output=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+\d+\s+(\d+)\s", ppm)
    width, pixels = int(header[1]), ppm[header.end():]
    n = 3 * (1 + (int(header[2]) > 255))  # bytes a pixel; of a sample, the high one counts
    points = [(4 + 16 + 256 + 22 * i, 30 + 32 + 234 + 11 * i) for i in range(9)]
    return sum(pixels[(y * width + x) * n:][:n:n // 3] == b"\x00\x00\xff" for x, y in points)


def main():
    frame = find_frame("Tolvane")
    if frame is None:
        return 1
    boxes = [pyatspi.findDescendant(frame, lambda a, n=n: a.name == n and
                                    a.getRole() == pyatspi.ROLE_TEXT).queryText() for n in BOXES]

    def texts():
        return [box.getText(0, -1) for box in boxes]

    def drawn():
        return pyatspi.findDescendant(frame, lambda a: a.name == LINE) is not None

    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tolvane$"],
                            capture_output=True, text=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
    keys("Hiragana_Katakana")  # Mozc starts in direct mode

    # Enter commits a value, a second Enter moves on; the last one draws.
    keys("1", "Return", "Return", "2", "Return", "Return", "4", "Return", "Return",
         "minus", "2", "Return", "Return", "6", "Return", "Return", "Return")
    check("the Enter walk draws the line", wait_for(drawn) and wait_for(lambda: blue_points() == 9),
          f"{blue_points()} of 9 points blue")
    check("the next slot starts empty", texts() == [""] * 5, texts())
    click("clear")
    check("初期画面 clears the surface", wait_for(lambda: blue_points() == 0),
          f"{blue_points()} of 9 points blue")

    # A click while composing; the 2 typed next in b comes after anything the
    # input method could still send.
    keys("1")
    click("b")
    keys("2", "Return")
    check("a click on b leaves the composition in a alone",
          wait_for(lambda: texts()[1] != "") and texts()[:2] == ["１", "２"], texts())
    keys("Return", "4", "Return", "Return", "minus", "2", "Return", "Return", "6")
    click("draw")
    keys("3", "Return")
    check("a click on 線を引く draws with the composition",
          wait_for(drawn) and wait_for(lambda: blue_points() == 9), f"{blue_points()} of 9 points blue")
    check("and leaves the next slot empty",
          wait_for(lambda: texts()[0] != "") and texts() == ["３", "", "", "", ""], texts())
    return 1 if failures else 0


sys.exit(main())
