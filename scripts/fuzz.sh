#!/usr/bin/env bash
# Builds the skin package fuzzer natively with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time on the checked-in seed corpus.
#   scripts/fuzz.sh [SECONDS]     default 60
# VEXLO_FUZZ_BUILD chooses the build folder (default build-fuzz in the source tree).
# Prints the number of executions; exits non-zero when the fuzzer finds a fault.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_FUZZ_BUILD:-$root/build-fuzz}

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
need=()
for p in clang libclang-rt-14-dev cmake ninja-build; do have_pkg "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXLO_PORTABLE_ONLY=ON -DVEXLO_SANITIZE=ON -DVEXLO_FUZZ=ON >/dev/null
cmake --build "$build" --target skin_package_fuzzer

# New inputs go to a work corpus in the build folder; the checked-in seeds stay as they are.
work="$build/fuzz-corpus"
mkdir -p "$work" "$build/fuzz-artifacts"
log="$build/fuzz.log"
status=0
"$build/fuzz/skin_package_fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/" \
  "$work" "$root/fuzz/corpus" >"$log" 2>&1 || status=$?
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
if [ "$status" -eq 0 ]; then
  echo "fuzz: skin_package_fuzzer ran $runs executions in ${seconds}s without a finding"
else
  tail -n 60 "$log"
  echo "fuzz: skin_package_fuzzer FOUND A FAULT after $runs executions (see $log)"
fi
exit "$status"
