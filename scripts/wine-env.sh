# Sourced by the test and run scripts: a display, a private Wine prefix with
# code page 936, and one persistent wineserver for the whole run.
#   wine_env_start [prefix-dir]   then WINE, WINEPREFIX and DISPLAY are set
#   wine_env_stop                 stops what wine_env_start started

WINE=/usr/lib/wine/wine64
export WINE

wine_env_start() {
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64

  if [ -z "${DISPLAY:-}" ] || [ -n "${VORNEL_OWN_DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VORNEL_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi

  if [ -n "${1:-}" ]; then
    export WINEPREFIX="$1"
  else
    WINEPREFIX=$(mktemp -d /tmp/vornel-wine.XXXXXX)
    export WINEPREFIX
    VORNEL_PREFIX_TEMP=1
  fi
  mkdir -p "$WINEPREFIX"
  # One server for the run: later starts then cost a fraction of a second.
  /usr/lib/wine/wineserver -p
  "$WINE" wineboot -i >/dev/null 2>&1
  # Without a window manager each top-level window's destruction otherwise stalls 2 s.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

wine_env_stop() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  if [ -n "${VORNEL_XVFB_PID:-}" ]; then kill "$VORNEL_XVFB_PID" 2>/dev/null || true; fi
  if [ -n "${VORNEL_PREFIX_TEMP:-}" ] && [ -n "${WINEPREFIX:-}" ]; then rm -rf "$WINEPREFIX"; fi
  unset VORNEL_XVFB_PID VORNEL_PREFIX_TEMP
}
