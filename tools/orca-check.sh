#!/bin/bash
# Checks with the Orca screen reader itself that a report in the notice box is spoken while the
# focus is elsewhere: on a private X display, session bus and accessibility bus, with Com 1
# linked to a device that does not exist, it tabs to Connect, presses it, and looks in Orca's
# debug log (which records every utterance, whether or not a synthesizer speaks it) for the
# report's words within two seconds.
#
#   tools/orca-check.sh [build/sonavel]
#
# Needs Xvfb, dbus, at-spi2-core, orca and xdotool. Not part of the test suite: it needs a
# desktop session bus. Exits 0 when Orca spoke the report.
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

# Orca's own preferences and data under the scratch folder, never the user's. Without a
# synthesizer (speech off) its log still records each utterance.
export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
mkdir -p "$work/orca"
orca_log="$work/orca.log"
# Orca buffers its debug file unless it is a terminal, so it writes to one that copies to the log.
XDG_CONFIG_HOME="$work/orca-config" script -q -f -c "/usr/bin/python3 /usr/bin/orca \
    -u '$work/orca' -d speech -d braille --debug-file=/dev/tty" "$orca_log" >/dev/null 2>&1 &
pids+=($!)
within 20 grep -q "ORCA: Starting registry" "$orca_log"

mkdir -p "$work/config/Sonavel/ports"
ln -s /nonexistent/ttyUSB9 "$work/config/Sonavel/ports/com1"
XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name "Sonavel" | head -n 1)
xdotool windowfocus --sync "$window"

# The focus starts in the sample selector; Connect is four tab stops on.
for _ in 1 2 3 4; do
    xdotool key Tab
    sleep 0.3
done
within 5 grep -q "SPEECH OUTPUT: 'Connect" "$orca_log" || {
    echo "Orca never spoke Connect: the focus did not reach it" >&2
    exit 1
}

heard_before=$(grep -c "SPEECH OUTPUT" "$orca_log")
pressed=$(date +%s%N)
xdotool key space
spoken() {
    grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) |
        grep -q "could not be opened"
}
if within 2 spoken; then
    echo "Orca spoke the report $((($(date +%s%N) - pressed) / 1000000)) ms after the press" \
        "(at most; the log is polled every 100 ms):"
    grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) | grep "could not be opened"
    exit 0
fi
echo "Orca did not speak the report within two seconds. What it said after the press:" >&2
grep "SPEECH OUTPUT" "$orca_log" | tail -n +$((heard_before + 1)) >&2
exit 1
