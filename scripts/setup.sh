#!/usr/bin/env bash
# Installs what the project needs on a Debian 12 machine, and does nothing when it is all there
# already. Run as root (or through sudo).
#
#   scripts/setup.sh          everything: compilers, Wine, Xvfb, the i386 architecture, ...
#   scripts/setup.sh --tool   only what the revaze tool and the default dictionary need
#   --list                    (with either) prints the packages instead of installing them
set -euo pipefail

tool_only=0
list_only=0
for arg in "$@"; do
    case $arg in
    --tool) tool_only=1 ;;
    --list) list_only=1 ;;
    *) echo "usage: setup.sh [--tool] [--list]" >&2; exit 2 ;;
    esac
done

tool_packages=(
    g++ cmake ninja-build python3 libboost1.81-dev
    tesseract-ocr tesseract-ocr-bod
)
test_packages=(
    clang clang-format libclang-rt-14-dev
    libgtest-dev libbenchmark-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386 xvfb xauth xdotool x11-utils imagemagick fonts-tibetan-machine
)
# The installer (scripts/make-installer.sh) and its tests (scripts/installer-tests.sh):
#   nsis                         makensis, which builds RevazeSetup.exe
#   osslsigncode openssl         Authenticode signatures, and the throwaway test certificate
#   python3-gi-cairo gir1.2-pango-1.0
#                                Pango (HarfBuzz shaping) and cairo for the help PDF and the icon
#   fonts-ddc-uchen fonts-dejavu-core
#                                Tibetan signs that Tibetan Machine Uni lacks; the Latin text
#   poppler-utils                pdfinfo and pdftoppm, to look at the help document's pages
#   locales                      the bo_CN.UTF-8 locale: Wine switches only to layouts of the
#                                user's language, so the installed layout is typed through by a
#                                Tibetan user
# Windows on ARM64 (the winarm64 preset, scripts/arm64-sysroot.sh, scripts/check-pe.py):
#   clang-14 lld-14 llvm-14      the compiler, linker and tools over the aarch64 sysroot
#   dpkg-dev                     dpkg-source, which unpacks the Debian source packages the
#                                sysroot is built from (apt-get source checks them)
#   lld-22 llvm-22               the ARM64X forwarders (lld-link-22, llvm-mc-22 for the ARM64EC
#                                load configuration) and llvm-readobj-22, which reads both views;
#                                Debian 12 has them in its stable updates (bookworm-updates or
#                                bookworm-security), which its default apt sources list
arm64_packages=(
    clang-14 lld-14 llvm-14 dpkg-dev lld-22 llvm-22
)
installer_packages=(
    nsis osslsigncode openssl python3-gi-cairo gir1.2-pango-1.0
    fonts-ddc-uchen fonts-dejavu-core poppler-utils locales
)

packages=("${tool_packages[@]}")
if [ $tool_only = 0 ]; then
    packages+=("${test_packages[@]}" "${arm64_packages[@]}" "${installer_packages[@]}")
