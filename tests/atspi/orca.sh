#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca.sh - run a GUI program under the real Orca screen reader,
# headless and silent, drive it with xdotool and print what Orca spoke.
#
# Usage:
#   orca.sh [options] PROGRAM [ARGS...]
#
# Options:
#   -k KEYS      key script, tokens separated by spaces (default: none):
#                  Tab Return space ctrl+a ...  any `xdotool key` name
#                  sleep:SECONDS                extra pause
#                  type:TEXT                    `xdotool type` TEXT (no spaces; use %20 for a space)
#                  mark:WORD                    write a marker into the transcript
#   -p SECONDS   pause after each key token (default 1.5)
#   -n NAME      application name on AT-SPI to wait for (default: basename of PROGRAM)
#   -o DIR       keep all logs in DIR (default: a temp dir that is removed)
#   -t SECONDS   overall timeout (default 120)
#   -r           raw: also print Orca's focus / event / interrupt lines
#   -x COMMAND   driver: run COMMAND (through bash -c) inside the session once the program is up,
#                after the key script; its exit status becomes the harness's (e.g. atspi_probe.py).
#                It sees DISPLAY, DBUS_SESSION_BUS_ADDRESS, SR_APP_PID, SR_WINDOW, SR_RUN.
#   -O           no Orca (and no speech-dispatcher): only Xvfb + D-Bus + AT-SPI, for -x drivers
#   -e REGEX     expect: fail (exit 5) unless a transcript line matches REGEX (grep -E); repeatable,
#                e.g. -e '^SPOKEN .*線を引きました' -e '^HEARD .*線を引きました'
#   -h           help
#
# Output (stdout):
#   KEY <name>                      a key sent by the harness
#   SPOKEN <text>                   an utterance Orca sent to speech ("SPEECH OUTPUT:" in its debug log)
#   INTERRUPT                       Orca interrupted (cancelled) speech at that point
#   HEARD <text> / CUT <text>       what the silent speech "synthesizer" finished / was cut off
#                                   (speech-dispatcher generic module that simulates speaking time)
#   Exit status: 0 ok, 1 the -x driver failed, 2 usage, 3 set-up failed (Xvfb / AT-SPI / Orca),
#                4 program did not appear on AT-SPI, 5 an -e expectation was not met.
#
# Needs (Debian 12): orca at-spi2-core python3-pyatspi xvfb xdotool speech-dispatcher
#                    dbus dbus-x11 (dbus-run-session) procps
# Runs are independent of each other and of a desktop session: own X display, D-Bus session,
# AT-SPI bus, speech-dispatcher, HOME/XDG dirs and Orca settings; they may run in parallel.
set -u

PAUSE=1.5
KEYS=""
APPNAME=""
KEEP=""
TIMEOUT=120
RAW=0
DRIVER=""
NO_ORCA=0
EXPECT=()
usage() { sed -n '4,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
while getopts "k:p:n:o:t:x:e:rOh" o; do
    case "$o" in
        k) KEYS=$OPTARG ;; p) PAUSE=$OPTARG ;; n) APPNAME=$OPTARG ;; o) KEEP=$OPTARG ;;
        t) TIMEOUT=$OPTARG ;; r) RAW=1 ;; x) DRIVER=$OPTARG ;; O) NO_ORCA=1 ;; e) EXPECT+=("$OPTARG") ;;
        h) usage; exit 0 ;; *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { usage >&2; exit 2; }
PROG=$(readlink -f "$1") || { echo "no such program: $1" >&2; exit 2; }
shift
[ -x "$PROG" ] || { echo "not executable: $PROG" >&2; exit 2; }
[ -n "$APPNAME" ] || APPNAME=$(basename "$PROG")
for tool in Xvfb dbus-run-session xdotool /usr/bin/python3 $([ $NO_ORCA = 1 ] || echo orca speech-dispatcher); do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 3; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing python3-pyatspi for /usr/bin/python3" >&2; exit 3; }

# ------------------------------------------------------------------ private dirs
if [ -n "$KEEP" ]; then mkdir -p "$KEEP"; RUN=$(readlink -f "$KEEP"); else RUN=$(mktemp -d /tmp/screenreader.XXXXXX); fi
mkdir -p "$RUN/home/.config" "$RUN/home/.local/share" "$RUN/home/.cache" "$RUN/xdg" "$RUN/orca-prefs" "$RUN/speechd/modules" "$RUN/log"
chmod 700 "$RUN/xdg"
: >"$RUN/log/spoken-sim.txt"

