#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexlo under Wine. Without a display it starts a
# virtual one, waits for the main window, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh

source scripts/virtual-display.sh  # Wine for the program; the display only when needed
exe=build/src/app/vexlo.exe

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

exec ./scripts/screenshots.sh
