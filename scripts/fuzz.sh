#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a share of the given seconds (default 30).
# A longer hunt: scripts/fuzz.sh 600
# GPAIS_FUZZ_PRESET=fuzz-portable builds them on the scan's portable ways (no SSE2 search,
# 32-bit multiplies) in build/fuzz-portable instead: the ways a target without SSE2 or __int128
# takes, which the default build never runs. It starts from the default build's corpus too.
# New inputs found are kept in build/<preset>/corpus/<target>; a failing input is written to
# build/<preset>/crashes/ and the run stops with its report.
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-30}
preset=${GPAIS_FUZZ_PRESET:-fuzz}
case "$preset" in
    fuzz | fuzz-portable) ;;
    *)
        echo "fuzz: GPAIS_FUZZ_PRESET must be fuzz or fuzz-portable, not '$preset'" >&2
        exit 2
        ;;
esac
build=build/$preset  # the presets' binaryDir

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target fuzz_all -j "$(nproc)"

targets=("$build"/fuzz/fuzz_*)
per=$(( total / ${#targets[@]} ))
[ "$per" -ge 1 ] || per=1
mkdir -p "$build"/crashes
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=$build/corpus/$name
    seeds=fuzz/seeds/${name#fuzz_}
    mkdir -p "$corpus" "$seeds"
    # New inputs go to the first folder only; the others are read.
    inputs=("$corpus" "$seeds")
    if [ "$preset" != fuzz ] && [ -d build/fuzz/corpus/"$name" ]; then
        inputs+=(build/fuzz/corpus/"$name")
    fi
    log=$build/$name.log
    echo "fuzz: $name for ${per}s ($preset)"
    # A scan that does not end is a failure too: -timeout catches it.
    if ! "$target" -max_total_time="$per" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$build"/crashes/"$name"- "${inputs[@]}" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $name FAILED (log: $log)"
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_runs)' "$log" || tail -n 2 "$log"
done

# Lists shaped to make a scan search to the end once per position: a few milliseconds each when
# the scan is linear, minutes when it is not, so a short per-input limit tells the two apart.
large=$build/large-seeds
python3 fuzz/large_seeds.py "$large"
log=$build/large-seeds.log
if ! "$build"/fuzz/fuzz_position_scan -timeout=5 -rss_limit_mb=4096 \
        -artifact_prefix="$build"/crashes/large- "$large"/* >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: large lists FAILED (log: $log)"
    exit 1
fi
echo "fuzz: $(ls "$large" | wc -l) large lists within 5 s each"
