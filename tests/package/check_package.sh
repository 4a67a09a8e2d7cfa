#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its files, fields and lintian's verdict,
# then unpacks it into a scratch root and runs that binary offscreen twice through a close:
# the settings must land in the XDG config folder and be read back from there.
# Usage: check_package.sh <build dir> <expected file list>
set -euo pipefail
build=$1
expected=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/corvale_*_amd64.deb)
echo "built $(basename "$deb")"

diff -u "$expected" <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort) ||
    fail "the package's files differ from $expected"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] || fail "Depends lacks the libraries: $depends"
[[ $(dpkg-deb -f "$deb" Recommends) == "fonts-noto-cjk, fonts-droid-fallback, fonts-lxgw-wenkai, espeak-ng" ]] ||
    fail "Recommends are not the CJK fonts and espeak-ng"

lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' | tee "$scratch/lintian.log" || true
! grep -q '^E:' "$scratch/lintian.log" || fail "lintian reports errors"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
home=$scratch/home
mkdir -p "$home"
settings=$home/.config/corvale/name.xml

# Starts the unpacked program, waits for its window, sends SIGTERM and waits for the end.
run_through_close() {
    local runtime
    runtime=$(mktemp -d "$scratch/runtime.XXXXXX")
    env -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/corvale" &
    local pid=$! waited=0
    until [[ -e $runtime/IDD_CORVALE_DIALOG.lock ]]; do
        ((waited++ < 100)) || fail "the program did not start"
        sleep 0.1
    done
    sleep 1
    kill -TERM "$pid"
    wait "$pid" || fail "the program ended with status $? after SIGTERM"
}

run_through_close
[[ -f $settings ]] || fail "no settings file in $home/.config/corvale"
[[ $(stat -c %a "$home/.config/corvale") == 700 ]] || fail "the settings folder is not private"
[[ ! -e $root/usr/bin/config ]] || fail "something was written beside the binary"

# A hand-written file with the surname 王 (GBK) is read and written back in full.
printf '<Names><Name ID="1"><firstname>\xCD\xF5</firstname><secondname>\xC3\xC0</secondname><radio_three>0</radio_three></Name></Names>' > "$settings"
run_through_close
grep -q $'<firstname>\xCD\xF5</firstname>\r$' "$settings" || fail "the surname did not come back from $settings"
grep -q $'<radio_three>0</radio_three>\r$' "$settings" || fail "the two-character mode did not come back"
echo "PASS"
