#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The worksheet as headless Chromium prints it: by the browser's own
printing with no window at all (DevTools' Page.printToPDF), at 中 and 小,
and through 印刷… as the pupils' copy; each PDF measured as a ruler would by
tests/support/paperpdf.py. Also the print dialog by the keyboard.
   print_test.py PAGE-FOLDER"""

import base64
import os
import sys
import tempfile

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import pagecheck
from controls_test import draw, through_menu
from pagecheck import control, expect, press, step

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import paperpdf  # noqa: E402

# 2x + 3y = 6 from x = −3 to 3 passes these points of the plane.
THROUGH = [(-3, 4), (0, 2), (3, 0)]


def printed(driver, folder, name):
    data = pagecheck.cdp(driver, "Page.printToPDF", preferCSSPageSize=True)["data"]
    path = os.path.join(folder, name + ".pdf")
    with open(path, "wb") as pdf:
        pdf.write(base64.b64decode(data))
    return path


def measured(path, scale, unit, with_lines=True):
    failures = paperpdf.check(path, scale, unit, with_lines, THROUGH if with_lines else [])
    if failures:
        raise AssertionError("; ".join(failures))


def dialog_open(driver):
    return driver.execute_script("return document.querySelector('dialog').open")


def worksheet(driver):
    """Whether the page holds a worksheet: None before the first print."""
    return driver.execute_script(
        "const w = document.getElementById('worksheet'); return w && w.children.length > 0")


@step("the browser's own printing at 中: one A4 page at 1目盛り = 5 mm, in vectors, with the line")
def own_printing(driver, url, folder):
    pagecheck.fresh(driver, url)
    draw(driver, "2", "3", "6", "-3", "3")
    expect(worksheet(driver), None, "the worksheet before any print")
    measured(printed(driver, folder, "medium"), 5, 22)
    WebDriverWait(driver, 5).until(lambda d: worksheet(d) is False, "a worksheet left after printing")


@step("小: 1目盛り = 10 mm")
def small(driver, folder):
    pagecheck.small_plane.__wrapped__(driver)
    measured(printed(driver, folder, "small"), 10, 40)


@step("Ctrl+P opens 印刷 on the fitting scale; Escape closes it and the focus goes back")
def dialog_keys(driver):
    control(driver, "ｃ（右辺の数）").click()
    press(driver, Keys.CONTROL, "p")
    expect(driver.execute_script("""const e = document.activeElement, d = e.closest("dialog");
        return [d && d.open, d && d.getAttribute("aria-labelledby") &&
          document.getElementById(d.getAttribute("aria-labelledby")).textContent,
          e.closest("fieldset").querySelector("legend").textContent, e.type, e.checked,
          e.labels[0].textContent, e.matches(":focus-visible")];"""),
           [True, "印刷", "1目盛りの長さ", "radio", True, "1目盛り = 10 mm", True], "the focus in the dialog")
    press(driver, Keys.ESCAPE)
    expect((dialog_open(driver), pagecheck.focused_caption(driver)), (False, "ｃ（右辺の数）"),
           "after Escape")
    through_menu(driver, Keys.UP)
    expect(driver.execute_script("""return [document.activeElement.getAttribute("aria-label"),
        document.activeElement.getAttribute("aria-keyshortcuts")]"""), ["印刷…", "Control+P"], "the entry")
    press(driver, Keys.ENTER)
    expect(dialog_open(driver), True, "the dialog after 印刷… in the menu")
    press(driver, Keys.ESCAPE)
    expect(pagecheck.focused_caption(driver), "座標平面", "the focus after Escape")


@step("the pupils' copy: 線なし, then 印刷… prints it, and the browser's printing keeps the choice")
def pupils_copy(driver, folder):
    driver.execute_script("window.printed = 0; window.print = () => { printed += 1; };")
    press(driver, Keys.CONTROL, "p")
    # From the scale to 線なし（問題用）, then to 印刷….
    for key in (Keys.TAB, Keys.SPACE, Keys.TAB):
        press(driver, key)
    expect(pagecheck.focused_caption(driver), "印刷…", "the focus after Tab, Space, Tab")
    press(driver, Keys.ENTER)
    expect((driver.execute_script("return printed"), dialog_open(driver)), (1, False),
           "print() and the dialog after 印刷…")
    expect(worksheet(driver), True, "the worksheet built for print()")
    measured(printed(driver, folder, "pupils"), 10, 40, with_lines=False)
    # Printing wrote nothing anywhere.
    expect(driver.execute_script("return [localStorage.length, sessionStorage.length]"), [0, 0],
           "what the page stored")


def run(url):
    driver = pagecheck.chromium()
    try:
        with tempfile.TemporaryDirectory() as folder:
            own_printing(driver, url, folder)
            small(driver, folder)
            dialog_keys(driver)
            pupils_copy(driver, folder)
    finally:
        driver.quit()


if __name__ == "__main__":
    sys.exit(pagecheck.main(run))
