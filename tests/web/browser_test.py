#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Tolvane's page in a real browser: headless Chromium, driven by Selenium.

    browser_test.py PAGE_FOLDER [--scale 2] [--ax-tree FILE]

Serves PAGE_FOLDER on 127.0.0.1 (a free port), loads the page and checks
what a pupil sees: the first frame with the plane at 22 pixels per unit,
the line x + 2y = 4 from -2 to 6 typed with the Enter walk, the 40-pixel
grid after 小, and the page's farewell after 終　了. It also checks that the
page asks no other host and keeps nothing in the browser. Prints the time
from the start of loading to the first frame, and with --ax-tree writes what
Chromium's accessibility tree holds.
"""

import argparse
import functools
import http.server
import json
import os
import struct
import sys
import tempfile
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

# What a pupil sees, written down apart from the program's constants.
SURFACE_YELLOW = (255, 255, 192)
LINE_BLUE = (0, 0, 255)
BLACK = (0, 0, 0)
# The window's client area fills the canvas; Picture1 stands at (16, 32) of it.
SURFACE_LEFT, SURFACE_TOP, SURFACE_SIZE = 16, 32, 600
ORIGIN = 300
# Buttons of the window: left, top, width, height.
SMALL_BUTTON = (664, 80, 65, 33)
EXIT_BUTTON = (792, 600, 121, 33)
FAREWELL = "Tolvane を終了しました。ページを再読み込みすると、もう一度始まります。"
# Chromium, headless and quiet: on a machine without a network anything
# that phones home makes it hang.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    # WebGL on the CPU, which is all a headless machine has.
    "--enable-unsafe-swiftshader",
    "--window-size=1100,800",
]


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def decode_png(data):
    """The pixels of Chromium's screenshot as rows of (r, g, b) tuples."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "the screenshot is no PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            check(depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG format")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                guess = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + guess) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return rows


