#!/usr/bin/env bash
# Runs each fuzz target for longer than the CTest entries do (default 60 s each).
#
#   scripts/fuzz.sh [seconds] [target...]     targets: registry_decode command_line slider_spin
#
# New interesting inputs collect in build/fuzz/tests/fuzz/found/<target>/ (kept between runs);
# a broken invariant stops the run and leaves the input in build/fuzz/tests/fuzz/artifacts/.
# To grow the committed seeds, minimise the finds into them, e.g.
#   build/fuzz/tests/fuzz/fuzz_command_line -merge=1 tests/fuzz/corpus/fuzz_command_line \
#       build/fuzz/tests/fuzz/found/fuzz_command_line
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(registry_decode command_line slider_spin)

scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -- -j2

work=build/fuzz/tests/fuzz
status=0
for topic in "${targets[@]}"; do
    target=fuzz_$topic
    mkdir -p "$work/found/$target" "$work/artifacts"
    echo "== $target for $seconds s"
    "$work/$target" -max_total_time="$seconds" -max_len=512 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/$target-" "$work/found/$target" "tests/fuzz/corpus/$target" \
        2>"$work/$target.log" || { status=1; tail -40 "$work/$target.log"; continue; }
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE' "$work/$target.log" || true
done
exit $status
