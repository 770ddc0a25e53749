#!/usr/bin/env bash
# Builds every tree (native, 32-bit and 64-bit Windows) and runs every test layer through CTest.
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
status=0
for preset in "${presets[@]}"; do
    start=$(date +%s)
    ctest --preset "$preset" || status=1
    echo "tests $preset: $(( $(date +%s) - start )) s"
done
exit $status
