# shellcheck shell=bash
# Sourced (from the project's root) by the checks that drive the program with a real mouse and
# keyboard on a virtual display. require_real_input TOOL... skips the check (exit 77) when
# VEXLO_DISPLAY_REQUIRED is set (as CTest runs it) and VEXLO_DISPLAY names no display, or when
# a tool is not installed, and stops when the program is not built. check NAME CONDITION...
# reports one outcome and counts the failures; wait_for COMMAND TENTHS waits up to TENTHS tenths
# of a second for COMMAND to succeed. start_main_window [ARGUMENT...] starts the program on the
# display with those arguments (its process in `app`) and waits up to a minute for its main
# window (in `window`).
# shot_as PREFIX NAME keeps the screen as build/screenshots/PREFIX-NAME.png and, for the pixel
# questions, as $work/NAME.ppm.
# set_dpi DPI makes the programs started after it run at DPI (Wine reads the display's DPI from
# the prefix's registry when a process starts) and keeps it in `dpi`; of VALUE prints VALUE
# scaled from 96 DPI to it (VALUE * dpi / 96, halves rounded away from zero), as the program
# scales its places and sizes. The prefix is shared by every check: a check that changes the
# DPI calls restore_dpi on its way out, which sets 96 again.
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

start_main_window() {  # start_main_window [ARGUMENT...]: the program's own arguments
  wine build/src/app/vexlo.exe "$@" </dev/null >/dev/null 2>&1 &
  app=$!
  window=""
  for _ in $(seq 120); do
    window=$(xdotool search --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && return 0
    sleep 0.5
  done
  echo "FAIL: the main window did not appear within 60 seconds"
  exit 1
}

shot_as() {
  xwd -root -silent | convert xwd:- "build/screenshots/$1-$2.png"
  convert "build/screenshots/$1-$2.png" "$work/$2.ppm"
}

dpi=96 dpi_set=""
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  dpi=$1 dpi_set=1
}
restore_dpi() { [ -z "$dpi_set" ] || set_dpi 96; }
of() {  # of VALUE (an empty VALUE is 0)
  local v=${1:-0}
  if [ "$v" -ge 0 ]; then echo $(((v * dpi * 2 + 96) / 192)); else echo $((-((-v * dpi * 2 + 96) / 192))); fi
}
