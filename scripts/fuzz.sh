#!/usr/bin/env bash
# Builds the libFuzzer targets of the bank-file reader, the dump reader and the single style
# file reader with clang (ASan + UBSan) in build-fuzz/, makes their small seed corpora by code
# and fuzzes each for a third of the given number of seconds (default 90).
#   scripts/fuzz.sh [SECONDS]
# Any single allocation above 64 MB counts as a finding (inputs are at most 8 KB).
# A finding stops the run with a non-zero status and leaves the input in build-fuzz/artifacts/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-90}"
build="$root/build-fuzz"

cc="$(command -v clang-14 || command -v clang || true)"
cxx="$(command -v clang++-14 || command -v clang++ || true)"
# setup.sh installs what is missing (clang-14 and libclang-rt-14-dev among it) before it
# configures, so the compilers are looked up again when they were not there yet.
CC="${cc:-clang-14}" CXX="${cxx:-clang++-14}" \
    ORB_SETUP_TARGETS="sty_reader_fuzz sty_fuzz_seeds dump_reader_fuzz dump_fuzz_seeds ssf_reader_fuzz ssf_fuzz_seeds" \
    "$root/scripts/setup.sh" "$build" -DORB_FUZZ=ON -DORB_BUILD_TESTS=OFF -DORB_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
third=$((seconds / 3))
# name of the target, its seed program, its seconds
run() {
    local target="$1" seeds="$2" time="$3"
    mkdir -p "$build/$target/seeds" "$build/$target/corpus" "$build/artifacts"
    "$build/fuzz/$seeds" "$build/$target/seeds"
    "$build/fuzz/$target" -max_total_time="$time" -max_len=8192 -malloc_limit_mb=64 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$build/$target/corpus" "$build/$target/seeds"
}
run sty_reader_fuzz sty_fuzz_seeds "$third"
run dump_reader_fuzz dump_fuzz_seeds "$third"
run ssf_reader_fuzz ssf_fuzz_seeds "$((seconds - 2 * third))"
