#!/usr/bin/env bash
# Builds the aarch64-w64-mingw32 toolchain for the winarm64 preset from Debian 12's own source
# packages, over Debian's clang-14, lld-14 and llvm-14:
#   mingw-w64 (headers, CRT, import libraries), Debian patches applied;
#   llvm-toolchain-14 (compiler-rt builtins, libunwind, libc++abi, libc++: static, Windows threads).
# The sources come through apt with a private deb-src list (the machine's apt configuration is not
# touched) whose archive is the one this machine installs Debian from, signed-by Debian's archive
# keyring: apt checks the signed Sources index and every file's hash against it.
#
# The result goes to a cache outside the build folder, keyed by the pinned versions, and the next
# run reuses it:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/revaze/arm64-sysroot-<key>/
#     bin/       aarch64-w64-mingw32-{clang,clang++,ar,ranlib,windres,...} wrappers
#     sysroot/   headers and libraries
#     resource/  clang's resource folder with the aarch64 builtins
#
#   scripts/arm64-sysroot.sh          builds it unless it is there; prints the folder
#   scripts/arm64-sysroot.sh --path   prints the folder only
# Needs: clang-14 lld-14 llvm-14 cmake ninja-build dpkg-dev (scripts/setup.sh installs them).
set -Eeuo pipefail

mingw_version=10.0.0-3
llvm_version=1:14.0.6-12
# The cache key; the toolchain file (cmake/mingw-aarch64.cmake) reads this line. Raise the last
# number when the recipe below changes the result.
key=mingw-w64-10.0.0-3_llvm-14.0.6-12_1

cache=${XDG_CACHE_HOME:-$HOME/.cache}/revaze
root=$cache/arm64-sysroot-$key
triple=aarch64-w64-mingw32
jobs=${REVAZE_ARM64_JOBS:-2}

if [ "${1:-}" = --path ]; then
    echo "$root"
    exit 0
fi
if [ -e "$root/.complete" ]; then
    echo "$root"
    exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/arm64-sysroot.lock"
flock 9
if [ -e "$root/.complete" ]; then
    echo "$root"
    exit 0
fi

# Built under a temporary name and renamed at the end, so that a broken run leaves nothing that
# looks finished. The wrappers find the sysroot relative to themselves, so the rename is safe.
work=$cache/arm64-work-$key
out=$work/out
rm -rf "$work"
mkdir -p "$work" "$out"
start=$(date +%s)
log=$work/build.log
step() { echo "arm64-sysroot: $* ($(($(date +%s) - start)) s)" >&2; }
trap 'echo "arm64-sysroot: failed; the log is $log" >&2; tail -n 30 "$log" >&2' ERR

# The archive this machine already installs Debian from: the first non-security URI of its apt
# sources (as in scripts/setup.sh), so that no archive is named here.
archive=$(grep -hoE '^URIs:[[:space:]]*[^[:space:]]+' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '{print $2}' | grep -v -- '-security' | head -n 1 || true)
if [ -z "$archive" ] && [ -r /etc/apt/sources.list ]; then
    archive=$(awk '$1 == "deb" && $0 !~ /security/ {print $2; exit}' /etc/apt/sources.list)
fi
[ -n "$archive" ] || { echo "arm64-sysroot: no Debian archive in this machine's apt sources" >&2; exit 1; }

