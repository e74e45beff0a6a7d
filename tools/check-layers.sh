#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Lists every include that runs against the order of the folders, top to bottom:
#   qt/ ; app/ cli/ ; parts/ ; controls/ ; radio/ link/ sentence/ settings/ store/ ; platform/ ;
#   system/
# A file may include its own floor and those below it, never one above. Prints the count and
# exits 1 when there is any.
#   tools/check-layers.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

floor() {
    case $1 in
    qt) echo 1 ;;
    app | cli) echo 2 ;;
    parts) echo 3 ;;
    controls) echo 4 ;;
    radio | link | sentence | settings | store) echo 5 ;;
    platform) echo 6 ;;
    system) echo 7 ;;
    *) echo 0 ;;
    esac
}

against=0
while IFS= read -r file; do
    from=$(floor "${file%%/*}")
    while IFS= read -r included; do
        to=$(floor "${included%%/*}")
        if [ "$to" -ne 0 ] && [ "$to" -lt "$from" ]; then
            echo "$file includes $included"
            against=$((against + 1))
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find qt app cli parts controls radio link sentence settings store platform system \
             -name '*.cpp' -o -name '*.h' | sort)
echo "$against includes against the order"
[ "$against" -eq 0 ]
