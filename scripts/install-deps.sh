#!/usr/bin/env bash
# Installs what building, running and testing Vexlo needs on Debian 12, when missing.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail
. "$(dirname "$0")/apt-install.sh"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

apt_install cmake ninja-build g++-mingw-w64-i686 mingw-w64-i686-dev googletest \
            wine wine32:i386 wine64 xvfb x11-apps x11-utils xdotool imagemagick fonts-wqy-zenhei \
            fonts-wine python3 g++ clang libclang-rt-14-dev xauth wget2 locales

# The build and tests need the POSIX thread model of mingw-w64 (std::thread, std::mutex).
for alt in i686-w64-mingw32-g++ i686-w64-mingw32-gcc; do
  if [ -e "/usr/bin/$alt-posix" ] && [ "$(readlink -f /usr/bin/$alt)" != "/usr/bin/$alt-posix" ]; then
    update-alternatives --set "$alt" "/usr/bin/$alt-posix" >/dev/null
  fi
done

# zh_CN.UTF-8 gives Wine the code page 936 that our users run with.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
