#!/usr/bin/env bash
# Builds Quillfeed and runs every test; then builds the core library and its
# tests a second time under AddressSanitizer and UndefinedBehaviorSanitizer and
# runs those. Any failing test or any sanitizer report fails the script.
# Arguments go to both ctest runs (for example -R FeedParser).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
BUILD="$("$ROOT/scripts/build.sh" | tail -n 1)"
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
(cd "$BUILD" && ctest --output-on-failure -j2 --timeout 300 "$@")

# The sanitizer build: core and core tests only, in a folder of its own beside
# the normal one. -fno-sanitize-recover makes every report abort its test.
ASAN_BUILD="${QUILLFEED_ASAN_BUILD:-$BUILD-asan}"
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f "$ASAN_BUILD/build.ninja" ]; then
    LAUNCHER=()
    if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="-O1 $SANITIZE" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DQUILLFEED_BUILD_APP=OFF -DQUILLFEED_BUILD_BENCH=OFF -DQUILLFEED_BUILD_TESTS=ON \
        "${LAUNCHER[@]}" >&2
fi
cmake --build "$ASAN_BUILD" -j2 --target core_tests >&2
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$ASAN_BUILD"
ctest --output-on-failure -j2 --timeout 300 "$@"
