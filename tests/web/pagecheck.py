# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the browser tests share: serving the built page, starting Chromium
and WebKit under WebDriver, reading the surface's pixels and the screen's,
finding a control by its name, pressing keys, hearing the live region, and
the checks a pupil would notice in either browser. The expected values come
from the rules of the plane: the axes cross at surface pixel (300, 300) with
a pen of 3 pixels, one unit is 22 pixels at 中 and 40 at 小, and the line
x + 2y = 4 from x = -2 to 6 runs from (256, 234) to (432, 322) in light blue
(0, 0, 255) with a pen of 3 pixels."""

import base64
import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

LINE_BLUE = (0, 0, 255)
BACKGROUND = (255, 255, 192)
STEPS = []


def step(name):
    """Runs a check, says how long it took and stops the test at the first
    failure."""
    def wrap(check):
        @functools.wraps(check)
        def run(*args, **kwargs):
            started = time.monotonic()
            try:
                result = check(*args, **kwargs)
            except Exception as error:
                print(f"FAIL {name}: {error}", flush=True)
                raise SystemExit(1)
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
            return result
        return run
    return wrap


def expect(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: {actual!r}, expected {expected!r}")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """Serves `folder` on a free port of 127.0.0.1; returns its address and
    the server."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/", server


def chromium(network_log=True):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--window-size=1000,760", "--lang=ja"):
        options.add_argument(argument)
    # The DevTools network log: every request the page sends. It costs the
    # page time for each request, which a bench leaves out.
    if network_log:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    service = webdriver.chrome.service.Service("/usr/bin/chromedriver")
    return webdriver.Chrome(service=service, options=options)


def webkit():
    """WebKit's MiniBrowser under WebKitWebDriver, on a virtual X server of
    its own; returns the driver and the server's process."""
    display = start_xvfb()
    options = webdriver.WebKitGTKOptions()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
    return driver, display


def start_xvfb():
    for number in range(90, 130):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                os.environ["DISPLAY"] = f":{number}"
                return xvfb
            time.sleep(0.1)
        xvfb.kill()
    raise RuntimeError("no free display for Xvfb")


def cdp(driver, command, **params):
    return driver.execute_cdp_cmd(command, params)


def fresh(driver, url, width=1000, height=760, mobile=False, scale=1.0):
    """The page loaded anew in Chromium, in a viewport of width × height."""
    cdp(driver, "Emulation.setDeviceMetricsOverride", width=width, height=height,
        deviceScaleFactor=scale if not mobile else 2, mobile=mobile)
    driver.get(url)
    wait_ready(driver)


def wait_ready(driver):
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.body.classList.contains('ready')"))


def pixels(driver, points):
    """The colours of surface pixels (x, y), read from the canvas at its
    resolution."""
    return [tuple(p) for p in driver.execute_script("""
        const canvas = document.querySelector("canvas");
        const ctx = canvas.getContext("2d");
        const s = canvas.width / 600;
        return arguments[0].map(([x, y]) => Array.from(
          ctx.getImageData(Math.floor((x + 0.5) * s), Math.floor((y + 0.5) * s), 1, 1).data).slice(0, 3));
    """, [list(p) for p in points])]


def screen_pixel(driver, x, y):
    """The colour on screen at viewport pixel (x, y), CSS filters and all."""
    png = base64.b64decode(cdp(driver, "Page.captureScreenshot", format="png",
                               clip={"x": x, "y": y, "width": 1, "height": 1, "scale": 1})["data"])
    data, at = b"", 8
    while at < len(png):
        size = int.from_bytes(png[at:at + 4], "big")
        if png[at + 4:at + 8] == b"IDAT":
            data += png[at + 8:at + 8 + size]
        at += 12 + size
    # One pixel in one row: whatever its filter, the bytes are the colour.
    return tuple(zlib.decompress(data)[1:4])


def control(driver, name):
    """The button, box or plane a pupil knows by this name (its spoken name
    or, where it has none, its caption)."""
    return driver.find_element("xpath", f"""//*[self::button or self::input or self::canvas]
        [@aria-label="{name}" or (not(@aria-label) and normalize-space()="{name}")]""")


def press(driver, *keys):
    """Presses the last key with the ones before it held down."""
    chord = ActionChains(driver)
    for key in keys[:-1]:
        chord.key_down(key)
    chord.send_keys(keys[-1])
    for key in reversed(keys[:-1]):
        chord.key_up(key)
    chord.perform()


def announced(driver, act):
    """What the live region says after act()."""
    driver.execute_script("document.querySelector('[aria-live]').textContent = ''")
    act()
    WebDriverWait(driver, 5).until(
        lambda d: d.execute_script("return document.querySelector('[aria-live]').textContent"),
        "nothing was said")
    return driver.execute_script("return document.querySelector('[aria-live]').textContent")


def dark_columns(driver, y):
    """The columns of surface row y that hold a black grid line or axis."""
    row = pixels(driver, [(x, y) for x in range(600)])
    return [x for x, rgb in enumerate(row) if max(rgb) < 100]


