#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Tolvane on a virtual X server with its own D-Bus session and AT-SPI
# bus, as a screen reader would meet it, and lets check.py judge it through
# AT-SPI. Usage: run.sh PROGRAM
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/a11y/session.sh
source "$here/../../scripts/a11y/session.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2016 # expanded by the inner shell
a11y_session "$work" bash -c '
    "$1" >"$2/log/program.log" 2>&1 &
    program=$!
    /usr/bin/python3 "$3/check.py" 2>&1
    status=$?
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    exit $status
' run "$program" "$work" "$here"
