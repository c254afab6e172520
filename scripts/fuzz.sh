#!/usr/bin/env bash
# Builds the fuzzers natively with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time: the skin package fuzzer on the
# checked-in seed corpus, the hostile-skin fuzzer (generated descriptions and bitmaps
# through the definition readers and the drawing plans) from its own inputs, and the sheet
# fuzzer (the style-sheet path from analysis to rewrite) on the checked-in seed sheets.
#   scripts/fuzz.sh [SECONDS]     per fuzzer, default 60; the three run side by side
#   scripts/fuzz.sh --build-only  builds them and runs nothing
# VEXLO_FUZZ_BUILD chooses the build folder (default build-fuzz in the source tree).
# Prints the number of executions; exits non-zero when a fuzzer finds a fault.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_FUZZ_BUILD:-$root/build-fuzz}

. "$root/scripts/apt-install.sh"
apt_install clang libclang-rt-14-dev cmake ninja-build

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXLO_PORTABLE_ONLY=ON -DVEXLO_SANITIZE=ON -DVEXLO_FUZZ=ON >/dev/null
cmake --build "$build" --target skin_package_fuzzer skin_draw_fuzzer sheet_fuzzer
[ "$seconds" != --build-only ] || exit 0

# New inputs go to a work corpus per fuzzer in the build folder; the checked-in seeds stay as
# they are.
mkdir -p "$build/fuzz-artifacts"
# run_fuzzer NAME MAX_LEN [SEED_DIR]: runs one fuzzer; its verdict goes to $build/fuzz-NAME.verdict
# (one line, and the exit status on a second), its output to $build/fuzz-NAME.log.
run_fuzzer() {
  local name=$1 max_len=$2 seeds=${3:-}
  local work="$build/fuzz-corpus-$name" log="$build/fuzz-$name.log" result=0
  mkdir -p "$work"
  "$build/fuzz/$name" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/" \
    "$work" ${seeds:+"$seeds"} >"$log" 2>&1 || result=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  if [ "$result" -eq 0 ]; then
    echo "fuzz: $name ran $runs executions in ${seconds}s without a finding"
  else
    tail -n 60 "$log"
    echo "fuzz: $name FOUND A FAULT after $runs executions (see $log)"
  fi >"$build/fuzz-$name.verdict"
  echo "$result" >>"$build/fuzz-$name.verdict"
}
run_fuzzer skin_package_fuzzer 65536 "$root/fuzz/corpus" &
run_fuzzer skin_draw_fuzzer 4096 &
run_fuzzer sheet_fuzzer 4096 "$root/fuzz/sheet-corpus" &
wait
status=0
for name in skin_package_fuzzer skin_draw_fuzzer sheet_fuzzer; do
  sed '$d' "$build/fuzz-$name.verdict"
  result=$(tail -n 1 "$build/fuzz-$name.verdict")
  [ "$result" -eq 0 ] || status=$result
done
exit "$status"
