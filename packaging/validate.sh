#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the freedesktop validators on the launcher and the AppStream metadata:
# validate.sh DESKTOP-FILE METAINFO-FILE
# Exits with 77, which CTest reports as skipped, only when a validator is not
# installed; scripts/test installs both.
set -euo pipefail
# shellcheck source=scripts/packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/packages.sh"
desktop="$1"
metainfo="$2"

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing ($(tolvane_install_hint TOLVANE_LAUNCHER_PACKAGES))"
    exit 77
  fi
done

# desktop-file-validate prints hints without failing, so any output counts as
# a failure to keep the launcher free of them.
report="$(desktop-file-validate "$desktop" 2>&1)" || { echo "$report"; exit 1; }
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
echo "desktop-file-validate: $(basename "$desktop") is valid"

appstreamcli validate --no-net --pedantic --no-color "$metainfo"