# Fake synthesizer: writes START/DONE lines and sleeps ~ the time the text would take to speak.
# speech-dispatcher kills it when Orca cancels speech, so a START without a DONE = cut off.
cat >"$RUN/speechd/speak-sim" <<EOF
#!/bin/sh
text=\$(cat)
printf 'START %s %s\n' "\$(date +%s.%N)" "\$text" >>"$RUN/log/spoken-sim.txt"
n=\$(printf %s "\$text" | wc -m)
sleep \$(awk -v n="\$n" 'BEGIN { print 0.3 + n / ${SR_CHARS_PER_SEC:-15} }')
printf 'DONE %s %s\n' "\$(date +%s.%N)" "\$text" >>"$RUN/log/spoken-sim.txt"
EOF
chmod +x "$RUN/speechd/speak-sim"
cat >"$RUN/speechd/speechd.conf" <<EOF
LogLevel 3
Timeout 0
# no sound at all: the generic module never plays audio itself, but speech-dispatcher insists on
# opening an audio output for every module; ALSA's built-in "null" device swallows it.
AudioOutputMethod "alsa"
AudioALSADevice "null"
SymbolsPreproc "char"
SymbolsPreprocFile "symbols.dic"
SymbolsPreprocFile "orca.dic"
SymbolsPreprocFile "orca-chars.dic"
AddModule "simlog" "sd_generic" "simlog.conf"
DefaultModule simlog
LanguageDefaultModule "en" "simlog"
LanguageDefaultModule "ja" "simlog"
EOF
cat >"$RUN/speechd/modules/simlog.conf" <<EOF
GenericExecuteSynth "printf %s \'\$DATA\' | $RUN/speechd/speak-sim"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "ja" "ja" "utf-8"
AddVoice "en" "MALE1" "en"
AddVoice "ja" "MALE1" "ja"
DefaultVoice "en"
EOF

export HOME="$RUN/home" XDG_CONFIG_HOME="$RUN/home/.config" XDG_DATA_HOME="$RUN/home/.local/share" \
       XDG_CACHE_HOME="$RUN/home/.cache" XDG_RUNTIME_DIR="$RUN/xdg" \
       XDG_CONFIG_DIRS=/etc/xdg XDG_DATA_DIRS=/usr/local/share:/usr/share \
       NO_AT_BRIDGE=0 GTK_MODULES=gail:atk-bridge QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON="${SR_QT_ALWAYS_ON-1}" \
       QT_QPA_PLATFORM=xcb SPEECHD_ADDRESS="unix_socket:$RUN/xdg/speechd.sock" \
       LANG="${SR_LANG:-C.UTF-8}" LC_ALL= SR_DRIVER="$DRIVER" SR_NO_ORCA="$NO_ORCA" SR_RUN="$RUN"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
[ -n "$QT_LINUX_ACCESSIBILITY_ALWAYS_ON" ] || unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

# ------------------------------------------------------------------ the inner part (inside D-Bus session)
cat >"$RUN/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
RUN=$1; PROG=$2; APPNAME=$3; KEYS=$4; PAUSE=$5; shift 5
log() { printf '%s %s\n' "$(date +%T.%N | cut -c1-12)" "$*" >>"$RUN/log/harness.log"; }
# Orca keeps its debug file open for writing, so the harness cannot write into it; key markers go to
# keys.log with the same time stamp format (HH:MM:SS.micro) and are merged by time afterwards.
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
# AT-SPI: asking the session bus for org.a11y.Bus D-Bus-activates at-spi-bus-launcher
# (/usr/share/dbus-1/services/org.a11y.Bus.service), which starts the a11y dbus-daemon and
# at-spi2-registryd; wait until it answers so Orca and the program find it.
for i in $(seq 50); do
    busaddr=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
    [ -n "$busaddr" ] && break; sleep 0.1
done
[ -n "${busaddr:-}" ] || { log "AT-SPI bus did not start"; exit 3; }
log "a11y bus: $busaddr"
# tell toolkits accessibility is on (GSettings key read by GTK; Qt reads org.a11y.Status)
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>>"$RUN/log/harness.log" || true
dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true 2>>"$RUN/log/harness.log"

if [ "$SR_NO_ORCA" != 1 ]; then
speech-dispatcher -s -t 0 -C "$RUN/speechd" -c unix_socket -S "$RUN/xdg/speechd.sock" \
    -L "$RUN/log" -P "$RUN/log/speechd.pid" >>"$RUN/log/speechd.out" 2>&1 &
