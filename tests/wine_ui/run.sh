#!/bin/sh
# run.sh BUILD_BIN_FOLDER ARTIFACTS_FOLDER: runs ui_harness.exe against the Revaze.ime beside it
# under a private Xvfb. The prefix gets "Microsoft Himalaya" mapped to the Tibetan font Debian
# installs, so that key labels are drawn with real glyphs.
set -eu
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-revaze-ui}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Microsoft Himalaya" /d "Tibetan Machine Uni" /f >/dev/null 2>&1 || true
IME=$(winepath -w "$bin/Revaze.ime")
ART=$(winepath -w "$out")
export IME ART
cd "$bin"
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
    'wine ui_harness.exe "$IME" "$ART"; rc=$?; wineserver -k; exit $rc'
