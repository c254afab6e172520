#!/usr/bin/env bash
# paint-bench.sh [CHECKOUT...]: runs the paint benchmark with Wine's X11 driver on a virtual
# display, as a user's screen draws it (the test prefix's null driver draws into memory only).
# With several checkouts (each built with scripts/build.sh), their benchmarks run one after
# the other, twice in alternation, on the same display in one sitting, so that a change's
# figures can be read beside the figures before it. Without arguments: this checkout.
# Each run is made at 96 DPI and again at 144 DPI (the screen's pixels per inch that Wine
# reads when a program starts), so the scaled skin's figures stand beside the unscaled ones;
# VEXLO_BENCH_DPIS (say "96 120 144 192") chooses others.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- "$PWD"
for checkout in "$@"; do
  [ -x "$checkout/build/bench/paint_bench.exe" ] || {
    echo "$checkout/build/bench/paint_bench.exe is missing: build it with scripts/build.sh" >&2
    exit 1
  }
done

source scripts/virtual-display.sh
start_virtual_display || { echo "the virtual display did not come up" >&2; exit 1; }

for round in 1 2; do
  for checkout in "$@"; do
    for dpi in ${VEXLO_BENCH_DPIS:-96 144}; do
      set_dpi "$dpi"
      echo "== $checkout (round $round, $dpi DPI, X11 driver on $display)"
      wine "$checkout/build/bench/paint_bench.exe" </dev/null 2>/dev/null | tr -d '\r'
    done
  done
done
