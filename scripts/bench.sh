#!/usr/bin/env bash
# Builds the benchmarks (release) and runs them: the open of the 1.2M-block program and the
# reader against LinuxCNC's rs274 (installed here if missing), the element view's repaint and
# navigation, the element database, the NC list and the trace. Each figure with min, median and max.
# Usage: scripts/bench.sh [benchmark-filter]   (results also in build/bench/results.txt)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

# The peer of the reader benchmarks; only the benchmarks need it.
ensure_packages "${PACKAGES[@]}" linuxcnc-uspace
BUILD="$ROOT/build/bench"
configure "$BUILD" -DCMAKE_BUILD_TYPE=Release -DMORVALEN_TESTS=OFF -DMORVALEN_BENCH=ON
cmake --build "$BUILD" -j "$JOBS"

FILTER="${1:-.}"
OUT="$BUILD/results.txt"
: >"$OUT"
for bench in OpenProgramBench NcReadBench ElemViewPaintBench ElementDatabaseBench NcListOpenBench \
    TraceBench; do
    [ -x "$BUILD/bin/$bench" ] || continue
    echo "== $bench" | tee -a "$OUT"
    QT_QPA_PLATFORM=offscreen "$BUILD/bin/$bench" --benchmark_filter="$FILTER" \
        --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 | tee -a "$OUT"
done
