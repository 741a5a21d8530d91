#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The plane's menu, undo and redo, the copied words, the numbers and
crossings and 終了 in headless Chromium, driven as a pupil does: with the
mouse, keys and a finger. The line x + 2y = 4 crosses no grid line at
surface pixel (372, 292) at 中; the second line, x − y = 1 from x = −2 to 6,
meets it at (2, 1): surface pixel (344, 278).
   controls_test.py PAGE-FOLDER"""

import json
import sys
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import pagecheck
from pagecheck import BACKGROUND, LESSON, LINE_BLUE, cdp, control, expect, press, step

ON_LINE, CROSSING = (372, 292), (344, 278)


def menu(driver):
    """The focused entry of the open menu ('' with the focus elsewhere), or
    None when it is closed."""
    return driver.execute_script("""
        const m = document.querySelector("[role=menu]");
        if (!m.checkVisibility()) return null;
        const e = document.activeElement;
    return m.contains(e) ? e.getAttribute("aria-label") || e.textContent : "";""")


def entries(driver):
    """Each entry as the open menu shows it: '' for a plain one, 'disabled', or
    'checked' / 'unchecked' for the switch."""
    return driver.execute_script("""
        return [...document.querySelectorAll("[role=menu] button")].map(b =>
          b.getAttribute("aria-disabled") === "true" ? "disabled" :
          b.hasAttribute("aria-checked") ?
            (b.getAttribute("aria-checked") === "true" ? "checked" : "unchecked") : "");""")


def through_menu(driver, *keys):
    """Opens the menu with Shift+F10 on the plane and presses `keys` in it."""
    control(driver, "座標平面").click()
    press(driver, Keys.SHIFT, Keys.F10)
    for key in keys:
        press(driver, key)


def menu_key(driver):
    for kind in ("rawKeyDown", "keyUp"):
        cdp(driver, "Input.dispatchKeyEvent", type=kind, key="ContextMenu", code="ContextMenu",
            windowsVirtualKeyCode=93)


def long_press(driver, x, y, hold=1.0):
    cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    cdp(driver, "Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
    time.sleep(hold)
    cdp(driver, "Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
    cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=False)


def draw(driver, *values):
    """Types the values into the boxes of the selected slot and draws."""
    control(driver, "ａ（χの係数）").click()
    for text in values + ("",):
        driver.switch_to.active_element.send_keys(text + Keys.ENTER)


def at_crossing(driver):
    return pagecheck.pixels(driver, [CROSSING])[0]


def on_line(driver):
    return pagecheck.pixels(driver, [ON_LINE])[0]


def red(rgb):
    return rgb[0] > 200 and max(rgb[1:]) < 80


@step("the menu opens by right click, long press, menu key and Shift+F10; Escape gives the focus back")
def menu_opens(driver, url):
    pagecheck.fresh(driver, url)
    plane = control(driver, "座標平面")
    corner = driver.execute_script("return arguments[0].getBoundingClientRect().toJSON()", plane)
    # A right click opens it with its corner under the pointer.
    ActionChains(driver).move_to_element_with_offset(plane, -200, -150).context_click().perform()
    expect(menu(driver), "図をコピー", "focused entry after a right click")
    where = driver.execute_script(
        "return document.querySelector('[role=menu]').getBoundingClientRect().toJSON()")
    expect((round(where["x"]), round(where["y"])),
           (round(corner["x"]) + 100, round(corner["y"]) + 150), "the menu's corner")
    press(driver, Keys.ESCAPE)
    expect((menu(driver), pagecheck.focused_caption(driver)), (None, "座標平面"),
           "after Escape from the right click's menu")
    # A finger takes no focus: the menu gives it back to the box it was in.
    control(driver, "ｂ（ｙの係数）").click()
    long_press(driver, corner["x"] + 200, corner["y"] + 200)
    expect(menu(driver), "図をコピー", "focused entry after a long press and its release")
    press(driver, Keys.ESCAPE)
    expect(pagecheck.focused_caption(driver), "ｂ（ｙの係数）", "the focus after Escape")
    for name, opens in (("the menu key", menu_key),
                        ("Shift+F10", lambda d: press(d, Keys.SHIFT, Keys.F10))):
        plane.click()
        opens(driver)
        expect(menu(driver), "図をコピー", f"focused entry after {name}")
        press(driver, Keys.ESCAPE)
        expect((menu(driver), pagecheck.focused_caption(driver)), (None, "座標平面"),
               f"after Escape from {name}")


@step("the arrow keys step over what cannot be chosen; Enter and Space choose 元に戻す and やり直す")
def menu_keys(driver, url):
    pagecheck.fresh(driver, url)
    draw(driver, "1", "2", "4", "-2", "6")
    through_menu(driver)
    expect(entries(driver), ["", "", "", "disabled", "unchecked", "unchecked", ""], "entries after one line")
    walked = []
    for key in (Keys.DOWN, Keys.DOWN, Keys.DOWN, Keys.DOWN, Keys.UP, Keys.UP):
        press(driver, key)
        walked.append(menu(driver))
    expect(walked, ["リンクをコピー", "元に戻す", "番号と交点を表示", "式と表を表示", "番号と交点を表示",
                    "元に戻す"], "the entries the arrows go to")
    press(driver, Keys.ENTER)
    expect((menu(driver), on_line(driver)), (None, BACKGROUND), "after Enter on 元に戻す")
    through_menu(driver)
    expect(entries(driver), ["", "", "disabled", "", "unchecked", "unchecked", ""], "entries after undoing")
    press(driver, Keys.ESCAPE)
    through_menu(driver, Keys.DOWN, Keys.DOWN, Keys.SPACE)
    expect(on_line(driver), LINE_BLUE, "after Space on やり直す")


@step("Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; in a box its own typing is undone first")
def undo_keys(driver):
    seen = []
    for keys in ((Keys.CONTROL, "z"), (Keys.CONTROL, "y"), (Keys.CONTROL, "z"),
                 (Keys.CONTROL, Keys.SHIFT, "z")):
        press(driver, *keys)
        seen.append(on_line(driver))
    expect(seen, [BACKGROUND, LINE_BLUE, BACKGROUND, LINE_BLUE], "the line after each key")
    box = control(driver, "ａ（χの係数）")
    box.click()
    before = box.get_attribute("value")
    box.send_keys("7")
    press(driver, Keys.CONTROL, "z")
    expect((box.get_attribute("value"), on_line(driver)), (before, LINE_BLUE),
           "the box and the line after Ctrl+Z in the box")
    press(driver, Keys.CONTROL, "z")
    expect(on_line(driver), BACKGROUND, "the line after a second Ctrl+Z")


@step("番号と交点を表示 by the menu and Ctrl+I: ticked, announced, and a red dot at the crossing")
def marks(driver, url):
    pagecheck.fresh(driver, url)
    draw(driver, "1", "2", "4", "-2", "6")
    draw(driver, "1", "-1", "1", "-2", "6")
    said = pagecheck.announced(driver, lambda: through_menu(driver, Keys.UP, Keys.UP, Keys.UP, Keys.SPACE))
    expect(said.startswith("番号と交点を表示") and "直線１と直線２の交点 (2, 1)" in said, True,
           f"the announcement when shown, {said!r},")
    expect(red(at_crossing(driver)), True, f"a red crossing, not {at_crossing(driver)},")
    through_menu(driver)
    expect(entries(driver)[4], "checked", "the switch in the menu when shown")
    press(driver, Keys.ESCAPE)
    control(driver, "ｃ（右辺の数）").click()  # Ctrl+I works from anywhere
    said = pagecheck.announced(driver, lambda: press(driver, Keys.CONTROL, "i"))
    expect(("番号と交点" in said, "交点 (" in said), (True, False),
           f"the announcement when hidden, {said!r}:")
    expect(at_crossing(driver), LINE_BLUE, "the crossing when hidden")
    through_menu(driver)
    expect(entries(driver)[4], "unchecked", "the switch in the menu when hidden")
    press(driver, Keys.ESCAPE)


# The clipboard as the page would fill it: headless Chromium grants none.
# The picture comes from the canvas's toBlob, which headless Chromium now and
# then holds back for seconds.
CLIPBOARD = """
    window.copied = [];
    Clipboard.prototype.write = async function (items) {
      for (const item of items) {
        const got = {};
        if (item.types.includes("text/plain"))
          got.text = await (await item.getType("text/plain")).text();
        if (item.types.includes("image/png")) {
          const picture = await createImageBitmap(await item.getType("image/png"));
          got.size = [picture.width, picture.height];
        }
        copied.push(got);
      }
    };
    Clipboard.prototype.writeText = async function (text) { copied.push({ text }); };"""


def copy(driver, act):
    driver.execute_script(CLIPBOARD)
    act()
    return WebDriverWait(driver, 20).until(lambda d: d.execute_script("return copied[0]"),
                                           "nothing was copied")


@step("the copy holds the picture and names the plane, each line and the crossing shown")
def copied(driver):
    got = copy(driver, lambda: (control(driver, "座標平面").click(),
                                press(driver, Keys.CONTROL, "c")))
    expect(got.get("text", "").splitlines(),
           ["座標平面 大きさ中、xもyも −13 から 13 まで", "直線１: x + 2y = 4, −2 ≦ x ≦ 6",
            "直線２: x − y = 1, −2 ≦ x ≦ 6"], "the words copied by Ctrl+C")
    expect(got.get("size"), [600, 600], "the size of the copied picture")
    press(driver, Keys.CONTROL, "i")
    got = copy(driver, lambda: through_menu(driver, Keys.ENTER))
    expect(got.get("text", "").splitlines()[-1], "直線１と直線２の交点 (2, 1)",
           "the last line copied by 図をコピー with the crossings shown")


def window_size(driver):
    """The window's width and height on screen, and whether the page scrolls."""
    return driver.execute_script("""const r = form.getBoundingClientRect(), e = document.documentElement;
        return [Math.round(r.width), Math.round(r.height),
          e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight];""")


