#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a built tree and checks it as a school's IT
# would, without ever installing it on this machine:
#   check-deb.sh CPACK BUILD-DIR
# lintian must report no error and no warning; the documents Debian asks for
# must be there and well-formed; and the program unpacked with dpkg-deb -x must
# reach its first frame under the offscreen platform, also in a locked-down
# session (read-only empty home, no XDG_RUNTIME_DIR), writing nothing; and
# every entry of its menu item, run as the desktop runs it, must open the
# window at its scale on a virtual X server.
# Exits with 77, which CTest reports as skipped, only when a tool is missing;
# scripts/test installs them all.
set -euo pipefail
# shellcheck source=scripts/packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/packages.sh"
cpack="$1"
build="$2"

for tool in dpkg-deb dpkg-parsechangelog lintian man gzip setpriv Xvfb xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing ($(tolvane_install_hint TOLVANE_DEB_PACKAGES))"
    exit 77
  fi
done

work="$(mktemp -d)"
pid=
xvfb=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The locked-down run below is made as an unprivileged user, who must be able
# to reach the unpacked program.
chmod 755 "$work"

fail=0
problem() { echo "FAILED: $*"; fail=1; }

echo "== cpack"
(cd "$build" && "$cpack" --config CPackConfig.cmake -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  cat "$work/cpack.log"
  echo "cpack made no single .deb"
  exit 1
fi
deb="${debs[0]}"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

echo "== lintian"
# Info and pedantic tags are shown too, but only errors and warnings fail.
# (As root, lintian also says that it is run as root; that is no tag.)
if lintian --fail-on error,warning --display-info --pedantic "$deb"; then
  echo "lintian: no error, no warning"
else
  problem "lintian reports errors or warnings"
fi

echo "== contents"
maintainer="$(dpkg-deb -f "$deb" Maintainer)"
version="$(dpkg-deb -f "$deb" Version)"
[[ "$maintainer" =~ ^[^\<\>@]+\ \<[^\<\>@\ ]+@[^\<\>@\ ]+\>$ ]] \
  || problem "Maintainer is not 'Name <address>': $maintainer"

# Every entry root-owned; directories 755, files 644, the program 755.
while read -r mode owner _ _ _ name _; do
  name="${name#./}"
  [ "$owner" = root/root ] || problem "$name is owned by $owner"
  case "$mode" in
    d*) want=drwxr-xr-x ;;
    *) [ "$name" = usr/bin/tolvane ] && want=-rwxr-xr-x || want=-rw-r--r-- ;;
  esac
  [ "$mode" = "$want" ] || problem "$name has mode $mode, not $want"
done < <(dpkg-deb -c "$deb")

root="$work/root"
dpkg-deb -x "$deb" "$root"
doc="$root/usr/share/doc/tolvane"

head -n1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || problem "copyright is not in Debian's machine-readable format"
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || problem "copyright does not name GPL-3.0-or-later"

# gzip -n leaves the name flag (bit 3 of byte 3) clear and the time stamp
# (bytes 4 to 7) zero, so the same sources always give the same bytes.
reproducible_gzip() {
  local header
  header="$(od -An -tx1 -N8 "$1" | tr -d ' \n')"
  gzip -t "$1" && [ "${header:0:6}" = 1f8b08 ] && [ $((0x${header:6:2} & 8)) -eq 0 ] \
    && [ "${header:8:8}" = 00000000 ]
}
gzipped=("$doc/changelog.gz" "$root/usr/share/man/man1/tolvane.1.gz" "$root/usr/share/man/ja/man1/tolvane.1.gz")
for file in "${gzipped[@]}"; do
  if [ ! -f "$file" ]; then
    problem "${file#"$root"/} is missing"
  elif ! reproducible_gzip "$file"; then
    problem "${file#"$root"/} is not gzipped without name and time stamp"
  fi
done

zcat "$doc/changelog.gz" >"$work/changelog"
changelog_version="$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1)" \
  || problem "changelog does not parse: $changelog_version"
[ "$changelog_version" = "$version" ] \
  || problem "the changelog's last entry is $changelog_version, the package $version"

