#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in headless Chromium: the walk typed on a keyboard, through an
input method and on a tablet's on-screen keyboard after taps, the names in
the accessibility tree, installability and a start with the network off.
   browser_test.py PAGE-FOLDER [--scale RATIO]"""

import sys

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import pagecheck
from pagecheck import cdp, expect, step

SCALE = float(sys.argv[sys.argv.index("--scale") + 1]) if "--scale" in sys.argv else 1.0


def enter(driver):
    for kind in ("rawKeyDown", "char", "keyUp"):
        cdp(driver, "Input.dispatchKeyEvent", type=kind, key="Enter", code="Enter",
            windowsVirtualKeyCode=13, **({"text": "\r"} if kind == "char" else {}))


def tap(driver, selector):
    """A finger's tap in the middle of an element."""
    r = driver.execute_script(
        "return document.querySelector(arguments[0]).getBoundingClientRect().toJSON()", selector)
    point = [{"x": r["x"] + r["width"] / 2, "y": r["y"] + r["height"] / 2}]
    cdp(driver, "Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
    cdp(driver, "Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


def fresh(driver, url, width=1000, height=760, mobile=False):
    pagecheck.fresh(driver, url, width, height, mobile, SCALE)


@step("the walk through an input method")
def input_method_walk(driver, url):
    fresh(driver, url)

    def compose(text):
        # Full-width digits and the input method's long vowel mark as minus
        # (ー２ is -2) count once the composition is committed.
        wide = text.translate(str.maketrans("0123456789-", "０１２３４５６７８９ー"))
        if wide:
            cdp(driver, "Input.imeSetComposition", text=wide, selectionStart=len(wide),
                selectionEnd=len(wide))
            cdp(driver, "Input.insertText", text=wide)
        enter(driver)
    pagecheck.enter_walk.__wrapped__(driver, compose)


@step("the walk on an on-screen keyboard after taps, on an upright iPad")
def touch_walk(driver, url):
    cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    fresh(driver, url, 820, 1180, mobile=True)
    expect(driver.execute_script("return [scrollX, scrollY, document.documentElement.scrollHeight]"),
           [0, 0, 1180], "the window fits without scrolling")
    tap(driver, "#c22 input")  # slot ２, then back to １
    tap(driver, "#c21 input")
    tap(driver, "#c29")        # the box a

    def keyboard(text):
        if text:
            cdp(driver, "Input.insertText", text=text)
        enter(driver)
    pagecheck.enter_walk.__wrapped__(driver, keyboard, lambda: tap(driver, "#c34"))
    cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=False)


@step("every control named in the accessibility tree")
def accessibility_tree(driver, url):
    fresh(driver, url)
    cdp(driver, "Accessibility.enable")
    nodes = cdp(driver, "Accessibility.getFullAXTree")["nodes"]
    named = {(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in nodes}
    wanted = [("button", "初期画面"), ("button", "線を引く"), ("button", "線を消す"),
              ("button", "終了"), ("button", "座標平面の大きさ 小"),
              ("button", "座標平面の大きさ 中"), ("button", "座標平面の大きさ 大"),
              ("textbox", "ａ（χの係数）"), ("textbox", "ｂ（ｙの係数）"),
              ("textbox", "ｃ（右辺の数）"), ("textbox", "変域の始め（χ）"),
              ("textbox", "変域の終わり（χ）"), ("image", "座標平面"), ("radiogroup", "")]
    wanted += [("radio", f"{n} 空き") for n in "１２３４５６７８"]
    expect([w for w in wanted if w not in named], [], "missing from the tree")
    image = next(n for n in nodes if n.get("role", {}).get("value") == "image")
    expect(image.get("description", {}).get("value"),
           "座標平面 大きさ中、xもyも −13 から 13 まで。直線なし", "the surface's description")
    live = [n for n in nodes for p in n.get("properties", []) if p["name"] == "live"]
    expect(bool(live), True, "a live region")
    # The announcement after a command, word for word.
    driver.execute_script("document.querySelector('#c17').click()")
    WebDriverWait(driver, 5).until(lambda d: d.find_element("id", "announcement").text != "")
    expect(driver.execute_script("return document.getElementById('announcement').textContent"),
           "すべての直線を消しました。座標平面 大きさ中、xもyも −13 から 13 まで",
           "the announcement of 初期画面")


@step("the core's gothic faces, written out the same in the stylesheet")
def gothic_faces(driver, url):
    fresh(driver, url)
    # Each list as the browser reads it, so that quotes and line breaks do
    # not count.
    faces = driver.execute_script("""
        const read = (families) => Object.assign(document.createElement("p").style,
          { fontFamily: families }).fontFamily;
        const root = [...document.styleSheets[0].cssRules].find((r) => r.selectorText === ":root");
        return [document.documentElement.style.getPropertyValue("--gothic"),
          root.style.getPropertyValue("--gothic"), getComputedStyle(document.body).fontFamily,
          document.querySelector("button").style.fontFamily].map(read);""")
    expect(faces[1:], [faces[0]] * 3, "the stylesheet's list, the page's words' and a button's")


@step("installable, and it starts again with the network off")
def installable_offline(driver, url):
    fresh(driver, url)
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
    expect(cdp(driver, "Page.getInstallabilityErrors")["installabilityErrors"], [],
           "installability errors")
    cdp(driver, "Network.enable")
    cdp(driver, "Network.emulateNetworkConditions", offline=True, latency=0,
        downloadThroughput=-1, uploadThroughput=-1)
    try:
        driver.get(url)
        pagecheck.first_frame.__wrapped__(driver)
    finally:
        cdp(driver, "Network.emulateNetworkConditions", offline=False, latency=0,
            downloadThroughput=-1, uploadThroughput=-1)


@step("the first frame, before any script runs, is the window as it starts")
def first_frame_of_html(driver, url):
    # The page as its HTML alone shows it: page.js never arrives.
    cdp(driver, "Network.enable")
    cdp(driver, "Network.setBlockedURLs", urls=["*page.js"])
    try:
        cdp(driver, "Emulation.setDeviceMetricsOverride", width=1000, height=760,
            deviceScaleFactor=1, mobile=False)
        driver.get(url)
        WebDriverWait(driver, 20).until(lambda d: d.execute_script(
            "return performance.getEntriesByName('first-contentful-paint').length > 0"))
        before = cdp(driver, "Page.captureScreenshot", format="png")["data"]
    finally:
        cdp(driver, "Network.setBlockedURLs", urls=[])
    fresh(driver, url)
    driver.execute_script("document.activeElement.blur()")
    after = cdp(driver, "Page.captureScreenshot", format="png")["data"]
    # Pixels that differ, counted in the page, with a margin for text that
    # SVG and the canvas may smooth apart.
    differing = driver.execute_async_script("""
        const done = arguments[2];
        const load = (data) => new Promise((ok) => {
          const image = new Image(); image.onload = () => ok(image);
          image.src = "data:image/png;base64," + data; });
        Promise.all([load(arguments[0]), load(arguments[1])]).then(([a, b]) => {
          const read = (image) => { const c = document.createElement("canvas");
            c.width = image.width; c.height = image.height;
            const x = c.getContext("2d"); x.drawImage(image, 0, 0);
            return x.getImageData(0, 0, c.width, c.height).data; };
          const p = read(a), q = read(b);
          let n = 0;
          for (let i = 0; i < p.length; i += 4)
            if (p[i] !== q[i] || p[i + 1] !== q[i + 1] || p[i + 2] !== q[i + 2]) ++n;
          done(n);
        });""", before, after)
    expect(differing < 935 * 650 // 200, True,
           f"the first frame as the live window ({differing} pixels differ)")


def run(url):
    driver = pagecheck.chromium()
    try:
        fresh(driver, url)
        pagecheck.first_frame(driver)
        pagecheck.axis_numbers(driver)
        pagecheck.enter_walk(
            driver, lambda text: driver.switch_to.active_element.send_keys(text + Keys.ENTER))
        pagecheck.small_plane(driver)
        if SCALE == 1.0:
            input_method_walk(driver, url)
            touch_walk(driver, url)
            accessibility_tree(driver, url)
            gothic_faces(driver, url)
            installable_offline(driver, url)
            first_frame_of_html(driver, url)
    finally:
        driver.quit()


if __name__ == "__main__":
    sys.exit(pagecheck.main(run))