def grid_columns(unit):
    """The columns the rules put a line in: every `unit` pixels from the
    y axis at 300, and the axis itself three pixels wide."""
    return sorted({299, 300, 301} | {x for x in range(600) if (x - 300) % unit == 0})


@step("first frame: axes and the 22-pixel grid")
def first_frame(driver):
    wait_ready(driver)
    # A row halfway between two grid rows, clear of the numbers.
    expect(dark_columns(driver, 300 + 3 * 22 + 11), grid_columns(22), "dark columns at 中")
    expect(pixels(driver, [(311, 311)]), [BACKGROUND], "between grid lines")


@step("the numbers along the axes")
def axis_numbers(driver):
    # The 5 right of the origin, between the grid rows at 300 and 322 and
    # across the grid column at 410; the next cell is empty.
    five = pixels(driver, [(x, y) for x in range(404, 418) if x != 410 for y in range(303, 322)])
    if sum(max(rgb) < 100 for rgb in five) < 40:
        raise AssertionError("no 5 beside the x axis")
    expect(set(pixels(driver, [(x, y) for x in range(420, 431) for y in range(303, 322)])),
           {BACKGROUND}, "the cell beside it")


def focused_caption(driver):
    return driver.execute_script(
        "const e = document.activeElement; return e.getAttribute('aria-label') || e.textContent")


@step("the Enter walk draws 1, 2, 4, -2, 6")
def enter_walk(driver, type_and_enter, press=None):
    """type_and_enter(text) types into the focused box and presses Enter;
    press() presses the focused button (Enter when not given)."""
    for text in ("1", "2", "4", "-2", "6"):
        type_and_enter(text)
    expect(focused_caption(driver), "線を引く", "focus after the last box")
    if press:
        press()
    else:
        type_and_enter("")
    WebDriverWait(driver, 5).until(lambda d: pixels(d, [(344, 278)]) == [LINE_BLUE])
    on_line = [(256, 234), (300, 256), (344, 278), (388, 300), (432, 322)]
    expect(pixels(driver, on_line), [LINE_BLUE] * len(on_line), "pixels on the line")
    # Beyond its ends the line does not go on.
    expect(pixels(driver, [(236, 224), (452, 332)]), [BACKGROUND] * 2, "beyond the ends")


@step("小 brings the 40-pixel grid")
def small_plane(driver):
    driver.execute_script("""
        [...document.querySelectorAll("button")].find(b => b.textContent === "小").click();""")
    expect(dark_columns(driver, 300 + 2 * 40 + 20), grid_columns(40), "dark columns at 小")


def panel(driver):
    """式と表 as seen: its lines' texts and its table's rows; None when hidden."""
    return driver.execute_script("""
        const p = document.querySelector("section[aria-label='式と表']");
        if (!p || !p.checkVisibility()) return null;
        const seen = (e) => (e.querySelector("[aria-hidden]") || e).textContent;
        return [[...p.querySelectorAll("p")].map(seen),
          [...p.querySelectorAll("tr")].map((r) => [...r.cells].map(seen))];""")


@step("Ctrl+G in a box shows 式と表 for 2x + 3y = 6 over −3 ≦ x ≦ 3")
def function_key(driver):
    control(driver, "ａ（χの係数）").click()
    for text in ("2", "3", "6", "-3", "3"):
        driver.switch_to.active_element.send_keys(text + Keys.ENTER)
    control(driver, "ｃ（右辺の数）").click()
    press(driver, Keys.CONTROL, "g")
    expect(((panel(driver) or [[""]])[0][0], control(driver, "ｃ（右辺の数）").get_attribute("value")),
           ("y = −2/3x + 2", "6"), "the panel's formula and the box Ctrl+G was typed in")


LESSON = "#1=2,3,6,-3,3&2=1,-1,0,-5,5&size=s&marks=1"


@step("a lesson's link opens 2x + 3y = 6 from x = -3 to 3 and y = x from -5 to 5 at 小")
def lesson_opens(driver, url):
    driver.get("about:blank")  # a load, not a step within the open page
    driver.get(url + LESSON)
    wait_ready(driver)
    expect(pixels(driver, [(270, 200), (210, 390), (440, 160)]), [LINE_BLUE] * 3, "pixels on the lines")


def main(run):
    """Builds nothing: tests the page gathered in argv[1]."""
    if len(sys.argv) < 2 or not os.path.isfile(os.path.join(sys.argv[1], "index.html")):
        print("usage: TEST PAGE-FOLDER", file=sys.stderr)
        return 2
    url, server = serve(sys.argv[1])
    started = time.monotonic()
    try:
        with tempfile.TemporaryDirectory() as home:
            os.environ.setdefault("XDG_CACHE_HOME", home)
            run(url)
    finally:
        server.shutdown()
    print(f"all checks passed in {time.monotonic() - started:.1f} s")
    return 0
