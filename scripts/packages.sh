# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The one list of the Debian packages the project needs, by what needs them,
# and the step that installs the missing ones. Sourced by every script that
# installs a package or names one that is missing; packaging/CMakeLists.txt
# reads the Depends of the Tolvane package from TOLVANE_RUNTIME_PACKAGES.

# What the installed program loads at run time besides the libraries it
# links: the Qt platform plugins and the Japanese font.
TOLVANE_RUNTIME_PACKAGES=(qt6-qpa-plugins fonts-ipafont-gothic)
# What building the program needs.
TOLVANE_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgl-dev libboost-dev
  libdouble-conversion-dev)
# Each check's own tools, so that a check can name what it misses.
TOLVANE_BENCH_PACKAGES=(libbenchmark-dev)
TOLVANE_SCREENSHOT_PACKAGES=(xvfb x11-apps x11-utils netpbm)
TOLVANE_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The static checks of .clang-tidy.
TOLVANE_TIDY_PACKAGES=(clang-tidy)
TOLVANE_LAUNCHER_PACKAGES=(desktop-file-utils appstream)
# The package check also starts each launch entry on a virtual X server.
TOLVANE_DEB_PACKAGES=(dpkg-dev lintian man-db xvfb xdotool x11-utils)
TOLVANE_REUSE_PACKAGES=(reuse)
# Measuring a printed worksheet: poppler's page size, raster and image list.
TOLVANE_PAPER_PACKAGES=(poppler-utils)
TOLVANE_ATSPI_PACKAGES=(at-spi2-core python3-pyatspi dbus-daemon xvfb xdotool)
# Typing through a real Japanese input method: IBus with Mozc, as Debian
# sets it up, plus the screen grab that finds the drawn line.
TOLVANE_IME_PACKAGES=(ibus ibus-mozc mozc-server ibus-gtk3 util-linux x11-apps netpbm
  "${TOLVANE_ATSPI_PACKAGES[@]}")
TOLVANE_SCREENREADER_PACKAGES=(orca speech-dispatcher "${TOLVANE_ATSPI_PACKAGES[@]}")
# What scripts/web needs to build the core for WebAssembly and serve the
# page: emscripten (with node), CMake and Ninja, Boost's headers,
# double-conversion's version (its source comes with apt-get source, which
# needs dpkg-dev), and what the browser tests need: Chromium and WebKit with
# their WebDriver, a virtual X server for WebKit's browser, and poppler to
# measure a printed worksheet.
TOLVANE_WEB_PACKAGES=(emscripten nodejs cmake ninja-build dpkg-dev libboost-dev
  libdouble-conversion-dev python3)
TOLVANE_WEB_TEST_PACKAGES=(chromium chromium-driver python3-selenium webkit2gtk-driver xvfb
  "${TOLVANE_PAPER_PACKAGES[@]}")

# What scripts/run needs, and what scripts/test adds for the whole suite, the
# benchmarks, the screenshot and the package checks.
TOLVANE_RUN_PACKAGES=("${TOLVANE_BUILD_PACKAGES[@]}" "${TOLVANE_RUNTIME_PACKAGES[@]}")
TOLVANE_TEST_PACKAGES=("${TOLVANE_BENCH_PACKAGES[@]}" "${TOLVANE_SCREENSHOT_PACKAGES[@]}"
  "${TOLVANE_FUZZ_PACKAGES[@]}" "${TOLVANE_LAUNCHER_PACKAGES[@]}" "${TOLVANE_DEB_PACKAGES[@]}"
  "${TOLVANE_REUSE_PACKAGES[@]}" "${TOLVANE_ATSPI_PACKAGES[@]}" "${TOLVANE_IME_PACKAGES[@]}"
  "${TOLVANE_TIDY_PACKAGES[@]}" "${TOLVANE_PAPER_PACKAGES[@]}")

# The command that installs a list, for a message: tolvane_install_hint NAME.
tolvane_install_hint() {
  local -n list="$1"
  printf 'apt-get install %s' "${list[*]}"
}

tolvane_missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || printf '%s\n' "$package"
  done
}

# Installs what is missing when run as root; otherwise names the one command
# to run and stops.
tolvane_install_packages() {
  local missing
  mapfile -t missing < <(tolvane_missing_packages "$@" | sort -u)
  [ "${#missing[@]}" -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}