fetch_sources() {
    local a=$work/apt
    mkdir -p "$a/parts" "$a/lists/partial" "$a/cache/archives/partial" "$work/src"
    cat >"$a/parts/debian-src.sources" <<EOF
Types: deb-src
URIs: $archive
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    cat >"$a/apt.conf" <<EOF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$a/parts";
Dir::State::Lists "$a/lists";
Dir::Cache "$a/cache";
EOF
    local try
    for try in 1 2 3; do
        APT_CONFIG=$a/apt.conf apt-get update -qq >>"$log" 2>&1 && break
        [ $try = 3 ] && { echo "arm64-sysroot: apt-get update failed" >&2; return 1; }
        sleep $((try * 10))
    done
    cd "$work/src"
    APT_CONFIG=$a/apt.conf apt-get source -qq --download-only \
        "mingw-w64=$mingw_version" "llvm-toolchain-14=$llvm_version" >>"$log" 2>&1
    dpkg-source -x "mingw-w64_${mingw_version}.dsc" mingw-w64 >>"$log" 2>&1
    # Only the runtimes and the cmake modules they need (about 40 MB of the 130 MB archive).
    tar xJf llvm-toolchain-14_14.0.6.orig.tar.xz \
        --wildcards '*/libcxx/*' '*/libcxxabi/*' '*/libunwind/*' '*/compiler-rt/*' \
        '*/runtimes/*' '*/cmake/*' '*/llvm/utils/*' \
        --exclude='*/test/*' --exclude='*/llvm/utils/gn/*' --exclude='*/llvm/utils/unittest/*'
    mv llvm-toolchain-14_14.0.6 llvm
}

# Wrappers over Debian's clang-14 and llvm-14 tools. They locate the sysroot from their own path.
write_wrappers() {
    mkdir -p "$out/bin" "$out/sysroot" "$out/resource/lib/windows"
    ln -sfn /usr/lib/llvm-14/lib/clang/14.0.6/include "$out/resource/include"
    local cc t
    for cc in clang clang++; do
        cat >"$out/bin/$triple-$cc" <<EOF
#!/bin/sh
r=\$(cd "\$(dirname "\$0")/.." && pwd)
exec /usr/bin/$cc-14 --target=$triple --sysroot="\$r/sysroot" -resource-dir="\$r/resource" \\
    -fuse-ld=lld-14 --rtlib=compiler-rt --unwindlib=libunwind -stdlib=libc++ \\
    -Qunused-arguments "\$@"
EOF
        chmod +x "$out/bin/$triple-$cc"
    done
    for t in ar ranlib nm strip objcopy objdump readobj dlltool; do
        ln -sfn "/usr/bin/llvm-$t-14" "$out/bin/$triple-$t"
    done
    # llvm-windres-14's preprocessor is a plain clang that does not see the sysroot otherwise.
    cat >"$out/bin/$triple-windres" <<EOF
#!/bin/sh
r=\$(cd "\$(dirname "\$0")/.." && pwd)
exec /usr/bin/llvm-windres-14 --target=$triple -I "\$r/sysroot/include" "\$@"
EOF
    chmod +x "$out/bin/$triple-windres"
}

build_mingw() {
    local src=$work/src/mingw-w64 b=$work/build
    mkdir -p "$b/headers" "$b/crt"
    (cd "$b/headers" && "$src/mingw-w64-headers/configure" --host=$triple --prefix="$out/sysroot" \
        --with-default-msvcrt=msvcrt --with-default-win32-winnt=0x601 --enable-idl &&
        make install) >>"$log" 2>&1
    (cd "$b/crt" && "$src/mingw-w64-crt/configure" --host=$triple --prefix="$out/sysroot" \
        --disable-lib32 --disable-lib64 --disable-libarm32 --enable-libarm64 \
        --with-default-msvcrt=msvcrt \
        CC=$triple-clang CXX=$triple-clang++ AR=$triple-ar RANLIB=$triple-ranlib \
        DLLTOOL=$triple-dlltool &&
        make -j"$jobs" && make install) >>"$log" 2>&1
}

cmake_cross=()
set_cmake_cross() {
    cmake_cross=(-G Ninja -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=aarch64
        -DCMAKE_C_COMPILER=$triple-clang -DCMAKE_CXX_COMPILER=$triple-clang++
        -DCMAKE_C_COMPILER_TARGET=aarch64-w64-windows-gnu
        -DCMAKE_CXX_COMPILER_TARGET=aarch64-w64-windows-gnu
        -DCMAKE_C_COMPILER_WORKS=1 -DCMAKE_CXX_COMPILER_WORKS=1 -DCMAKE_ASM_COMPILER_WORKS=1
        -DCMAKE_AR="$out/bin/$triple-ar" -DCMAKE_RANLIB="$out/bin/$triple-ranlib")
}

