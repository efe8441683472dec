#!/usr/bin/env bash
# Builds Vornel and starts it: under Wine on Linux (the 64-bit build, since
# this machine's Wine runs 64-bit programs), on this display or a new Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null && cmake --build --preset win32
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target vornel
. scripts/wine-env.sh
wine_env_start "${VORNEL_WINEPREFIX:-$HOME/.vornel-wine}"
trap wine_env_stop EXIT
"$WINE" build/win64/vornel.exe
