#!/usr/bin/env bash
# Builds every tree (native, 32-bit and 64-bit Windows, fuzz) and runs every test layer through
# CTest. The two Windows trees test at the same time: each has its own virtual display and Wine
# prefix, and their tests spend most of their time waiting on Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
presets=(host win32 win64 fuzz) # fuzz: the libFuzzer targets, a short run each
for preset in "${presets[@]}"; do
    start=$(date +%s)
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- -j2
    echo "build $preset: $(( $(date +%s) - start )) s"
done

run_tests() { # preset → its CTest output in build/<preset>/test.log, and its status
    local start status=0
    start=$(date +%s)
    ctest --preset "$1" >"build/$1/test.log" 2>&1 || status=1
    echo "tests $1: $(( $(date +%s) - start )) s" >>"build/$1/test.log"
    return $status
}

status=0
run_tests win32 & win32_job=$!
run_tests win64 & win64_job=$!
for preset in host fuzz; do
    run_tests "$preset" || status=1
done
wait $win32_job || status=1
wait $win64_job || status=1
for preset in "${presets[@]}"; do
    cat "build/$preset/test.log"
done
exit $status
