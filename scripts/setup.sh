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

# The npm packages the build reads, fetched with `npm pack` at a pinned version into a cache
# outside the source tree and checked against the sha512 pinned beside the code that reads them.
# Only the members the build needs are unpacked. The build itself never fetches.
cache="${XDG_CACHE_HOME:-$HOME/.cache}/corvale"
tarball_sha512() {
    sha512sum "$1" | cut -d' ' -f1
}
# fetch_npm_package <name@version> <integrity file> <folder> <member pattern>...
# Unpacks the members into $cache/<folder>, without the tarball's leading package/.
fetch_npm_package() {
    local package=$1 integrity folder=$3 sha512 tarball
    integrity=$(<"$2")
    shift 3
    sha512=$(cut -d- -f2 <<<"$integrity" | base64 -d | od -An -v -tx1 | tr -d ' \n')
    tarball="$cache/$folder.tgz"
    mkdir -p "$cache"
    if [[ ! -f "$tarball" ]] || [[ "$(tarball_sha512 "$tarball")" != "$sha512" ]]; then
        rm -f "$tarball"
        echo "Fetching $package"
        (cd "$cache" && npm pack --silent "$package" </dev/null >/dev/null)
        if [[ "$(tarball_sha512 "$tarball")" != "$sha512" ]]; then
            rm -f "$tarball"
            echo "$folder.tgz does not match the pinned sha512" >&2
            exit 1
        fi
    fi
    # The folder is unpacked anew when the tarball or the list of members changes.
    local dir="$cache/$folder" unpacked
    unpacked=$(printf '%s\n' "$integrity" "$@")
    if [[ "$(cat "$dir/.integrity" 2>/dev/null)" != "$unpacked" ]]; then
        rm -rf "$dir" "$dir.part"
        mkdir -p "$dir.part"
        tar -xzf "$tarball" -C "$dir.part" --strip-components=1 --wildcards "$@"
        echo "$unpacked" >"$dir.part/.integrity"
        mv "$dir.part" "$dir"
    fi
}

# The poetry corpus: whole folders, numbered files and single files.
fetch_npm_package chinese-poetry@2.0.1 poetry/chinese-poetry.integrity chinese-poetry-2.0.1 \
    'package/dist/shijing/*' 'package/dist/chuci/*' \
    'package/dist/quantangshi/poet.tang.*' 'package/dist/songci/ci.song.*' \
    package/dist/lunyu/lunyu.json package/dist/sishuwujing/daxue.json \
    package/dist/sishuwujing/zhongyong.json package/dist/sishuwujing/mengzi.json \
    package/dist/yuanqu/yuanqu.json
# The words' readings, for the words a name sounds like.
fetch_npm_package @pinyin-pro/data@1.3.1 insight/pinyin-pro-data.integrity pinyin-pro-data-1.3.1 \
    'package/json/complete.json'

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALE_POETRY_DIR="$cache/chinese-poetry-2.0.1" \
    -DCORVALE_PINYIN_DATA_DIR="$cache/pinyin-pro-data-1.3.1"
cmake --build build
