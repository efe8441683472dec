#!/usr/bin/env bash
# Builds the 64-bit Windows targets and runs each benchmark program under Wine
# (or only those named: scripts/bench.sh scan_bench). Figures go to stdout;
# record them in bench/RESULTS.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
. scripts/wine-env.sh
export VORNEL_OWN_DISPLAY=1
wine_env_start
trap wine_env_stop EXIT
export VORNEL_EXE="$PWD/build/win64/vornel.exe" VORNEL_BUILD="$PWD/build/win64" VORNEL_SOURCE="$PWD"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in build/win64/*_bench.exe; do [ -e "$f" ] && names+=("$(basename "$f" .exe)"); done
fi
for n in "${names[@]}"; do
  echo "== $n =="
  "$WINE" "build/win64/$n.exe"
done
