#!/usr/bin/env bash
# Builds the release files from the current tree into build/release/:
#   Tavrin-<version>.zip         Tavrin.scr (32-bit), x64/Tavrin.scr (64-bit), INSTALL.txt
#   Tavrin-<version>-setup.exe   the NSIS installer (installer/tavrin.nsi) holding both programs
# The programs are built in build/release/win32 and build/release/win64 (Release, mingw-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
version=$(sed -n 's/^project(Tavrin VERSION \([0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }
out=build/release

build() { # preset
    cmake --preset "$1" -B "$out/$1" -DTAVRIN_BUILD_TESTS=OFF >/dev/null
    cmake --build "$out/$1" --target Tavrin -- -j2
}
build win32
build win64
scr32=$out/win32/Tavrin.scr
scr64=$out/win64/Tavrin.scr

# The zip, with every entry dated by the last commit so the same sources give the same zip.
stage=$out/stage
rm -rf "$stage" && mkdir -p "$stage/x64"
cp "$scr32" "$stage/Tavrin.scr"
cp "$scr64" "$stage/x64/Tavrin.scr"
cp installer/INSTALL.txt "$stage/INSTALL.txt"
stamp=$(git log -1 --format=@%ct 2>/dev/null || date +@%s)
find "$stage" -exec touch -d "$stamp" {} +
zip_file=$PWD/$out/Tavrin-$version.zip
rm -f "$zip_file"
(cd "$stage" && TZ=UTC zip -X -q "$zip_file" Tavrin.scr x64/Tavrin.scr INSTALL.txt)

setup=$out/Tavrin-$version-setup.exe
makensis -V2 -DVERSION="$version" -DOUTFILE="$PWD/$setup" -DSCR32="$PWD/$scr32" -DSCR64="$PWD/$scr64" \
    installer/tavrin.nsi

python3 -m zipfile -l "$zip_file"
ls -l "$setup"
