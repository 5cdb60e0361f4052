#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with the release's own clang (installing what is missing)
# and runs each for SECONDS (60 unless given) on a scratch copy of its seed corpus. Crash inputs
# are kept in build/fuzz/artifacts. Exits non-zero when any target reports a finding.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 2
fi

. scripts/setup.sh
# g++ brings the C++ standard library headers that clang builds against; clang and
# libclang-rt-dev are the release's default LLVM (14 on Debian 12, 19 on Debian 13), whose
# libFuzzer and sanitizer run-times come with libclang-rt-dev.
dentaro_install cmake make g++ qt6-base-dev libgl-dev clang libclang-rt-dev

targets=(fuzz_text_to_number fuzz_compute)
build=$root/build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DDENTARO_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${targets[@]}" --parallel "$(nproc)"

artifacts=$build/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
summary=()
for target in "${targets[@]}"; do
    corpus=$work/${target#fuzz_}
    cp -r "fuzz/corpus/${target#fuzz_}" "$corpus"
    log=$work/$target.log
    echo "== $target for $seconds s"
    result=0
    "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -dict=fuzz/dentaro.dict \
        -max_len=512 -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
        2>&1 | tee "$log" || result=$?
    # A sanitizer that reports without stopping the run still counts as a finding.
    if grep -qE 'PROPERTY VIOLATED|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' \
        "$log" && [ "$result" = 0 ]; then
        result=1
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    line="$target: ${executions:-unknown} executions in $seconds s"
    if [ "$result" != 0 ]; then
        line+=" - FINDING (exit status $result), artifacts in $artifacts"
        status=1
    fi
    summary+=("$line")
done

printf '%s\n' "${summary[@]}"
exit "$status"
