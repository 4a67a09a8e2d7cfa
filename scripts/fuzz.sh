#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ in build-fuzz/ with clang 14, runs every seed and
# regression file through its target once, then fuzzes each target for FUZZ_SECONDS seconds
# (default 60). Fails when any target finds a crash, leak, timeout or broken check; the input
# that did it is left in build-fuzz/artifacts/<target>/.
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
build="build-fuzz"
targets=(fuzz_name_combiner fuzz_gbk_codec fuzz_settings_load fuzz_xml_nesting)

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14
cmake --build "$build"

# The settings target writes name.xml over and over; in memory when possible, where the file
# replacement's fsync calls cost nothing.
scratch_parent=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && scratch_parent=/dev/shm
scratch=$(mktemp -d "$scratch_parent/corvale-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
export UBSAN_OPTIONS=print_stacktrace=1

options=(-rss_limit_mb=2048 -timeout=10)
failed=()

# Every committed input of the target, once: the seeds and the reproducers of past findings.
run_regressions() {
    local target=$1 files=()
    for dir in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
        [[ -d "$dir" ]] && files+=("$dir"/*)
    done
    ((${#files[@]})) || return 0
    "$build/$target" "${options[@]}" "${files[@]}" >"$build/logs/$target.regressions.log" 2>&1
}

# Fuzzes on a copy of the seeds in the build tree, so that fuzz/corpus only changes by hand.
run_fuzzer() {
    local target=$1
    local corpus="$build/corpus/$target" artifacts="$build/artifacts/$target"
    rm -rf "$corpus" "$artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp "fuzz/corpus/$target"/* "$corpus/"
    [[ -d "fuzz/regressions/$target" ]] && cp "fuzz/regressions/$target"/* "$corpus/"
    "$build/$target" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$build/logs/$target.log" 2>&1
}

mkdir -p "$build/logs"
for target in "${targets[@]}"; do
    if ! run_regressions "$target"; then
        echo "$target: a committed input fails; see $build/logs/$target.regressions.log"
        tail -n 30 "$build/logs/$target.regressions.log"
        failed+=("$target")
        continue
    fi
    if ! run_fuzzer "$target"; then
        echo "$target: finding; see $build/logs/$target.log and $build/artifacts/$target/"
        tail -n 30 "$build/logs/$target.log"
        failed+=("$target")
        continue
    fi
    executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$target.log" |
        grep -o '[0-9]*$')
    echo "$target: ${executions:-?} executions in ${seconds}s, no findings"
done

if ((${#failed[@]})); then
    echo "Fuzzing failed: ${failed[*]}"
    exit 1
fi
echo "Fuzzing passed: ${targets[*]}"
