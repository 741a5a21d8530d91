#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in WebKit, the engine of Safari on the iPad: Debian's
MiniBrowser under WebKitWebDriver on a virtual X server.
   webkit_test.py PAGE-FOLDER"""

import sys

from selenium.webdriver.common.keys import Keys

import pagecheck


def run(url):
    driver, display = pagecheck.webkit()
    try:
        driver.set_window_size(1000, 760)
        driver.get(url)
        pagecheck.first_frame(driver)
        pagecheck.axis_numbers(driver)
        pagecheck.enter_walk(
            driver, lambda text: driver.switch_to.active_element.send_keys(text + Keys.ENTER))
        pagecheck.small_plane(driver)
        driver.get(url)
        pagecheck.wait_ready(driver)
        pagecheck.function_key(driver)
        pagecheck.lesson_opens(driver, url)
    finally:
        driver.quit()
        display.terminate()


if __name__ == "__main__":
    sys.exit(pagecheck.main(run))
