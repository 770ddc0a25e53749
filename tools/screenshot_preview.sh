#!/usr/bin/env bash
# Regenerates docs/preview.png: the preview in two little monitors of the system's size
# (152 x 112), over black and over the desktop (which shows colour bars), drawn in the process
# that owns the monitors (Wine shows a child window only when its own process draws it),
# captured in a Wine session of its own and cropped to the window.
#
#   tools/screenshot_preview.sh [BUILD_DIR]     (default: build/win32)
#
# The build tree must be a Windows build (win32 preset). TAVRIN_TEST_DISPLAY picks the X
# display of the session (default 93): choose one that no test session of another build tree
# is using.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd)

ninja -C "$build" Tavrin tavrin_probe tavrin_preview_picture >/dev/null

export TAVRIN_HARNESS=$build/harness-docs
export TAVRIN_TEST_DISPLAY=${TAVRIN_TEST_DISPLAY:-93}
export TAVRIN_WINEARCH=win32
export TAVRIN_PROBE=$build/tests/tavrin_probe.exe
export TAVRIN_SCR=$build/Tavrin.scr
export TAVRIN_BUILD_DIR=$build
"$root/tests/harness/session" start
trap '"$root/tests/harness/session" stop' EXIT

python3 - "$root/tests/harness" "$root/docs/preview.png" "$build/tools/preview/tavrin_preview_picture.exe" <<'PY'
import os
import subprocess
import sys
import time

sys.path.insert(0, sys.argv[1])
import tavrin_harness as h  # noqa: E402

out, tool = sys.argv[2], sys.argv[3]
h.reset_registry()
# Set 1 with every picture; no pace, so the window shows exactly the tool's fixed series.
h.reg_load(h.product_key(**h.valid_settings(Speed=0)))
with h.Pattern(x=600, y=140, width=360, height=240):
    process = subprocess.Popen(["wine", tool], env=h.ENV, start_new_session=True)
    try:
        window = h.wait_window(title="Tavrin preview", timeout=10)
        time.sleep(1.0)  # let both previews paint
        shot = os.path.join(h.BUILD_DIR, "harness-docs", "screen.png")
        h.screenshot(shot)
        x, y, width, height = window["rect"]
        h.run([h.CONVERT, shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-strip", out])
        h.close(window)
        h.wait_exit(process, timeout=5)
    finally:
        h.kill(process)
print(f"wrote {out}")
PY
