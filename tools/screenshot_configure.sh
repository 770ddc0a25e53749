#!/usr/bin/env bash
# Regenerates docs/configure.png: the configuration dialog as it opens over stored settings
# (set 1 with three pictures ticked), captured in a Wine session of its own and cropped to the
# dialog's window.
#
#   tools/screenshot_configure.sh [BUILD_DIR]     (default: build/win32)
#
# The build tree must be a Windows build (win32 preset); Tavrin.scr and the probe are built
# first. TAVRIN_TEST_DISPLAY picks the X display of the session (default 93): choose one that
# no test session of another build tree is using.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd)

ninja -C "$build" Tavrin tavrin_probe >/dev/null

export TAVRIN_HARNESS=$build/harness-docs
export TAVRIN_TEST_DISPLAY=${TAVRIN_TEST_DISPLAY:-93}
export TAVRIN_WINEARCH=win32
export TAVRIN_PROBE=$build/tests/tavrin_probe.exe
export TAVRIN_SCR=$build/Tavrin.scr
export TAVRIN_BUILD_DIR=$build
"$root/tests/harness/session" start
trap '"$root/tests/harness/session" stop' EXIT

python3 - "$root/tests/harness" "$root/docs/configure.png" <<'EOF'
import os
import sys
import time

sys.path.insert(0, sys.argv[1])
import tavrin_harness as h  # noqa: E402

out = sys.argv[2]
h.reset_registry()
ticked = {1, 3, 4}
h.reg_load(h.product_key(**h.valid_settings(Speed=10, CLS=12.0, **{f"Pic_{n:02d}": int(n in ticked)
                                                                   for n in range(1, 26)})))
process = h.start_saver("/c")
try:
    window = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME, timeout=10)
    time.sleep(1.0)  # let every control paint
    shot = os.path.join(h.BUILD_DIR, "harness-docs", "screen.png")
    h.screenshot(shot)
    x, y, width, height = window["rect"]
    h.run([h.CONVERT, shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-strip", out])
    h.close(window)
    h.wait_exit(process, timeout=5)
finally:
    h.cleanup_programs()
print(f"wrote {out}")
EOF