class Page:
    def __init__(self, driver, scale):
        self.driver = driver
        self.scale = scale
        rect = driver.execute_script(
            "return document.getElementById('tolvane').getBoundingClientRect().toJSON()")
        check(rect["width"] == 935 and rect["height"] == 650,
              f"the canvas is {rect['width']} x {rect['height']} CSS pixels, not 935 x 650")
        check(rect["left"] == int(rect["left"]) and rect["top"] == int(rect["top"]),
              f"the canvas stands between pixels, at {rect['left']}, {rect['top']}")
        self.left, self.top = int(rect["left"]), int(rect["top"])
        self.rows = None

    def grab(self):
        self.rows = decode_png(self.driver.get_screenshot_as_png())

    def device(self, x, y):
        """A device pixel, counted from the canvas's corner."""
        return self.rows[self.top * self.scale + y][self.left * self.scale + x]

    def surface(self, x, y):
        """The top-left device pixel of a pixel of the surface."""
        return self.device((SURFACE_LEFT + x) * self.scale, (SURFACE_TOP + y) * self.scale)

    def wait_for(self, condition, what, seconds=60):
        deadline = time.monotonic() + seconds
        while True:
            self.grab()
            if condition():
                return
            if time.monotonic() > deadline:
                raise Failure(what)
            time.sleep(0.05)

    def click(self, button):
        left, top, width, height = button
        actions = ActionChains(self.driver)
        actions.w3c_actions.pointer_action.move_to_location(
            self.left + left + width // 2, self.top + top + height // 2)
        actions.w3c_actions.pointer_action.click()
        actions.perform()

    def type(self, keys):
        ActionChains(self.driver).send_keys(*keys).perform()


def grid_errors(page, unit):
    """Where a row and a column across the surface break the grid rule: the
    axes three pixels wide on surface 300, one-pixel grid lines every `unit`
    pixels from them, yellow between."""
    errors = []
    # Left of the y axis and above the x axis, clear of the tick numbers and
    # of the line drawn in the test.
    between = ORIGIN - unit * 3 - unit // 2
    for t in range(SURFACE_SIZE):
        on_line = abs(t - ORIGIN) <= 1 or (t - ORIGIN) % unit == 0
        expected = BLACK if on_line else SURFACE_YELLOW
        for name, pixel in (("row", page.surface(t, ORIGIN - unit * 3 - unit // 2)),
                            ("column", page.surface(between, t))):
            if pixel != expected:
                errors.append(f"{name} at {t}: {pixel}, expected {expected}")
    return errors


def first_frame_shown(page):
    return (page.surface(5, 5) == SURFACE_YELLOW and page.surface(ORIGIN, 150) == BLACK
            and page.surface(150, ORIGIN) == BLACK)


def run(folder, scale, ax_tree):
    requests = []

    class Handler(http.server.SimpleHTTPRequestHandler):
        extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                          ".wasm": "application/wasm", ".js": "text/javascript"}

        def log_message(self, *args):
            requests.append(self.path)

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/"

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    options.add_argument(f"--force-device-scale-factor={scale}")
    profile = tempfile.TemporaryDirectory()
    options.add_argument(f"--user-data-dir={profile.name}")
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        started = time.monotonic()
        driver.get(url)
        check(driver.title == "Tolvane", f"the page's title is {driver.title!r}")
        page = Page(driver, scale)
        page.wait_for(lambda: first_frame_shown(page), "no first frame within 60 s")
        first_frame = time.monotonic() - started
        print(f"first frame {first_frame * 1000:.0f} ms after the page was asked for", flush=True)
        errors = grid_errors(page, 22)
        check(not errors, "the first frame breaks the 22-pixel grid: " + "; ".join(errors[:5]))
        if scale == 2:
            # A one-pixel grid line is two sharp device columns.
            x = (SURFACE_LEFT + ORIGIN + 22) * 2
            y = (SURFACE_TOP + 157) * 2
            check([page.device(x + d, y) for d in (-1, 0, 1, 2)]
                  == [SURFACE_YELLOW, BLACK, BLACK, SURFACE_YELLOW],
                  "a grid line is not two sharp device columns at ratio 2")
        check(driver.execute_script("return document.getElementById('message').hidden"),
              "the loading message still shows over the first frame")

        page.type(["1", Keys.ENTER, "2", Keys.ENTER, "4", Keys.ENTER, "-2", Keys.ENTER,
                   "6", Keys.ENTER, Keys.ENTER])
        # x + 2y = 4 from x = -2 to 6 runs from pixel (256, 234) to (432, 322).
        page.wait_for(lambda: page.surface(256, 234) == LINE_BLUE
                      and page.surface(432, 322) == LINE_BLUE,
                      "the line x + 2y = 4 from -2 to 6 was not drawn", seconds=20)
        check(page.surface(333, 272) == LINE_BLUE, "the line has a gap at (333, 272)")
        check(page.surface(460, 336) == SURFACE_YELLOW, "the line runs on beyond (432, 322)")

        # Ctrl+C on the plane puts the picture on the clipboard, which the
        # browser allows on 127.0.0.1 once the page may use it.
        driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": url.rstrip("/"),
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        page.click((SURFACE_LEFT + 100, SURFACE_TOP + 100, 1, 1))
        ActionChains(driver).key_down(Keys.CONTROL).send_keys("c").key_up(Keys.CONTROL).perform()
        deadline = time.monotonic() + 10
        while True:
            copied = driver.execute_async_script("""
                const done = arguments[arguments.length - 1];
                navigator.clipboard.read().then(async function (items) {
                  for (const item of items)
                    if (item.types.includes("image/png")) {
                      const picture = await createImageBitmap(await item.getType("image/png"));
                      return done([picture.width, picture.height]);
                    }
                  done(null);
                }, function (error) { done(String(error)); });""")
            if copied == [SURFACE_SIZE * scale, SURFACE_SIZE * scale]:
                break
            check(time.monotonic() < deadline, f"Ctrl+C on the plane copied {copied}, not the picture")
            time.sleep(0.2)

        page.click(SMALL_BUTTON)
        page.wait_for(lambda: not grid_errors(page, 40), "小 did not bring the 40-pixel grid: "
                      + "; ".join(grid_errors(page, 40)[:5]), seconds=20)

        if ax_tree:
            tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})
            with open(ax_tree, "w", encoding="utf-8") as out:
                for node in tree["nodes"]:
                    if node.get("ignored"):
                        continue
                    role = node.get("role", {}).get("value", "")
                    name = node.get("name", {}).get("value", "")
                    out.write(f"{role}\t{name}\n")

        page.click(EXIT_BUTTON)
        deadline = time.monotonic() + 20
        while driver.find_element(By.ID, "message").text != FAREWELL:
            check(time.monotonic() < deadline, "the page does not say that Tolvane has ended")
            time.sleep(0.1)

        # Nothing asked of any other host, nothing kept in the browser.
        for entry in driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                asked = message["params"]["request"]["url"]
                # The browser's own chrome:// pages of the empty tab aside.
                if asked.split(":", 1)[0] in ("http", "https", "ws", "wss", "ftp"):
                    check(asked.startswith(url), f"the page asked {asked}")
        kept = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            navigator.serviceWorker.getRegistrations().then(function (workers) {
              done([document.cookie, localStorage.length, sessionStorage.length, workers.length]);
            });""")
        check(kept == ["", 0, 0, 0], f"the page keeps something: {kept}")
        print("asked for:", " ".join(sorted(set(requests))))
    finally:
        driver.quit()
        server.shutdown()
        profile.cleanup()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--scale", type=int, choices=(1, 2), default=1)
    parser.add_argument("--ax-tree")
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.folder, "index.html")):
        print(f"browser_test: no index.html in {args.folder}", file=sys.stderr)
        return 1
    try:
        run(args.folder, args.scale, args.ax_tree)
    except Failure as failure:
        print(f"browser_test: FAIL: {failure}", file=sys.stderr)
        return 1
    print("browser_test: PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
