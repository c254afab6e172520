#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build under Wine (one
# fresh prefix per run), then the portable code natively with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzzer for a bounded time. Ends with "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh

passed=0 failed=0
run_ctest() {  # run_ctest BUILD_DIR: adds the directory's results to the totals
  local log rc
  log=$(mktemp)
  set +e
  ctest --test-dir "$1" --output-on-failure --timeout 600 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ] && grep -q 'No tests were found' "$log"; then
    rm -f "$log"
    return
  fi
  rm -f "$log"
  if [ -z "$summary" ]; then
    echo "ctest in $1 ended without a summary (exit $rc)"
    failed=$((failed + 1))
    return
  fi
  local f t
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  passed=$((passed + t - f))
  failed=$((failed + f))
}

rm -rf build/wine-prefix build/wine-prefix.lock
run_ctest build

cmake -S . -B build-native -G Ninja -DVEXLO_PORTABLE_ONLY=ON -DVEXLO_SANITIZE=ON \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-native
run_ctest build-native

if [ -x scripts/fuzz.sh ]; then
  if ./scripts/fuzz.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
