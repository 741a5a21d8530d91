#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the window's first frame into the built page's index.html, so
that the browser shows the window as soon as it has the HTML, before any
script or the core has run; the stylesheet is written into the page too.

The frame is the page's own window as it starts, taken from the built page
itself in headless Chromium: its controls as they are laid out, and the
start picture of the plane as inline SVG, drawn in the device's own fonts
like the live surface. It is inert and hidden from screen readers; page.js
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
# replaced by the same picture as SVG: lines along rows and columns as the
# boxes the canvas fills, other lines with round ends, text from its
# top-left corner.
SNAPSHOT = r"""
const page = window.tolvane, core = page.core, op = core.DrawOp, surface = page.surface;
const form = document.getElementById("form");
const frame = form.cloneNode(true);
const live = form.querySelectorAll("input"), copies = frame.querySelectorAll("input");
live.forEach((input, i) => { if (input.checked) copies[i].setAttribute("checked", ""); });
frame.querySelectorAll("[hidden], .menu, #surface-description, #function").forEach((e) => e.remove());
const licences = frame.querySelector("#licences");
if (licences) licences.className = "licences";
frame.querySelectorAll("[id]").forEach((e) => e.removeAttribute("id"));
frame.querySelectorAll("[tabindex]").forEach((e) => e.removeAttribute("tabindex"));
const hex = (rgb) => "#" + rgb.toString(16).padStart(6, "0");
const escape = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;");
const parts = [];
let width = 1, colour = "#000000", pixels = 27, bold = false;
for (let i = 0; i < surface.ops.length; i += surface.stride) {
  const [kind, a, b, c, d, e] = surface.ops.slice(i, i + 6);
  if (kind === op.Clear.value) {
    parts.push(`<rect width="${surface.width}" height="${surface.height}" fill="${hex(a)}"/>`);
  } else if (kind === op.Pen.value) {
    width = a; colour = hex(b);
  } else if (kind === op.Line.value) {
    const h = width / 2;
    if ((a === c || b === d) && Number.isInteger(a + b + c + d)) {
      const l = Math.round(Math.min(a, c) + 0.5 - h), r = Math.round(Math.max(a, c) + 0.5 + h);
      const t = Math.round(Math.min(b, d) + 0.5 - h), u = Math.round(Math.max(b, d) + 0.5 + h);
      parts.push(`<rect x="${l}" y="${t}" width="${r - l}" height="${u - t}" fill="${colour}"/>`);
    } else {
      parts.push(`<line x1="${a + 0.5}" y1="${b + 0.5}" x2="${c + 0.5}" y2="${d + 0.5}" ` +
        `stroke="${colour}" stroke-width="${width}" stroke-linecap="round"/>`);
    }
  } else if (kind === op.Font.value) {
    pixels = a; bold = b !== 0;
  } else if (kind === op.Text.value) {
    parts.push(`<text x="${Math.round(a)}" y="${Math.round(b)}" fill="${colour}" ` +
      `font-size="${pixels}" font-weight="${bold ? "bold" : "normal"}" ` +
      `dominant-baseline="text-before-edge" style="white-space: pre">${escape(surface.texts[c])}</text>`);
  } else if (kind === op.Box.value) {
    parts.push(`<rect x="${Math.round(a)}" y="${Math.round(b)}" width="${Math.round(c)}" ` +
      `height="${Math.round(d)}" fill="${hex(e)}"/>`);
  } else if (kind === op.Dot.value) {
    parts.push(`<circle cx="${a + 0.5}" cy="${b + 0.5}" r="${c}" fill="${hex(d)}"/>`);
  }
}
const canvas = frame.querySelector("canvas");
const picture = `<svg class="control" style="${canvas.style.cssText}" ` +
  `viewBox="0 0 ${surface.width} ${surface.height}" shape-rendering="crispEdges">` +
  parts.join("") + "</svg>";
canvas.outerHTML = picture;
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