for i in $(seq 50); do [ -S "$RUN/xdg/speechd.sock" ] && break; sleep 0.1; done
[ -S "$RUN/xdg/speechd.sock" ] || { log "speech-dispatcher did not start"; exit 3; }

# orca-run.py = /usr/bin/orca with a line-buffered debug file (so nothing is lost when it is stopped)
/usr/bin/python3 "$RUN/orca-run.py" "$RUN/log/orca.log" -u "$RUN/orca-prefs" >>"$RUN/log/orca.out" 2>&1 &
ORCA=$!
# ready = it has spoken its greeting ("Screen reader on.")
for i in $(seq 150); do grep -q "SPEECH OUTPUT:" "$RUN/log/orca.log" 2>/dev/null && break; sleep 0.1; done
kill -0 $ORCA 2>/dev/null || { log "orca died"; exit 3; }
grep -q "SPEECH: Using speech server factory: speechdispatcherfactory" "$RUN/log/orca.log" || log "WARNING: Orca has no speech server"
sleep 1
log "orca up"
fi

"$PROG" "$@" >>"$RUN/log/program.out" 2>&1 &
APP=$!
# wait until the program is on the AT-SPI bus and has a showing window
/usr/bin/python3 - "$APPNAME" <<'PY' >>"$RUN/log/harness.log" 2>&1
import sys, time, pyatspi
name = sys.argv[1]
deadline = time.time() + 20
while time.time() < deadline:
    try:
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == name and app.childCount > 0:
                print("app on AT-SPI:", app.name, app.childCount); sys.exit(0)
    except Exception as e:
        pass
    time.sleep(0.2)
print("app not found on AT-SPI:", name); sys.exit(4)
PY
rc=$?
[ $rc -eq 0 ] || { log "program not on AT-SPI"; exit 4; }
sleep "$PAUSE"
WID=$(xdotool search --sync --onlyvisible --pid $APP 2>/dev/null | head -1)
log "window $WID"
# There is no window manager: give the window the X input focus ourselves (XSetInputFocus),
# and park the pointer on it (Xvfb's focus default is PointerRoot).
if [ -n "$WID" ]; then
    xdotool mousemove --window "$WID" 5 5 2>>"$RUN/log/harness.log"
    for i in 1 2 3 4 5; do
        xdotool windowfocus --sync "$WID" 2>>"$RUN/log/harness.log"
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$WID" ] && break
        sleep 0.3
    done
    log "X focus: $(xdotool getwindowfocus 2>/dev/null)"
    # wait until Orca has seen the window become active (it then speaks the window and focus)
    if [ -n "$ORCA" ]; then
        for i in $(seq 50); do grep -q "window:activate for" "$RUN/log/orca.log" && break; sleep 0.1; done
    fi
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
rc=0
if [ -n "$SR_DRIVER" ]; then
    log "driver: $SR_DRIVER"
    SR_APP_PID=$APP SR_WINDOW=$WID bash -c "$SR_DRIVER" >&4 2>&3
    rc=$?
    log "driver exit $rc"
fi
exit $rc
INNER
chmod +x "$RUN/inner.sh"
# orca-run.py: runs Debian's /usr/bin/orca launcher unchanged, except that
#  * its debug file is line-buffered (the log is complete even when Orca is killed), and
#  * its "another Orca of this user id is running" check (pgrep -u UID -x orca) is switched off:
#    each harness run has its own D-Bus, AT-SPI bus, X display, speech-dispatcher and settings,
#    so several runs (ctest -j, or a developer's run beside CI) do not disturb each other.
#    Never pass --replace: it SIGKILLs every "orca" process of the user id.
cat >"$RUN/orca-run.py" <<'PY'
import builtins, sys
debug_file = sys.argv[1]
_open = builtins.open
def _open_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == debug_file and "w" in mode and buffering == -1:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)
builtins.open = _open_line_buffered
sys.argv = ["/usr/bin/orca", "--debug", "--debug-file=" + debug_file] + sys.argv[2:]
launcher = {"__name__": "orca_launcher", "__file__": "/usr/bin/orca"}
with _open("/usr/bin/orca", encoding="utf-8") as f:
    exec(compile(f.read(), "/usr/bin/orca", "exec"), launcher)
launcher["otherOrcas"] = lambda: []
sys.exit(launcher["main"]())
PY

