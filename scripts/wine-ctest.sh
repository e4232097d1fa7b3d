#!/usr/bin/env bash
# Runs the cross-built Windows tests of a build folder under Wine with ctest: a Wine prefix of
# its own under the build folder (made once, about 10 s), one persistent wineserver for all
# test programs (each then starts in a fraction of a second), and a private X display for the
# tests that open windows. Every step is bounded in time.
# Usage: scripts/wine-ctest.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift

export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No installer dialogs for .NET and the HTML engine, which no test needs, no menu entries, and
# no debugger window when a test program crashes (its exit status tells).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"

# A display of our own: Wine's window station and the shell's notification area want one.
if [ -z "${ZELMARO_WINE_DISPLAY_STARTED:-}" ]; then
  export ZELMARO_WINE_DISPLAY_STARTED=1
  exec timeout -k 5 1200 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$build" "$@"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== a fresh Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  timeout -k 5 120 wineboot -i >/dev/null 2>&1
  # Its server stays a few seconds and then saves the prefix: let it finish.
  timeout -k 5 60 wineserver -w
fi
timeout -k 5 60 wineserver -p
trap 'timeout -k 5 30 wineserver -k >/dev/null 2>&1 || true' EXIT
# Wine's own services start with the first program and stay with the wineserver: start them
# here, away from ctest, which would otherwise wait for them to close the first test's output.
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine
timeout -k 5 60 "$wine64" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

cd "$build"
timeout -k 5 900 ctest --output-on-failure "$@"