build_builtins() {
    local b=$work/build/builtins
    cmake -S "$work/src/llvm/compiler-rt/lib/builtins" -B "$b" "${cmake_cross[@]}" \
        -DCMAKE_INSTALL_PREFIX="$b/install" \
        -DCOMPILER_RT_DEFAULT_TARGET_ONLY=TRUE -DCOMPILER_RT_USE_BUILTINS_LIBRARY=TRUE \
        -DCOMPILER_RT_BUILD_BUILTINS=TRUE -DCOMPILER_RT_EXCLUDE_ATOMIC_BUILTIN=FALSE \
        -DLLVM_CONFIG_PATH="" -DCMAKE_FIND_ROOT_PATH="$out/sysroot" \
        -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY \
        >>"$log" 2>&1
    ninja -C "$b" -j"$jobs" install >>"$log" 2>&1
    cp "$b/install/lib/windows/libclang_rt.builtins-aarch64.a" "$out/resource/lib/windows/"
}

# libc++abi is merged into libc++.a, so that -stdlib=libc++ -static links one archive.
build_libcxx() {
    local b=$work/build/runtimes
    cmake -S "$work/src/llvm/runtimes" -B "$b" "${cmake_cross[@]}" \
        -DCMAKE_INSTALL_PREFIX="$out/sysroot" \
        -DLLVM_ENABLE_RUNTIMES="libunwind;libcxxabi;libcxx" \
        -DLIBUNWIND_USE_COMPILER_RT=TRUE -DLIBUNWIND_ENABLE_SHARED=OFF -DLIBUNWIND_ENABLE_STATIC=ON \
        -DLIBCXX_USE_COMPILER_RT=ON -DLIBCXX_ENABLE_SHARED=OFF -DLIBCXX_ENABLE_STATIC=ON \
        -DLIBCXX_ENABLE_STATIC_ABI_LIBRARY=TRUE -DLIBCXX_CXX_ABI=libcxxabi \
        -DLIBCXX_LIBDIR_SUFFIX="" -DLIBCXX_INCLUDE_TESTS=FALSE -DLIBCXX_INCLUDE_BENCHMARKS=FALSE \
        -DLIBCXX_ENABLE_ABI_LINKER_SCRIPT=FALSE -DLIBCXX_HAS_WIN32_THREAD_API=ON \
        -DLIBCXXABI_USE_COMPILER_RT=ON -DLIBCXXABI_USE_LLVM_UNWINDER=ON \
        -DLIBCXXABI_ENABLE_SHARED=OFF -DLIBCXXABI_LIBDIR_SUFFIX="" \
        -DLIBCXXABI_HAS_WIN32_THREAD_API=ON \
        -DLIBUNWIND_INCLUDE_TESTS=FALSE -DLIBCXXABI_INCLUDE_TESTS=FALSE \
        -DLLVM_INCLUDE_TESTS=FALSE -DLLVM_INCLUDE_DOCS=FALSE >>"$log" 2>&1
    ninja -C "$b" -j"$jobs" install >>"$log" 2>&1
}

step "fetching mingw-w64 $mingw_version and llvm-toolchain-14 $llvm_version"
fetch_sources
write_wrappers
export PATH=$out/bin:$PATH
set_cmake_cross
step "mingw-w64 headers and CRT"
build_mingw
step "compiler-rt builtins"
build_builtins
step "libunwind, libc++abi, libc++"
build_libcxx
printf '%s\n' "mingw-w64=$mingw_version" "llvm-toolchain-14=$llvm_version" >"$out/VERSIONS"
touch "$out/.complete"
rm -rf "$root"
mv "$out" "$root"
rm -rf "$work"
step "done: $root ($(du -sh "$root" | cut -f1))"
echo "$root"
