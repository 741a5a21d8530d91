# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds an application on the AT-SPI bus once it shows a window.

Imported by tests/atspi/check.py; run as find_app.py NAME by the walk, it
exits 0 once NAME is there and 4 when it did not come within 20 s."""
import sys
import time

import pyatspi


def find_app(name):
    """The application called name with at least one window, waiting up to
    20 s for it; None when it did not come."""
    deadline = time.time() + 20
    while time.time() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == name and app.childCount > 0:
                    return app
        except Exception:  # an application going away
            pass
        time.sleep(0.2)
    return None


def find_frame(name):
    """The first window of the application called name; None, after a FAIL
    line, when the application did not come."""
    app = find_app(name)
    if app is None:
        print(f"FAIL {name} did not appear on AT-SPI")
        return None
    return app.getChildAtIndex(0)


if __name__ == "__main__":
    found = find_app(sys.argv[1])
    if found is None:
        print("app not found on AT-SPI:", sys.argv[1])
        sys.exit(4)
    print("app on AT-SPI:", found.name, found.childCount)
