#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for the
# given number of seconds (default 15) from its committed corpus, which also
# keeps every input that once crashed as a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"

cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISANDER_FUZZERS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build/fuzz

status=0
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  name="$(basename "$fuzzer")"
  corpus="$(mktemp -d)"
  cp -r "fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
  echo "--- $name for ${seconds}s"
  if ! (cd "$(mktemp -d)" && "$OLDPWD/$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        "$corpus" 2>&1 | tail -n 12); then
    echo "FAIL: $name found a crash" >&2
    status=1
  fi
  rm -rf "$corpus"
done
[ $status -eq 0 ] && echo "fuzzing: no crash"
exit $status
