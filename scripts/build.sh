#!/usr/bin/env bash
# Configures (once) and builds incrementally; progress goes to stderr, the
# build folder's path to stdout.
# Configures (once) and builds incrementally into the build folder.
# The build folder defaults to a sibling of the work tree; QUILLFEED_BUILD overrides it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${QUILLFEED_BUILD:-$ROOT/../quillfeed-build}"
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$BUILD" -j2 >&2
echo "$BUILD"
