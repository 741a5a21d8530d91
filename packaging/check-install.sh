#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR under /usr, as the Debian package
# does, and checks that exactly the expected files arrive there:
# check-install.sh CMAKE BUILD-DIR APP-ID MODULE-DIR
set -euo pipefail
cmake="$1"
build="$2"
id="$3"
modules="$4"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" "$cmake" --install "$build" --prefix /usr >/dev/null

expected="$(sort <<LIST
usr/bin/tolvane
usr/$modules/tolvane-print.so
usr/share/applications/$id.desktop
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/doc/tolvane/changelog.gz
usr/share/doc/tolvane/copyright
usr/share/man/ja/man1/tolvane.1.gz
usr/share/man/man1/tolvane.1.gz
usr/share/metainfo/$id.metainfo.xml
LIST
)"
actual="$(cd "$stage" && find . -type f -o -type l | sed 's#^\./##' | sort)"
if [ "$actual" != "$expected" ]; then
  echo "The installed files differ from the expected ones (< expected, > installed):"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

fail=0
check() { if ! "$@"; then echo "failed: $*"; fail=1; fi; }
check test -x "$stage/usr/bin/tolvane"
check grep -qx "Exec=tolvane" "$stage/usr/share/applications/$id.desktop"
check grep -qx "Icon=$id" "$stage/usr/share/applications/$id.desktop"
check grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$stage/usr/share/metainfo/$id.metainfo.xml"
for size in 48 64 128 256; do
  png="$stage/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  # Bytes 16 to 23 of a PNG hold its width and height as two 32-bit numbers.
  dims="$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')"
  check test "$dims" = "$(printf '%08x%08x' "$size" "$size")"
done
[ "$fail" -eq 0 ] || exit 1

# Checked together, the installed metadata, launcher and icon must agree.
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net --no-color "$stage"
fi
echo "install: all $(wc -l <<<"$expected") files in place"
