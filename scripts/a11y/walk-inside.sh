#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The walk's part inside the private desktop of session.sh: starts
# speech-dispatcher and Orca, then the program, gives its window the focus
# and sends the keys. Run by walk.sh as
#   walk-inside.sh PROGRAM APPNAME KEYS PAUSE [ARGS...]
# with SR_RUN the walk's folder; exits 3 when speech-dispatcher or Orca did
# not start, 4 when the program did not appear on AT-SPI.
set -u
PROG=$1 APPNAME=$2 KEYS=$3 PAUSE=$4
shift 4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RUN=$SR_RUN
exec >>"$RUN/log/harness.log" 2>&1
log() { printf '%s %s\n' "$(date +%T.%N | cut -c1-12)" "$*"; }
# Orca keeps its debug file open for writing, so the walk cannot write into it;
# key markers go to keys.log with the same time stamp format (HH:MM:SS.micro)
# and are merged by time afterwards.
stamp() { printf '%s %s %s\n' "$(date +%T.%6N)" "$1" "$2" >>"$RUN/log/keys.log"; }
stopwait() {  # stopwait PID SECONDS: SIGTERM, wait (reaping it), SIGKILL after SECONDS
    kill "$1" 2>/dev/null || return 0
    ( sleep "$2"; kill -9 "$1" 2>/dev/null ) & local killer=$!
    wait "$1" 2>/dev/null
    kill "$killer" 2>/dev/null; wait "$killer" 2>/dev/null
}
APP=""; ORCA=""
# on any exit: stop the program, then Orca (Orca 43 handles SIGTERM only when its GLib loop wakes
# up, so it usually takes the SIGKILL; its log is line-buffered, nothing is lost)
cleanup() { [ -z "$APP" ] || stopwait "$APP" 5; [ -z "$ORCA" ] || { sleep 0.5; stopwait "$ORCA" 1; }; log "stopped"; }
trap cleanup EXIT
log "dbus session: $DBUS_SESSION_BUS_ADDRESS"

socket=$XDG_RUNTIME_DIR/speechd.sock
export SPEECHD_ADDRESS="unix_socket:$socket" SR_SPEAK="$here/speak-sim"
speech-dispatcher -s -t 0 -C "$here/speechd" -c unix_socket -S "$socket" \
    -L "$RUN/log" -P "$RUN/log/speechd.pid" >>"$RUN/log/speechd.out" 2>&1 &
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || { log "speech-dispatcher did not start"; exit 3; }

/usr/bin/python3 "$here/orca_run.py" "$RUN/log/orca.log" -u "$RUN/orca-prefs" >>"$RUN/log/orca.out" 2>&1 &
ORCA=$!
# ready = it has spoken its greeting ("Screen reader on.")
for _ in $(seq 150); do grep -q "SPEECH OUTPUT:" "$RUN/log/orca.log" 2>/dev/null && break; sleep 0.1; done
kill -0 $ORCA 2>/dev/null || { log "orca died"; exit 3; }
grep -q "SPEECH: Using speech server factory: speechdispatcherfactory" "$RUN/log/orca.log" || log "WARNING: Orca has no speech server"
sleep 1
log "orca up"

"$PROG" "$@" >>"$RUN/log/program.out" 2>&1 &
APP=$!
/usr/bin/python3 "$here/find_app.py" "$APPNAME" || { log "program not on AT-SPI"; exit 4; }
sleep "$PAUSE"
WID=$(xdotool search --sync --onlyvisible --pid $APP 2>/dev/null | head -1)
log "window $WID"
# There is no window manager: give the window the X input focus ourselves (XSetInputFocus),
# and park the pointer on it (Xvfb's focus default is PointerRoot).
if [ -n "$WID" ]; then
    xdotool mousemove --window "$WID" 5 5
    for _ in 1 2 3 4 5; do
        xdotool windowfocus --sync "$WID"
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$WID" ] && break
        sleep 0.3
    done
    log "X focus: $(xdotool getwindowfocus 2>/dev/null)"
    # wait until Orca has seen the window become active (it then speaks the window and focus)
    for _ in $(seq 50); do grep -q "window:activate for" "$RUN/log/orca.log" && break; sleep 0.1; done
    sleep "$PAUSE"
else
    log "WARNING: no visible window of pid $APP"
fi
for tok in $KEYS; do
    case "$tok" in
        sleep:*) sleep "${tok#sleep:}" ;;
        mark:*) stamp MARK "${tok#mark:}" ;;
        type:*) t=${tok#type:}; t=${t//%20/ }; stamp TYPE "$t"; xdotool type --delay 150 -- "$t"; sleep "$PAUSE" ;;
        *) stamp KEY "$tok"; xdotool key -- "$tok"; sleep "$PAUSE" ;;
    esac
done
sleep 1
log "keys done"
