#!/usr/bin/env bash
# Starts the program with skins that each lack one section of its own skin (the program's skin
# folder packed again with that section left out of its description, checked by skinpack) and
# drives the main window with a real mouse (xdotool) on a virtual X display, one skin after the
# other in one run:
#   1. a click on each step tab, the last first, turns to its page: the five pages differ;
#   2. the window answers and closes, and the program ends with exit code 0.
# The step tabs' places are found once with the whole skin, by their corners in the skin's
# Buttons strip; the tabs keep their places in the window's client area whatever the skin
# lacks (a skin without border pictures leaves the window its own frame).
# Screenshots of the first page with each skin go to build/screenshots/partial-SECTION.png.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine python3 cmp
skin=build/skins/default
skinpack=build/skinpack-host/tools/skinpack/skinpack
[ -f "$skin/skin.ini" ] || { echo "the skin's folder is missing in $skin" >&2; exit 1; }
[ -x "$skinpack" ] || { echo "$skinpack is missing" >&2; exit 1; }
out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }
cleanup() { rm -rf "$work"; stop_virtual_display; }
trap cleanup EXIT

shot() { shot_as partial "$1"; }
quiet() { "$@" >/dev/null; }
# The page below the tabs (884 x 500 from PX, PY in the client area) of shot $1.
page() { convert "$work/$1.ppm" -crop 884x500+$((CX + PX))+$((CY + PY)) +repage ppm:-; }

# Starts the program with the package $1 and waits for its main window (in `window`).
start_with() {
  wine build/src/app/vexlo.exe --skin "$1" </dev/null >/dev/null 2>&1 &
  app=$!
  window=""
  wait_for 'window=$(xdotool search --name "Vexlo 1.0" 2>/dev/null | head -n 1) && [ -n "$window" ]' 600
}

# Closes the main window and answers whether the program ended with exit code 0 in time.
closes() {
  xdotool key --clearmodifiers alt+F4 2>/dev/null || true
  for _ in $(seq 200); do
    if ! kill -0 "$app" 2>/dev/null; then
      wait "$app"
      return $?
    fi
    sleep 0.1
  done
  kill "$app" 2>/dev/null || true
  return 1
}

# The whole skin: where the step tabs are (lines "LEFT TOP WIDTH HEIGHT", window coordinates).
# The window's client area on the screen in shot $1: the window is what the shot holds, its
# client area 918 x 644 with borders of one width left, right and below (the skin's and the
# system's frame alike); prints the client area's and the window's top-left corners.
corners() {
  convert "$work/$1.ppm" -trim info:- | awk '{
    split($3, s, "x"); split($4, a, "+"); b = int((s[1] - 918) / 2)
    print a[2] + b, a[3] + s[2] - 644 - b, a[2], a[3] }'
}
"$skinpack" pack "$skin" "$work/whole.skn" >/dev/null
start_with "$(winepath -w "$work/whole.skn")" || { echo "FAIL: no main window with the whole skin"; exit 1; }
sleep 3
shot whole
read -r CX CY WX WY < <(corners whole)
# The page below the tabs lies at window coordinates 16, 140 with the whole skin.
PX=$((WX + 16 - CX)) PY=$((WY + 140 - CY))
python3 scripts/screen-pixels.py corners "$work/whole.ppm" "$skin/buttons.bmp" 5 4 |
  awk -v x="$CX" -v y="$CY" -v wy="$WY" '$3 - wy >= 100 && $3 - wy <= 140 && $5 < 40 { print $2 - x, $3 - y, $4, $5 }' |
  sort -n -k1 >"$work/tabs.txt"
check "the five step tabs are found with the whole skin" [ "$(wc -l <"$work/tabs.txt")" -eq 5 ]
check "the program with the whole skin closes" closes
[ "$(wc -l <"$work/tabs.txt")" -eq 5 ] || exit 1
centre() { awk -v n="$1" 'NR == n { print $1 + int($3 / 2), $2 + int($4 / 2) }' "$work/tabs.txt"; }

sections=$(sed -n 's/^\[\(.*\)\]\r\{0,1\}$/\1/p' "$skin/skin.ini")
for section in $sections; do
  folder="$work/skin-$section"
  cp -r "$skin" "$folder"
  awk -v drop="[$section]" '{ line = $0; sub(/\r$/, "", line) } line ~ /^\[/ { skip = line == drop } !skip' \
    "$skin/skin.ini" >"$folder/skin.ini"
  "$skinpack" pack "$folder" "$work/partial.skn" >/dev/null
  check "without [$section]: skinpack finds no problem" quiet "$skinpack" check "$work/partial.skn"
  if ! start_with "$(winepath -w "$work/partial.skn")"; then
    check "without [$section]: the main window appears" false
    continue
  fi
  sleep 3
  shot "$section-start"
  read -r CX CY WX WY < <(corners "$section-start")
  for n in 5 4 3 2 1; do
    read -r x y < <(centre "$n")
    xdotool mousemove $((CX + x)) $((CY + y)) && sleep 0.2 && xdotool click 1 && sleep 0.6
    shot "$section-$n"
  done
  cp "$out/partial-$section-1.png" "$out/partial-$section.png"
  distinct=1
  for a in 1 2 3 4 5; do
    for b in 1 2 3 4 5; do
      [ "$a" -lt "$b" ] && cmp -s <(page "$section-$a") <(page "$section-$b") && distinct=0
    done
  done
  check "without [$section]: each step tab clicked shows a page of its own" [ "$distinct" = 1 ]
  check "without [$section]: the window closes and the program ends well" closes
  for n in start 1 2 3 4 5; do rm -f "$out/partial-$section-$n.png" "$work/$section-$n.ppm"; done
  rm -rf "$folder"
done

echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