fi
if [ $list_only = 1 ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# The archive this machine already installs Debian from: the first URI of its apt sources. An
# extra suite is taken from the same place, so that no archive is named here.
debian_archive() {
    local uri
    uri=$(grep -hoE '^URIs:[[:space:]]*[^[:space:]]+' /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk '{print $2}' | grep -v -- '-security' | head -n 1 || true)
    if [ -z "$uri" ] && [ -r /etc/apt/sources.list ]; then
        uri=$(awk '$1 == "deb" && $0 !~ /security/ {print $2; exit}' /etc/apt/sources.list)
    fi
    echo "$uri"
}

# apt-get update, tried a few times: a mirror in the middle of a sync serves an index whose size
# does not match its Release file for a minute or two. When an index stays broken, the install
# goes on with what was fetched (apt keeps the older list, or none, for that one index); the
# suites whose indexes failed are remembered for the pin below.
broken_suites=()
apt_update() {
    local try log
    log=$(mktemp)
    for try in 1 2 3; do
        if $sudo apt-get update -qq 2>"$log"; then
            broken_suites=()
            rm -f "$log"
            return 0
        fi
        mapfile -t broken_suites < <(grep -oE '/dists/[^/ ]+/' "$log" | cut -d/ -f3 | sort -u)
        [ $try = 3 ] || sleep $((try * 10))
    done
    echo "setup: apt-get update kept failing for ${broken_suites[*]:-an index}; installing with the indexes it has:" >&2
    grep -E '^E:' "$log" | head -n 3 >&2 || true
    rm -f "$log"
}

# A preferences folder that puts each broken suite below the others (priority 100, as for
# backports), so that the architectures whose indexes did arrive do not take newer versions from
# that suite than the architecture whose index did not can match. The suite's codename comes from
# the Release file apt fetched for it: nothing here names an archive.
pin_folder=""
pin_broken_suites() {
    local suite release codename
    pin_folder=$(mktemp -d)
    for suite in "${broken_suites[@]}"; do
        codename=$suite
        for release in /var/lib/apt/lists/*_dists_"${suite}"_InRelease /var/lib/apt/lists/*_dists_"${suite}"_Release; do
            [ -r "$release" ] || continue
            codename=$(awk '/^Codename:/ {print $2; exit}' "$release")
            break
        done
        printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "${codename:-$suite}" \
            >>"$pin_folder/revaze-setup.pref"
    done
}

# Installs the packages; on failure with a broken index, once more with that suite pinned below
# the others. When a package truly cannot be had, stops with one line naming it.
apt_install() {
    local options=(-y -qq --no-install-recommends)
    if $sudo apt-get install "${options[@]}" "$@" >/dev/null; then
        return 0
    fi
    if [ ${#broken_suites[@]} -gt 0 ]; then
        pin_broken_suites
        echo "setup: the install failed; trying again with ${broken_suites[*]} pinned below the other suites" >&2
        if $sudo apt-get install -o Dir::Etc::PreferencesParts="$pin_folder" "${options[@]}" "$@" >/dev/null; then
            rm -rf "$pin_folder"
            return 0
        fi
        rm -rf "$pin_folder"
    fi
    local p name skip=0
    for p in "$@"; do
        # Options and the release that -t names are no packages.
        if [ $skip = 1 ] || [ "$p" = -t ]; then skip=$((1 - skip)); continue; fi
        [[ $p == -* ]] && continue
        name=${p%%=*}
        if ! apt-cache policy "$name" 2>/dev/null | grep -qE 'Candidate: [^(]'; then
            echo "setup: the package $name cannot be installed from this machine's apt sources" >&2
            exit 1
        fi
    done
    echo "setup: apt-get install failed for: $*" >&2
    exit 1
}

# Runs 32-bit x86 programs (32-bit Wine, for the win32 tests) on a kernel built without IA32
# support: qemu's user-mode emulation registered for i386 ELF files in binfmt_misc. Debian 12's
# qemu 7.2 takes about a minute to start each 32-bit Wine process; the backported qemu 10 takes a
# second or two. Each step is skipped when already done; the mount and the registration do not
# survive a reboot, so a later run redoes them.
setup_i386_emulation() {
    echo "setup: this kernel does not run 32-bit programs; registering qemu-i386 for them" >&2
    if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
        $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    fi
    if [ ! -x /usr/bin/qemu-i386 ] || ! dpkg-query -W -f='${Status}' binfmt-support 2>/dev/null |
        grep -q "install ok installed"; then
        local list=/etc/apt/sources.list.d/bookworm-backports.list
        if [ ! -e "$list" ]; then
            local archive
            archive=$(debian_archive)
            if [ -z "$archive" ]; then
                echo "setup: no Debian archive in this machine's apt sources" >&2
                exit 1
            fi
            echo "deb $archive bookworm-backports main" | $sudo tee "$list" >/dev/null
        fi
        apt_update
        apt_install binfmt-support
        apt_install -t bookworm-backports qemu-user
    fi
    local interpreter=/usr/libexec/qemu-binfmt/i386-binfmt-P
    if [ ! -e "$interpreter" ]; then
        $sudo mkdir -p "$(dirname "$interpreter")"
        $sudo ln -s ../../bin/qemu-i386 "$interpreter"
    fi
    if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        $sudo update-binfmts --package qemu-i386-local --install qemu-i386 "$interpreter" \
            --magic '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
            --mask '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
            --offset 0 --credentials yes --fix-binary yes --preserve yes
    fi
    /lib/ld-linux.so.2 --version >/dev/null
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}" >&2
    if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    apt_update
    apt_install "${missing[@]}"
fi

if [ $tool_only = 0 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    setup_i386_emulation
fi

if [ $tool_only = 0 ] && ! locale -a 2>/dev/null | grep -qx bo_CN.utf8; then
    $sudo localedef -i bo_CN -f UTF-8 bo_CN.UTF-8
fi

# The EWTS oracle test compares `revaze ewts` with jsewts, a public EWTS converter (Apache-2.0),
# run by node and installed from the npm registry beside the build trees. Debian's nodejs and
# npm come in only where the machine has no node of its own.
if [ $tool_only = 0 ]; then
    if ! command -v npm >/dev/null 2>&1; then
        apt_update
        apt_install nodejs npm
    fi
    root=$(cd "$(dirname "$0")/.." && pwd)
    if [ ! -e "$root/build/npm/node_modules/jsewts/package.json" ]; then
        npm install --prefix "$root/build/npm" --no-audit --no-fund --loglevel=error jsewts@1.0.4
    fi
fi
