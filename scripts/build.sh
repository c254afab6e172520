#!/usr/bin/env bash
# Configures and builds the Windows program and its tests in build/.
#   scripts/build.sh [TARGET...]   only those targets (default: everything)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build --target "$@"
else
  cmake --build build
fi
