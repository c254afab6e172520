#!/usr/bin/env bash
# Drives the main window's caption buttons with a real mouse (xdotool) on a virtual X display,
# the way a user does, and checks what happens:
#   1. a click on the minimize button minimizes the window (it shrinks to its title bar);
#   2. a double click on the minimized title restores it to its full size;
#   3. a press on the close button released outside it leaves the program running;
#   4. a click on the close button ends the program.
# Screenshots of the title bar with the minimize button hot and pressed, and of the minimized
# window, go to build/screenshots/caption-*.png.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine
out=build/screenshots
mkdir -p "$out"

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }

# The window's place and size. Wine may give a window a new X window when it is minimized or
# restored, so it is looked up by its title each time.
geometry() {
  window=$(xdotool search --onlyvisible --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] || { X=0 Y=0 WIDTH=0 HEIGHT=0; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"
}
title_shot() {  # the right end of the title bar, magnified
  xwd -root -silent | convert xwd:- -crop 130x34+$((X + WIDTH - 125))+$((Y - 4)) \
    -filter point -resize 400% "$out/$1"
}

start_main_window
sleep 2
geometry || { echo "FAIL: the main window cannot be measured"; exit 1; }
full_w=$WIDTH full_h=$HEIGHT
echo "Main window at $X,$Y, $WIDTH x $HEIGHT"

# The skin's buttons: 22 x 18, 4 pixels down, close 28 and minimize 52 pixels left of the
# window's right edge.
min_x=$((X + WIDTH - 52 + 11)) close_x=$((X + WIDTH - 28 + 11)) button_y=$((Y + 4 + 9))

# 1. Minimize.
xdotool mousemove "$min_x" "$button_y"
sleep 0.6
title_shot caption-hot.png
xdotool mousedown 1
sleep 0.4
title_shot caption-pressed.png
xdotool mouseup 1
minimized() { geometry && [ "$HEIGHT" -lt 100 ]; }
check "a click on the minimize button minimizes the window" wait_for minimized 50
geometry || true
xwd -root -silent | convert xwd:- "$out/caption-minimized.png"

# 2. Restore by a double click on the minimized title (on its text, clear of the icon).
xdotool mousemove $((X + 50)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
restored() { geometry && [ "$WIDTH" -eq "$full_w" ] && [ "$HEIGHT" -eq "$full_h" ]; }
check "a double click on the minimized title restores the window" wait_for restored 50
sleep 1
geometry || true
close_x=$((X + WIDTH - 28 + 11)) button_y=$((Y + 4 + 9))

# 3. Press on close, release outside it.
xdotool mousemove "$close_x" "$button_y"
sleep 0.3
xdotool mousedown 1
sleep 0.3
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool mouseup 1
sleep 2
still_there() { kill -0 "$app" 2>/dev/null && restored; }
check "a press on close released outside it leaves the program running" still_there

# 4. Click on close.
xdotool mousemove "$close_x" "$button_y"
sleep 0.3
xdotool click 1
gone() { ! kill -0 "$app" 2>/dev/null; }
check "a click on the close button ends the program" wait_for gone 100
gone && app=""

echo "Screenshots: $out/caption-hot.png, $out/caption-pressed.png, $out/caption-minimized.png"
[ "$failures" -eq 0 ]
