#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# walk.sh - run a GUI program under the real Orca screen reader,
# headless and silent, drive it with xdotool and print what Orca spoke.
#
# Usage:
#   walk.sh [options] PROGRAM [ARGS...]
#
# Options:
#   -k KEYS      key script, tokens separated by spaces (default: none):
#                  Tab Return space ctrl+a ...  any `xdotool key` name
#                  sleep:SECONDS                extra pause
#                  type:TEXT                    `xdotool type` TEXT (no spaces; use %20 for a space)
#                  mark:WORD                    write a marker into the transcript
#   -p SECONDS   pause after each key token (default 1.5)
#   -n NAME      application name on AT-SPI to wait for (default: basename of PROGRAM)
#   -r           raw: also print Orca's focus / event / interrupt lines
#   -h           help
#
# Output (stdout):
#   KEY <name>                      a key sent by the walk
#   SPOKEN <text>                   an utterance Orca sent to speech ("SPEECH OUTPUT:" in its debug log)
#   INTERRUPT                       Orca interrupted (cancelled) speech at that point
#   HEARD <text> / CUT <text>       what the silent speech "synthesizer" finished / was cut off
#                                   (speech-dispatcher generic module that simulates speaking time)
#   Exit status: 0 ok, 2 usage, 3 set-up failed (Xvfb / AT-SPI / Orca),
#                4 program did not appear on AT-SPI; the logs of a failed walk are kept.
#
# Each walk has its own X display, D-Bus session, AT-SPI bus (session.sh),
# speech-dispatcher, home and Orca settings, apart from any desktop session;
# walks may run in parallel.
set -u

PAUSE=1.5
KEYS=""
APPNAME=""
RAW=0
# How fast the silent synthesizer speaks, and so what the next key cuts off.
CHARS_PER_SECOND=15
usage() { sed -n '4,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
while getopts "k:p:n:rh" o; do
    case "$o" in
        k) KEYS=$OPTARG ;; p) PAUSE=$OPTARG ;; n) APPNAME=$OPTARG ;; r) RAW=1 ;;
        h) usage; exit 0 ;; *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { usage >&2; exit 2; }
PROG=$(readlink -f "$1") || { echo "no such program: $1" >&2; exit 2; }
shift
[ -x "$PROG" ] || { echo "not executable: $PROG" >&2; exit 2; }
[ -n "$APPNAME" ] || APPNAME=$(basename "$PROG")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/a11y/session.sh
source "$here/session.sh"
a11y_require orca speech-dispatcher || exit 3

START=$(date +%s)
RUN=$(mktemp -d /tmp/screenreader.XXXXXX)
mkdir "$RUN/orca-prefs"
export SR_RUN="$RUN" SR_CHARS_PER_SEC=$CHARS_PER_SECOND
RC=0
a11y_session "$RUN" "$here/walk-inside.sh" "$PROG" "$APPNAME" "$KEYS" "$PAUSE" "$@" || RC=$?

/usr/bin/python3 "$here/transcript.py" "$RUN" "$RAW" "$CHARS_PER_SECOND" >"$RUN/transcript.txt"
cat "$RUN/transcript.txt"
END=$(date +%s)
echo "---- run took $((END - START)) s, exit $RC, logs: $RUN $([ "$RC" != 0 ] || echo '(removed)')"
[ "$RC" != 0 ] || rm -rf "$RUN"
exit "$RC"
