#!/usr/bin/env bash
# Installs what building and testing Brisander needs on a Debian 12 machine.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ git
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  qt6-base-dev libjpeg62-turbo-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick icoutils file
  wine wine32:i386
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
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
