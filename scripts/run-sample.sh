#!/usr/bin/env bash
# Builds the command and runs it on the bundled sample: keeps the positions whose own supply
# started in November 2026 and writes the result into build/sample-output/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --native-only
cmake --preset native >/dev/null
cmake --build --preset native --target gpais-filter

out=build/sample-output
mkdir -p "$out"
list=examples/produktu-sarasas.xml
result="$out/produktu-sarasas_2026-11.xml"

echo "== gpais-filter --from 2026-11-01 --to 2026-11-30 -o $result $list"
status=0
build/native/cli/gpais-filter --from 2026-11-01 --to 2026-11-30 -o "$result" "$list" || status=$?
echo "exit code: $status"
if [ "$status" -eq 0 ]; then
    echo "positions before: $(grep -c '<kodas>' "$list"), kept: $(grep -c '<kodas>' "$result")"
    echo "bytes before: $(wc -c <"$list"), after: $(wc -c <"$result")"
    echo "kept codes and their own supply-start dates are in $result"
fi
exit "$status"
