#!/usr/bin/env bash
# Skins that each lack one section of the program's own skin (the program's skin folder packed
# again with that section left out of its description, checked by skinpack), driven with a
# real mouse and keyboard (xdotool) on a virtual X display:
#   1. the skin gallery, started once with the whole skin, loads every one of them in turn
#      through File > Load skin... and its open dialog (the path typed, Enter): its title
#      names the file; a click on each of its three page tabs turns to that page, and the
#      three pages differ. At the end Alt+F4 closes it and it ends with exit code 0;
#   2. the main window, started with the whole skin and with a few skins whose loss changes
#      what its step tabs or its frame look like (no Buttons: the tabs in their own look; no
#      Personality: the system's frame; no close button picture): a click on each step tab,
#      the last first, turns to its page, the five pages differ, and the window closes with
#      exit code 0. The in-process tests apply every partial skin to the main window live.
# The step tabs' places are found once with the whole skin, by their corners in the skin's
# Buttons strip; the tabs keep their places in the window's client area whatever the skin
# lacks (a skin without border pictures leaves the window its own frame).
# Screenshots go to build/screenshots/partial-SECTION.png (the main window's first page) and
# partial-gallery-SECTION.png (the gallery's last page, where the most kinds of control are).
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine python3 cmp md5sum
skin=build/skins/default
skinpack=build/skinpack-host/tools/skinpack/skinpack
gallery=build/tools/skinview/skinview.exe
[ -f "$skin/skin.ini" ] || { echo "the skin's folder is missing in $skin" >&2; exit 1; }
[ -x "$skinpack" ] || { echo "$skinpack is missing" >&2; exit 1; }
[ -x "$gallery" ] || { echo "$gallery is missing" >&2; exit 1; }
out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }
cleanup() { rm -rf "$work"; stop_virtual_display; }
trap cleanup EXIT

shot() { shot_as partial "$1"; }
quiet() { "$@" >/dev/null; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Ends the program in `app` with Alt+F4 and answers whether it ended with exit code 0 in time.
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

# Every section of the skin, and the package without it as $work/no-SECTION.skn, checked.
"$skinpack" pack "$skin" "$work/whole.skn" >/dev/null
sections=$(sed -n 's/^\[\(.*\)\]\r\{0,1\}$/\1/p' "$skin/skin.ini")
for section in $sections; do
  folder="$work/skin-$section"
  cp -r "$skin" "$folder"
  awk -v drop="[$section]" '{ line = $0; sub(/\r$/, "", line) } line ~ /^\[/ { skip = line == drop } !skip' \
    "$skin/skin.ini" >"$folder/skin.ini"
  "$skinpack" pack "$folder" "$work/no-$section.skn" >/dev/null
  check "without [$section]: skinpack finds no problem" quiet "$skinpack" check "$work/no-$section.skn"
  rm -rf "$folder"
done

# 1. The gallery, one start for every partial skin.
galleries() { xdotool search --onlyvisible --name '^Vexlo 皮肤预览' 2>/dev/null || true; }
empty=$(screen_sum)
wine "$gallery" "$(windows_path "$work/whole.skn")" </dev/null >/dev/null 2>&1 &
app=$!
window=""
wait_for 'window=$(xdotool search --onlyvisible --name "^Vexlo 皮肤预览 - whole.skn" 2>/dev/null | head -n 1) && [ -n "$window" ]' 600 ||
  { echo "FAIL: the gallery did not appear with the whole skin"; exit 1; }
settle "$empty"
# Its client area keeps its size through every skin: with the whole skin's frame (4-pixel
# borders, a 26-pixel title and an 18-pixel menu bar) it is the window less 8 x 48 pixels.
eval "$(xdotool getwindowgeometry --shell "$window")"
client_w=$((WIDTH - 8)) client_h=$((HEIGHT - 48))
# The client area's top-left corner in the window (BX, BY) and on the screen (GX, GY) under the
# frame shown now: the borders left, right and below are alike, whichever frame it is.
client_corner() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  BX=$(((WIDTH - client_w) / 2))
  BY=$((HEIGHT - BX - client_h))
  GX=$((X + BX)) GY=$((Y + BY))
}
# The page control fills the client area; its tabs' centres lie 11 pixels down, 60, 230 and
# 400 pixels in. The page below them (without the status bar) is what a page shows.
# window_sum: the sum of a shot of the window alone (kept in $work/gallery.xwd).
window_sum() { xwd -silent -id "$window" | tee "$work/gallery.xwd" | md5sum; }
# settled_sum BEFORE [NAME]: the page's picture's sum once the window has changed from the shot
# whose sum is BEFORE and its painting has settled (two shots a moment apart alike; at most
# about three seconds); the last shot is kept as build/screenshots/partial-gallery-NAME.png when
# NAME is given.
settled_sum() {
  local last="" now
  for _ in $(seq 15); do
    now=$(window_sum)
    [ "$now" != "$1" ] && [ "$now" = "$last" ] && break
    last=$now
    sleep 0.1
  done
  [ -z "${2:-}" ] || convert "$work/gallery.xwd" "$out/partial-gallery-$2.png"
  convert "$work/gallery.xwd" -crop $((client_w - 20))x$((client_h - 80))+$((BX + 10))+$((BY + 32)) \
    +repage ppm:- | md5sum | cut -d' ' -f1
}
turn_pages() {  # turn_pages NAME: clicks the three tabs, the last first; answers whether the pages differ
  local n before sums=""
  client_corner
  for n in 3 2 1; do
    xdotool mousemove $((GX + 60 + (n - 1) * 170)) $((GY + 11))
    sleep 0.2
    before=$(window_sum)
    xdotool click 1
    if [ "$n" = 3 ]; then sums+="$(settled_sum "$before" "$1") "; else sums+="$(settled_sum "$before") "; fi
  done
  [ "$(tr ' ' '\n' <<<"$sums" | sed '/^$/d' | sort -u | wc -l)" -eq 3 ]
}
# Loads the package $1 through the menu and the open dialog, as a user does; answers whether
# the gallery's title names it and no message box came.
load_skin() {
  local name
  name=$(basename "$1")
  xdotool mousemove $((GX + client_w / 2)) $((GY + client_h / 2))
  xdotool key --clearmodifiers alt+f && sleep 0.2 && xdotool key k
  wait_for '[ -n "$(xdotool search --onlyvisible --name "^Load skin$" 2>/dev/null)" ]' 50 || return 1
  sleep 0.2
  xdotool type --delay 5 "$(windows_path "$1")"
  xdotool key Return
  wait_for '[ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Vexlo 皮肤预览 - $name" ]' 100 || return 1
  # The frame starts again with the new skin a moment after it was applied.
  sleep 0.5
  [ "$(galleries | wc -l)" -eq 1 ]
}
check "the gallery with the whole skin: each page tab clicked shows a page of its own" turn_pages whole
for section in $sections; do
  loaded=true
  load_skin "$work/no-$section.skn" || loaded=false
  check "the gallery loads the skin without [$section] through its menu and dialog" $loaded
  if ! $loaded; then
    # A message box or a dialog left open: answered, so that the next skin can be tried.
    xdotool key Escape Return 2>/dev/null || true
    sleep 1
    continue
  fi
  check "the gallery without [$section]: each page tab clicked shows a page of its own" turn_pages "$section"
