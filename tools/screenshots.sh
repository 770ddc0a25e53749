#!/usr/bin/env bash
# Regenerates the README's window pictures in a Wine session of their own, each cropped to its
# window:
#   docs/configure.png  the configuration dialog as it opens over stored settings (set 1 with
#                       three pictures ticked);
#   docs/preview.png    the preview in two little monitors of the system's size (152 x 112),
#                       over black and over the desktop (which shows colour bars), drawn in the
#                       process that owns the monitors (Wine shows a child window only when its
#                       own process draws it).
#
#   tools/screenshots.sh [BUILD_DIR]     (default: build/win32)
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

python3 - "$root/tests/harness" "$root/docs" "$build/tools/preview/tavrin_preview_picture.exe" <<'PY'
import os
import subprocess
import sys
import time

sys.path.insert(0, sys.argv[1])
import tavrin_harness as h  # noqa: E402

docs, preview_tool = sys.argv[2], sys.argv[3]


def picture(window, name):
    """Crops a screenshot to the window, once everything in it has painted."""
    time.sleep(1.0)
    shot = os.path.join(h.BUILD_DIR, "harness-docs", "screen.png")
    h.screenshot(shot)
    x, y, width, height = window["rect"]
    out = os.path.join(docs, name)
    h.run([h.CONVERT, shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-strip", out])
    h.close(window)
    print(f"wrote {out}")


try:
    h.reset_registry()
    ticked = {1, 3, 4}
    h.reg_load(h.product_key(**h.valid_settings(Speed=10, CLS=12.0, **{f"Pic_{n:02d}": int(n in ticked)
                                                                       for n in range(1, 26)})))
    process = h.start_saver("/c")
    picture(h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME, timeout=10), "configure.png")
    h.wait_exit(process, timeout=5)

    # Set 1 with every picture; no pace, so the window shows exactly the tool's fixed series.
    h.reset_registry()
    h.reg_load(h.product_key(**h.valid_settings(Speed=0)))
    with h.Pattern(x=600, y=140, width=360, height=240):
        process = subprocess.Popen(["wine", preview_tool], env=h.ENV, start_new_session=True)
        h._started.append(process)
        picture(h.wait_window(title="Tavrin preview", timeout=10), "preview.png")
        h.wait_exit(process, timeout=5)
finally:
    h.cleanup_programs()
PY
