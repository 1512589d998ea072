#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them, a few at a time.
#   scripts/fuzz.sh [-t SECONDS] [-j PARALLEL] [-T SECONDS] [-s SEED] [TARGET...]
# Defaults: 600 seconds each, 3 at once, every target; an input that runs longer than -T seconds
# (default 1) is a hang and a finding. -s is libFuzzer's -seed: 0 (the default) a fresh one each
# run, any other number the same sequence of inputs each time. Exits non-zero when any target found
# something. Corpora grow in build/fuzz/corpus/TARGET,
# findings land in build/fuzz/findings/TARGET, the log of each run in build/fuzz/logs/TARGET.log.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FUZZ_BUILD:-$ROOT/build/fuzz}"
SECONDS_EACH=600
PARALLEL=3
INPUT_TIMEOUT=1
SEED=0
while getopts "t:j:T:s:" opt; do
    case "$opt" in
        t) SECONDS_EACH="$OPTARG" ;;
        j) PARALLEL="$OPTARG" ;;
        T) INPUT_TIMEOUT="$OPTARG" ;;
        s) SEED="$OPTARG" ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVALEN_FUZZ=ON -DMORVALEN_STD_ONLY=ON -DMORVALEN_TESTS=OFF -DMORVALEN_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "$PARALLEL"

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
    mapfile -t TARGETS < <(cd "$BUILD/bin" && ls fuzz_* | sort)
fi

run_one() {
    local t="$1"
    local seeds="$BUILD/fuzz/seeds/$t"
    mkdir -p "$BUILD/corpus/$t" "$BUILD/findings/$t" "$BUILD/logs"
    local dict=()
    [ -f "$seeds.dict" ] && dict=(-dict="$seeds.dict")
    local start=$SECONDS
    if "$BUILD/bin/$t" "$BUILD/corpus/$t" "$seeds" "${dict[@]}" \
        -max_total_time="$SECONDS_EACH" -timeout="$INPUT_TIMEOUT" -seed="$SEED" -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$BUILD/findings/$t/" >"$BUILD/logs/$t.log" 2>&1; then
        echo "$t: clean after $((SECONDS - start)) s"
    else
        echo "$t: FINDING after $((SECONDS - start)) s (see $BUILD/logs/$t.log)"
        tail -n 40 "$BUILD/logs/$t.log"
        return 1
    fi
}

export -f run_one
export BUILD SECONDS_EACH INPUT_TIMEOUT SEED
printf '%s\n' "${TARGETS[@]}" | xargs -P "$PARALLEL" -I{} bash -c 'run_one {}'
