#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a share of the given seconds (default 30).
# A longer hunt: scripts/fuzz.sh 600
# New inputs found are kept in build/fuzz/corpus/<target>; a failing input is written to
# build/fuzz/crashes/ and the run stops with its report.
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_all -j "$(nproc)"

targets=(build/fuzz/fuzz/fuzz_*)
per=$(( total / ${#targets[@]} ))
[ "$per" -ge 1 ] || per=1
mkdir -p build/fuzz/crashes
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    seeds=fuzz/seeds/${name#fuzz_}
    mkdir -p "$corpus" "$seeds"
    log=build/fuzz/$name.log
    echo "fuzz: $name for ${per}s"
    # A scan that does not end is a failure too: -timeout catches it.
    if ! "$target" -max_total_time="$per" -timeout=10 -print_final_stats=1 \
            -artifact_prefix=build/fuzz/crashes/"$name"- "$corpus" "$seeds" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $name FAILED (log: $log)"
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_runs)' "$log" || tail -n 2 "$log"
done

# Lists shaped to make a scan search to the end once per position: a few milliseconds each when
# the scan is linear, minutes when it is not, so a short per-input limit tells the two apart.
large=build/fuzz/large-seeds
python3 fuzz/large_seeds.py "$large"
log=build/fuzz/large-seeds.log
if ! build/fuzz/fuzz/fuzz_position_scan -timeout=5 -rss_limit_mb=4096 \
        -artifact_prefix=build/fuzz/crashes/large- "$large"/* >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: large lists FAILED (log: $log)"
    exit 1
fi
echo "fuzz: $(ls "$large" | wc -l) large lists within 5 s each"
