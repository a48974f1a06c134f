#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz: clang, libFuzzer, address and undefined sanitizers) and
# runs each for SECONDS, side by side. Exits non-zero when a target finds anything (an
# invariant broken, a sanitizer report, a timeout or running out of memory).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (30 seconds and every target by default)
#
# Each target starts from its seed corpus, fuzz/corpus/<target>/, and keeps what it learns in
# build/fuzz/corpus/<target>/; findings land in build/fuzz/findings/ and the logs in
# build/fuzz/logs/. A finding is replayed with  build/fuzz/bin/<target>_fuzz FILE.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(session dictionary wylie ewts index)

cmake --preset fuzz >/dev/null || exit 2
cmake --build --preset fuzz || exit 2

out=$root/build/fuzz
mkdir -p "$out/findings" "$out/logs"
# The targets run side by side, as many at once as REVAZE_FUZZ_JOBS (the machine's cores by default),
# each for SECONDS of its own; the results print in the order of the targets.
jobs=${REVAZE_FUZZ_JOBS:-$(nproc)}
run_target() {
    local target=$1 binary=$out/bin/${1}_fuzz log=$out/logs/$1.log
    mkdir -p "$out/corpus/$target"
    # A single key or search slower than 10 s counts as a hang; 2 GB as running away with memory.
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$target-" \
        "$out/corpus/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1
    echo $? >"$log.rc"
}
for target in "${targets[@]}"; do
    [ -x "$out/bin/${target}_fuzz" ] || { echo "fuzz: no target $target"; exit 2; }
done
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n
    done
    run_target "$target" &
done
wait
failed=0
for target in "${targets[@]}"; do
    log=$out/logs/$target.log
    rc=$(cat "$log.rc")
    stats=$(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$log" | tail -1 |
        sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+).*/cov \1, ft \2/')
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
    slowest=$(grep -E '^slowest of' "$log" || true)
    if [ "$rc" = 0 ]; then
        echo "PASS: fuzz $target: ${runs:-?} runs in ${seconds} s, $stats${slowest:+; $slowest}"
    else
        echo "FAIL: fuzz $target (exit code $rc), log $log:"
        grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" | sed 's/^/    /'
        failed=$((failed + 1))
    fi
done
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[ $failed = 0 ]
