#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build under Wine (one
# fresh prefix per run), then the portable code natively with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzzers for a bounded time.
# Ends with "N passed, N failed, N skipped", counting test cases only (not the fixtures that
# start and stop the Wine server; each fuzzer reports on its own line). Anything else that went
# wrong (a failed fixture, a run without results, a fuzzer finding) follows on that line.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh

passed=0 failed=0 skipped=0
problems=()
run_ctest() {  # run_ctest BUILD_DIR: adds the directory's results to the totals
  local dir=$1 junit rc=0 counts
  junit="$(pwd)/$dir/ctest-results.xml"
  rm -f "$junit"
  ctest --test-dir "$dir" --output-on-failure --timeout 600 --output-junit "$junit" \
        --parallel "$(nproc)" || rc=$?
  if [ ! -f "$junit" ]; then
    problems+=("ctest in $dir ended without results (exit $rc)")
    return
  fi
  # The leak checks' figures, shown every time.
  python3 scripts/leak-lines.py "$junit" || true
  local log="$dir/ctest-counts.log"
  counts=$(python3 scripts/ctest-counts.py "$dir" "$junit" 2>"$log") ||
    problems+=("in $dir: $(paste -sd ',' "$log")")
  [ -n "$counts" ] || return 0
  local p f s
  read -r p f s <<<"$counts"
  passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
}

# The real-mouse checks need a virtual X display of their own: the first number that no
# display holds, unless one is named already.
if [ -z "${VEXLO_DISPLAY:-}" ]; then
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      export VEXLO_DISPLAY=":$n"
      break
    fi
  done
fi

rm -rf build/wine-prefix-* build/wine-prefix-*.*
run_ctest build

cmake -S . -B build-native -G Ninja -DVEXLO_PORTABLE_ONLY=ON -DVEXLO_SANITIZE=ON \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-native
run_ctest build-native

if [ -x scripts/fuzz.sh ]; then
  ./scripts/fuzz.sh || problems+=("a fuzzer found a fault")
fi

summary="$passed passed, $failed failed, $skipped skipped"
for problem in "${problems[@]}"; do summary+="; $problem"; done
echo "$summary"
[ "$failed" -eq 0 ] && [ ${#problems[@]} -eq 0 ]
