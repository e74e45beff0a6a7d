#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Checks with the Orca screen reader itself that what a user does is spoken: on a private X
# display, session bus and accessibility bus, with Com 1 linked to a device that does not exist
# and Com 2 to a pseudo-terminal, it drives the window from the keyboard and looks in Orca's
# debug log (which records every utterance, whether or not a synthesizer speaks it) for:
#   - an empty edit cell by its name and "empty", and the port selector's value said once;
#   - the report that Com 1 could not be opened, with the focus on Connect;
#   - "Com 2" after Down in the port selector;
#   - the confirmation of Update ("Sent to the radio") once Com 2 is open and a sample chosen;
#   - line 01's eight digits when it is chosen, and the confirmation of Accept Changes;
#   - Save's word that an accepted edit not yet sent is not in the file;
#   - what Open loaded from that file ("the last of 4 sentences").
#
#   tools/orca-check.sh [build/sonavel]
#
# Needs Xvfb, dbus, at-spi2-core, orca, python3 and xdotool. Not part of the test suite: it needs
# a desktop session bus. Exits 0 when Orca spoke all of them.
set -euo pipefail

if [[ "${1:-}" != --inside ]]; then
    program=$(realpath "${1:-build/sonavel}")
    [[ -x "$program" ]] || { echo "no program at $program" >&2; exit 2; }
    exec dbus-run-session -- "$0" --inside "$program"
fi
program=$2

work=$(mktemp -d /tmp/sonavel-orca.XXXXXX)
pids=()
orca_terminal=""
finish() {
    # Orca before the terminal it runs in, which then reaps it: an Orca left to linger keeps the
    # next one of this user from starting.
    if [[ -n $orca_terminal ]]; then
        pkill -TERM -P "$orca_terminal" 2>/dev/null || true
        within 5 bash -c "! pgrep -P $orca_terminal" >/dev/null || true
    fi
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
orca_terminal=$!
pids+=($!)
within 20 grep -qs "ORCA: Starting registry" "$orca_log" || {
    echo "Orca did not start; it said:" >&2
    tail -n 3 "$orca_log" >&2
    exit 1
}

# The radio's end of Com 2: a pseudo-terminal that swallows whatever is sent to it. It holds
# only its own end, as a radio behind a UART holds no file of ours, so the program's look for
# another holder finds none; until the program opens the line, reading the radio's end fails.
python3 -c '
import os, pty, time
radio, line = pty.openpty()
print(os.ttyname(line), flush=True)
os.close(line)
while True:
    try:
        os.read(radio, 4096)
    except OSError:
        time.sleep(0.05)
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

# The focus starts in the sample selector; the last edit cell is six tab stops back, Connect
# four tab stops on.
mark
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
expect_spoken "'Digit 8 text.'" "the last edit cell's name"
expect_spoken "'empty.'" "that the cell is empty"
keys Tab Tab Tab Tab Tab Tab
mark
keys Tab Tab Tab Tab
expect_spoken "SPEECH OUTPUT: 'Connect" "Connect (the focus reached it)"
said=$(grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) | grep -c "Com 1" || true)
[[ $said == 1 ]] || { echo "Orca said the port selector's value $said times, not once" >&2; exit 1; }

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

# Auto off, so that no resend brings an accepted edit into the sentence box; line 01 in the line
# editor, then F in its first cell and Accept Changes past the eight cells.
keys Tab space Tab Tab
mark
keys Down
expect_spoken "Line 01: 0 0 0 0 0 0 0 0" "the line chosen with its digits"
keys Tab F Tab Tab Tab Tab Tab Tab Tab Tab
mark
keys space
expect_spoken "Line 01 accepted; Update sends it" "the confirmation of Accept Changes"

# Save, three tab stops on, to a file of three sentences, without the edit sent.
saved="$work/saved.txt"
printf '%0128d\r\n' 1 2 3 >"$saved"
# True when Orca has said nothing new for half a second.
settled() {
    local said
    said=$(grep -c "SPEECH OUTPUT" "$orca_log" || true)
    sleep 0.5
    [[ $(grep -c "SPEECH OUTPUT" "$orca_log" || true) == "$said" ]]
}
# Types a path over the name in the file dialog that the button pressed opens, and lets Orca
# catch up before the dialog closes: it thins out a flood of events, the program's included.
# Without a window manager, the focus goes back to the window only when given.
choose_file() {
    keys space
    within 10 xdotool search --onlyvisible --name "^$1\$" >/dev/null ||
        { echo "No $1 dialog came up." >&2; exit 1; }
    keys ctrl+a
    xdotool type --delay 20 "$2"
    within 10 settled
    keys Return
    xdotool windowfocus --sync "$window"
}
keys Tab Tab Tab
mark
choose_file Save "$saved"
expect_spoken "without the changes accepted in line 01" "that Save left the accepted edit out"

keys shift+Tab
mark
choose_file Open "$saved"
expect_spoken "Loaded saved.txt: the last of 4 sentences" "what Open loaded"
echo "Orca spoke all of them."
