#!/usr/bin/env bash
# Drives the main window's caption buttons with a real mouse (xdotool) on a virtual X display,
# the way a user does, and checks what happens:
#   1. the close and minimize buttons are drawn from the skin's strips, pixel for pixel, where
#      the skin places them (at 192 DPI from the strips enlarged 2x by pixel repetition);
#   2. a click on the minimize button minimizes the window (it shrinks to its title bar);
#   3. a double click on the minimized title restores it to its full size;
#   4. a press on the close button released outside it leaves the program running;
#   5. a click on the close button ends the program.
# All of it runs twice in the one check: with the built-in skin (buttons on the right), then
# with the Daylight skin (vexlo.exe --skin build/skins/vexlo-daylight.skn: round buttons on
# the left, in another order, of other sizes); each round takes the buttons' places, sizes and
# pictures from its own skin's description.
# Both skins are then driven again at 120, 144 and 192 DPI (the prefix's LogPixels, set back to
# 96 on the way out): the window must be its 96-DPI size scaled, and the buttons are looked for
# at the skin's places and sizes scaled the way the program scales them. The pixel comparison
# (1.) is made at 96 and 192 DPI only: at 120 and 144 DPI the engine filters the pictures, which
# its own tests compare; there only what the buttons do is checked.
# Screenshots of the window as it starts, of the title bar with the minimize button hot and
# pressed, and of the minimized window, go to
# build/screenshots/caption[-daylight][-DPIdpi]-*.png (no DPI in the name at 96).
# The display is 1920x1440 unless VEXLO_SCREEN says otherwise: the window is larger at 192 DPI.
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

export VEXLO_SCREEN=${VEXLO_SCREEN:-1920x1440}
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
# button SECTION: reads the caption button's place and picture: ALIGN XC YC BW BH IMAGE FRAMES,
# the place and size scaled to the DPI.
button() {
  ALIGN=$(key "$1" Align) XC=$(of "$(key "$1" Xcoord)") YC=$(of "$(key "$1" Ycoord)")
  IMAGE=$skin/$(key "$1" ButtonImage) FRAMES=$(key "$1" frame)
  BW=$(of $(($(identify -format %w "$IMAGE") / FRAMES))) BH=$(of "$(identify -format %h "$IMAGE")")
}
# The left edge on the screen of the button just read, in the window at X of width WIDTH.
button_x() { if [ "$ALIGN" = 1 ]; then echo $((X + WIDTH - XC)); else echo $((X + XC)); fi; }
# drawn SHOT: answers whether a whole frame of the strip of the button just read is drawn at
# its place, pixel for pixel (the strip's magenta left out); at 192 DPI the strip enlarged 2x
# by pixel repetition.
drawn() {
  local strip=$IMAGE
  if [ "$dpi" -eq 192 ]; then
    strip=$work/strip-2x.bmp
    convert "$IMAGE" -scale 200% -type TrueColor "BMP3:$strip"
  fi
  python3 scripts/screen-pixels.py whole "$1" "$strip" "$FRAMES" |
    awk -v x="$(button_x)" -v y=$((Y + YC)) '$2 == x && $3 == y { found = 1 } END { exit !found }'
}

# The window's size at 96 DPI with each skin, to which the other DPIs compare theirs.
declare -A size96

