#!/usr/bin/env bash
# Drives the main window's caption buttons with a real mouse (xdotool) on a virtual X display,
# the way a user does, and checks what happens:
#   1. the close and minimize buttons are drawn from the skin's strips, pixel for pixel, where
#      the skin places them;
#   2. a click on the minimize button minimizes the window (it shrinks to its title bar);
#   3. a double click on the minimized title restores it to its full size;
#   4. a press on the close button released outside it leaves the program running;
#   5. a click on the close button ends the program.
# All of it runs twice in the one check: with the built-in skin (buttons on the right), then
# with the Daylight skin (vexlo.exe --skin build/skins/vexlo-daylight.skn: round buttons on
# the left, in another order, of other sizes); each round takes the buttons' places, sizes and
# pictures from its own skin's description.
# Screenshots of the title bar with the minimize button hot and pressed, and of the minimized
# window, go to build/screenshots/caption[-daylight]-*.png.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert identify wine python3
for skin in build/skins/default build/skins/daylight; do
  [ -f "$skin/skin.ini" ] || { echo "the skin's description is missing in $skin" >&2; exit 1; }
done
out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }
trap 'stop_virtual_display; rm -rf "$work"' EXIT

# The window's place and size. Wine may give a window a new X window when it is minimized or
# restored, so it is looked up by its title each time.
geometry() {
  window=$(xdotool search --onlyvisible --name 'Vexlo 1.0' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] || { X=0 Y=0 WIDTH=0 HEIGHT=0; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"
}
# key SECTION NAME: the value of NAME in [SECTION] of the skin's description (empty if none).
key() {
  awk -v s="[$1]" -v k="$2" '{ sub(/\r$/, "") } /^\[/ { in_s = $0 == s; next }
    in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }' "$skin/skin.ini"
}
# button SECTION: reads the caption button's place and picture: ALIGN XC YC BW BH IMAGE FRAMES.
button() {
  ALIGN=$(key "$1" Align) XC=$(key "$1" Xcoord) YC=$(key "$1" Ycoord)
  IMAGE=$skin/$(key "$1" ButtonImage) FRAMES=$(key "$1" frame)
  BW=$(($(identify -format %w "$IMAGE") / FRAMES)) BH=$(identify -format %h "$IMAGE")
}
# The left edge on the screen of the button just read, in the window at X of width WIDTH.
button_x() { if [ "$ALIGN" = 1 ]; then echo $((X + WIDTH - XC)); else echo $((X + XC)); fi; }
# drawn SHOT: answers whether a whole frame of the strip of the button just read is drawn at
# its place, pixel for pixel (the strip's magenta left out).
drawn() {
  python3 scripts/screen-pixels.py whole "$1" "$IMAGE" "$FRAMES" |
    awk -v x="$(button_x)" -v y=$((Y + YC)) '$2 == x && $3 == y { found = 1 } END { exit !found }'
}

# round SUFFIX SKIN_DIR [ARGUMENT...]: one round with the skin whose pictures lie in SKIN_DIR.
round() {
  local suffix=$1
  skin=$2
  shift 2
  start_main_window "$@"
  sleep 2
  geometry || { echo "FAIL: the main window cannot be measured"; exit 1; }
  local full_w=$WIDTH full_h=$HEIGHT
  echo "Main window at $X,$Y, $WIDTH x $HEIGHT"
  xwd -root -silent | convert xwd:- "$work/start.ppm"
  # The window has no maximize box: its minimize button is the skin's lone one if it has one.
  local minimize=Button.MinimizeAlone
  [ -n "$(key $minimize ButtonImage)" ] || minimize=Button.Minimize
  button Button.Close
  check "the close button is drawn from the skin's strip where the skin places it" drawn "$work/start.ppm"
  button "$minimize"
  check "the minimize button is drawn from the skin's strip where the skin places it" drawn "$work/start.ppm"
  local min_x=$(($(button_x) + BW / 2)) button_y=$((Y + YC + BH / 2))
  # The title bar's end that holds the buttons, magnified.
  local left=$((ALIGN == 1 ? X + WIDTH - 125 : X))
  title_shot() { xwd -root -silent | convert xwd:- -crop 130x40+$left+$((Y - 4)) -filter point -resize 400% "$out/$1"; }

  # 2. Minimize.
  xdotool mousemove "$min_x" "$button_y"
  sleep 0.6
  title_shot "caption$suffix-hot.png"
  xdotool mousedown 1
  sleep 0.4
  title_shot "caption$suffix-pressed.png"
  xdotool mouseup 1
  minimized() { geometry && [ "$HEIGHT" -lt 100 ]; }
  check "a click on the minimize button minimizes the window" wait_for minimized 50
  geometry || true
  xwd -root -silent | convert xwd:- "$out/caption$suffix-minimized.png"

  # 3. Restore by a double click on the minimized title, halfway between its caption buttons
  # and the end of the title that has none.
  button Button.Close
  local free_x=$((ALIGN == 1 ? X + (WIDTH - XC) / 2 : X + (XC + 3 * BW + WIDTH) / 2 - 8))
  xdotool mousemove "$free_x" $((Y + HEIGHT / 2))
  sleep 0.3
  xdotool click --repeat 2 --delay 80 1
  restored() { geometry && [ "$WIDTH" -eq "$full_w" ] && [ "$HEIGHT" -eq "$full_h" ]; }
  check "a double click on the minimized title restores the window" wait_for restored 50
  sleep 1
  geometry || true
  local close_x=$(($(button_x) + BW / 2)) close_y=$((Y + YC + BH / 2))

  # 4. Press on close, release outside it.
  xdotool mousemove "$close_x" "$close_y"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  sleep 0.3
  xdotool mouseup 1
  sleep 2
  still_there() { kill -0 "$app" 2>/dev/null && restored; }
  check "a press on close released outside it leaves the program running" still_there

  # 5. Click on close.
  xdotool mousemove "$close_x" "$close_y"
  sleep 0.3
  xdotool click 1
  gone() { ! kill -0 "$app" 2>/dev/null; }
  check "a click on the close button ends the program" wait_for gone 100
  gone && app=""
}

echo "Round 1: the built-in skin"
round "" build/skins/default
echo "Round 2: the Daylight skin"
round -daylight build/skins/daylight --skin build/skins/vexlo-daylight.skn

echo "Screenshots: $out/caption-*.png and $out/caption-daylight-*.png"
[ "$failures" -eq 0 ]
