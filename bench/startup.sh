#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times Tolvane's start-up and reads its memory, next to a Qt window of the
# same size that shows one bold Japanese caption in the same face, and a bare
# one, under one private X server. Each program is started in turn,
# and timed from launch until its first frame is on the screen: for Tolvane
# that is the pale yellow surface with the black axis through the origin, for
# the other two their grey background. The resident set is read at that same
# moment. Prints the medians and their ratios, and exits with 1 when Tolvane
# is more than 1.05 times slower or larger than the captioned window.
#
#   bench/startup.sh [BUILD_DIR]     (default build/release)
#   RUNS=20 WARMUPS=2 bench/startup.sh build/release
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/release}"
if [ ! -d "$build" ] && [ -d "$root/$build" ]; then
  build="$root/$build"
fi
runs="${RUNS:-15}"
warmups="${WARMUPS:-2}"
time_limit=1.05
memory_limit=1.05

tolvane="$build/tolvane"
caption="$build/bench/tolvane_caption_window"
empty="$build/bench/tolvane_empty_window"
probe="$build/bench/tolvane_startup_probe"
for program in "$tolvane" "$caption" "$empty" "$probe"; do
  if [ ! -x "$program" ]; then
    echo "missing $program: build with scripts/test, or cmake --build $build" >&2
    exit 2
  fi
done
# shellcheck source=scripts/packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/packages.sh"
command -v Xvfb >/dev/null || { echo "Xvfb is missing: $(tolvane_install_hint TOLVANE_SCREENSHOT_PACKAGES)" >&2; exit 2; }

# A display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.05
done
if [ ! -e "/tmp/.X11-unix/X$display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 2
fi

# The same plain environment for both programs: no desktop theme, no scaling,
# so both windows land where the watched pixels expect them.
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
  QT_FONT_DPI XDG_CURRENT_DESKTOP DESKTOP_SESSION 2>/dev/null || true

# Both windows sit at (4, 30) with no window manager to move them. Tolvane's
# surface starts 16, 32 inside its window: surface pixel (5, 5) is pale
# yellow, (300, 300) is the axis crossing. The bare window is Fusion grey.
tolvane_pixels="25,67=ffffc0;320,362=000000"
empty_pixels="471,355=efefef"

echo "Start-up on $(nproc) cores, $runs runs each after $warmups warm-up runs"
"$probe" "$runs" "$warmups" \
  tolvane "$tolvane" "$tolvane_pixels" \
  caption "$caption" "$empty_pixels" \
  empty "$empty" "$empty_pixels" 2>"$work/probe.log" >"$work/runs.txt" || {
  echo "a launch failed:" >&2
  cat "$work/probe.log" >&2
  exit 2
}

median() {
  awk -v name="$1" -v column="$2" '$1 == "run" && $2 == name { print $column }' "$work/runs.txt" |
    sort -g | awk '{ v[NR] = $1 } END {
      if (NR == 0) { print "nan"; exit }
      if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

tolvane_ms="$(median tolvane 3)"
caption_ms="$(median caption 3)"
empty_ms="$(median empty 3)"
tolvane_kb="$(median tolvane 4)"
caption_kb="$(median caption 4)"
empty_kb="$(median empty 4)"

awk -v tm="$tolvane_ms" -v cm="$caption_ms" -v em="$empty_ms" \
    -v tk="$tolvane_kb" -v ck="$caption_kb" -v ek="$empty_kb" \
    -v tl="$time_limit" -v ml="$memory_limit" 'BEGIN {
  tr = tm / cm; mr = tk / ck
  printf "%-24s %10s %10s %10s %9s %9s %6s  %s\n", "median", "Tolvane", "caption", "bare",
    "÷caption", "÷bare", "limit", "verdict"
  printf "%-24s %10.1f %10.1f %10.1f %9.3f %9.3f %6.2f  %s\n", "start-up to frame (ms)",
    tm, cm, em, tr, tm / em, tl, (tr <= tl ? "met" : "MISSED")
  printf "%-24s %10d %10d %10d %9.3f %9.3f %6.2f  %s\n", "resident set (kB)",
    tk, ck, ek, mr, tk / ek, ml, (mr <= ml ? "met" : "MISSED")
  exit (tr <= tl && mr <= ml) ? 0 : 1
}'
