#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Checks the Windows build under Wine, as a Windows user and a station script would meet it:
# - the logic tests, and what each program file says it is;
# - an installation through the installer's pages with their first choices: the licence, for
#   this user alone into their own programs folder (no administrator), no desktop shortcut, and
#   Sonavel started from the last page;
# - the installed program driven from the keyboard against a radio on COM5: its fixed size, a
#   sample, Connect and Update, the settings in the registry, a second start that finds them,
#   Open and Save of files named in Polish and Japanese, the session's end;
# - scripts through the console program: the list of ports, a number without a port, COM12
#   through the ports folder, a device written in Linux's form, rigctld on the loopback, files
#   named in three scripts;
# - an uninstallation that leaves only the settings and the ports folder, and an installation
#   for every user with a desktop shortcut, and its uninstallation.
#   tools/wine-check.sh [BUILD]       BUILD defaults to build-win, the logic tests built in it
# Everything runs in a fresh Wine prefix in a temporary folder, on a virtual screen. COM5 and
# COM12 are pseudo-terminals whose bytes are kept; rigctld serves a stand-in radio on a third.
# Prints how long one-shot sends take. Needs wine, Xvfb, xdotool, xprop, ImageMagick, socat and
# rigctld.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
setup=$(ls "$build"/Sonavel-*-setup.exe)
version=$(basename "$setup" | sed 's/^Sonavel-\(.*\)-setup\.exe$/\1/')
sample="Kestrum PRO"
sentence=$(sed -n "s/.*{\"$sample\", \"\([0-9A-F]*\)\"}.*/\1/p" "$root/sentence/Samples.h")
sent="UR$sentence;UT$sentence;"

