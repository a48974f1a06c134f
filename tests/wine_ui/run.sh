#!/bin/sh
# run.sh BUILD_BIN_FOLDER ARTIFACTS_FOLDER: runs ui_harness.exe against the Revaze.ime beside it
# under a private Xvfb. The prefix gets "Microsoft Himalaya" mapped to the Tibetan font Debian
# installs, so that key labels are drawn with real glyphs.
set -eu
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-revaze-ui}
# The loader and server are picked directly: on a kernel without 32-bit support the `wine`
# wrapper would choose the 32-bit loader and fail. WINE=wine runs both bitnesses where it can.
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver64}
export WINELOADER="$WINE" WINESERVER WINE bin out
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# Everything runs inside the X server: a wineserver started without a display would leave the
# harness without a window driver.
"$WINESERVER" -k 2>/dev/null || true
cd "$bin"
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$WINE" reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "Microsoft Himalaya" \
        /d "Tibetan Machine Uni" /f >/dev/null 2>&1 || true
    ime=$("$WINE" winepath -w "$bin/Revaze.ime")
    art=$("$WINE" winepath -w "$out")
    "$WINE" ui_harness.exe "$ime" "$art"; rc=$?
    "$WINESERVER" -k; exit $rc'
