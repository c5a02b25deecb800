#!/usr/bin/env bash
# Builds the feed round-trip fuzzer with clang (libFuzzer, ASan, UBSan) and
# runs it on the seed corpus: bash scripts/fuzz.sh [seconds, default 600]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
command -v clang++ >/dev/null || apt-get install -y -q clang
BUILD="${QUILLFEED_FUZZ_BUILD:-$ROOT/../quillfeed-fuzz}"
if [ ! -f "$BUILD/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUILLFEED_BUILD_FUZZ=ON -DQUILLFEED_BUILD_APP=OFF -DQUILLFEED_BUILD_TESTS=OFF \
        -DQUILLFEED_BUILD_BENCH=OFF
fi
cmake --build "$BUILD" -j2 --target feed_roundtrip_fuzzer
WORK="$BUILD/corpus"
mkdir -p "$WORK"
cd "$BUILD"
exec ./fuzz/feed_roundtrip_fuzzer -max_total_time="${1:-600}" -max_len=65536 -rss_limit_mb=4096 \
    "$WORK" "$ROOT/fuzz/corpus"
