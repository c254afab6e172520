#!/usr/bin/env bash
# Runs one GoogleTest case for CTest and reports GoogleTest's own verdict on it.
#   run-case.sh --time-limit=SECONDS COMMAND... --gtest_filter=Suite.Case ...
# COMMAND is the test executable, or a runner followed by it (build/wine-run.sh EXE).
# The case passes only when GoogleTest printed its result line "[       OK ] Suite.Case" and
# the process then ended with exit code 0. Any other ending fails, with the reason on the last
# line: a failed case, a process that ended or crashed in the middle of the case (no result
# line), a process that failed after the case passed, or the time limit. The time limit lies
# below CTest's own timeout, so that the output printed so far is still shown.
# A skipped case prints "run-case: SKIPPED Suite.Case", the line CTest is told to read as a skip.
# Without --gtest_filter (listing the cases, for instance) the command runs unchanged.
# Each case runs in a working folder of its own, deleted afterwards, from a link to the test
# executable made in that folder: what a case writes beside its executable or in the current
# folder (step three's test page, say) never meets another case running at the same time.
set -uo pipefail

limit=0
if [[ ${1:-} == --time-limit=* ]]; then
  limit=${1#--time-limit=}
  shift
fi
name=
for arg in "$@"; do
  case $arg in
    --gtest_filter=*) name=${arg#--gtest_filter=} ;;
    --gtest_list_tests) name= ; break ;;
  esac
done
[ -n "$name" ] || exec "$@"

log=$(mktemp)
work=$(mktemp -d "$PWD/case.XXXXXX")
trap 'rm -f "$log"; rm -rf "$work"' EXIT
command=()
for arg in "$@"; do
  if [[ $arg == *.exe && -f $arg && ${#command[@]} -le 1 ]]; then
    ln "$arg" "$work/" 2>/dev/null || cp "$arg" "$work/"
    arg="$work/${arg##*/}"
  fi
  command+=("$arg")
done
cd "$work"
# The output reaches CTest as it is printed and is kept for the verdict. At the time limit
# every process the command started is stopped, so that none holds the output open.
timeout --kill-after=10 "$limit" "${command[@]}" </dev/null 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}

result=
while IFS= read -r line; do
  line=${line%$'\r'}
  case $line in
    "[       OK ] $name" | "[       OK ] $name ("*) result=passed ;;
    "[  FAILED  ] $name" | "[  FAILED  ] $name ("*) result=failed ;;
    "[  SKIPPED ] $name" | "[  SKIPPED ] $name ("*) result=skipped ;;
  esac
done <"$log"

fail() {
  echo "run-case: FAILED $name: $*"
  exit 1
}
if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
  fail "still running after the time limit of ${limit} s; it was stopped"
fi
case $result in
  passed)
    [ "$rc" -eq 0 ] || fail "GoogleTest reported it passed, but the process then ended with exit code $rc"
    exit 0 ;;
  skipped)
    [ "$rc" -eq 0 ] || fail "GoogleTest reported it skipped, but the process then ended with exit code $rc"
    echo "run-case: SKIPPED $name"
    exit 0 ;;
  failed)
    fail "GoogleTest reported it failed (exit code $rc)" ;;
  *)
    fail "GoogleTest reported no result for it: the process ended in the middle of the case" \
         "with exit code $rc" ;;
esac
