#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the page's start in headless Chromium, each run with an empty
profile: from navigation to the window shown (the page's own mark) and to
the first paint, and a full redraw of the surface (core and canvas).
   bench/web-startup.py build/web [RUNS]"""

import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
import pagecheck  # noqa: E402

url, server = pagecheck.serve(sys.argv[1])
rows = []
for _ in range(int(sys.argv[2]) if len(sys.argv) > 2 else 7):
    driver = pagecheck.chromium()
    try:
        driver.get(url)
        pagecheck.wait_ready(driver)
        rows.append(driver.execute_script("""
            const shown = performance.getEntriesByName("tolvane-shown")[0].startTime;
            const paint = performance.getEntriesByName("first-contentful-paint")[0];
            // 中 pressed again draws the whole picture afresh.
            const t = tolvane, middle = t.rows.findIndex((row) => row.text === "中");
            const started = performance.now();
            for (let i = 0; i < 20; ++i) t.surface.draw((t.form.press(middle), t.form.take()));
            return [shown, paint ? paint.startTime : NaN, (performance.now() - started) / 20];"""))
    finally:
        driver.quit()
server.shutdown()
for name, column in zip(("window shown", "first paint", "full redraw"), zip(*rows)):
    print(f"{name}: median {statistics.median(column):.1f} ms ({', '.join(f'{v:.1f}' for v in column)})")
