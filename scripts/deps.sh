#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine; quiet when all is there.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in g++ cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 fonts-wine xvfb xauth \
         imagemagick libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev x11-utils \
         xdotool ccache; do
  have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
