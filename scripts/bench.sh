#!/usr/bin/env bash
# Benchmarks (not tests): builds Tavrin.scr and the floor programs in build/bench32 and
# build/bench64, starts a Wine session of their own on a virtual display, and prints the
# figures with their ratios to the floors as a Markdown table (README.md, "Figures").
#
#   scripts/bench.sh [bench.py options]     e.g. --cpu-seconds 60 --launches 20 (the defaults)
#
# Environment: TAVRIN_BENCH_DISPLAY (default 85), the X display number of the session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
display=${TAVRIN_BENCH_DISPLAY:-85}
tree32=build/bench32
tree64=build/bench64

cmake --preset win32 -B "$tree32" -DTAVRIN_TEST_DISPLAY="$display" >/dev/null
cmake --preset win64 -B "$tree64" -DTAVRIN_TEST_DISPLAY="$display" >/dev/null
cmake --build "$tree32" --target bench -- -j2 >&2
# The 32-bit programs are timed, in a 32-bit prefix; on a machine whose kernel runs no 32-bit
# programs, the 64-bit ones in a 64-bit prefix (the session runs Wine's 64-bit loader there).
timed=$tree32 arch=win32
if ! tests/harness/session runs-32bit; then
    echo "bench: this machine runs no 32-bit programs: the 64-bit build is timed" >&2
    timed=$tree64 arch=win64
    cmake --build "$tree64" --target bench -- -j2 >&2
else
    cmake --build "$tree64" --target Tavrin bare_stamp -- -j2 >&2
fi

export TAVRIN_HARNESS=$PWD/$timed/harness/bench TAVRIN_BUILD_DIR=$PWD/$timed
export TAVRIN_TEST_DISPLAY=$display TAVRIN_WINEARCH=$arch TAVRIN_PROBE=$PWD/$timed/tests/tavrin_probe.exe
export TAVRIN_TEMPLATE=$PWD/$timed/harness/template-$arch
trap 'tests/harness/session stop' EXIT
tests/harness/session start
python3 bench/bench.py --build32 "$tree32" --build64 "$tree64" --measure "$timed" "$@"
