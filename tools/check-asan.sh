#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a build
# folder of its own and runs every test suite, the windows' tests offscreen.
#   tools/check-asan.sh [BUILD_DIR]     (default build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-asan}"
root="$PWD"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

# Test discovery runs the test programs during the build, so the options apply there too.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/asan/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

if [ ! -f "$build/CMakeCache.txt" ]; then
  # -O1 keeps the instrumented build and its tests quick; -g1 still gives line numbers.
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
fi
cmake --build "$build" -j "${JOBS:-$(nproc)}"
cd "$build"
ctest --output-on-failure -j "${JOBS:-$(nproc)}"