# ------------------------------------------------------------------ X server
START=$(date +%s)
# Everything runs in its own session (setsid) so teardown can find exactly our processes.
# Xvfb picks a free display itself (-displayfd: no race between parallel runs) and reports it.
unset DISPLAY
setsid -w bash -c '
    ps -o sid= -p $$ | tr -d " " >"$0/log/sid"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$0/log/display" >>"$0/log/xvfb.log" 2>&1 &
    for i in $(seq 100); do [ -s "$0/log/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$0/log/display" 2>/dev/null)"
    xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; echo 3 >"$0/log/inner.rc"; exit; }
    # dbus-daemon and the AT-SPI daemons chatter: send it to a log, keep the real stdout/stderr as
    # fd 4/3 for the driver
    timeout -k 5 "$1" dbus-run-session -- "$0/inner.sh" "$0" "$2" "$3" "$4" "$5" "${@:6}" 4>&1 3>&2 >>"$0/log/dbus.log" 2>&1
    echo $? >"$0/log/inner.rc"
' "$RUN" "$TIMEOUT" "$PROG" "$APPNAME" "$KEYS" "$PAUSE" "$@" </dev/null &
LEADER=$!
wait $LEADER
RC=$(cat "$RUN/log/inner.rc" 2>/dev/null || echo 3)
SID=$(cat "$RUN/log/sid" 2>/dev/null)

# ------------------------------------------------------------------ teardown: every process of our session
ourpids() { [ -n "$SID" ] && ps -eo pid=,sid=,stat= | awk -v s="$SID" '$2 == s && $3 !~ /^Z/ { print $1 }'; }
for sig in TERM KILL; do
    pids=$(ourpids)
    [ -n "$pids" ] && kill -s $sig $pids 2>/dev/null
    for i in $(seq 30); do [ -z "$(ourpids)" ] && break; sleep 0.1; done
done
left=$(ourpids)
[ -n "$left" ] && echo "WARNING: leftover processes: $left" >&2

# ------------------------------------------------------------------ transcript
/usr/bin/python3 - "$RUN" "$RAW" "${SR_CHARS_PER_SEC:-15}" >"$RUN/transcript.txt" <<'PY'
import re, sys
run, raw = sys.argv[1], sys.argv[2] == "1"
TS = re.compile(r"^(\d\d:\d\d:\d\d\.\d{6}) - (.*)")
events = []                       # (time, order, text)
def add(ts, text):
    events.append((ts, len(events), text))
try:
    for line in open(run + "/log/keys.log", encoding="utf-8"):
        ts, kind, arg = (line.rstrip("\n").split(" ", 2) + [""])[:3]
        add(ts, "%s %s" % (kind, arg))
except FileNotFoundError:
    pass
ts = "00:00:00.000000"
try:
    f = open(run + "/log/orca.log", encoding="utf-8", errors="replace")
except FileNotFoundError:
    f = []
for line in f:
    line = line.rstrip("\n")
    m = TS.match(line)
    if m:
        ts, line = m.group(1), m.group(2)
    m = re.search(r"SPEECH OUTPUT: '(.*?)'(?= ?\{| voice=| *$)", line)
    if m:
        add(ts, "SPOKEN " + m.group(1)); continue
    if "DEFAULT: Interrupting presentation" in line:
        add(ts, "INTERRUPT"); continue
    if raw and (re.match(r"EVENT MANAGER: (object|window|focus|document)[:\w-]* for ", line)
                or "ORCA: Changing locus of focus" in line):
        add(ts, "  # " + line.strip()[:220])
events.sort()
# drop the greeting/farewell and print
for _, _, text in events:
    print(text)
sim = []
try:
    for line in open(run + "/log/spoken-sim.txt", encoding="utf-8", errors="replace"):
        kind, t, text = (line.rstrip("\n").split(" ", 2) + ["", ""])[:3]
        sim.append((kind, text))
except FileNotFoundError:
    pass
if sim:
    print("---- speech synthesizer (simulated, %s chars/s): HEARD = finished, CUT = cancelled ----" % sys.argv[3])
    done = [t for k, t in sim if k == "DONE"]
    for k, text in sim:
        if k == "START":
            if text in done:
                done.remove(text); print("HEARD " + text)
            else:
                print("CUT   " + text)
PY
cat "$RUN/transcript.txt"
for re in "${EXPECT[@]}"; do
    if grep -Eq -- "$re" "$RUN/transcript.txt"; then echo "EXPECT ok: $re"
    else echo "EXPECT FAILED: $re"; [ "$RC" = 0 ] && RC=5; fi
done
END=$(date +%s)
echo "---- run took $((END - START)) s, exit $RC, logs: $RUN $([ -n "$KEEP" ] || echo '(removed)')"
[ -n "$KEEP" ] || rm -rf "$RUN"
exit "$RC"
