#!/usr/bin/env bash
# Builds Quillfeed and runs it. Without a display it runs under a virtual one.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
BUILD="$("$ROOT/scripts/build.sh" | tail -n 1)"
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running Quillfeed under a virtual X display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/quillfeed" "$@"
fi
exec "$BUILD/quillfeed" "$@"
