#!/usr/bin/env bash
# Builds and starts the skin gallery, skinview.exe, under Wine: one window with every kind of
# control, skinned by the program's own skin or by the skin package file given:
#   ./scripts/skinview.sh [SKIN-FILE]
# Without a display it starts a virtual one, waits for the gallery's window, saves a
# screenshot to build/screenshots/skinview.png and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh

args=()
if [ $# -gt 0 ]; then
  # A file of this machine is handed over by its Windows name; anything else as it was given,
  # so that the gallery says what is wrong with it.
  if [ -e "$1" ]; then args=("$(realpath "$1")"); else args=("$1"); fi
fi

source scripts/virtual-display.sh  # Wine for the program; the display only when needed
exe=build/tools/skinview/skinview.exe
# Wine is first started here, with the display the gallery will use.
windows_name() {
  if [ ${#args[@]} -gt 0 ] && [ -e "${args[0]}" ]; then args=("$(winepath -w "${args[0]}")"); fi
}

if [ -n "${DISPLAY:-}" ]; then
  windows_name
  exec wine "$exe" "${args[@]}"
fi

start_virtual_display || true
windows_name
source scripts/skinview-shot.sh
mkdir -p build/screenshots
echo "The gallery is running on the virtual display $display; waiting for its window..."
if ! gallery_screenshot build/screenshots/skinview.png "${args[@]}"; then
  echo "The gallery's window did not appear within 60 seconds." >&2
  exit 1
fi
[ -f build/screenshots/skinview-message.png ] &&
  echo "It first showed a message: build/screenshots/skinview-message.png"
echo "Screenshot of the gallery saved to build/screenshots/skinview.png"
