#!/usr/bin/env bash
# Builds the Linux target and starts the slideshow full screen. A key, a
# mouse button or moving the mouse ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh linux
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/run --target brisander
exec ./build/run/src/brisander /s
