#!/usr/bin/env bash
# Starts Vexlo under Wine on a virtual display, waits for the main window and saves
# screenshots: build/screenshots/main.png (the window as it opens), then page-1.png to
# page-5.png, one for each page, turned with Ctrl+Tab as a user would; then the main window
# inactive (inactive.png) and the skin gallery with the program's own skin (skinview.png,
# skinview-2.png and skinview-3.png, one per page).
# Expects the program to be built (scripts/build.sh) and the packages installed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/screenshots
mkdir -p "$out"

source scripts/virtual-display.sh
start_virtual_display || true

wine build/src/app/vexlo.exe </dev/null >/dev/null 2>&1 &
app=$!
echo "Vexlo is running on the virtual display $display; waiting for its main window..."
window=""
for _ in $(seq 120); do
  window=$(xdotool search --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "The main window did not appear within 60 seconds." >&2
  exit 1
fi
sleep 2  # let it finish painting
shot() { xwd -root -silent -display "$display" | convert xwd:- "$1"; }
shot "$out/main.png"
echo "Screenshot of the main window saved to $out/main.png"

xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
for page in 1 2 3 4 5; do
  [ "$page" -gt 1 ] && xdotool key --clearmodifiers ctrl+Tab && sleep 1
  shot "$out/page-$page.png"
done
echo "Screenshots of the five pages saved to $out/page-1.png ... $out/page-5.png"

# The main window inactive: another program's window (Wine's own notepad) comes to the front.
wine notepad </dev/null >/dev/null 2>&1 &
other=$!
notepad=""
for _ in $(seq 40); do
  notepad=$(xdotool search --class notepad 2>/dev/null | head -n 1 || true)
  [ -n "$notepad" ] && break
  sleep 0.25
done
sleep 1
# Out of the way of the main window's title bar.
[ -n "$notepad" ] && xdotool windowsize "$notepad" 300 120 windowmove "$notepad" 20 770 >/dev/null 2>&1 || true
sleep 1
shot "$out/inactive.png"
kill "$other" 2>/dev/null || true
echo "Screenshot of the main window inactive saved to $out/inactive.png"

# The skin gallery, on its own: the main window goes first.
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=""
source scripts/skinview-shot.sh
if gallery_screenshot "$out/skinview.png"; then
  echo "Screenshots of the skin gallery saved to $out/skinview.png, skinview-2.png, skinview-3.png"
else
  echo "The skin gallery's window did not appear within 60 seconds." >&2
  exit 1
fi
