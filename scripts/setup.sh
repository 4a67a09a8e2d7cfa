#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine is missing, then configures and builds Corvale in
# build/. The program's folder is build/corvale: the executable with config/ beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libtinyxml-dev
    libgtest-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    fonts-noto-cjk fonts-droid-fallback poppler-utils
    xdg-utils
    unicode-data bzip2 libbz2-dev python3
    libroaring-dev
    qt6-base-private-dev
    qt6-translations-l10n
    dpkg-dev file desktop-file-utils appstream lintian
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