# groff's warnings, as lintian asks man for them, at a common width.
for page in "${gzipped[@]:1}"; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || problem "${page#"$root"/}: $warnings"
done
[ "$fail" -eq 0 ] && echo "contents: maintainer, owners, modes, copyright, changelog and manual pages are right"

echo "== starting the unpacked program"
# Qt's own painting log, switched on from outside with QT_LOGGING_RULES, tells
# when the window reaches the screen: the first frame is the flush of the
# whole 935x650 window, and a later flush of it (the caret blinking in
# box a) shows that the program goes on running after it. The program itself
# has no switch for this. Any other line on stderr is a complaint a teacher
# starting Tolvane from a terminal would see.
first_frame='^qt\.widgets\.painting: Flushing QRegion\(0,0 935x650\) of FormWindow\('
any_flush='^qt\.widgets\.painting: Flushing QRegion.* of FormWindow\('

# A network namespace of its own, where one can be made, has no network at
# all: Tolvane must not need one.
offline=()
if unshare --net true 2>/dev/null; then
  offline=(unshare --net)
fi

# start_tolvane LABEL [PREFIX... --] [VAR=VALUE...]: starts the program in an
# otherwise empty environment and waits up to 30 s for two flushes.
start_tolvane() {
  local label="$1"
  shift
  local prefix=()
  while [ "$#" -gt 0 ] && [ "$1" != -- ]; do prefix+=("$1"); shift; done
  shift
  local err="$work/$label.err"
  : >"$err"
  "${prefix[@]}" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    QT_LOGGING_RULES=qt.widgets.painting=true QT_MESSAGE_PATTERN='%{category}: %{message}' \
    "$@" "$root/usr/bin/tolvane" </dev/null >"$work/$label.out" 2>"$err" &
  pid=$!
  local waited=0 first=
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 300 ]; do
    if [ -z "$first" ] && grep -qE "$first_frame" "$err"; then
      first=$waited
    fi
    [ -n "$first" ] && [ "$(grep -cE "$any_flush" "$err")" -ge 2 ] && break
    sleep 0.1
    waited=$((waited + 1))
  done
  local alive=0
  kill -0 "$pid" 2>/dev/null && alive=1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
  if [ "$alive" -eq 0 ]; then
    problem "$label: the program ended by itself"
  elif ! grep -qE "$first_frame" "$err"; then
    problem "$label: no first frame within 30 s"
  elif [ "$(grep -cE "$any_flush" "$err")" -lt 2 ]; then
    problem "$label: nothing drawn after the first frame"
  else
    echo "$label: first frame within $((first * 100 + 100)) ms, drawing on after it"
  fi
  grep -v '^qt\.widgets\.painting: ' "$err" >"$work/$label.complaints" || true
  cat "$work/$label.out" >>"$work/$label.complaints"
}

# nothing_in DIR LABEL: fails when anything was written below DIR.
nothing_in() {
  local written
  written="$(find "$1" -mindepth 1)"
  [ -z "$written" ] || problem "$2: the program wrote $written"
}

# A fresh session: an empty home and an empty runtime directory, both
# writable. Tolvane keeps nothing, so both stay empty, and nothing is said.
mkdir -m 700 "$work/home" "$work/runtime"
start_tolvane fresh "${offline[@]}" -- HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
nothing_in "$work/home" fresh
nothing_in "$work/runtime" fresh
if [ -s "$work/fresh.complaints" ]; then
  problem "fresh: the program printed:"
  cat "$work/fresh.complaints"
fi

# A locked-down session: the home is empty and read-only, and there is neither
# XDG_RUNTIME_DIR nor XDG_CACHE_HOME. Root may write anywhere, so as root this
# run is made as nobody, for whom the home really is read-only. TMPDIR is set
# only so that what Qt puts in place of the runtime directory stays in here.
# Qt itself, in any program at start-up (it looks for a Flatpak sandbox's
# file there), warns that XDG_RUNTIME_DIR is not set; that one line is
# expected, nothing else.
mkdir -m 555 "$work/home-ro"
mkdir -m 1777 "$work/tmp"
user=(env)
if [ "$(id -u)" -eq 0 ]; then
  user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
