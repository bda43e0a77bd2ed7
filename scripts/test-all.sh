#!/usr/bin/env bash
# Builds both targets and runs every test: the unit tests, the Linux build's
# end-to-end tests under Xvfb, the Windows build's under Wine and Xvfb, the
# Linux suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of each fuzzer.
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

cmake --preset linux-asan
cmake --build --preset linux-asan
ctest --preset linux-asan

./scripts/fuzz.sh 20