# round SUFFIX SKIN_DIR [ARGUMENT...]: one round at the DPI `dpi` with the skin whose pictures
# lie in SKIN_DIR.
round() {
  local suffix=$1
  skin=$2
  shift 2
  start_main_window "$@"
  geometry || { echo "FAIL: the main window cannot be measured"; exit 1; }
  local full_w=$WIDTH full_h=$HEIGHT
  echo "Main window at $X,$Y, $WIDTH x $HEIGHT"
  if [ "$dpi" -eq 96 ]; then
    size96[$skin]="$WIDTH $HEIGHT"
  elif [ -n "${size96[$skin]:-}" ]; then
    # The client area and the skin's frame around it are both scaled: the whole window is its
    # 96-DPI size scaled, give or take the rounding of each.
    local w96 h96
    read -r w96 h96 <<<"${size96[$skin]}"
    scaled_size() { [ $((WIDTH - $(of "$w96"))) -ge -3 ] && [ $((WIDTH - $(of "$w96"))) -le 3 ] &&
      [ $((HEIGHT - $(of "$h96"))) -ge -3 ] && [ $((HEIGHT - $(of "$h96"))) -le 3 ]; }
    check "the window is scaled to $dpi DPI ($(of "$w96") x $(of "$h96") expected)" scaled_size
  fi
  xwd -root -silent | convert xwd:- "$work/start.ppm"
  convert "$work/start.ppm" "$out/caption$suffix-window.png"
  # The window has no maximize box: its minimize button is the skin's lone one if it has one.
  local minimize=Button.MinimizeAlone
  [ -n "$(key $minimize ButtonImage)" ] || minimize=Button.Minimize
  if [ "$dpi" -eq 96 ] || [ "$dpi" -eq 192 ]; then
    button Button.Close
    check "the close button is drawn from the skin's strip where the skin places it" drawn "$work/start.ppm"
    button "$minimize"
    check "the minimize button is drawn from the skin's strip where the skin places it" drawn "$work/start.ppm"
  fi
  button "$minimize"
  local min_x=$(($(button_x) + BW / 2)) button_y=$((Y + YC + BH / 2))
  # The title bar's end that holds the buttons, magnified (4x at 96 DPI, less at more DPI).
  local left=$((ALIGN == 1 ? X + WIDTH - $(of 125) : X))
  local crop zoom=$((400 * 96 / dpi))
  crop=$(of 130)x$(of 40)+$left+$((Y - $(of 4)))
  title_shot() { xwd -root -silent | convert xwd:- -crop "$crop" -filter point -resize $zoom% +repage "$out/$1"; }

  # 2. Minimize.
  xdotool mousemove "$min_x" "$button_y"
  sleep 0.6
  title_shot "caption$suffix-hot.png"
  xdotool mousedown 1
  sleep 0.4
  title_shot "caption$suffix-pressed.png"
  xdotool mouseup 1
  minimized() { geometry && [ "$HEIGHT" -lt "$(of 100)" ]; }
  check "a click on the minimize button minimizes the window" wait_for minimized 50
  geometry || true
  xwd -root -silent | convert xwd:- "$out/caption$suffix-minimized.png"

  # 3. Restore by a double click on the minimized title, halfway between the caption buttons
  # (and the window's icon, 16 pixels at 96 DPI) that stand at its left end and those at its
  # right end: the minimized window is narrow, and at 192 DPI little of its title is free.
  local lend=0 rstart=$WIDTH section
  for section in Button.Close "$minimize" Button.Icon; do
    [ -n "$(key "$section" Xcoord)" ] || continue
    ALIGN=$(key "$section" Align) XC=$(of "$(key "$section" Xcoord)") BW=$(of 16)
    [ -z "$(key "$section" ButtonImage)" ] || button "$section"
    if [ "$ALIGN" = 1 ]; then
      rstart=$((WIDTH - XC < rstart ? WIDTH - XC : rstart))
    else
      lend=$((XC + BW > lend ? XC + BW : lend))
    fi
  done
  local free_x=$((X + (lend + rstart) / 2))
  xdotool mousemove "$free_x" $((Y + HEIGHT / 2))
  sleep 0.3
  xdotool click --repeat 2 --delay 80 1
  restored() { geometry && [ "$WIDTH" -eq "$full_w" ] && [ "$HEIGHT" -eq "$full_h" ]; }
  check "a double click on the minimized title restores the window" wait_for restored 50
  sleep 1
  geometry || true
  button Button.Close
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

rounds_at 96 120 144 192

echo "Screenshots: $out/caption[-daylight][-DPIdpi]-*.png"
[ "$failures" -eq 0 ]
