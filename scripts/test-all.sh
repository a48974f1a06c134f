#!/usr/bin/env bash
# Builds every preset and runs every test: the native and sanitizer unit tests, then the DLL under
# Wine for 32 and 64 bit. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"

step() { printf '\n== %s\n' "$*"; }

step "formatting"
"$root/scripts/check-format.sh"

step "native build"
cmake --preset native >/dev/null
cmake --build --preset native
"$root/scripts/make-default-dictionary.sh" "$root/build/native/bin/revaze"

step "native tests"
ctest --preset native

step "sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

step "Windows builds"
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset win64 >/dev/null
cmake --build --preset win64

if [ -x "$root/scripts/wine-tests.sh" ]; then
    step "Wine tests"
    "$root/scripts/wine-tests.sh"
fi
