# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the project needs, and the step that installs the missing
# ones. Sourced by scripts/run and scripts/test.

# What building and running the program needs.
TOLVANE_RUN_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libgl-dev fonts-ipafont-gothic
  libdouble-conversion-dev)
# What the test suite, the benchmarks, the screenshot and the package checks add.
TOLVANE_TEST_PACKAGES=(libbenchmark-dev xvfb x11-apps x11-utils netpbm clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev lintian man-db reuse
  at-spi2-core python3-pyatspi dbus-daemon xdotool)
# What scripts/web adds to build Qt and Tolvane for WebAssembly (Qt's own
# source comes with apt-get source, which needs dpkg-dev), and what the
# browser test needs.
TOLVANE_WEB_PACKAGES=(emscripten node-acorn nodejs dpkg-dev libboost-dev python3)
TOLVANE_WEB_TEST_PACKAGES=(chromium chromium-driver python3-selenium)

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
  mapfile -t missing < <(tolvane_missing_packages "$@")
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
