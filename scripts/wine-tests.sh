#!/usr/bin/env bash
# Runs the Windows-layer harnesses of the win32 and win64 builds under Wine, the two at once, each
# in a Wine prefix and on an Xvfb display of its own (build/wine-prefix-<preset>).
#
#   scripts/wine-tests.sh            (after building the win32 and win64 presets)
#
# Every harness is called as  HARNESS.exe <windows path of Revaze.ime> <windows path of an
# artifacts folder> (RevazeTip.dll sits beside Revaze.ime), prints one line per check and exits 0
# when all pass. Screenshots land in build/wine-artifacts/<preset>/ as PNG. The last line reads
# "N passed, M failed" (harness runs).
# REVAZE_WINE_PRESETS="win64" and REVAZE_WINE_HARNESS="<name> ..." narrow a run while working.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
artifacts=$build/wine-artifacts
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# The 64-bit loader runs the prefix tools and the win64 harnesses; `wine` picks the 32-bit one.
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine

# Each preset runs in a prefix and on an X display of its own, both presets at once: a harness
# waits on windows and messages as much as it computes, and a screenshot must see only its own
# windows.
if [ "${1:-}" != "--under-xvfb" ]; then
    for tool in wine wineboot wineserver xvfb-run python3; do
        command -v "$tool" >/dev/null || { echo "wine-tests: $tool is missing"; exit 2; }
    done
    rm -rf "$build"/wine-prefix "$build"/wine-prefix-* "$artifacts"
    mkdir -p "$artifacts"
    presets=(${REVAZE_WINE_PRESETS:-win32 win64})
    pids=()
    server=100
    for preset in "${presets[@]}"; do
        # Distinct first display numbers keep the two xvfb-run from choosing the same one.
        WINEPREFIX=$build/wine-prefix-$preset xvfb-run -a -n $server \
            -s "-screen 0 1024x768x24" "$0" --under-xvfb "$preset" >"$artifacts/$preset.out" 2>&1 &
        pids+=($!)
        server=$((server + 100))
    done
    rc=0
    passed=0
    failed=0
    for i in "${!presets[@]}"; do
        wait "${pids[$i]}" || rc=1
        out=$artifacts/${presets[$i]}.out
        grep -v '^[0-9]* passed, [0-9]* failed$' "$out"
        summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$out" | tail -1)
        if [ -n "$summary" ]; then
            passed=$((passed + ${summary%% *}))
            failed=$((failed + $(echo "$summary" | sed -E 's/.* ([0-9]+) failed/\1/')))
        else
            echo "FAIL: ${presets[$i]}: the run ended without its summary"
            failed=$((failed + 1))
        fi
    done
    # Screenshots are taken as BMP by the harnesses; keep PNG copies.
    if command -v convert >/dev/null; then
        find "$artifacts" -name '*.bmp' | while read -r bmp; do
            convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
        done
    fi
    echo "$passed passed, $failed failed"
    [ $rc = 0 ] && [ $failed = 0 ]
    exit
fi

# ---- from here on: inside Xvfb -------------------------------------------------------------

# The test dictionary: UTF-16LE with FF FE, CR LF after every line. Its first word is 136 units
# long, so choosing it overflows a 99-unit string area (tests/wine/harness.h has the same words).
write_dictionary() {
    python3 - "$1" <<'PY'
import sys
tashi_delek = "\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F56\u0F51\u0F7A\u0F0B\u0F63\u0F7A\u0F42\u0F66\u0F0B"
words = [
    tashi_delek * 8,
    "\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B",
    "\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F56\u0F51\u0F7A\u0F0B\u0F63\u0F7A\u0F42\u0F66\u0F0D",
    "\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F63\u0FB7\u0F74\u0F53\u0F0B\u0F54\u0F7C\u0F0D",
    "\u0F56\u0F40\u0FB2\u0F0B\u0F58\u0F72\u0F0B\u0F64\u0F72\u0F66\u0F0D",
    "\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F66\u0F90\u0FB1\u0F72\u0F51\u0F0D",
    "\u0F56\u0F40\u0F60\u0F0B\u0F51\u0FB2\u0F72\u0F53\u0F0B\u0F46\u0F7A\u0F0D",
    "\u0F41\u0F0B\u0F63\u0F42",
    "\u0F40\u0F0B\u0F41\u0F0D",
]
with open(sys.argv[1], "wb") as f:
    f.write(b"\xff\xfe" + "".join(w + "\r\n" for w in words).encode("utf-16-le"))
PY
}

