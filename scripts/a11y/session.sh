# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# A private desktop as a screen reader meets it: an X server of its own, a
# D-Bus session and the AT-SPI bus, with accessibility switched on, and a home
# and runtime folder of its own, so that nothing of the machine's desktop
# takes part and several runs may go side by side. Sourced by
# tests/atspi/run.sh and scripts/a11y/walk.sh.

a11y_session_file=$(readlink -f "${BASH_SOURCE[0]}")

# a11y_session RUN COMMAND [ARGS...]
# Runs COMMAND inside the private desktop for two minutes at the most and
# returns its status, or 3 when the desktop did not start. RUN is an empty
# folder for the home, the runtime folder and the logs (RUN/log); COMMAND
# keeps the caller's output. Every process the run started is stopped before
# it returns: they all share one session, the one setsid opens.
a11y_session() {
  local run=$1 signal status=0 sid pids
  shift
  a11y_require Xvfb dbus-run-session xdotool setsid /usr/bin/python3 || return 3
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || { echo "missing python3-pyatspi for /usr/bin/python3" >&2; return 3; }
  mkdir -p "$run/home/.config" "$run/home/.local/share" "$run/home/.cache" "$run/runtime" "$run/log"
  chmod 700 "$run/runtime"
  # shellcheck disable=SC2016 # expanded by the inner shell
  setsid -w bash -c 'source "$0" && a11y_desktop "$@"' "$a11y_session_file" "$run" "$@" \
    </dev/null || status=$?
  sid=$(cat "$run/log/sid" 2>/dev/null) || sid=""
  for signal in TERM KILL; do
    pids=$(a11y_session_pids "$sid")
    # shellcheck disable=SC2086 # one word a process
    [ -z "$pids" ] || kill -s "$signal" $pids 2>/dev/null || true
    for _ in $(seq 30); do [ -z "$(a11y_session_pids "$sid")" ] && break; sleep 0.1; done
  done
  pids=$(a11y_session_pids "$sid")
  [ -z "$pids" ] || echo "WARNING: leftover processes: $pids" >&2
  return "$status"
}

# a11y_require TOOL...: fails, naming the first TOOL that is not installed.
a11y_require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; return 1; }
  done
}

# The living processes of session SID.
a11y_session_pids() {
  [ -z "$1" ] || ps -eo pid=,sid=,stat= | awk -v s="$1" '$2 == s && $3 !~ /^Z/ { print $1 }'
}

# The session leader: the X server, then the D-Bus session around the rest.
a11y_desktop() {
  local run=$1
  shift
  echo $$ >"$run/log/sid"
  export HOME="$run/home" XDG_CONFIG_HOME="$run/home/.config" XDG_DATA_HOME="$run/home/.local/share" \
    XDG_CACHE_HOME="$run/home/.cache" XDG_RUNTIME_DIR="$run/runtime" \
    XDG_CONFIG_DIRS=/etc/xdg XDG_DATA_DIRS=/usr/local/share:/usr/share \
    NO_AT_BRIDGE=0 GTK_MODULES=gail:atk-bridge QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
  unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
  # Xvfb picks a free display itself and names it once it accepts clients, so
  # parallel runs do not race for a number.
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$run/log/display" >>"$run/log/xvfb.log" 2>&1 &
  for _ in $(seq 100); do [ -s "$run/log/display" ] && break; sleep 0.1; done
  DISPLAY=":$(head -n 1 "$run/log/display" 2>/dev/null)"
  export DISPLAY
  xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; return 3; }
  # dbus-daemon and the AT-SPI daemons chatter into the log; the command gets
  # the caller's output back through fds 3 and 4.
  # shellcheck disable=SC2016 # expanded by the inner shell
  timeout -k 5 120 dbus-run-session -- bash -c 'source "$0" && a11y_bus "$@"' "$a11y_session_file" "$@" \
    3>&1 4>&2 >>"$run/log/dbus.log" 2>&1
}

# Inside the D-Bus session: asking for org.a11y.Bus D-Bus-activates
# at-spi-bus-launcher, which starts the AT-SPI bus and its registry; once it
# answers, toolkits are told that accessibility is on (GTK reads the GSettings
# key, Qt reads org.a11y.Status) and the command runs.
a11y_bus() {
  local address=""
  for _ in $(seq 50); do
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
    [ -n "$address" ] && break
    sleep 0.1
  done
  [ -n "$address" ] || { echo "the AT-SPI bus did not start" >&4; return 3; }
  gsettings set org.gnome.desktop.interface toolkit-accessibility true || true
  dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true
  "$@" >&3 2>&4 3>&- 4>&-
}
