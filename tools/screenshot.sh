#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Photographs the program's window on a virtual screen.
#   tools/screenshot.sh [--dark] [PROGRAM] [OUTPUT]
#       defaults: build/sonavel, docs/screenshot.png (docs/screenshot-dark.png with --dark)
# --dark shows the window under qt6ct's "darker" colour scheme with the Fusion style. The
# program's environment passes through, so QT_FONT_DPI or FONTCONFIG_FILE show other desktops.
# Builds nothing. The program runs with a configuration folder of its own, so the user's
# settings are neither read nor changed. Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dark=""
if [ "${1:-}" = --dark ]; then
    dark=yes
    shift
fi
program=${1:-$root/build/sonavel}
output=${2:-$root/docs/screenshot${dark:+-dark}.png}
[ -x "$program" ] || { echo "screenshot: no program at $program (build it first)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/sonavel-screenshot.XXXXXX")
xvfb_pid=""
program_pid=""

stop() {
    local pid=$1
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
cleanup() {
    stop "$program_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT

fail() {
    echo "screenshot: $*" >&2
    if [ -s "$work/program.log" ]; then
        echo "--- program output:" >&2
        cat "$work/program.log" >&2
    fi
    exit 1
}

# shellcheck source=tools/wait-for.sh
. "$(dirname "$0")/wait-for.sh"

# Xvfb picks a free display itself and names it once it accepts clients. At 96 dots per inch
# the window's pixel layout is the one it was drawn for.
Xvfb -displayfd 3 -screen 0 1024x960x24 -dpi 96 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
xvfb_ready() {
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    [ -s "$work/display" ]
}
wait_for 30 xvfb_ready || fail "Xvfb named no display within 30 s"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
if [ -n "$dark" ]; then
    scheme=/usr/share/qt6ct/colors/darker.conf
    [ -f "$scheme" ] || fail "no colour scheme at $scheme (install qt6ct)"
    mkdir -p "$work/config/qt6ct"
    printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=%s\nstyle=Fusion\n' \
        "$scheme" >"$work/config/qt6ct/qt6ct.conf"
    export QT_QPA_PLATFORMTHEME=qt6ct
fi
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$program" >"$work/program.log" 2>&1 &
program_pid=$!

window=""
window_shown() {
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before showing its window"
    window=$(xdotool search --onlyvisible --name "Sonavel" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
wait_for 60 window_shown || fail "no window named Sonavel within 60 s"

# A window is shown before it is painted: take the picture once two grabs in a row agree and
# are not the unpainted black.
grab() { import -silent -window "$window" "ppm:$1"; }
painted() {
    grab "$work/now.ppm" || fail "could not grab window $window"
    if [ -f "$work/before.ppm" ] && cmp -s "$work/before.ppm" "$work/now.ppm" &&
        [ "$(convert "$work/now.ppm" -format '%[max]' info:)" != 0 ]; then
        return 0
    fi
    mv "$work/now.ppm" "$work/before.ppm"
    return 1
}
wait_for 30 painted || fail "the window did not settle within 30 s"

mkdir -p "$(dirname "$output")"
convert "$work/now.ppm" -strip "PNG24:$output"
echo "screenshot: $output"