"$wine64" wineboot -i >/dev/null 2>&1
wineserver -w
# Draw "Microsoft Himalaya" with Tibetan Machine Uni so that screenshots show Tibetan.
"$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Himalaya' /t REG_SZ \
    /d 'Tibetan Machine Uni' /f >/dev/null 2>&1
# A harness that crashes prints its backtrace and ends, instead of waiting behind a crash dialog
# until the timeout.
"$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
wineserver -w
windows=$WINEPREFIX/drive_c/windows
# Its prepared index (ZovovUvoz2.idx) comes from the native tool, so that both bitnesses read an
# index written on Linux; without the tool they build it in memory, and the harnesses say which.
revaze=$build/native/bin/revaze
[ -x "$revaze" ] || echo "wine-tests: $revaze is not built: the dictionaries get no prepared index"
for system in system32 syswow64; do
    if [ -d "$windows/$system" ]; then
        write_dictionary "$windows/$system/ZovovUvoz2.dat"
        if [ -x "$revaze" ]; then
            "$revaze" dict index "$windows/$system/ZovovUvoz2.dat" 2>/dev/null
        fi
    fi
done

# The default dictionary too, when it is built, with the index the native tool writes: both
# bitnesses must read it, and build the same bytes themselves.
default_dictionary=$root/data/generated/ZovovUvoz2.dat
if [ -x "$revaze" ] && [ -s "$default_dictionary" ]; then
    mkdir -p "$WINEPREFIX/drive_c/revaze"
    cp "$default_dictionary" "$WINEPREFIX/drive_c/revaze/ZovovUvoz2.dat"
    "$revaze" dict index "$WINEPREFIX/drive_c/revaze/ZovovUvoz2.dat" 2>/dev/null
fi

passed=0
failed=0
# Some kernels run without 32-bit support; REVAZE_WINE_SKIP_WIN32=1 then skips the win32 runs
# instead of failing them.
can_run_32=1
/usr/lib/wine/wine --version >/dev/null 2>&1 || can_run_32=0

for preset in "$2"; do
    bin=$build/$preset/bin
    loader=$wine64
    if [ $preset = win32 ]; then
        loader=wine
        if [ $can_run_32 = 0 ]; then
            if [ "${REVAZE_WINE_SKIP_WIN32:-0}" = 1 ]; then
                echo "SKIP: win32: this machine cannot execute 32-bit programs"
                continue
            fi
            echo "FAIL: win32: this machine cannot execute 32-bit programs (the 32-bit Wine loader does not start)"
            failed=$((failed + 1))
            continue
        fi
    fi
    ime=$bin/Revaze.ime
    if [ ! -f "$ime" ]; then
        echo "FAIL: $preset: $ime has not been built"
        failed=$((failed + 1))
        continue
    fi
    out=$artifacts/$preset
    mkdir -p "$out"
    for harness in "$bin"/*_harness.exe; do
        [ -f "$harness" ] || continue
        name=$(basename "$harness" .exe)
        if [ -n "${REVAZE_WINE_HARNESS:-}" ] && [[ " $REVAZE_WINE_HARNESS " != *" $name "* ]]; then
            continue
        fi
        log=$out/$name.log
        # Wine activates a text service's language profile only for the user's language:
        # the text service harness runs as a Tibetan user.
        locale=()
        case $name in tsf_*) locale=(LC_ALL=bo_CN.UTF-8) ;; esac
        timeout 300 env "${locale[@]}" "$loader" "$harness" "$("$wine64" winepath -w "$ime")" \
            "$("$wine64" winepath -w "$out")" >"$log" 2>&1
        rc=$?
        sed "s/^/    /" "$log" | tr -d '\r'
        if [ $rc = 0 ]; then
            echo "PASS: $preset $name"
            passed=$((passed + 1))
        else
            echo "FAIL: $preset $name (exit code $rc)"
            failed=$((failed + 1))
        fi
    done
done
wineserver -k
echo "$passed passed, $failed failed"
[ $failed = 0 ]
