#!/usr/bin/env bash
# Brings a fresh Debian machine to what the build and the tests need.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb x11-apps xauth imagemagick librsvg2-bin
  fonts-liberation fonts-wqy-microhei
  file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync can fail one index file; try again before giving up.
for attempt in 1 2 3; do
  if $SUDO apt-get update -qq; then break; fi
  sleep 5
done
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
