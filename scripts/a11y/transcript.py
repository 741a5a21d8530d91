# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints what happened in one walk, in time order: the keys the walk sent
(keys.log), what Orca spoke and where it interrupted itself (its debug log),
then what the silent synthesizer finished (HEARD) or was cut off in (CUT).

Usage: transcript.py RUN RAW CHARS_PER_SECOND
RUN is the walk's folder; RAW 1 adds Orca's focus and event lines."""
import re
import sys

run, raw, chars_per_second = sys.argv[1], sys.argv[2] == "1", sys.argv[3]
TS = re.compile(r"^(\d\d:\d\d:\d\d\.\d{6}) - (.*)")
events = []  # (time, order, text)


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
        add(ts, "SPOKEN " + m.group(1))
        continue
    if "DEFAULT: Interrupting presentation" in line:
        add(ts, "INTERRUPT")
        continue
    if raw and (re.match(r"EVENT MANAGER: (object|window|focus|document)[:\w-]* for ", line)
                or "ORCA: Changing locus of focus" in line):
        add(ts, "  # " + line.strip()[:220])
events.sort()
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
    print("---- speech synthesizer (simulated, %s chars/s): HEARD = finished, CUT = cancelled ----"
          % chars_per_second)
    done = [t for k, t in sim if k == "DONE"]
    for k, text in sim:
        if k == "START":
            if text in done:
                done.remove(text)
                print("HEARD " + text)
            else:
                print("CUT   " + text)
