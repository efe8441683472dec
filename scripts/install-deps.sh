#!/usr/bin/env bash
# Installs what building and testing Vornel needs on a Debian machine.
set -euo pipefail

packages=(cmake ninja-build g++ googletest libgtest-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb fonts-wqy-microhei fonts-dejavu-core imagemagick locales python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Without the locale Wine garbles Chinese file names, even though GetACP() says 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
