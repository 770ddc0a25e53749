#!/usr/bin/env bash
# Builds every tree (native, 32-bit and 64-bit Windows, fuzz) and runs every test layer through
# CTest. Each tree starts testing as soon as its own build is done, while the next one builds:
# the Windows trees' tests spend most of their time waiting on Wine, and each tree has its own
# virtual displays and Wine prefixes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The 64-bit tree first, even before the native one: on a machine that runs no 32-bit programs
# its tests are the longest, and the other builds fit beside them.
presets=(win64 host win32 fuzz) # fuzz: the libFuzzer targets, a short run each

run_tests() { # preset → its CTest output in build/<preset>/test.log, and its status
    local start status=0
    start=$(date +%s)
    ctest --preset "$1" >"build/$1/test.log" 2>&1 || status=1
    echo "tests $1: $(($(date +%s) - start)) s" >>"build/$1/test.log"
    return $status
}

status=0
jobs=()
for preset in "${presets[@]}"; do
    start=$(date +%s)
    cmake --preset "$preset" >/dev/null
    targets=()
    if [[ $preset == win32 ]] && ! tests/harness/session runs-32bit; then
        # Wine cannot start a 32-bit program here, so its tests skip and their programs are
        # not built: the tree builds the program and the probe, which its import checks read.
        targets=(--target Tavrin tavrin_probe)
    fi
    cmake --build --preset "$preset" "${targets[@]}" -- -j2
    echo "build $preset: $(($(date +%s) - start)) s"
    run_tests "$preset" &
    jobs+=($!)
done
for job in "${jobs[@]}"; do
    wait "$job" || status=1
done
for preset in "${presets[@]}"; do
    cat "build/$preset/test.log"
done
# A tree whose Wine sessions cannot run on this machine skips their tests; say so at the end.
for file in build/*/harness/*/not-tested; do
    if [[ -f $file ]]; then echo "NOT TESTED in ${file%%/harness/*}: $(<"$file")"; fi
done | sort -u
exit $status
