#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures a printed worksheet as a ruler would: the PDF's page size, and,
rasterised by poppler at 10 pixels to the millimetre, the grid's spacing,
where the pupil's line passes, and the length of the 10 cm bar.

   paperpdf.py PDF SCALE_MM GRID_UNIT [--pupils] [--through X,Y ...]

check() gives the failures, measure() the numbers. The tick numbers beside
the axes blot a few grid lines near them; those are left out of the fit, and
every other line must stand within a tenth of a millimetre of its place."""

import argparse
import os
import re
import subprocess
import sys
import tempfile

PER_MM = 10  # pixels per millimetre at 254 dpi
SURFACE = 600  # the screen's plane, in pixels


def _dark(values, below=128):
    """How many bytes are darker than `below`, counted in C."""
    return len(values) - len(values.translate(None, bytes(range(below))))


class Raster:
    def __init__(self, pdf):
        with tempfile.TemporaryDirectory() as folder:
            stem = os.path.join(folder, "page")
            subprocess.run(["pdftoppm", "-r", str(25.4 * PER_MM), "-singlefile", pdf, stem],
                           check=True)
            with open(stem + ".ppm", "rb") as file:
                data = file.read()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.pixels = data[header.end():]
        self.stride = 3 * self.width

    def channel(self, index, x0, x1, y):
        """One colour channel of row y from x0 to x1."""
        start = y * self.stride + 3 * x0 + index
        return self.pixels[start:y * self.stride + 3 * x1:3]

    def column(self, index, x, y0, y1):
        return self.pixels[y0 * self.stride + 3 * x + index:y1 * self.stride:self.stride]

    def pixel(self, x, y):
        at = y * self.stride + 3 * x
        return tuple(self.pixels[at:at + 3])


def _lines(profile, full):
    """Centres of the dark lines across a profile of darkness (255 for each
    black pixel), each weighted to a fraction of a pixel over what the lines
    across it leave on either side, with how much ink it holds."""
    centres, x = [], 0
    while x < len(profile):
        if profile[x] < 0.3 * full:
            x += 1
            continue
        start = x
        # A line under text may dip for a pixel; it is still one line.
        while x < len(profile) and max(profile[x:x + 3]) >= 0.3 * full:
            x += 1
        lo, hi = max(start - 3, 0), min(x + 3, len(profile))
        floor = min(profile[lo:hi])
        weights = [v - floor for v in profile[lo:hi]]
        centres.append((sum(i * w for i, w in zip(range(lo, hi), weights)) / sum(weights),
                        sum(weights)))
    return centres


def _fit(centres, origin, step):
    """The grid's spacing by least squares, each line numbered by the unit it
    stands for: lines that the tick numbers beside the axes blot are left
    out. Gives the spacing, the worst distance of a line from where that
    spacing puts it, the first and last unit found, how many, and where unit
    0 is."""
    # The axis itself may be blotted by its numbers: the lines say where the
    # lattice stands.
    residuals = sorted(c - origin - round((c - origin) / step) * step for c in centres)
    origin += residuals[len(residuals) // 2]
    units = {}
    for c in centres:
        k = round((c - origin) / step)
        if abs(c - origin - k * step) < 0.15 * PER_MM:
            units.setdefault(k, c)
    ks, cs = list(units), list(units.values())
    mean_k, mean_c = sum(ks) / len(ks), sum(cs) / len(cs)
    slope = sum((k - mean_k) * (c - mean_c) for k, c in zip(ks, cs)) / \
        sum((k - mean_k) ** 2 for k in ks)
    worst = max(abs(c - (mean_c + (k - mean_k) * slope)) for k, c in zip(ks, cs))
    return slope, worst, min(ks), max(ks), len(ks), mean_c - mean_k * slope


def measure(pdf, scale_mm, grid_unit):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    size = re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", info)
    pages = int(re.search(r"Pages:\s+(\d+)", info).group(1))
    images = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True,
                            check=True).stdout.splitlines()[2:]
    page = Raster(pdf)
    side = min(SURFACE / grid_unit * scale_mm, 172) * PER_MM
    full = 255 * side
    # Vertical lines of the plane: columns dark over most of the plane's side,
    # in the blue channel, in which the pupils' light blue lines are white.
    columns = [255 * page.height - sum(page.column(2, x, 0, page.height))
               for x in range(page.width)]
    found = _lines(columns, 0.5 * full)
    # The y axis: the line with the most ink, wider than the grid's.
    axis_x = max(found, key=lambda line: line[1])[0]
    # The plane's top and bottom: the longest dark run down the y axis, in
    # the red channel, in which the lines crossing it are dark too.
    down = page.column(0, round(axis_x), 0, page.height)
    top = bottom = run = 0
    for y in range(page.height):
        run = run + 1 if down[y] < 128 else 0
        if run > bottom - top:
            top, bottom = y - run + 1, y

    def solid(values):
        # A grid line is dark all along; the tick numbers only here and there.
        return _dark(values) >= 0.95 * len(values)

    vertical = [c for c, _ in found if solid(page.column(0, round(c), top, bottom + 1))]
    # Across the plane's width only, so that the table and the bar below it
    # do not count.
    left, right = round(vertical[0]), round(vertical[-1]) + 1
    rows = [255 * (right - left) - sum(page.channel(2, left, right, y))
            for y in range(top, bottom + 1)]
    found = [(top + c, ink) for c, ink in _lines(rows, 0.5 * full)]
    horizontal = [c for c, _ in found if solid(page.channel(0, left, right, round(c)))]
    axis_y = max(found, key=lambda line: line[1])[0]
    step = scale_mm * PER_MM
    spacing_x, off_x, *units_x, axis_x = _fit(vertical, axis_x, step)
    spacing_y, off_y, *units_y, axis_y = _fit(horizontal, axis_y, step)
    # The bar: the lowest thick horizontal run under the plane, measured
    # along its middle.
    below = [(y, 255 * page.width - sum(page.channel(2, 0, page.width, y)))
             for y in range(bottom + 20, page.height)]
    thick = [y for y, d in below if d >= 255 * 80 * PER_MM]
    bar = None
    if thick:
        last = thick[-1]
        first = last
        while first - 1 in thick:
            first -= 1
        middle = page.channel(2, 0, page.width, (first + last) // 2)
        # The longest dark run along it, with the pixels it half covers at
        # either end.
        start = end = run = 0
        for x, v in enumerate(middle):
            run = run + 1 if v < 128 else 0
            if run > end - start:
                start, end = x - run + 1, x + 1
        bar = sum(255 - v for v in middle[max(start - 1, 0):end + 1]) / 255 / PER_MM
    return {
        "page_points": (float(size.group(1)), float(size.group(2))),
        "pages": pages,
        "images": len(images),
        "grid_lines": (units_x[2], units_y[2]),
        "units": (units_x[:2], units_y[:2]),
        "spacing_mm": (spacing_x / PER_MM, spacing_y / PER_MM),
        "span_error_mm": ((spacing_x - step) * (units_x[1] - units_x[0]) / PER_MM,
                          (spacing_y - step) * (units_y[1] - units_y[0]) / PER_MM),
        "worst_line_mm": (off_x / PER_MM, off_y / PER_MM),
        "origin": (axis_x, axis_y),
        "plane": (left, top, right, bottom),
        "bar_mm": bar,
        "raster": page,
    }


def _blue_near(page, x, y, reach):
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            r, g, b = page.pixel(round(x) + dx, round(y) + dy)
            if r < 140 and b > 180 and b - r > 80:
                return True
    return False


def check(pdf, scale_mm, grid_unit, with_lines=True, through=()):
    """What is wrong with the printed worksheet, in words; empty when nothing."""
    m = measure(pdf, scale_mm, grid_unit)
    failures = []
    w, h = m["page_points"]
    if abs(w - 595) > 1 or abs(h - 842) > 1 or m["pages"] != 1:
        failures.append(f"not one A4 page: {m['pages']} of {w} x {h} pt")
    if m["images"]:
        failures.append(f"{m['images']} raster images in the PDF")
    for axis, error in zip("xy", m["span_error_mm"]):
        if abs(error) > 0.1:
            failures.append(f"grid along {axis} off by {error:.3f} mm over the plane")
    # Units from the origin to the plane's edge, each way, at the scale.
    reach = int(min(SURFACE / grid_unit * scale_mm, 172) / 2 // scale_mm)
    for axis, (first, last), count in zip("xy", m["units"], m["grid_lines"]):
        if (first, last) != (-reach, reach) or count < 2 * reach - 1:
            failures.append(f"grid along {axis}: {count} lines from unit {first} to {last}, "
                            f"not {2 * reach + 1} from {-reach} to {reach}")
    for axis, worst in zip("xy", m["worst_line_mm"]):
        if worst > 0.1:
            failures.append(f"a grid line along {axis} {worst:.3f} mm out of place")
    if m["bar_mm"] is None or abs(m["bar_mm"] - 100) > 0.1:
        failures.append(f"the 10 cm bar measures {m['bar_mm']} mm")
    page, (ox, oy) = m["raster"], m["origin"]
    step = scale_mm * PER_MM
    for x, y in through:
        if not _blue_near(page, ox + x * step, oy - y * step, 3):
            failures.append(f"no line through ({x}, {y})")
    if not with_lines:
        left, top, right, bottom = m["plane"]
        for y in range(top, bottom, 2):
            reds = page.channel(0, left, right, y)
            blues = page.channel(2, left, right, y)
            if any(r < 140 and b > 180 for r, b in zip(reds, blues)):
                failures.append(f"a line on the pupils' copy, row {y}")
                break
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pdf")
    parser.add_argument("scale", type=int)
    parser.add_argument("grid_unit", type=int)
    parser.add_argument("--pupils", action="store_true")
    parser.add_argument("--through", default="", help="points the line passes, as 0,2;3,0")
    args = parser.parse_args()
    through = [tuple(float(v) for v in p.split(",")) for p in args.through.split(";") if p]
    m = measure(args.pdf, args.scale, args.grid_unit)
    print(f"{args.pdf}: page {m['page_points']} pt, {m['images']} images, "
          f"grid lines {m['grid_lines']}, spacing {m['spacing_mm'][0]:.4f} x "
          f"{m['spacing_mm'][1]:.4f} mm, over the plane off by {m['span_error_mm'][0]:+.3f} "
          f"x {m['span_error_mm'][1]:+.3f} mm, bar {m['bar_mm']:.3f} mm")
    failures = check(args.pdf, args.scale, args.grid_unit, not args.pupils, through)
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