start_tolvane locked-down "${offline[@]}" "${user[@]}" -- HOME="$work/home-ro" TMPDIR="$work/tmp"
nothing_in "$work/home-ro" locked-down
qt_runtime_warning="^default: QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '$work/tmp/runtime-[^/']*'\$"
if grep -vqE "$qt_runtime_warning" "$work/locked-down.complaints"; then
  problem "locked-down: the program printed:"
  cat "$work/locked-down.complaints"
fi
files_in_tmp="$(find "$work/tmp" -mindepth 1 -not -type d)"
[ -z "$files_in_tmp" ] || problem "locked-down: files were written: $files_in_tmp"
echo "locked-down: home untouched; Qt made only $(cd "$work/tmp" && find . -mindepth 1 -type d | sed 's#^\./##' | tr '\n' ' ')(empty)"
[ "${#offline[@]}" -gt 0 ] && echo "both runs had no network at all"

echo "== the menu entry's launch lines under X"
# Every Exec line of the unpacked menu entry, the plain one and the larger
# ones for projectors, run as a desktop runs it, with the unpacked program in
# place of tolvane. The X server is large enough for the largest window and
# has no window manager, so the window is exactly what Qt made: 935x650
# times the entry's scale factor, to a pixel (Qt rounds 1402.5 either way).
desktop="$root/usr/share/applications/io.github.tolvane.Tolvane.desktop"
display=
for n in $(seq 140 159); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "no free X display among :140 to :159"; exit 1; }
Xvfb "$display" -screen 0 2560x1600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
mkdir -m 700 "$work/x-home" "$work/x-runtime"

# window_size PID: the size of the program's first shown window, once it has
# stayed the same for half a second; empty when none shows within 30 s.
window_size() {
  local window size last='' steady=0
  window="$(DISPLAY="$display" timeout 30 xdotool search --sync --onlyvisible --pid "$1" 2>/dev/null | head -n1)" || true
  [ -n "$window" ] || return 0
  for _ in $(seq 50); do
    size="$(DISPLAY="$display" xwininfo -id "$window" 2>/dev/null \
      | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')"
    if [ "$size" = "$last" ]; then
      steady=$((steady + 1))
      [ "$steady" -ge 5 ] && break
    else
      steady=0
      last="$size"
    fi
    sleep 0.1
  done
  echo "$last"
}

entries=0
while IFS= read -r line; do
  command_line="${line#Exec=}"
  factor=1
  if [[ "$command_line" =~ QT_SCALE_FACTOR=([0-9.]+) ]]; then
    factor="${BASH_REMATCH[1]}"
  fi
  read -ra words <<<"$command_line"
  for i in "${!words[@]}"; do
    [ "${words[$i]}" = tolvane ] && words[i]="$root/usr/bin/tolvane"
  done
  env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$display" HOME="$work/x-home" \
    XDG_RUNTIME_DIR="$work/x-runtime" "${words[@]}" </dev/null >"$work/x.out" 2>&1 &
  pid=$!
  size="$(window_size "$pid")"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
  entries=$((entries + 1))
  want="$(awk -v f="$factor" 'BEGIN { printf "%.1fx%.1f", 935 * f, 650 * f }')"
  if [ -z "$size" ]; then
    problem "'$command_line': no window within 30 s"
    cat "$work/x.out"
  elif awk -v got="$size" -v want="$want" 'BEGIN {
         split(got, g, "x"); split(want, w, "x")
         exit !((g[1] - w[1])^2 <= 1 && (g[2] - w[2])^2 <= 1) }'; then
    echo "'$command_line': a window of $size (935x650 times $factor is $want)"
  else
    problem "'$command_line': a window of $size, not $want"
  fi
done < <(grep '^Exec=' "$desktop")
[ "$entries" -ge 3 ] || problem "the menu entry has $entries launch lines, not the plain one and two larger ones"

[ "$fail" -eq 0 ] || exit 1
echo "package: $(basename "$deb") is lintian-clean and starts from its unpacked files, at every scale of its menu entry"
