#!/usr/bin/env bash
# Installs everything this project needs from Debian's packages (Debian 12, as root).
# Idempotent: when every package is present it only checks and exits, without a network call.
#
# A Debian mirror can be caught between two syncs: then one package list fails to download
# ("Mirror sync in progress?"), and with the security archive's list for one architecture
# missing, wine32:i386 cannot resolve against amd64 libraries already at the security
# archive's newer versions. The script retries the download, goes on with the lists it has,
# and when the install cannot resolve tries once more with the security archive below the
# main archive for that install only.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64
  wine wine32:i386 wine64
  xvfb x11-utils xdotool imagemagick
  python3 zip nsis fonts-liberation fonts-wine
)
update_attempts=${SETUP_UPDATE_ATTEMPTS:-3}
retry_pause=${SETUP_RETRY_PAUSE:-15} # seconds between download attempts

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && { echo "setup: all packages present"; exit 0; }

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
pin=$(mktemp)
trap 'rm -f "$log" "$pin"' EXIT

# The first error apt printed, on one line.
first_error() {
  local line
  line=$(grep -m1 'Depends: ' "$log" || grep -m1 '^E: ' "$log" || tail -n 1 "$log")
  printf '%s' "$line" | sed -E 's/^ +//'
}

update_lists() {
  local attempt
  for ((attempt = 1; attempt <= update_attempts; attempt++)); do
    if $SUDO apt-get update -qq >"$log" 2>&1; then return 0; fi
    echo "setup: package lists, attempt $attempt of $update_attempts: $(first_error)"
    [ "$attempt" -lt "$update_attempts" ] && sleep "$retry_pause"
  done
  echo "setup: going on with the package lists that did download"
}

# Installs the missing packages with apt's extra options ("$@"), after a simulation that says
# which archive each package comes from; apt's output goes to the log.
install_missing() {
  $SUDO apt-get install -s --no-install-recommends "$@" "${missing[@]}" >"$log" 2>&1 || return 1
  awk '/^Inst /{ if ($0 ~ /Debian-Security/) { security++; names = names " " $2 } else main++ }
       END { printf "setup: %d packages from the main archive, %d from the security archive%s\n",
                    main, security, security ? ":" names : "" }' "$log"
  $SUDO apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >"$log" 2>&1
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
update_lists
if ! install_missing; then
  echo "setup: the install could not resolve: $(first_error)"
  echo "setup: trying once more with the security archive below the main archive"
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
  if ! install_missing -o "Dir::Etc::Preferences=$pin"; then
    echo "setup: the install failed again: $(first_error)" >&2
    exit 1
  fi
fi
echo "setup: installed ${missing[*]}"