done
check "the gallery closes with Alt+F4 and ends well" closes
app=""

# 2. The main window. Its step tabs are found once with the whole skin (lines "LEFT TOP WIDTH
# HEIGHT", client coordinates).
# The page below the tabs (884 x 500 from PX, PY in the client area) of shot $1.
page() { convert "$work/$1.ppm" -crop 884x500+$((CX + PX))+$((CY + PY)) +repage ppm:-; }
# Starts the program with the package $1 and waits for its main window (in `window`).
start_with() {
  local empty
  empty=$(screen_sum)
  wine build/src/app/vexlo.exe --skin "$(windows_path "$1")" </dev/null >/dev/null 2>&1 &
  app=$!
  window=""
  wait_for 'window=$(xdotool search --onlyvisible --name "Vexlo 1.0" 2>/dev/null | head -n 1) && [ -n "$window" ]' 600 &&
    settle "$empty"
}
# The window's client area on the screen in shot $1: the window is what the shot holds, its
# client area 918 x 644 with borders of one width left, right and below (the skin's and the
# system's frame alike); prints the client area's and the window's top-left corners.
corners() {
  convert "$work/$1.ppm" -trim info:- | awk '{
    split($3, s, "x"); split($4, a, "+"); b = int((s[1] - 918) / 2)
    print a[2] + b, a[3] + s[2] - 644 - b, a[2], a[3] }'
}
start_with "$work/whole.skn" || { echo "FAIL: no main window with the whole skin"; exit 1; }
shot whole-start
read -r CX CY WX WY < <(corners whole-start)
# The page below the tabs lies at window coordinates 16, 140 with the whole skin.
PX=$((WX + 16 - CX)) PY=$((WY + 140 - CY))
python3 scripts/screen-pixels.py corners "$work/whole-start.ppm" "$skin/buttons.bmp" 5 4 |
  awk -v x="$CX" -v y="$CY" -v wy="$WY" '$3 - wy >= 100 && $3 - wy <= 140 && $5 < 40 { print $2 - x, $3 - y, $4, $5 }' |
  sort -n -k1 >"$work/tabs.txt"
check "the five step tabs are found with the whole skin" [ "$(wc -l <"$work/tabs.txt")" -eq 5 ]
[ "$(wc -l <"$work/tabs.txt")" -eq 5 ] || exit 1
centre() { awk -v n="$1" 'NR == n { print $1 + int($3 / 2), $2 + int($4 / 2) }' "$work/tabs.txt"; }

steps() {  # steps NAME: the main window, started, has its tabs clicked and is closed
  local name=$1 n a b x y distinct=1
  shot "$name-start"
  read -r CX CY WX WY < <(corners "$name-start")
  for n in 5 4 3 2 1; do
    read -r x y < <(centre "$n")
    xdotool mousemove $((CX + x)) $((CY + y)) && sleep 0.2 && after xdotool click 1
    shot "$name-$n"
  done
  cp "$out/partial-$name-1.png" "$out/partial-$name.png"
  for a in 1 2 3 4 5; do
    for b in 1 2 3 4 5; do
      [ "$a" -lt "$b" ] && cmp -s <(page "$name-$a") <(page "$name-$b") && distinct=0
    done
  done
  check "$name: each step tab clicked shows a page of its own" [ "$distinct" = 1 ]
  check "$name: the window closes and the program ends well" closes
  for n in start 1 2 3 4 5; do rm -f "$out/partial-$name-$n.png" "$work/$name-$n.ppm"; done
}
steps whole
for section in Buttons Personality Button.Close; do
  if ! start_with "$work/no-$section.skn"; then
    check "without [$section]: the main window appears" false
    continue
  fi
  steps "$section"
done

echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
