#!/usr/bin/env bash
# Installs what building, running and testing Vexlo needs on Debian 12, when missing.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  added_arch=1
fi

for p in cmake ninja-build g++-mingw-w64-i686 mingw-w64-i686-dev googletest \
         wine wine32:i386 wine64 xvfb x11-apps x11-utils xdotool imagemagick fonts-wqy-zenhei fonts-wine \
         python3 g++ clang libclang-rt-14-dev xauth wget2; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The build and tests need the POSIX thread model of mingw-w64 (std::thread, std::mutex).
for alt in i686-w64-mingw32-g++ i686-w64-mingw32-gcc; do
  if [ -e "/usr/bin/$alt-posix" ] && [ "$(readlink -f /usr/bin/$alt)" != "/usr/bin/$alt-posix" ]; then
    update-alternatives --set "$alt" "/usr/bin/$alt-posix" >/dev/null
  fi
done

# zh_CN.UTF-8 gives Wine the code page 936 that our users run with.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  have_pkg locales || { apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq locales >/dev/null; }
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
