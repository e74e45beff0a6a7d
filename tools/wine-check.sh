#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Checks the Windows build under Wine, as a Windows user would meet it: the logic tests, then a
# silent install, the installed program driven from the keyboard against a radio on COM5, the
# settings in the registry, a second start that finds them, a script using the console program,
# and a silent uninstall.
#   tools/wine-check.sh [BUILD]       BUILD defaults to build-win, the logic tests built in it
# Everything runs in a fresh Wine prefix in a temporary folder, on a virtual screen; COM5 is a
# pseudo-terminal whose bytes are kept. Needs wine, Xvfb, xdotool and socat.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
setup=$(ls "$build"/Sonavel-*-setup.exe)
sample="Kestrum PRO"
sentence=$(sed -n "s/.*{\"$sample\", \"\([0-9A-F]*\)\"}.*/\1/p" "$root/sentence/Samples.h")
sent="UR$sentence;UT$sentence;"

work=$(mktemp -d "${TMPDIR:-/tmp}/sonavel-wine.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No .NET or HTML engine: the prefix would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
installed="$WINEPREFIX/drive_c/Program Files/Sonavel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sonavel.lnk"
uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonavel'
pids=()

cleanup() {
    local pid
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT

fail() {
    echo "wine-check: $*" >&2
    [ -z "${DISPLAY:-}" ] || import -window root "$build/wine-check-failure.png" 2>/dev/null || true
    exit 1
}

# shellcheck source=tools/wait-for.sh
. "$(dirname "$0")/wait-for.sh"
started=$SECONDS
took() {
    echo "wine-check: $* ($((SECONDS - started)) s)"
}

# The virtual screen, on the first free display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The radio's end of COM5: what the program writes to the pseudo-terminal lands in a file.
socat -u PTY,link="$work/com5",raw,echo=0 CREATE:"$work/received" &
pids+=($!)
wait_for 10 test -e "$work/com5" || fail "no pseudo-terminal"

# Wine maps the ports listed under its Ports key when it starts, as a serial port that
# QueryDosDevice and the port list know; a bare link in dosdevices would only open.
wine wineboot -i >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$(readlink -f "$work/com5")" /f >/dev/null
wineserver -k
# One server and its services for every program that follows, so each starts in a moment; the
# services get no output of ours to hold open.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
[ "$(readlink "$WINEPREFIX/dosdevices/com5")" = "$(readlink -f "$work/com5")" ] ||
    fail "COM5 is not mapped to the pseudo-terminal"
took "Wine prefix ready"

ctest --test-dir "$build" --output-on-failure || fail "the logic tests failed under Wine"
took "logic tests passed"

wine "$setup" /S || fail "the installer failed"
for file in sonavel.exe sonavel.com Qt6Core.dll Qt6SerialPort.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
[ -f "$shortcut" ] || fail "the installer made no Start menu entry"
wine reg query "$uninstallKey" /v UninstallString >/dev/null 2>&1 ||
    fail "the installer did not register its uninstaller"
took "installed"

window=""
find_window() {
    window=$(xdotool search --onlyvisible --name '^TS-2000 Sonavel  v' 2>/dev/null | head -1)
    [ -n "$window" ]
}
start_program() {
    wine "C:\\Program Files\\Sonavel\\sonavel.exe" </dev/null >"$work/program.log" 2>&1 &
    program=$!
    pids+=("$program")
    wait_for 30 find_window || fail "the window did not appear with its title"
    xdotool windowfocus --sync "$window"
}
program_ended() {
    ! kill -0 "$program" 2>/dev/null
}
# Exit (Alt+X) ends the program, which gives the port back.
exit_program() {
    xdotool key alt+x
    wait_for 20 program_ended || fail "Exit did not end the program"
}
stored() {
    wine reg query 'HKCU\Software\Sonavel\Properties' /v "$1" 2>/dev/null |
        sed -n "s/^ *$1 *REG_SZ *//p" | tr -d '\r'
}
received_at_least() {
    [ "$(stat -c %s "$work/received")" -ge "$1" ]
}
sample_stored() {
    [ "$(stored bytes)" = "$sample" ]
}
uninstalled() {
    [ ! -e "$installed" ]
}

start_program
took "window up"
# The focus starts on the sample selector; the fourth sample is Kestrum PRO.
xdotool key Down Down Down Down
wait_for 20 sample_stored || fail "the chosen sample is not in the registry"
# Then the port selector, Com 5; Auto off, so that Update sends once; Connect; Update.
xdotool key Tab Tab Down Down Down Down Tab Tab Tab Tab space shift+Tab shift+Tab space Tab space
wait_for 20 received_at_least ${#sent} || fail "Update sent $(stat -c %s "$work/received") bytes"
[ "$(cat "$work/received")" = "$sent" ] || fail "COM5 received $(cat "$work/received")"
if [ "$(stored msg)" != "$sentence" ] || [ "$(stored commport)" != 5 ]; then
    fail "the registry holds msg '$(stored msg)', commport '$(stored commport)'"
fi
exit_program
took "sample, Com 5, Connect and Update: the sentence on COM5 and in the registry"

# A second start takes Com 5 and the sample from the registry: Connect and Update send it again.
start_program
xdotool key Tab Tab Tab Tab space Tab space
wait_for 20 received_at_least $((2 * ${#sent})) || fail "the second start sent nothing"
[ "$(head -c $((2 * ${#sent})) "$work/received")" = "$sent$sent" ] ||
    fail "after a second start COM5 received $(cat "$work/received")"
took "a second start restored the port and the sentence from the registry"
# The end of the session ends the program too.
wine wineboot --end-session
wait_for 20 program_ended || fail "the end of the session did not end the program"
took "the session's end ended the program"

# A script's view of the ports, through the console program: each case's exit status and what it
# says on which stream (a basic regular expression).
script_case() {
    local status=$1 stream=$2 words=$3
    shift 3
    local got=0
    wine "C:\\Program Files\\Sonavel\\sonavel.com" "$@" </dev/null >"$work/out" 2>"$work/err" ||
        got=$?
    [ "$got" = "$status" ] || fail "sonavel $* ended with $got, not $status: $(cat "$work/err")"
    grep -q -- "$words" "$work/$stream" || fail "sonavel $* did not say '$words': $(cat "$work/$stream")"
}
script_case 0 out "Com 5 is COM5" --list-ports
# Wine has COM1 too where the machine has /dev/ttyS0.
script_case 3 err "Com 7: no serial device is present for this number\. .*Com 5 is COM5" \
    --sample OFF --port 7
script_case 0 out "Com 5 (COM5): UR and UT sent, 262 bytes" --sample "$sample" --port 5
wait_for 20 received_at_least $((3 * ${#sent})) || fail "the script's send did not arrive"
[ "$(cat "$work/received")" = "$sent$sent$sent" ] || fail "after the script COM5 received $(cat "$work/received")"
took "a script listed the ports, was told of a number without one, and sent through Com 5"

# The uninstaller copies itself away and returns at once; what it removes is waited for.
wine "C:\\Program Files\\Sonavel\\uninstall.exe" /S
wait_for 30 uninstalled || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
! wine reg query "$uninstallKey" >/dev/null 2>&1 || fail "the uninstaller left its registry key"
took "uninstalled"
