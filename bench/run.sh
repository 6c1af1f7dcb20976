#!/usr/bin/env bash
# The benchmark: gpais-filter against cp and three XML tools on one generated ~200 MB list.
#   bash bench/run.sh [SIZE_MB]
# Not part of the tests. Installs its peers, builds a Release gpais-filter in build/bench (or in
# BENCH_BUILD, so that two people measuring at once do not rebuild each other's binary).
set -euo pipefail
cd "$(dirname "$0")/.."
size_mb="${1:-200}"

# The peers and /usr/bin/time come from Debian, like everything the build needs.
bash scripts/setup.sh --native-only xmlstarlet xsltproc python3-lxml time

build="${BENCH_BUILD:-build/bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target gpais-filter gpais_bench_phases >/dev/null

data=build/bench-data
mkdir -p "$data"
list="$data/list-${size_mb}mb.xml"
errors="$data/errors-${size_mb}mb.log"
if [ ! -s "$list" ] || [ ! -s "$errors" ]; then
    echo "bench: generating $list"
    python3 bench/generate.py --size-mb "$size_mb" --list "$list" --errors "$errors"
fi
work="${BENCH_WORK:-$data}"
mkdir -p "$work"
python3 bench/measure.py --binary "$build/cli/gpais-filter" --list "$list" --errors "$errors" --work "$work"

# The same positions written in the shapes that would make a scan quadratic.
shaped=()
for variant in tab-attributes attribute-lines self-closing slash-runs; do
    shaped_list="$data/list-${size_mb}mb-$variant.xml"
    if [ ! -s "$shaped_list" ]; then
        echo "bench: generating $shaped_list"
        python3 bench/generate.py --size-mb "$size_mb" --variant "$variant" --list "$shaped_list" \
            --errors "$data/errors-${size_mb}mb-$variant.log" >/dev/null
    fi
    shaped+=("$variant=$shaped_list")
done
echo
python3 bench/adversarial.py --binary "$build/cli/gpais-filter" --work "$work" "plain=$list" "${shaped[@]}"

# Where the time of a period run goes, phase by phase (best of five rounds each).
echo
echo "phases, period:   $("$build/bench/gpais_bench_phases" "$list" "$work/out-phases.xml" 5)"
echo "phases, keep all: $("$build/bench/gpais_bench_phases" "$list" "$work/out-phases.xml" 5 2000-01-01 2099-12-31)"
rm -f "$work/out-phases.xml"
