#!/usr/bin/env bash
# Builds Quillfeed and runs every test.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
BUILD="$("$ROOT/scripts/build.sh" | tail -n 1)"
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
cd "$BUILD"
ctest --output-on-failure -j2 --timeout 300 "$@"
