#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Types into Tolvane through a real Japanese input method: IBus with Mozc in
# hiragana mode, on a virtual X server with a private D-Bus session, and lets
# check.py judge the boxes (through AT-SPI) and the drawn line (from the
# screen). Usage: run.sh PROGRAM. Exits 77 when a tool is not installed.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/packages.sh
source "$here/../../scripts/packages.sh"
for tool in ibus-daemon ibus /usr/lib/ibus-mozc/ibus-engine-mozc /usr/lib/mozc/mozc_server setpriv \
  xwd xwdtopnm Xvfb dbus-run-session xdotool pyatspi; do
  { [ "$tool" = pyatspi ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; } || command -v "$tool" >/dev/null \
    || { echo "SKIP: $tool is missing ($(tolvane_install_hint TOLVANE_IME_PACKAGES))"; exit 77; }
done

# Mozc will not run as root and ibus-daemon serves only its own user, so as
# root everything runs as nobody, from copies that nobody may read.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/tolvane"
cp "$here/check.py" "$here/../../scripts/a11y/find_app.py" \
  "$here/../../scripts/a11y/session.sh" "$work/"
mkdir "$work/run"
as=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work"
  as=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
# shellcheck disable=SC2016 # expanded by the inner shells
"${as[@]}" bash -c 'source "$1/session.sh" && a11y_session "$1/run" bash -c "$2" run "$1"' run "$work" '
  ibus-daemon --panel=disable --emoji-extension=disable >"$1/run/log/ibus.log" 2>&1 &
  # ibus engine NAME exits 1 even when it did set the engine.
  for _ in $(seq 100); do
    ibus engine mozc-jp 2>/dev/null
    [ "$(ibus engine 2>/dev/null)" = mozc-jp ] && break
    sleep 0.1
  done
  [ "$(ibus engine 2>/dev/null)" = mozc-jp ] || { echo "FAIL ibus-daemon did not take Mozc"; exit 1; }
  QT_IM_MODULE=ibus "$1/tolvane" >"$1/run/log/program.log" 2>&1 &
  program=$!
  /usr/bin/python3 "$1/check.py" 2>&1
  status=$?
  [ "$status" -eq 0 ] || tail -n 20 "$1"/run/log/ibus.log "$1"/run/log/program.log
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  exit $status
'
