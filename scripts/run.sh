#!/usr/bin/env bash
# Builds Tavrin.scr and runs it under Wine: `scripts/run.sh [switch]` (default /s).
# On $DISPLAY when one is set; otherwise in a virtual X display, where it saves a screenshot
# of the running saver, says where, and ends the saver with two key presses.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Tavrin -- -j2
build=$PWD/build/win32
export WINEPREFIX=$build/run-prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
switch=${1:-/s}
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$build/Tavrin.scr" "$switch"
fi

display=:97
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xsetroot -solid '#306090' 2>/dev/null || true
wine "$build/Tavrin.scr" "$switch" &
saver=$!
sleep 4
shot=$build/saver-screenshot.png
import -window root "$shot"
echo "screenshot of the running program: $shot"
xdotool mousemove 100 100 sleep 0.3 mousemove 300 300 sleep 0.3 key a sleep 0.3 key b || true
for _ in $(seq 50); do kill -0 $saver 2>/dev/null || break; sleep 0.1; done
kill $saver 2>/dev/null || true
