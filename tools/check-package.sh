#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Checks the .deb as a Debian reviewer would: lintian on the package, then the AppStream
# metadata and the menu entry it installs. Any error or warning fails; pedantic notes only show.
#   tools/check-package.sh [DEB]    default: the one `make package` built in build-deb/
# Needs lintian, appstream and desktop-file-utils.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(echo build-deb/sonavel_*.deb)}
[ -f "$deb" ] || { echo "check-package: no package at $deb (make package first)" >&2; exit 2; }

tree=$(mktemp -d "${TMPDIR:-/tmp}/sonavel-deb.XXXXXX")
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

echo "== lintian --pedantic"
lintian --pedantic --display-experimental --fail-on error,warning "$deb"

# The tree check also finds the desktop entry the metadata's launchable names.
echo "== appstreamcli validate-tree --pedantic"
appstreamcli validate-tree --pedantic --strict --no-net "$tree"

# desktop-file-validate fails on errors only; a warning is printed, so any output fails too.
echo "== desktop-file-validate"
entries=("$tree"/usr/share/applications/*.desktop)
report=$(desktop-file-validate "${entries[@]}" 2>&1) || { echo "$report"; exit 1; }
[ -z "$report" ] || { echo "$report"; exit 1; }
echo "${#entries[@]} desktop entry valid"
