#!/usr/bin/env bash
# Builds Tavrin.scr and runs it under Wine: `scripts/run.sh [switch]` (default /s).
# On $DISPLAY when one is set; otherwise in a virtual X display, where it saves a screenshot
# of the running program, says where, and then ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Tavrin -- -j2
build=$PWD/build/win32
export WINEPREFIX=$build/run-prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
switch=${1:-/s}

virtual=""
if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display number and writes it to file descriptor 3.
    number_file=$build/run-display
    rm -f "$number_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -s "$number_file" ] && break; sleep 0.1; done
    virtual=:$(head -n 1 "$number_file")
    export DISPLAY=$virtual
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

# The prefix is made on the display the program will use: Wine's desktop process keeps the
# display it started with.
if [ ! -d "$WINEPREFIX" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
fi

if [ -z "$virtual" ]; then
    exec wine "$build/Tavrin.scr" "$switch"
fi

wine "$build/Tavrin.scr" "$switch" &
program=$!
sleep 4
shot=$build/screenshot.png
import -window root "$shot"
echo "screenshot of the running program: $shot"
# The saver ends on the second key press; a dialog is asked to close.
xdotool key a sleep 0.3 key b >/dev/null 2>&1 || true
for _ in $(seq 30); do kill -0 $program 2>/dev/null || exit 0; sleep 0.1; done
wineserver -k 2>/dev/null || true
