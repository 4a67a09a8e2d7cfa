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
    fonts-noto-cjk fonts-droid-fallback fonts-lxgw-wenkai poppler-utils
    espeak-ng libfontconfig-dev
    xdg-utils
    unicode-data bzip2 libbz2-dev python3 python3-jieba
    libroaring-dev
    qt6-base-private-dev
    qt6-translations-l10n
    dpkg-dev file desktop-file-utils appstream lintian
    libopencc-dev opencc nlohmann-json3-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
# Debian's npm, unless an npm is there already (Node.js packages of other origins bring their own
# and conflict with Debian's).
command -v npm >/dev/null || missing+=(npm)

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The poetry corpus: chinese-poetry 2.0.1 from the npm registry, checked against the pinned
# sha512 and unpacked into a cache outside the source tree. The build itself never fetches.
poetry_version=2.0.1
poetry_integrity=$(<poetry/chinese-poetry.integrity)
poetry_cache="${XDG_CACHE_HOME:-$HOME/.cache}/corvale"
poetry_tarball="$poetry_cache/chinese-poetry-$poetry_version.tgz"
poetry_dir="$poetry_cache/chinese-poetry-$poetry_version"
poetry_sha512=$(cut -d- -f2 <<<"$poetry_integrity" | base64 -d | od -An -v -tx1 | tr -d ' \n')
tarball_sha512() {
    sha512sum "$1" | cut -d' ' -f1
}
mkdir -p "$poetry_cache"
if [[ ! -f "$poetry_tarball" ]] || [[ "$(tarball_sha512 "$poetry_tarball")" != "$poetry_sha512" ]]; then
    rm -f "$poetry_tarball"
    echo "Fetching chinese-poetry $poetry_version"
    (cd "$poetry_cache" && npm pack --silent "chinese-poetry@$poetry_version" </dev/null >/dev/null)
    if [[ "$(tarball_sha512 "$poetry_tarball")" != "$poetry_sha512" ]]; then
        rm -f "$poetry_tarball"
        echo "chinese-poetry-$poetry_version.tgz does not match the pinned sha512" >&2
        exit 1
    fi
fi
if [[ "$(cat "$poetry_dir/.integrity" 2>/dev/null)" != "$poetry_integrity" ]]; then
    rm -rf "$poetry_dir" "$poetry_dir.part"
    mkdir -p "$poetry_dir.part"
    tar -xzf "$poetry_tarball" -C "$poetry_dir.part" --strip-components=1 --wildcards \
        'package/dist/shijing/*' 'package/dist/chuci/*' \
        'package/dist/quantangshi/poet.tang.*' 'package/dist/songci/ci.song.*'
    echo "$poetry_integrity" >"$poetry_dir.part/.integrity"
    mv "$poetry_dir.part" "$poetry_dir"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALE_POETRY_DIR="$poetry_dir"
cmake --build build
