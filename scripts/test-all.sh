#!/usr/bin/env bash
# Builds both targets and runs every test: the unit tests, the Linux build's
# end-to-end tests under Xvfb and the Windows build's under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh all

# The Linux build comes first: some Windows tests compare against it.
cmake --preset linux
cmake --build --preset linux
ctest --preset linux

cmake --preset win32
cmake --build --preset win32
ctest --preset win32
