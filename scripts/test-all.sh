#!/usr/bin/env bash
# Installs every dependency, builds every target (host, win32, win64) and runs
# every test: native unit tests, Windows tests under Wine and end-to-end tests
# of the real vornel.exe. Ends with ctest's summary for each group.
set -euo pipefail
cd "$(dirname "$0")/.."

# The update check's addresses resolve to this machine for the whole run, so
# its tests can answer them from 127.0.0.1 (a private mount of /etc/hosts).
if [ -z "${VORNEL_IN_NAMESPACE:-}" ] && command -v unshare >/dev/null && unshare -m true 2>/dev/null; then
  exec unshare -m env VORNEL_IN_NAMESPACE=1 bash "$0" "$@"
fi
if [ -n "${VORNEL_IN_NAMESPACE:-}" ]; then
  hosts=$(mktemp /tmp/vornel-hosts.XXXXXX)
  { cat /etc/hosts; cat scripts/test-hosts; } > "$hosts"
  mount --bind "$hosts" /etc/hosts
fi

bash scripts/install-deps.sh

start=$(date +%s)
for preset in host win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "32-bit release: $(ls -l build/win32/vornel.exe | awk '{print $5}') bytes; imports: $(
  i686-w64-mingw32-objdump -p build/win32/vornel.exe | awk '/DLL Name/ {print $3}' | tr '\n' ' ')"

status=0
log=$(mktemp /tmp/vornel-ctest.XXXXXX)
echo "== native unit tests =="
ctest --preset host 2>&1 | tee "$log" || status=1

echo "== Windows tests and end-to-end tests under Wine =="
. scripts/wine-env.sh
export VORNEL_OWN_DISPLAY=1
wine_env_start
trap wine_env_stop EXIT
ctest --preset win64 2>&1 | tee -a "$log" || status=1
echo "full run: $(( $(date +%s) - start )) s (build and tests)"
# One closing line over both ctest runs (test programs, not single cases).
awk '/tests passed, .* tests failed out of/ {t += $NF; f += $4} END {printf "%d passed, %d failed\n", t - f, f}' "$log"
rm -f "$log"
exit $status
