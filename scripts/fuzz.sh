#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a share of the given seconds (default 30).
# A longer hunt: scripts/fuzz.sh 600
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

targets=(build/fuzz/fuzz/fuzz_*)
per=$(( total / ${#targets[@]} ))
[ "$per" -ge 1 ] || per=1
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    echo "fuzz: $name for ${per}s"
    "$target" -max_total_time="$per" -print_final_stats=0 "$corpus" "fuzz/seeds/${name#fuzz_}" 2>&1 | tail -n 2
done
