# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs Debian's /usr/bin/orca launcher unchanged, except that

* its debug file is line-buffered, so the log is complete even when Orca is
  killed, and
* its "another Orca of this user id is running" check (pgrep -u UID -x orca)
  is switched off: each walk has its own D-Bus, AT-SPI bus, X display,
  speech-dispatcher and settings, so several walks do not disturb each other.
  Never pass --replace: it SIGKILLs every "orca" process of the user id.

Usage: orca_run.py DEBUG_FILE [ORCA OPTIONS...]
"""
import builtins
import sys

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