TABLE = [row.split() for row in ("x −3 −2 −1 0 1 2 3", "y 4 10/3 8/3 2 4/3 2/3 0")]


@step("式と表 beside the window at 1:1, off and on again by the menu, its table in the tree and the copy")
def function_panel(driver):
    expect(window_size(driver), [1335, 650, False], "the window with the panel")
    press(driver, Keys.CONTROL, "g")
    expect((pagecheck.panel(driver), window_size(driver)), (None, [935, 650, False]),
           "the panel and the window after Ctrl+G again")
    said = pagecheck.announced(driver, lambda: through_menu(driver, Keys.UP, Keys.UP, Keys.SPACE))
    expect(said.startswith("式と表を表示"), True, f"the announcement when shown, {said!r},")
    through_menu(driver)
    expect((entries(driver)[5], pagecheck.panel(driver)[1]), ("checked", TABLE), "the switch and table")
    expect(driver.execute_script("""const b = [...document.querySelectorAll("[role=menu] button")][5];
        return [b.querySelector("kbd").textContent, b.getAttribute("aria-keyshortcuts")];"""),
           ["Ctrl+G", "Control+G"], "the switch's shortcut in the menu")
    press(driver, Keys.ESCAPE)
    cdp(driver, "Accessibility.enable")
    nodes = cdp(driver, "Accessibility.getFullAXTree")["nodes"]
    seen = [(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in nodes]
    heard = "x マイナス3 マイナス2 マイナス1 0 1 2 3 y 4 3分の10 3分の8 2 3分の4 3分の2 0".split()
    expect([r for r in seen if r[0] in ("region", "table", "rowheader", "cell")],
           [("region", "式と表"), ("table", "表")] + [
               ("rowheader" if n in "xy" else "cell", n) for n in heard],
           "the panel in the accessibility tree")
    got = copy(driver, lambda: through_menu(driver, Keys.ENTER))
    expect(got.get("text", "").splitlines()[-7:],
           ["式: y = −2/3x + 2", "傾き: −2/3", "切片: 2", "変域: −3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 4",
            "変化の割合: (0 − 4)/(3 − (−3)) = −4/6 = −2/3", "\t".join(TABLE[0]), "\t".join(TABLE[1])],
           "the end of the copied words")


@step("式と表 below the window on an upright iPad, at a scale of 0.85 or more")
def function_upright(driver, url):
    pagecheck.fresh(driver, url, 820, 1180, mobile=True)
    press(driver, Keys.CONTROL, "g")
    width, height, scrolls = window_size(driver)
    expect((width / 935 >= 0.85, height <= 1180, scrolls), (True, True, False), f"{width} × {height}")


@step("終了 closes a window that a script opened, and greys out and stills a tab")
def ending(driver, url):
    tab = driver.current_window_handle
    driver.execute_script("window.open(arguments[0])", url)
    driver.switch_to.window(next(h for h in driver.window_handles if h != tab))
    pagecheck.wait_ready(driver)
    control(driver, "終了").click()
    WebDriverWait(driver, 5).until(lambda d: len(d.window_handles) == 1, "the window stays open")
    driver.switch_to.window(tab)
    # Left as the copy left it: two lines and their red crossing.
    plane = control(driver, "座標平面")
    r = plane.rect
    corner = (r["x"] + 5, r["y"] + 5)
    expect(pagecheck.screen_pixel(driver, *corner), BACKGROUND, "the plane on screen")
    control(driver, "終了").click()
    shade = pagecheck.screen_pixel(driver, *corner)
    expect(max(shade) - min(shade) <= 2, True, f"a grey plane on screen, not {shade},")
    ActionChains(driver).click(control(driver, "初期画面")).context_click(plane).perform()
    for keys in ((Keys.CONTROL, "i"), (Keys.CONTROL, "z")):
        press(driver, *keys)
    expect((red(at_crossing(driver)), menu(driver)), (True, None),
           "the crossing and the menu after 初期画面, a right click, Ctrl+I and Ctrl+Z")


@step("the link: a bad one refused; slot ３ chosen and empty; the address follows a draw; reload; copy")
def link(driver, url):
    chosen = lambda: driver.execute_script("""return [document.querySelector(":checked").ariaLabel,
        ...[...document.querySelectorAll("input[type=text]")].map((b) => b.value)]""")
    said = pagecheck.announced(driver, lambda: (driver.get("about:blank"), pagecheck.fresh(driver, url + "#1=1,2")))
    expect((said[:13], chosen()), ("リンクを読めませんでした（", ["１ 空き"] + [""] * 5), f"after a bad link, {said!r}")
    pagecheck.lesson_opens.__wrapped__(driver, url)
    expect(chosen(), ["３ 空き"] + [""] * 5, "the slot and the boxes")
    steps = driver.execute_script("return history.length")
    draw(driver, "1", "2", "4", "-2", "6")
    expect(driver.execute_script("return [location.hash, history.length]"),
           [LESSON.replace("&size", "&3=1,2,4,-2,6&size"), steps], "the address and history after a draw")
    driver.refresh()
    pagecheck.wait_ready(driver)
    expect(pagecheck.pixels(driver, [(240, 190)]), [LINE_BLUE], "the drawn line after a reload")
    said = pagecheck.announced(driver, lambda: copy(driver, lambda: through_menu(driver, Keys.DOWN, Keys.ENTER)))
    expect((driver.execute_script("return copied"), said), ([{"text": driver.current_url}], "リンクをコピーしました"),
           "リンクをコピー")
    # No request carries the lesson; the log keeps a navigation's fragment apart, in urlFragment.
    log = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
    sent = [str({**m["params"]["request"], "urlFragment": ""})
            for m in log if m["method"] == "Network.requestWillBeSent"]
    expect((len(sent) > 5, [r for r in sent if "2,3,6" in r or "2%2C3" in r]), (True, []), "requests sent")


def run(url):
    driver = pagecheck.chromium()
    try:
        menu_opens(driver, url)
        menu_keys(driver, url)
        undo_keys(driver)
        marks(driver, url)
        copied(driver)
        ending(driver, url)
        pagecheck.fresh(driver, url, 1366, 657)
        pagecheck.function_key(driver)
        function_panel(driver)
        function_upright(driver, url)
        link(driver, url)
    finally:
        driver.quit()


if __name__ == "__main__":
    sys.exit(pagecheck.main(run))
