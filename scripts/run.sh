#!/usr/bin/env bash
# Builds the program (release) and starts it, on the given NC file or the sample program.
# Usage: scripts/run.sh [file.nc]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

ensure_packages "${PACKAGES[@]}"
BUILD="$ROOT/build/release"
configure "$BUILD" -DCMAKE_BUILD_TYPE=Release -DMORVALEN_TESTS=OFF -DMORVALEN_BENCH=OFF
cmake --build "$BUILD" --target morvalen morvalen-dde -j "$JOBS"

FILE="${1:-$ROOT/examples/laser-sample.nc}"
# Without a display the program runs on Qt's offscreen platform.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    echo "No display: running offscreen (set MORVALEN_QUIT_AFTER_MS to close it after a delay)."
fi
exec "$BUILD/bin/morvalen" "$FILE"
