#!/usr/bin/env bash
# Drives the main window's skinned step button and check box with a real mouse (xdotool) on
# a virtual X display and checks, in screenshots compared pixel for pixel with the skin's own
# strips (scripts/screen-pixels.py), what a user sees and what the clicks do:
#   1. the first page's step button shows the skin's focused frame; hot and pressed frames
#      follow the mouse;
#   2. a press on it released outside it opens nothing;
#   3. a click opens the open-file dialog exactly once (a second click would bring a second
#      dialog once the first is closed);
#   4. the fourth page's check box chk1 shows the skin's checked mark, and a click on it the
#      unchecked mark.
# All of it runs twice in the one check: with the built-in skin, then with the Daylight skin
# (vexlo.exe --skin build/skins/vexlo-daylight.skn, other pictures, margins and sizes); each
# round compares with its own skin's strips.
# Screenshots go to build/screenshots/buttons[-daylight]-*.png.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine python3
for skin in build/skins/default build/skins/daylight; do
  [ -f "$skin/buttons.bmp" ] && [ -f "$skin/checkbox.bmp" ] || { echo "the skin's pictures are missing in $skin" >&2; exit 1; }
done
out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }
trap 'stop_virtual_display; rm -rf "$work"' EXIT

end_app() { kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; app=""; }

# round SUFFIX SKIN_DIR [ARGUMENT...]: one round with the skin whose pictures lie in SKIN_DIR.
round() {
  suffix=$1 skin=$2
  shift 2
  # The margins of the skin's push buttons (its Buttons section's LeftWidth).
  margin=$(awk '{ sub(/\r$/, "") } /^\[/ { b = $0 == "[Buttons]" } b && /^LeftWidth=/ { print substr($0, 11); exit }' "$skin/skin.ini")
  shot() { shot_as "buttons$suffix" "$1"; }  # build/screenshots/buttons[-daylight]-NAME.png and $work/NAME.ppm
  # Button rectangles of the skin's Buttons strip (5 frames, corners as large as its margins) in a
  # shot: lines "FRAME LEFT TOP WIDTH HEIGHT".
  buttons_in() { python3 scripts/screen-pixels.py corners "$work/$1.ppm" "$skin/buttons.bmp" 5 "$margin"; }
  # Check marks of the 12-frame check strip in a shot: lines "FRAME LEFT TOP".
  marks_in() { python3 scripts/screen-pixels.py whole "$work/$1.ppm" "$skin/checkbox.bmp" 12; }
  windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l; }

  start_main_window "$@"

  # 1. The step button: 105 x 25, focused when the window opens.
  shot start
  step=$(buttons_in start | awk '$4 == 105 && $5 == 25' | head -n 1)
  check "the step button is drawn from the skin's focused frame" [ "$(echo "$step" | cut -d' ' -f1)" = 5 ]
  [ -n "$step" ] || { echo "the step button was not found; see $out/buttons$suffix-start.png"; end_app; return; }
  read -r _ bx by bw bh <<<"$step"
  cx=$((bx + bw / 2)) cy=$((by + bh / 2))
  echo "Step button at $bx,$by, $bw x $bh"
  frame_at() {  # the frame of the button at the step button's place in shot $1
    buttons_in "$1" | awk -v x="$bx" -v y="$by" '$2 == x && $3 == y { print $1 }' | head -n 1
  }

  xdotool mousemove "$cx" "$cy"
  sleep 0.6
  shot hot
  check "the mouse over it shows the hot frame" [ "$(frame_at hot)" = 4 ]

  # 2. Press, leave, release outside: nothing opens.
  before=$(windows)
  xdotool mousedown 1
  sleep 0.5
  shot pressed
  check "a press shows the pressed frame" [ "$(frame_at pressed)" = 2 ]
  xdotool mousemove $((bx + 300)) $((by + 150))
  sleep 0.4
  xdotool mouseup 1
  sleep 2
  check "a press released outside the button opens nothing" [ "$(windows)" -eq "$before" ]

  # 3. A click opens the dialog once.
  xdotool mousemove "$cx" "$cy"
  sleep 0.4
  xdotool click 1
  opened() { [ "$(windows)" -gt "$before" ]; }
  check "a click opens the open-file dialog" wait_for opened 100
  sleep 1
  shot dialog
  check "exactly one dialog opened" [ "$(windows)" -eq $((before + 1)) ]
  xdotool key Escape
  closed() { [ "$(windows)" -eq "$before" ]; }
  wait_for closed 50 || true
  sleep 2
  check "no second dialog follows the first" [ "$(windows)" -eq "$before" ]

  # 4. The fourth page's check box chk1, checked when the window opens.
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
  for _ in 1 2 3; do xdotool key --clearmodifiers ctrl+Tab; sleep 0.7; done
  xdotool mousemove 5 5
  sleep 1
  shot page4
  mark=$(marks_in page4 | head -n 1)
  check "chk1 shows the skin's checked mark" [ "$(echo "$mark" | cut -d' ' -f1)" = 5 ]
  if [ -n "$mark" ]; then
    read -r _ mx my <<<"$mark"
    xdotool mousemove $((mx + 6)) $((my + 6))
    sleep 0.3
    xdotool click 1
    xdotool mousemove 5 5
    sleep 1
    shot unchecked
    now=$(marks_in unchecked | awk -v x="$mx" -v y="$my" '$2 == x && $3 == y { print $1 }' | head -n 1)
    check "a click on chk1 shows the skin's unchecked mark" [ "$now" = 1 ]
  fi
  end_app
}

echo "Round 1: the built-in skin"
round "" build/skins/default
echo "Round 2: the Daylight skin"
round -daylight build/skins/daylight --skin build/skins/vexlo-daylight.skn

echo "Screenshots: $out/buttons-*.png and $out/buttons-daylight-*.png"
[ "$failures" -eq 0 ]
