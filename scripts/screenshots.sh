#!/usr/bin/env bash
# Starts Vexlo under Wine on a virtual display, waits for the main window and saves
# screenshots: build/screenshots/main.png (the window as it opens), then page-1.png to
# page-5.png, one for each page, turned with Ctrl+Tab as a user would; then the main window
# inactive (inactive.png) and the skin gallery with the program's own skin (skinview.png,
# skinview-2.png and skinview-3.png, one per page). The same again with the Daylight skin
# (build/skins/vexlo-daylight.skn): daylight-main.png, daylight-page-1.png ...
# daylight-skinview-3.png. Then all of it again at 144 and at 192 DPI (the screen's pixels per
# inch that Wine reads when a program starts): dpi144-main.png ... dpi192-daylight-skinview-3.png.
# Expects the program to be built (scripts/build.sh) and the packages installed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/screenshots
daylight=build/skins/vexlo-daylight.skn
mkdir -p "$out"

# Large enough for the main window and the gallery at 192 DPI.
export VEXLO_SCREEN=${VEXLO_SCREEN:-2048x1536}
source scripts/virtual-display.sh
start_virtual_display || true

# main_screenshots PREFIX [ARGS...] starts the program with ARGS, saves PREFIXmain.png, the five
# pages and the window inactive, and ends it again.
main_screenshots() {
  local prefix=$1 app window="" other notepad=""
  shift
  wine build/src/app/vexlo.exe "$@" </dev/null >/dev/null 2>&1 &
  app=$!
  echo "Vexlo $* is running on the virtual display $display; waiting for its main window..."
  for _ in $(seq 120); do
    window=$(xdotool search --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.5
  done
  if [ -z "$window" ]; then
    echo "The main window did not appear within 60 seconds." >&2
    kill "$app" 2>/dev/null || true
    return 1
  fi
  sleep 2  # let it finish painting
  shot "$out/${prefix}main.png"
  echo "Screenshot of the main window saved to $out/${prefix}main.png"

  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
  for page in 1 2 3 4 5; do
    [ "$page" -gt 1 ] && xdotool key --clearmodifiers ctrl+Tab && sleep 1
    shot "$out/${prefix}page-$page.png"
  done
  echo "Screenshots of the five pages saved to $out/${prefix}page-1.png ... $out/${prefix}page-5.png"

  # The main window inactive: another program's window (Wine's own notepad) comes to the front.
  # A notepad window of an earlier round may linger for a moment: only a new one counts.
  local earlier
  earlier=$(xdotool search --class notepad 2>/dev/null || true)
  wine notepad </dev/null >/dev/null 2>&1 &
  other=$!
  for _ in $(seq 40); do
    notepad=$(xdotool search --onlyvisible --class notepad 2>/dev/null | grep -vxF "${earlier:-none}" | head -n 1 || true)
    [ -n "$notepad" ] && break
    sleep 0.25
  done
  sleep 1
  # Out of the way of the main window's title bar.
  [ -n "$notepad" ] && xdotool windowsize "$notepad" 300 120 windowmove "$notepad" 20 770 >/dev/null 2>&1 || true
  sleep 1
  shot "$out/${prefix}inactive.png"
  kill "$other" 2>/dev/null || true
  wait "$other" 2>/dev/null || true
  echo "Screenshot of the main window inactive saved to $out/${prefix}inactive.png"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

shot() { xwd -root -silent -display "$display" | convert xwd:- "$1"; }
source scripts/skinview-shot.sh

# every_screenshot PREFIX: the main window and the gallery, with each skin.
every_screenshot() {
  local at=$1 prefix args
  main_screenshots "$at"
  main_screenshots "${at}daylight-" --skin "$daylight"
  for prefix in "$at" "${at}daylight-"; do
    args=()
    [ "$prefix" != "$at" ] && args=("$daylight")
    if gallery_screenshot "$out/${prefix}skinview.png" "${args[@]}"; then
      echo "Screenshots of the skin gallery saved to $out/${prefix}skinview.png, ${prefix}skinview-2.png, ${prefix}skinview-3.png"
    else
      echo "The skin gallery's window did not appear within 60 seconds." >&2
      exit 1
    fi
  done
}

for dpi in 96 144 192; do
  set_dpi "$dpi"
  if [ "$dpi" = 96 ]; then every_screenshot ""; else every_screenshot "dpi$dpi-"; fi
done
