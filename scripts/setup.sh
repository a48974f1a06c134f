#!/usr/bin/env bash
# Installs everything the project needs on a Debian 12 machine, and does nothing when it is all
# there already. Run as root (or through sudo).
set -euo pipefail

packages=(
    g++ cmake ninja-build clang-format python3
    libgtest-dev libbenchmark-dev libboost1.81-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    tesseract-ocr tesseract-ocr-bod
    wine wine64 wine32:i386 xvfb xauth xdotool x11-utils imagemagick fonts-tibetan-machine
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
