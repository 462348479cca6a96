#!/usr/bin/env bash
# Builds the bank-file reader's libFuzzer target with clang (ASan + UBSan) in build-fuzz/, makes
# a small seed corpus by code and fuzzes for the given number of seconds (default 60).
#   scripts/fuzz.sh [SECONDS]
# Any single allocation above 64 MB counts as a finding (inputs are at most 8 KB).
# A finding stops the run with a non-zero status and leaves the input in build-fuzz/artifacts/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

cc="$(command -v clang-14 || command -v clang || true)"
cxx="$(command -v clang++-14 || command -v clang++ || true)"
# setup.sh installs what is missing (clang-14 and libclang-rt-14-dev among it) before it
# configures, so the compilers are looked up again when they were not there yet.
CC="${cc:-clang-14}" CXX="${cxx:-clang++-14}" ORB_SETUP_TARGETS="sty_reader_fuzz sty_fuzz_seeds" \
    "$root/scripts/setup.sh" "$build" -DORB_FUZZ=ON -DORB_BUILD_TESTS=OFF -DORB_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo

mkdir -p "$build/seeds" "$build/corpus" "$build/artifacts"
"$build/fuzz/sty_fuzz_seeds" "$build/seeds"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$build/fuzz/sty_reader_fuzz" -max_total_time="$seconds" -max_len=8192 -malloc_limit_mb=64 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" "$build/corpus" "$build/seeds"
