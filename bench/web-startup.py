#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the page's start in headless Chromium beside a plain page of the
same window (bench/plain-page/: HTML, CSS and inline SVG, no script), at
full speed and with the CPU four times slower (DevTools'
Emulation.setCPUThrottlingRate), the two pages in turn, each run in a
browser of its own with an empty profile. A first visit is timed from
navigation to the first paint that shows the window with its plane
(first-contentful-paint: the page keeps the window hidden until it is
complete) and to the page's own mark "tolvane-shown"; a repeat visit is
the same page opened again in that browser once the service worker keeps
it, the worker stopped as it is when a pupil comes back later. Also a full redraw of the surface (core and canvas).
   bench/web-startup.py build/web [RUNS]"""

import os
import statistics
import sys

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
import pagecheck  # noqa: E402

PLAIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "plain-page")
RATES = (1, 4)


def painted(driver):
    """The first contentful paint and the page's mark, once both are in."""
    WebDriverWait(driver, 30).until(lambda d: d.execute_script(
        "return performance.getEntriesByName('first-contentful-paint').length > 0"))
    return driver.execute_script("""
        const mark = performance.getEntriesByName("tolvane-shown")[0];
        return [performance.getEntriesByName("first-contentful-paint")[0].startTime,
                mark ? mark.startTime : NaN];""")


def visit(url, rate, tolvane):
    """{first, shown, repeat, redraw} of one browser's visits, in ms."""
    driver = pagecheck.chromium(network_log=False)
    try:
        driver.get("about:blank")
        pagecheck.cdp(driver, "Emulation.setCPUThrottlingRate", rate=rate)
        driver.get(url)
        first, shown = painted(driver)
        result = {"first": first, "shown": shown}
        if not tolvane:
            return result
        pagecheck.wait_ready(driver)
        # 中 pressed again draws the whole picture afresh.
        result["redraw"] = driver.execute_script("""
            const t = tolvane, middle = t.rows.findIndex((row) => row.text === "中");
            const started = performance.now();
            for (let i = 0; i < 20; ++i) t.surface.draw((t.form.press(middle), t.form.take()));
            return (performance.now() - started) / 20;""")
        WebDriverWait(driver, 30).until(
            lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
        # As on the next day: the worker is no longer running.
        pagecheck.cdp(driver, "ServiceWorker.enable")
        pagecheck.cdp(driver, "ServiceWorker.stopAllWorkers")
        driver.get("about:blank")
        driver.get(url)
        result["repeat"] = painted(driver)[0]
        return result
    finally:
        driver.quit()


def summary(values):
    return (f"median {statistics.median(values):6.1f} ms"
            f" ({', '.join(f'{v:.0f}' for v in values)})")


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    url, server = pagecheck.serve(sys.argv[1])
    plain_url, plain_server = pagecheck.serve(PLAIN)
    try:
        for rate in RATES:
            rows = {"tolvane": [], "plain": []}
            for run in range(runs):
                # Alternated, and each page first in every other run.
                order = [("tolvane", url), ("plain", plain_url)]
                for name, address in order if run % 2 == 0 else reversed(order):
                    rows[name].append(visit(address, rate, name == "tolvane"))
            ours = [r["first"] for r in rows["tolvane"]]
            plain = [r["first"] for r in rows["plain"]]
            print(f"== CPU {rate}x slower" if rate > 1 else "== CPU at full speed")
            print(f"first visit, first frame:       {summary(ours)}")
            print(f"  its mark tolvane-shown:       {summary([r['shown'] for r in rows['tolvane']])}")
            print(f"plain page, first frame:        {summary(plain)}")
            print(f"repeat visit, first frame:      {summary([r['repeat'] for r in rows['tolvane']])}")
            print(f"full redraw:                    {summary([r['redraw'] for r in rows['tolvane']])}")
            ratio = statistics.median(ours) / statistics.median(plain)
            repeat = statistics.median([r["repeat"] for r in rows["tolvane"]])
            print(f"first visit / plain page: {ratio:.2f};"
                  f" repeat visit / plain page: {repeat / statistics.median(plain):.2f}")
    finally:
        server.shutdown()
        plain_server.shutdown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
