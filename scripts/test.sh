#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build under Wine (fresh
# prefixes per run), the checks with a real mouse and keyboard on a virtual display, the
# portable code natively with AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers
# for a bounded time.
# The real-input checks take the longest and spend much of it waiting on the program, so they
# start as soon as the program is built and run one after the other beside everything else:
# the rest of the build, the other cases under Wine (several at once, each in a prefix of its
# own) and the native build. What runs beside them runs at the lowest priority, so that the
# program they drive is never kept waiting. The fuzzers run last, side by side, with the
# machine to themselves.
# Ends with "N passed, N failed, N skipped", counting test cases only (not the fixtures that
# start and stop the Wine server; each fuzzer reports on its own line). Anything else that went
# wrong (a failed fixture, a run without results, a fuzzer finding) follows on that line.
# Each part's output is kept in build/test-logs/ and shown once all of them have ended.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
./scripts/install-deps.sh
./scripts/build.sh real_input_programs

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
# Cases under Wine at once: they wait on Wine's server and on each other's windows more than
# they compute, so twice the processors keeps the processors busy.
jobs=$((2 * $(nproc)))
export VEXLO_WINE_SLOTS=$jobs
logs=build/test-logs
rm -rf "$logs" build/wine-prefix-*
mkdir -p "$logs"

# part NAME COMMAND...: runs one part, its output in $logs/NAME.log and its exit status in
# $logs/NAME.status.
part() {
  local name=$1 rc=0
  shift
  "$@" >"$logs/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$logs/$name.status"
  echo "$name: ended $(($(date +%s) - started)) s after the start (exit $rc)"
}
# run_ctest DIR JUNIT [ARGUMENT...]: CTest on DIR with its results in JUNIT.
run_ctest() {
  local dir=$1 junit=$2
  shift 2
  rm -f "$junit"
  ctest --test-dir "$dir" --output-on-failure --timeout 600 --output-junit "$(pwd)/$junit" "$@"
}
# native: the portable code with the sanitizers, its tests, and the fuzzers' build.
native() {
  cmake -S . -B build-native -G Ninja -DVEXLO_PORTABLE_ONLY=ON -DVEXLO_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build build-native &&
    run_ctest build-native "$logs/native.xml" --parallel "$(nproc)"
  [ ! -x scripts/fuzz.sh ] || ./scripts/fuzz.sh --build-only
}
rest() {
  part build cmake --build build
  [ "$(cat "$logs/build.status")" -eq 0 ] || return 0
  part wine run_ctest build "$logs/wine.xml" --parallel "$jobs" --exclude-regex '^x11\.' &
  part native native &
  wait
}

part x11 run_ctest build/tests/x11 "$logs/x11.xml" &
x11=$!
(renice -n 19 -p "$BASHPID" >/dev/null; rest) &
others=$!
wait "$others" || true
wait "$x11" || true
for name in build x11 wine native; do
  [ -f "$logs/$name.log" ] && cat "$logs/$name.log"
done

passed=0 failed=0 skipped=0
problems=()
[ "$(cat "$logs/build.status" 2>/dev/null || echo 1)" -eq 0 ] || problems+=("the build failed")
tally() {  # tally BUILD_DIR JUNIT: adds one CTest run's results to the totals
  local dir=$1 junit=$2 counts
  if [ ! -f "$junit" ]; then
    problems+=("ctest in $dir ended without results")
    return
  fi
  # The leak checks' figures, shown every time.
  python3 scripts/leak-lines.py "$junit" || true
  local log="$junit.counts"
  counts=$(python3 scripts/ctest-counts.py "$dir" "$junit" 2>"$log") ||
    problems+=("in $dir: $(paste -sd ',' "$log")")
  [ -n "$counts" ] || return 0
  local p f s
  read -r p f s <<<"$counts"
  passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
}
tally build/tests/x11 "$logs/x11.xml"
tally build "$logs/wine.xml"
tally build-native "$logs/native.xml"

if [ -x scripts/fuzz.sh ]; then
  ./scripts/fuzz.sh || problems+=("a fuzzer found a fault")
fi

echo "test command: $(($(date +%s) - started)) s"
summary="$passed passed, $failed failed, $skipped skipped"
for problem in "${problems[@]}"; do summary+="; $problem"; done
echo "$summary"
[ "$failed" -eq 0 ] && [ ${#problems[@]} -eq 0 ]
