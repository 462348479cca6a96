#!/usr/bin/env bash
# Sets up and builds ORB, then runs every test.
#   scripts/test.sh              the normal build, in build/
#   scripts/test.sh --sanitize   a separate AddressSanitizer + UndefinedBehaviorSanitizer build
#   scripts/test.sh --all        both, then a minute and a half of fuzzing, then the Debian
#                                package made and checked by the distribution's tools (what CI
#                                runs)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--all" ]; then
    "$root/scripts/test.sh"
    "$root/scripts/test.sh" --sanitize
    "$root/scripts/fuzz.sh" 90
    cd "$root/build"
    ctest --output-on-failure -L package
    exit 0
fi

if [ "${1:-}" = "--sanitize" ]; then
    build="$root/build-asan"
    "$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Debug -DORB_SANITIZE=ON -DORB_BUILD_BENCH=OFF
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
    build="$root/build"
    "$root/scripts/setup.sh" "$build"
fi
export QT_QPA_PLATFORM=offscreen
cd "$build"
# The package test (label "package") needs the packaging tools: only --all runs it.
ctest --output-on-failure --parallel 2 -LE package
