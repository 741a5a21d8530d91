# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Waits up to 20 s until the application NAME is on the AT-SPI bus with a
window; exits 0 then, 4 when it did not come. Usage: wait_for_app.py NAME"""
import sys
import time

import pyatspi

name = sys.argv[1]
deadline = time.time() + 20
while time.time() < deadline:
    try:
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == name and app.childCount > 0:
                print("app on AT-SPI:", app.name, app.childCount)
                sys.exit(0)
    except Exception:  # an application going away
        pass
    time.sleep(0.2)
print("app not found on AT-SPI:", name)
sys.exit(4)
