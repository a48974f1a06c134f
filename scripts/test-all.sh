#!/usr/bin/env bash
# Builds every preset and runs every test: the formatting and layer checks, the native unit tests
# with gcc, clang and the sanitizers (the fuzz corpora replayed among them), a short run of every
# fuzz target, the ARM64 build and its structural checks, then the DLLs under Wine for 32 and 64
# bit side by side, then the installer under Wine. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"

step() { printf '\n== %s (at %d s)\n' "$*" "$SECONDS"; }

# The aarch64 sysroot is built once into the user's cache (minutes on a fresh machine, much of
# it configure scripts and single-threaded steps): it is made while the native builds run.
mkdir -p "$root/build"
sysroot_log=$root/build/arm64-sysroot.log
nice -n 10 "$root/scripts/arm64-sysroot.sh" >"$sysroot_log" 2>&1 &
sysroot_pid=$!

step "formatting and layers"
"$root/scripts/check-format.sh"
"$root/scripts/include-graph.sh" --check
# The tool's set-up stays small: no Wine, no X server, no 32-bit architecture, no installer tools.
if "$root/scripts/setup.sh" --tool --list | grep -E 'wine|xvfb|xauth|:i386|nsis|mingw'; then
    echo "setup.sh --tool would install the packages above" >&2
    exit 1
fi

step "native build (gcc)"
cmake --preset native >/dev/null
cmake --build --preset native
"$root/scripts/make-default-dictionary.sh" "$root/build/native/bin/revaze"

step "native tests (gcc)"
ctest --preset native

step "native build and tests (clang)"
cmake --preset clang >/dev/null
cmake --build --preset clang
ctest --preset clang

step "sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

step "fuzzing (${REVAZE_FUZZ_SECONDS:-20} s a target)"
"$root/scripts/fuzz.sh" "${REVAZE_FUZZ_SECONDS:-20}"

step "Windows builds"
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset win64 >/dev/null
cmake --build --preset win64

step "Windows on ARM64 build and structural checks"
if ! wait $sysroot_pid; then
    cat "$sysroot_log" >&2
    echo "the aarch64 sysroot could not be built" >&2
    exit 1
fi
cmake --preset winarm64 >/dev/null
cmake --build --preset winarm64
ctest --preset winarm64

step "Wine tests"
"$root/scripts/wine-tests.sh"

# After the harnesses rather than beside them: two Wine runs at once are what the machine's two
# cores carry without the harnesses' timing suffering.
step "installer (signed with a throwaway certificate) under Wine"
"$root/scripts/installer-tests.sh"
step "all passed"
