#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Checks with the Orca screen reader itself that what a user does is spoken: on a private X
# display, session bus and accessibility bus, with Com 1 linked to a device that does not exist
# and Com 2 to a pseudo-terminal, it drives the window from the keyboard and looks in Orca's
# debug log (which records every utterance, whether or not a synthesizer speaks it) for:
#   - the report that Com 1 could not be opened, with the focus on Connect;
#   - "Com 2" after Down in the port selector;
#   - the confirmation of Update ("Sent to the radio") once Com 2 is open and a sample chosen;
#   - the confirmation of Accept Changes ("Line 01 accepted").
#
#   tools/orca-check.sh [build/sonavel]
#
# Needs Xvfb, dbus, at-spi2-core, orca, python3 and xdotool. Not part of the test suite: it needs
# a desktop session bus. Exits 0 when Orca spoke all four.
set -euo pipefail

if [[ "${1:-}" != --inside ]]; then
    program=$(realpath "${1:-build/sonavel}")
    [[ -x "$program" ]] || { echo "no program at $program" >&2; exit 2; }
    exec dbus-run-session -- "$0" --inside "$program"
fi
program=$2

work=$(mktemp -d /tmp/sonavel-orca.XXXXXX)
pids=()
finish() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# Waits up to $1 seconds for the command after it to succeed.
within() {
    local limit=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        (($(date +%s%N) < limit)) || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
within 10 test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
within 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null

# Orca's own preferences and data under the scratch folder, never the user's. Speech stays on,
# since with speech off Orca drops some utterances before its log sees them (the new text of a
# combo box, for one); with no speech server to reach or start, nothing is heard.
export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export SPEECHD_ADDRESS="unix_socket:$work/no-speech" SPEECHD_CMD=/bin/false
mkdir -p "$work/orca"
orca_log="$work/orca.log"
# Orca buffers its debug file unless it is a terminal, so it writes to one that copies to the log.
XDG_CONFIG_HOME="$work/orca-config" script -q -f -c "/usr/bin/python3 /usr/bin/orca \
    -u '$work/orca' -d braille --debug-file=/dev/tty" "$orca_log" >/dev/null 2>&1 &
pids+=($!)
within 20 grep -qs "ORCA: Starting registry" "$orca_log"

# The radio's end of Com 2: a pseudo-terminal that swallows whatever is sent to it.
python3 -c '
import os, pty
radio, line = pty.openpty()
print(os.ttyname(line), flush=True)
while os.read(radio, 4096):
    pass
' >"$work/pty" &
pids+=($!)
within 5 test -s "$work/pty"

mkdir -p "$work/config/Sonavel/ports"
ln -s /nonexistent/ttyUSB9 "$work/config/Sonavel/ports/com1"
ln -s "$(cat "$work/pty")" "$work/config/Sonavel/ports/com2"
XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name "Sonavel" | head -n 1)
xdotool windowfocus --sync "$window"

# Presses keys as a user would, a little apart so that Orca follows each focus change.
keys() {
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
}

heard_before=0
mark() { heard_before=$(grep -c "SPEECH OUTPUT" "$orca_log" || true); }
# Reads to the end, so that no stage of the pipe is cut off and fails it.
spoken_since_mark() {
    grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) | grep -- "$1" >/dev/null
}
# Waits two seconds for Orca to say the words since the mark, and tells what it said instead.
expect_spoken() {
    local words=$1 what=$2
    if within 2 spoken_since_mark "$words"; then
        echo "Orca spoke $what: $(grep "SPEECH OUTPUT" "$orca_log" |
            tail -n +$((heard_before + 1)) | grep -m 1 -- "$words")"
        return 0
    fi
    echo "Orca did not speak $what within two seconds. What it said:" >&2
    grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) >&2
    exit 1
}

# The focus starts in the sample selector; Connect is four tab stops on.
mark
keys Tab Tab Tab Tab
expect_spoken "SPEECH OUTPUT: 'Connect" "Connect (the focus reached it)"

mark
keys space
expect_spoken "could not be opened" "the report"

# Back to the port selector, and on to Com 2.
keys shift+Tab shift+Tab
mark
keys Down
expect_spoken "Com 2" "the port chosen with Down"

keys Tab Tab
mark
keys space
expect_spoken "Com 2 open" "the port opened"

# The first sample, then Update, five tab stops on.
keys shift+Tab shift+Tab shift+Tab shift+Tab Down Tab Tab Tab Tab Tab
mark
keys space
expect_spoken "Sent to the radio" "the confirmation of Update"

# Line 01 in the line editor, then Accept Changes past its eight cells.
keys Tab Tab Tab Down Tab Tab Tab Tab Tab Tab Tab Tab Tab
mark
keys space
expect_spoken "Line 01 accepted" "the confirmation of Accept Changes"
echo "Orca spoke all four."