work=$(mktemp -d "${TMPDIR:-/tmp}/sonavel-wine.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No .NET or HTML engine: the prefix would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
drive=$WINEPREFIX/drive_c
user=$(id -un)
appData=$drive/users/$user/AppData/Roaming
ports=$appData/Sonavel/ports
installed=$drive/users/$user/AppData/Local/Programs/Sonavel
installedWindows="C:\\users\\$user\\AppData\\Local\\Programs\\Sonavel"
shortcut="$appData/Microsoft/Windows/Start Menu/Programs/Sonavel.lnk"
uninstallKey='Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonavel'
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
milliseconds() {
    date +%s%3N
}

# The virtual screen, on the first free display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The radio's end of COM5 and of COM12: what the program writes lands in a file.
for port in com5 com12; do
    socat -u PTY,link="$work/$port",raw,echo=0 CREATE:"$work/$port.received" &
    pids+=($!)
    wait_for 10 test -e "$work/$port" || fail "no pseudo-terminal for $port"
done

# Wine maps the ports listed under its Ports key when it starts, as serial ports that
# QueryDosDevice and the port list know; a bare link in dosdevices would not open.
wine wineboot -i >/dev/null 2>&1
for port in COM5 COM12; do
    wine reg add 'HKLM\Software\Wine\Ports' /v $port /d "$(readlink -f "$work/${port,,}")" /f \
        >/dev/null
done
wineserver -k
# One server and its services for every program that follows, so each starts in a moment; the
# services get no output of ours to hold open.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
for port in com5 com12; do
    [ "$(readlink "$WINEPREFIX/dosdevices/$port")" = "$(readlink -f "$work/$port")" ] ||
        fail "$port is not mapped to its pseudo-terminal"
done
took "Wine prefix ready"

ctest --test-dir "$build" --output-on-failure || fail "the logic tests failed under Wine"
took "logic tests passed"

# What Explorer shows of a program file: a value of its version information.
version_value() {
    x86_64-w64-mingw32-strings -n 3 -el "$1" | sed -n "/^$2\$/{n;p}"
}
says_it_is() {
    local file=$1 name=$2 description=$3
    [ "$(version_value "$file" OriginalFilename)" = "$name" ] ||
        fail "$file calls itself '$(version_value "$file" OriginalFilename)', not $name"
    [ "$(version_value "$file" FileDescription)" = "$description" ] ||
        fail "$file describes itself as '$(version_value "$file" FileDescription)'"
    [ "$(version_value "$file" FileVersion)" = "$version" ] || fail "$file has another version"
}
asks_no_administrator() {
    x86_64-w64-mingw32-strings "$1" | grep -c 'requestedExecutionLevel level="asInvoker"' >/dev/null ||
        fail "$1 asks Windows for an administrator"
}
says_it_is "$setup" "Sonavel-$version-setup.exe" "Sonavel $version setup"
asks_no_administrator "$setup"

# The installer's pages, each taken with Return once it shows, which changes the window.
setupWindow=""
find_setup() {
    setupWindow=$(xdotool search --onlyvisible --name "^Sonavel $version Setup" 2>/dev/null |
        head -1)
    [ -n "$setupWindow" ]
}
looks() {
    import -window "$setupWindow" png:- 2>/dev/null | md5sum
}
looks_other_than() {
    local now
    now=$(looks)
    [ "$now" != "$1" ] && sleep 0.3 && [ "$(looks)" = "$now" ]
}
take_page() {
    local before
    before=$(looks)
    xdotool windowfocus --sync "$setupWindow" key Return
    wait_for 30 looks_other_than "$before" || fail "the installer's $1 page did not give way"
}
registered() {
    wine reg query "$1\\$uninstallKey" /v UninstallString >/dev/null 2>&1
}
window=""
find_window() {
    window=$(xdotool search --onlyvisible --name '^TS-2000 Sonavel  v' 2>/dev/null | head -1)
    [ -n "$window" ]
}

wine "$setup" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 find_setup || fail "the installer showed no window"
wait_for 10 looks_other_than "" || fail "the installer's first page did not settle"
take_page licence
take_page users
take_page components
before=$(looks)
xdotool windowfocus --sync "$setupWindow" key Return
wait_for 60 registered HKCU || fail "the installer did not register Sonavel for this user"
wait_for 30 looks_other_than "$before" || fail "the installer did not reach its last page"
# The last page starts Sonavel, which Explorer does as the user.
xdotool windowfocus --sync "$setupWindow" key Return
wait_for 30 find_window || fail "the installer's last page did not start Sonavel"
xdotool windowfocus --sync "$window" key alt+x
window_gone() {
    ! find_window
}
wait_for 20 window_gone || fail "Exit did not end the Sonavel that the installer started"
for file in sonavel.exe sonavel.com Qt6Core.dll Qt6Network.dll Qt6SerialPort.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll libstdc++-6.dll uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installer did not install $file into $installed"
done
[ -f "$shortcut" ] || fail "the installer made no Start menu entry for this user"
[ ! -e "$drive/Program Files/Sonavel" ] || fail "the installation for this user went into Program Files"
! registered HKLM || fail "the installation for this user was registered for every user"
if [ -e "$drive/users/Public/Desktop/Sonavel.lnk" ] || [ -e "$drive/users/$user/Desktop/Sonavel.lnk" ]; then
    fail "the desktop shortcut was made without being chosen"
fi
[ "$(grep -c $'\r$' "$installed/README.txt")" = "$(wc -l <"$installed/README.txt")" ] ||
    fail "README.txt has lines without CR LF"
says_it_is "$installed/sonavel.exe" sonavel.exe "Sonavel, the TS-2000 equaliser loader"
says_it_is "$installed/sonavel.com" sonavel.com \
    "Sonavel for scripts: loads a TS-2000 equaliser without a window"
says_it_is "$installed/uninstall.exe" uninstall.exe "Sonavel $version uninstaller"
asks_no_administrator "$installed/uninstall.exe"
took "installed for this user through the pages, without an administrator, and started"

program_ended() {
    ! kill -0 "$program" 2>/dev/null
}
start_program() {
    wine "$installedWindows\\sonavel.exe" </dev/null >"$work/program.log" 2>&1 &
    program=$!
    pids+=("$program")
    wait_for 30 find_window || fail "the window did not appear with its title"
    xdotool windowfocus --sync "$window"
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
    [ "$(stat -c %s "$work/$1.received")" -ge "$2" ]
}
received_in() {
    grep -qF "$2" "$work/$1.received"
}
gone() {
    [ ! -e "$1" ]
}
sample_stored() {
    [ "$(stored bytes)" = "$sample" ]
}
# A window of Wine's own file dialog, with the title Qt gives it.
dialog_shows() {
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}
dialog_gone() {
    ! dialog_shows "$1"
}
# File, Open or Save (Alt+F, then O or S), the name typed into Windows' dialog and Return. The
# slow typing gives Wine time for the keys that xdotool maps anew for each character beyond
# the keyboard's.
choose_file() {
    local item=$1 title=$2 name=$3
    xdotool windowfocus --sync "$window" key alt+f "$item"
    wait_for 20 dialog_shows "$title" || fail "File, $title showed no dialog"
    # The field proposes the file chosen last; what is typed replaces it.
    xdotool key End shift+Home
    xdotool type --delay 100 "$name"
    xdotool key Return
    wait_for 20 dialog_gone "$title" || fail "the $title dialog did not take $name"
    xdotool windowfocus --sync "$window"
}
# The window cannot be made larger: its border takes no dragging, which Wine tells the X
# desktop as a smallest and largest size that are the same, and it offers no maximise.
size_is_fixed() {
    local hints
    hints=$(xprop -id "$window" WM_NORMAL_HINTS _MOTIF_WM_HINTS)
    local smallest largest
    smallest=$(sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
    largest=$(sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
    if [ -z "$smallest" ] || [ "$smallest" != "$largest" ]; then
        fail "the window's size is not fixed: $hints"
    fi
    local functions
    functions=$(sed -n 's/.*_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = [^,]*, \(0x[0-9a-f]*\),.*/\1/p' \
        <<<"$hints")
    # Motif's resize and maximise functions.
    if [ -z "$functions" ] || [ $((functions & 0x12)) != 0 ]; then
        fail "the window offers resizing or maximising: $hints"
    fi
}

start_program
took "window up"
size_is_fixed
# The focus starts on the sample selector; the fourth sample is Kestrum PRO.
xdotool key Down Down Down Down
wait_for 20 sample_stored || fail "the chosen sample is not in the registry"
# Then the port selector, Com 5; Auto off, so that Update sends once; Connect; Update.
xdotool key Tab Tab Down Down Down Down Tab Tab Tab Tab space shift+Tab shift+Tab space Tab space
wait_for 20 received_at_least com5 ${#sent} || fail "Update sent $(stat -c %s "$work/com5.received") bytes"
[ "$(cat "$work/com5.received")" = "$sent" ] || fail "COM5 received $(cat "$work/com5.received")"
if [ "$(stored msg)" != "$sentence" ] || [ "$(stored commport)" != 5 ]; then
    fail "the registry holds msg '$(stored msg)', commport '$(stored commport)'"
fi
exit_program
took "fixed size; sample, Com 5, Connect and Update: the sentence on COM5 and in the registry"

# Sentence files named in three scripts, each beside its Latin look-alike.
digits() {
    printf "$1%.0s" $(seq 128)
}
printf '%s\r\n' "$(digits 1)" >"$drive/eq-l.txt"
printf '%s\r\n' "$(digits 2)" >"$drive/eq-ł.txt"
printf '%s\r\n' "$(digits 3)" >"$drive/ж.txt"
mkdir "$drive/日本"
printf '%s\r\n' "$(digits 4)" >"$drive/日本/日本.txt"

# A second start takes Com 5 and the sample from the registry: Connect and Update send it again.
start_program
xdotool key Tab Tab Tab Tab space Tab space
wait_for 20 received_at_least com5 $((2 * ${#sent})) || fail "the second start sent nothing"
[ "$(head -c $((2 * ${#sent})) "$work/com5.received")" = "$sent$sent" ] ||
    fail "after a second start COM5 received $(cat "$work/com5.received")"
took "a second start restored the port and the sentence from the registry"
# Open reads the file named, not its look-alike, and Update sends it; Save adds .txt to a name
# typed without one. Auto is unticked first: a resend while Open reads puts the sentence sent
# back into the box.
xdotool key Tab space
choose_file o Open 'C:\eq-ł.txt'
xdotool key shift+Tab space
opened="UR$(digits 2);UT$(digits 2);"
wait_for 20 received_in com5 "$opened" || fail "after Open of eq-ł.txt the file's sentence was not sent"
choose_file s Save 'C:\日本\保存'
wait_for 20 test -s "$drive/日本/保存.txt" || fail "Save made no file 保存.txt"
[ "$(cat "$drive/日本/保存.txt")" = "$(digits 2)"$'\r' ] || fail "保存.txt holds $(cat "$drive/日本/保存.txt")"
took "Open of eq-ł.txt and Save to 日本\\保存 reached those files"
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
    wine "$installedWindows\\sonavel.com" "$@" </dev/null >"$work/out" 2>"$work/err" || got=$?
    [ "$got" = "$status" ] || fail "sonavel $* ended with $got, not $status: $(cat "$work/err")"
    grep -q -- "$words" "$work/$stream" || fail "sonavel $* did not say '$words': $(cat "$work/$stream")"
}
# Sends once and tells how long it took, from start to end.
timed_send() {
    local what=$1 words=$2
    shift 2
    local from
    from=$(milliseconds)
    script_case 0 out "$words" "$@"
    echo "wine-check: a one-shot send through $what took $(($(milliseconds) - from)) ms"
}
script_case 0 out "Com 5 is COM5" --list-ports
script_case 0 out "Com 12 is COM12" --list-ports
# Wine has COM1 too where the machine has /dev/ttyS0.
script_case 3 err "Com 7: no serial device is present for this number\. .*Com 5 is COM5, Com 12 is COM12\. The port selector offers Com 1 to Com 8: to reach COM12 from it, write COM12 into the file C:\\\\users\\\\$user\\\\AppData\\\\Roaming\\\\Sonavel\\\\ports\\\\Com [0-9]\.txt and choose Com [0-9]" \
    --sample OFF --port 7
before=$(stat -c %s "$work/com5.received")
timed_send "COM5" "Com 5 (COM5): UR and UT sent, 262 bytes" --sample "$sample" --port 5
wait_for 20 received_at_least com5 $((before + ${#sent})) || fail "the script's send did not arrive"
[ "$(tail -c +$((before + 1)) "$work/com5.received")" = "$sent" ] ||
    fail "the script's send on COM5 was $(tail -c +$((before + 1)) "$work/com5.received")"

# The ports folder, as a Windows user writes it with Notepad.
mkdir -p "$ports"
printf '\xEF\xBB\xBFCOM12\r\n' >"$ports/Com 3.txt"
printf '/dev/ttyUSB0 rtscts\r\n' >"$ports/Com 4.txt"
script_case 0 out "Com 3 is COM12" --list-ports
# What the listing cannot use goes to standard error with why, as on Linux.
printf 'COM12 rtscts\r\n' >"$ports/Com 6.txt"
printf 'COM77\r\n' >"$ports/Com 8.txt"
printf 'COM12\r\n' >"$ports/com12.txt"
script_case 0 err "Com 4 cannot be used: .*is a Linux device, not a Windows port" --list-ports
for said in "out:Com 6 is COM12 with RTS/CTS handshake (rtscts)" \
    "err:Com 8 cannot be used: COM77 is not present" "err:ports\\\\com12.txt is no ports file"; do
    grep -q -- "${said#*:}" "$work/${said%%:*}" || fail "--list-ports did not say '${said#*:}'"
done
rm "$ports/Com 6.txt" "$ports/Com 8.txt" "$ports/com12.txt"
timed_send "the ports folder to COM12" "Com 3 (COM12): UR and UT sent, 262 bytes" \
    --sample "$sample" --port 3
wait_for 20 received_at_least com12 ${#sent} || fail "Com 3 sent nothing to COM12"
[ "$(cat "$work/com12.received")" = "$sent" ] || fail "COM12 received $(cat "$work/com12.received")"
script_case 3 err 'Com 4 opens nothing: C:\\users\\.*\\Sonavel\\ports\\Com 4.txt, line 1 "/dev/ttyUSB0 rtscts": "/dev/ttyUSB0" is a Linux device, not a Windows port; expected a port ("COM12"' \
    --sample "$sample" --port 4
script_case 2 err "--device takes a COM port, such as COM12, not '/dev/ttyUSB0'" \
    --sample "$sample" --device /dev/ttyUSB0
took "a script listed the ports and what cannot be used, was told how to reach COM12, and sent through Com 5 and the ports folder"

# Files named in Polish, Cyrillic and Japanese: each sends its own sentence.
for name in 'eq-ł.txt:2' 'ж.txt:3' '日本\日本.txt:4'; do
    before=$(stat -c %s "$work/com12.received")
    script_case 0 out "Com 12 (COM12): UR and UT sent" --send "C:\\${name%:*}" --port 12
    expected="UR$(digits "${name#*:}");UT$(digits "${name#*:}");"
    wait_for 20 received_at_least com12 $((before + ${#expected})) || fail "${name%:*} sent nothing"
    [ "$(tail -c ${#expected} "$work/com12.received")" = "$expected" ] ||
        fail "--send C:\\${name%:*} sent $(tail -c ${#expected} "$work/com12.received")"
done
took "a script sent the files named in three scripts, each its own"

# rigctld on the loopback, serving a radio that answers what it asks at its start and keeps
# every command it hears.
cat >"$work/radio.sh" <<'EOF'
while IFS= read -r -d ';' command; do
    printf '%s;' "$command" >>"$1"
    case $command in
    ID) printf 'ID019;' ;;
    PS) printf 'PS1;' ;;
    IF) printf 'IF00014250000     +00000000002000000 ;' ;;
    AI) printf 'AI0;' ;;
    FA | FB) printf '%s00014250000;' "$command" ;;
    MD) printf 'MD2;' ;;
    esac
done
EOF
: >"$work/radio.received"
socat PTY,link="$work/radio",raw,echo=0 SYSTEM:"exec bash $work/radio.sh $work/radio.received" &
pids+=($!)
wait_for 10 test -e "$work/radio" || fail "no pseudo-terminal for the radio"
rigctldPort=$((20000 + RANDOM % 20000))
rigctld -m 2014 -r "$work/radio" -t $rigctldPort -T 127.0.0.1 >"$work/rigctld.log" 2>&1 &
pids+=($!)
listening() {
    (exec 3<>/dev/tcp/127.0.0.1/$rigctldPort) 2>/dev/null
}
wait_for 20 listening || fail "rigctld did not start: $(cat "$work/rigctld.log")"
printf 'rigctld 127.0.0.1:%s\r\n' $rigctldPort >"$ports/Com 9.txt"
script_case 0 out "Com 9 is rigctld at 127.0.0.1:$rigctldPort" --list-ports
timed_send rigctld "Com 9 (rigctld at 127.0.0.1:$rigctldPort, Kenwood TS-2000): UR and UT sent" \
    --sample "$sample" --port 9
radio_heard_it() {
    grep -qF "$sent" "$work/radio.received"
}
wait_for 20 radio_heard_it || fail "through rigctld the radio heard $(cat "$work/radio.received")"
took "a script sent through rigctld on the loopback"

# The uninstaller copies itself away and returns at once; what it removes is waited for. It
# leaves the settings and the ports folder, and nothing else of Sonavel.
wine "$installedWindows\\uninstall.exe" /S
wait_for 30 gone "$installed" || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
! registered HKCU || fail "the uninstaller left its registry key"
[ "$(stored commport)" = 5 ] || fail "the uninstaller took the settings"
left=$(cd "$drive" && find . -iname '*sonavel*' | sort | tr '\n' ' ')
[ "$left" = "./users/$user/AppData/Roaming/Sonavel " ] || fail "the uninstaller left $left"
took "uninstalled, leaving the settings and the ports folder"

# For every user, silently, with a desktop shortcut: Wine's user is an administrator.
wine "$setup" /S /ALLUSERS /DESKTOP || fail "the installer for every user failed"
machineInstalled="$drive/Program Files/Sonavel"
commonShortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Sonavel.lnk"
desktopShortcut="$drive/users/Public/Desktop/Sonavel.lnk"
[ -f "$machineInstalled/sonavel.exe" ] || fail "the installation for every user is not in Program Files"
[ -f "$commonShortcut" ] || fail "the installation for every user made no common Start menu entry"
[ -f "$desktopShortcut" ] || fail "the desktop shortcut chosen was not made"
registered HKLM || fail "the installation for every user was not registered for every user"
wine "C:\\Program Files\\Sonavel\\uninstall.exe" /S
wait_for 30 gone "$machineInstalled" || fail "the uninstaller left $(ls "$machineInstalled")"
if [ -e "$commonShortcut" ] || [ -e "$desktopShortcut" ]; then
    fail "the uninstaller left a shortcut"
fi
! registered HKLM || fail "the uninstaller left its registry key for every user"
took "installed for every user with a desktop shortcut, and uninstalled"
