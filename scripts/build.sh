#!/usr/bin/env bash
# Configures (once) and builds incrementally; progress goes to stderr, the
# build folder's path to stdout.
# The build folder defaults to a sibling of the work tree; QUILLFEED_BUILD overrides it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${QUILLFEED_BUILD:-$ROOT/../quillfeed-build}"
if [ ! -f "$BUILD/build.ninja" ]; then
    # ccache, where installed, makes rebuilds in fresh folders cheap.
    LAUNCHER=()
    if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >&2
fi
cmake --build "$BUILD" -j2 >&2
echo "$BUILD"
