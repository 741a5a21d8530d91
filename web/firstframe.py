#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the window's first frame into the built page's index.html, so
that the browser shows the window as soon as it has the HTML, before any
script or the core has run; the stylesheet is written into the page too.

The frame is the page's own window as it starts, taken from the built page
itself in headless Chromium: its controls as they are laid out, and the
start picture of the plane as inline SVG, replayed by the surface's own
code. It is inert and hidden from screen readers; page.js
puts the live window in its place as soon as that is complete. A small
script after it places it as page.js will place the live window; the page
leaves it out when the address holds a lesson (style.css).

   web/firstframe.py build/web"""

import functools
import hashlib
import http.server
import os
import re
import sys
import threading

from selenium import webdriver
from selenium.webdriver.support.ui import WebDriverWait

MARKER = "<!-- the first frame -->"

# The window as the page starts, with no id of its own (the live window
# keeps those), its boxes empty, the chosen slot checked, and the canvas
# replaced by the same picture as SVG: the surface replays what the core drew
# on a context that writes SVG instead of pixels, so that the lines, boxes
# and text stand exactly where the canvas puts them.
SNAPSHOT = r"""
const page = window.tolvane, core = page.core, surface = page.surface;
const form = document.getElementById("form");
const frame = form.cloneNode(true);
const live = form.querySelectorAll("input"), copies = frame.querySelectorAll("input");
live.forEach((input, i) => { if (input.checked) copies[i].setAttribute("checked", ""); });
frame.querySelectorAll("[hidden], .menu, #surface-description, #function").forEach((e) => e.remove());
const licences = frame.querySelector("#licences");
if (licences) licences.className = "licences";
frame.querySelectorAll("[id]").forEach((e) => e.removeAttribute("id"));
frame.querySelectorAll("[tabindex]").forEach((e) => e.removeAttribute("tabindex"));
const escape = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/'/g, "&#39;");
const parts = [];
const svg = {
  canvas: { width: surface.width, height: surface.height },
  setTransform() {},
  beginPath() { this.path = []; },
  moveTo(x, y) { this.path = [x, y]; },
  lineTo(x, y) { this.path.push(x, y); },
  arc(x, y, r) { this.path = [x, y, r]; },
  stroke() {
    const [x1, y1, x2, y2] = this.path;
    parts.push(`<line x1="${x1}" y1="${y1}" x2="${x2}" y2="${y2}" stroke="${this.strokeStyle}" ` +
      `stroke-width="${this.lineWidth}" stroke-linecap="${this.lineCap}"/>`);
  },
  fill() {
    const [x, y, r] = this.path;
    parts.push(`<circle cx="${x}" cy="${y}" r="${r}" fill="${this.fillStyle}"/>`);
  },
  fillRect(x, y, width, height) {
    parts.push(`<rect x="${x}" y="${y}" width="${width}" height="${height}" fill="${this.fillStyle}"/>`);
  },
  fillText(text, x, y) {
    parts.push(`<text x="${x}" y="${y}" fill="${this.fillStyle}" ` +
      `style='font: ${escape(this.font)}; white-space: pre'>${escape(text)}</text>`);
  },
};
surface.replay(svg, 1, surface.ops, surface.texts);
const canvas = frame.querySelector("canvas");
canvas.outerHTML = `<svg class="control" style="${canvas.style.cssText}" ` +
  `viewBox="0 0 ${surface.width} ${surface.height}" shape-rendering="crispEdges">` +
  parts.join("") + "</svg>";
const place = page.rows.find((row) => row.kind === core.ControlKind.Surface);
return [frame.innerHTML, form.style.background, core.formWidth, core.formHeight,
  { left: place.left, top: place.top, width: place.width }];
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def snapshot(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--lang=ja",
                     "--window-size=1366,768", "--force-device-scale-factor=1"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=webdriver.chrome.service.Service("/usr/bin/chromedriver"),
                              options=options)
    try:
        driver.get(f"http://127.0.0.1:{server.server_address[1]}/index.html")
        WebDriverWait(driver, 30).until(
            lambda d: d.execute_script("return document.body.classList.contains('ready')"))
        return driver.execute_script(SNAPSHOT)
    finally:
        driver.quit()
        server.shutdown()


def main():
    folder = sys.argv[1]
    index = os.path.join(folder, "index.html")
    with open(index, encoding="utf-8") as file:
        html = file.read()
    if MARKER not in html:
        return 0  # written already
    inner, background, width, height, surface = snapshot(folder)
    frame = (f'<div id="first-frame" aria-hidden="true" inert style="background: {background}">'
             f"{inner}</div>\n<script>\n"
             "  // The frame stands where the live window will.\n"
             "  (() => {\n"
             f"    const place = placeWindow({width}, {height}, {{ left: {surface['left']}, "
             f"top: {surface['top']}, width: {surface['width']} }});\n"
             '    document.getElementById("first-frame").style.transform =\n'
             "      `translate(${place.left}px, ${place.top}px) scale(${place.scale})`;\n"
             "  })();\n</script>")
    html = html.replace(MARKER, frame)
    # The stylesheet in the page itself: the frame waits for no other file.
    with open(os.path.join(folder, "style.css"), encoding="utf-8") as file:
        style = file.read()
    html = html.replace('<link rel="stylesheet" href="style.css">', f"<style>\n{style}</style>")
    with open(index, "w", encoding="utf-8") as file:
        file.write(html)
    # The service worker's cache is named by the build's files; the page's
    # HTML is one of them.
    worker = os.path.join(folder, "sw.js")
    with open(worker, encoding="utf-8") as file:
        code = file.read()
    digest = hashlib.sha256(html.encode()).hexdigest()[:8]
    code = re.sub(r'const CACHE = "tolvane-([0-9a-f]+)(-[0-9a-f]+)?";',
                  lambda m: f'const CACHE = "tolvane-{m.group(1)}-{digest}";', code, count=1)
    with open(worker, "w", encoding="utf-8") as file:
        file.write(code)
    return 0


if __name__ == "__main__":
    sys.exit(main())
