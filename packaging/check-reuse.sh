#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the source carries its copyright and licence, in
# a header or in .reuse/dep5, as the package's copyright file says:
#   check-reuse.sh SOURCE-DIR
# Exits with 77, which CTest reports as skipped, only when reuse is missing;
# scripts/test installs it.
set -euo pipefail
# shellcheck source=scripts/packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/packages.sh"
if ! command -v reuse >/dev/null; then
  echo "reuse is missing ($(tolvane_install_hint TOLVANE_REUSE_PACKAGES))"
  exit 77
fi
reuse --root "$1" lint
