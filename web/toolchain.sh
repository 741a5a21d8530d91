# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The web build's tools, sourced by scripts/web: Debian's emscripten, and Qt
# for WebAssembly built from Debian's own qt6-base source into a cache outside
# the clone, once for each pair of Qt and emscripten versions.
#
# After tolvane_web_prepare_cache:
#   TOLVANE_WEB_QT           the Qt for WebAssembly prefix (qt.toolchain.cmake is there)
#   TOLVANE_WEB_CMAKE_ARGS   what configuring Tolvane for the web needs besides the toolchain

# Debian keeps emcc, em++ and the CMake platform files in /usr/bin and
# /usr/share/emscripten; Qt wants them under one EMSDK folder.
export EMSCRIPTEN=/usr/share/emscripten
# Emscripten's link step runs acorn under node; Debian's node-acorn is there.
export NODE_PATH=/usr/share/nodejs

tolvane_web_versions() {
  local qt emcc
  qt="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
  qt="${qt#*:}"
  qt="${qt%%+*}"
  emcc="$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')"
  printf 'qt-%s-emscripten-%s' "$qt" "${emcc:-unknown}"
}

TOLVANE_WEB_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/tolvane/$(tolvane_web_versions)"
TOLVANE_WEB_QT="$TOLVANE_WEB_CACHE/qt"
export EMSDK="$TOLVANE_WEB_CACHE/emsdk"
TOLVANE_WEB_CMAKE_ARGS=(
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DEMSCRIPTEN_ROOT_PATH=/usr/share/emscripten
  # double-conversion is built into the Qt prefix, and Qt itself uses it.
  -Ddouble-conversion_DIR="$TOLVANE_WEB_QT/lib/cmake/double-conversion"
  # Boost is header-only here: a folder that holds nothing but the link to
  # Debian's boost headers, so the rest of the host's /usr/include stays out
  # of emscripten's reach.
  -DBoost_INCLUDE_DIR="$TOLVANE_WEB_CACHE/boost-include"
  -DBoost_NO_BOOST_CMAKE=ON
)

# The folder of links Qt's configure looks for: $EMSDK/.emscripten names the
# EMSCRIPTEN_ROOT, which holds emcc, em++ and cmake/.
tolvane_web_emsdk() {
  mkdir -p "$EMSDK/emscripten" "$TOLVANE_WEB_CACHE/boost-include"
  ln -sfn /usr/bin/emcc "$EMSDK/emscripten/emcc"
  ln -sfn /usr/bin/em++ "$EMSDK/emscripten/em++"
  ln -sfn /usr/share/emscripten/cmake "$EMSDK/emscripten/cmake"
  printf "EMSCRIPTEN_ROOT = emsdk_path + '/emscripten'\n" >"$EMSDK/.emscripten"
  ln -sfn /usr/include/boost "$TOLVANE_WEB_CACHE/boost-include/boost"
}

# apt-get source needs a deb-src line for the suites that deb lines name.
tolvane_web_source_lines() {
  apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base' && return 0
  local list=/etc/apt/sources.list.d/tolvane-deb-src.sources
  if [ "$(id -u)" -ne 0 ]; then
    echo "web: apt-get source needs deb-src lines; as root, run:" >&2
    echo "  sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >$list && apt-get update" >&2
    exit 1
  fi
  echo "web: adding deb-src lines in $list"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
  apt-get update -q >/dev/null
}

tolvane_web_build_qt() {
  local work="$TOLVANE_WEB_CACHE/work" started qt_version
  started=$(date +%s)
  qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
  rm -rf "$work" "$TOLVANE_WEB_QT"
  mkdir -p "$work"
  tolvane_web_source_lines
  echo "web: fetching Debian's qt6-base $qt_version and double-conversion sources"
  (cd "$work" && apt-get source -q "qt6-base=$qt_version" double-conversion >source.log 2>&1) \
    || { tail -n 20 "$work/source.log"; echo "web: apt-get source failed" >&2; exit 1; }

  # double-conversion first, into the Qt prefix: Qt's string conversions and
  # Tolvane's number rules then use one copy, as on the desktop.
  echo "web: building double-conversion for WebAssembly"
  local dc
  dc="$(find "$work" -maxdepth 1 -type d -name 'double-conversion-*' | head -n 1)"
  if ! { emcmake cmake -S "$dc" -B "$work/dc-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_INSTALL_PREFIX="$TOLVANE_WEB_QT" -DBUILD_TESTING=OFF \
         && cmake --build "$work/dc-build" && cmake --install "$work/dc-build"; } \
         >"$work/dc.log" 2>&1; then
    tail -n 30 "$work/dc.log"
    echo "web: building double-conversion failed (log: $work/dc.log)" >&2
    exit 1
  fi

  echo "web: configuring Qt for WebAssembly (Core, Gui, Widgets, Test; about 10 minutes on 2 cores)"
  local src
  src="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
  mkdir -p "$work/qt-build"
  if ! (cd "$work/qt-build" && "$src/configure" -platform wasm-emscripten -qt-host-path /usr \
          -prefix "$TOLVANE_WEB_QT" -static -release -nomake examples -nomake tests \
          -system-doubleconversion \
          -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent \
          -no-feature-printsupport -no-feature-dbus \
          -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
          -DEMSCRIPTEN_ROOT_PATH=/usr/share/emscripten \
          -Ddouble-conversion_DIR="$TOLVANE_WEB_QT/lib/cmake/double-conversion") \
          >"$work/qt-configure.log" 2>&1; then
    tail -n 40 "$work/qt-configure.log"
    echo "web: configuring Qt failed (log: $work/qt-configure.log)" >&2
    exit 1
  fi
  echo "web: building Qt for WebAssembly"
  if ! { cmake --build "$work/qt-build" && cmake --install "$work/qt-build"; } \
         >"$work/qt-build.log" 2>&1; then
    tail -n 40 "$work/qt-build.log"
    echo "web: building Qt failed (log: $work/qt-build.log)" >&2
    exit 1
  fi
  rm -rf "$work"
  echo "$qt_version" >"$TOLVANE_WEB_QT/.tolvane-complete"
  echo "web: Qt for WebAssembly ready in $(($(date +%s) - started)) s: $TOLVANE_WEB_QT"
}

tolvane_web_prepare_cache() {
  tolvane_web_emsdk
  if [ -f "$TOLVANE_WEB_QT/.tolvane-complete" ]; then
    echo "web: using Qt for WebAssembly from $TOLVANE_WEB_QT"
  else
    tolvane_web_build_qt
  fi
}
