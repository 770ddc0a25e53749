#!/usr/bin/env bash
# Fails when a C or C++ file of the project is not formatted as .clang-format says; with --fix,
# formats them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run -Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
find src tests bench tools res \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 |
    xargs -0 "${CLANG_FORMAT:-clang-format}" "${mode[@]}"
