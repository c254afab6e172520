#!/usr/bin/env bash
# Draws the default skin and writes a contact sheet of every element and its frames to
# build/screenshots/skin-preview.png (needs python3 and ImageMagick's convert).
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/skin-preview
rm -rf "$work"
python3 -B skins/default/generate.py --skin "$work/skin" --resources "$work/resources"
mkdir -p build/screenshots
python3 -B skins/default/preview.py "$work/skin" build/screenshots/skin-preview.png
echo "wrote build/screenshots/skin-preview.png"
