# shellcheck shell=bash
# Sourced (from the project's root) by the checks that drive the program with a real mouse and
# keyboard on a virtual display. require_real_input TOOL... skips the check (exit 77) when
# VEXLO_DISPLAY_REQUIRED is set (as CTest runs it) and VEXLO_DISPLAY names no display, or when
# a tool is not installed, and stops when the program is not built. check NAME CONDITION...
# reports one outcome and counts the failures; wait_for COMMAND TENTHS waits up to TENTHS tenths
# of a second for COMMAND to succeed. start_main_window [ARGUMENT...] starts the program on the
# display with those arguments (its process in `app`) and waits up to a minute for its main
# window (in `window`) to be shown and drawn.
# settle [BEFORE] waits until the display has stopped changing (the same picture four times
# running) and, when BEFORE (a screen_sum) is given, shows something other than that picture:
# what the program draws in answer to an input has been drawn, however long it took. after
# COMMAND... runs an input and settles on what it changed. Both give up after about half a
# minute and leave the verdict to the check that follows.
# shot_as PREFIX NAME keeps the screen as build/screenshots/PREFIX-NAME.png and, for the pixel
# questions, as $work/NAME.ppm.
# of VALUE prints VALUE scaled from 96 DPI to the DPI set_dpi (virtual-display.sh) chose
# (VALUE * dpi / 96, halves rounded away from zero), as the program scales its places and
# sizes. rounds_at DPI... runs the check's own `round TAG SKIN_DIR [ARGUMENT...]` with each of
# our skins at each DPI, TAG naming its screenshots (-daylight, -144dpi, -daylight-144dpi).
require_real_input() {
  if [ -n "${VEXLO_DISPLAY_REQUIRED:-}" ] && [ -z "${VEXLO_DISPLAY:-}" ]; then
    echo "SKIPPED: VEXLO_DISPLAY does not name a display for this check"
    exit 77
  fi
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIPPED: $tool is not installed"; exit 77; }
  done
  [ -x build/src/app/vexlo.exe ] || { echo "build/src/app/vexlo.exe is missing" >&2; exit 1; }
}

failures=0
check() {
  local name=$1
  shift
  if "$@"; then echo "PASS: $name"; else echo "FAIL: $name"; failures=$((failures + 1)); fi
}

wait_for() { for _ in $(seq "$2"); do eval "$1" && return 0; sleep 0.1; done; return 1; }

# The picture is read again when a window went away while xwd walked the window tree.
screen_sum() {
  local sum
  for _ in 1 2 3 4 5; do
    if sum=$(set -o pipefail; xwd -root -silent 2>/dev/null | md5sum); then
      echo "${sum%% *}"
      return 0
    fi
    sleep 0.05
  done
  echo unreadable
}
settle() {
  local before=${1:-} last="" now same=0
  for _ in $(seq 200); do
    now=$(screen_sum)
    if [ "$now" = "$last" ] && [ "$now" != "$before" ]; then
      same=$((same + 1))
      [ "$same" -lt 3 ] || return 0
    else
      same=0
    fi
    last=$now
    sleep 0.05
  done
}
after() {
  local before
  before=$(screen_sum)
  "$@"
  settle "$before"
}

start_main_window() {  # start_main_window [ARGUMENT...]: the program's own arguments
  local empty
  empty=$(screen_sum)
  wine build/src/app/vexlo.exe "$@" </dev/null >/dev/null 2>&1 &
  app=$!
  window=""
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      settle "$empty"
      return 0
    fi
    sleep 0.5
  done
  echo "FAIL: the main window did not appear within 60 seconds"
  exit 1
}

shot_as() {
  xwd -root -silent | convert xwd:- "build/screenshots/$1-$2.png"
  convert "build/screenshots/$1-$2.png" "$work/$2.ppm"
}

rounds_at() {
  local d tag
  for d in "$@"; do
    set_dpi "$d"
    tag=""
    [ "$d" -eq 96 ] || tag=-${d}dpi
    echo "The built-in skin at $d DPI"
    round "$tag" build/skins/default
    echo "The Daylight skin at $d DPI"
    round "-daylight$tag" build/skins/daylight --skin build/skins/vexlo-daylight.skn
  done
}
of() {  # of VALUE (an empty VALUE is 0)
  local v=${1:-0}
  if [ "$v" -ge 0 ]; then echo $(((v * dpi * 2 + 96) / 192)); else echo $((-((-v * dpi * 2 + 96) / 192))); fi
}
