#!/usr/bin/env bash
# Installs what Brisander needs on a Debian 12 machine: `linux` for building
# and running the Linux build, `all` (the default) for building both targets
# and running every test. Safe to run again: only missing packages are
# installed.
set -euo pipefail

linux_packages=(
  cmake ninja-build pkg-config g++
  qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev libsqlite3-dev libxcb1-dev
)
test_packages=(
  git file libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev valgrind e2fsprogs util-linux
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  xvfb xdotool x11-utils imagemagick icoutils xscreensaver sqlite3 dpkg-dev
  wine wine32:i386
)

packages=("${linux_packages[@]}")
[ "${1:-all}" = linux ] || packages+=("${test_packages[@]}")

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Wine's 32-bit half comes from the i386 architecture.
if [ "${1:-all}" != linux ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
