#!/usr/bin/env bash
# The tool's main job on the bundled sample: keeps the positions whose own supply started in
# November 2026, first with the gpais-filter command (result in build/sample-output/), then the
# positions whose codes the sample error log names, and then in the Windows dialog under Wine,
# opened on the same product list, when a display is at hand.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target gpais-filter

out=build/sample-output
mkdir -p "$out"
list=examples/produktu-sarasas.xml
result="$out/produktu-sarasas_2026-11.xml"

# Filters one list into the sample output, by November 2026 or by the options given after the
# two paths; stops the script on a failed run.
filter_sample() {
    local list=$1 result=$2 status=0
    shift 2
    local mode=("$@")
    [ ${#mode[@]} -gt 0 ] || mode=(--from 2026-11-01 --to 2026-11-30)
    echo "== gpais-filter ${mode[*]} -o $result $list"
    build/native/cli/gpais-filter "${mode[@]}" -o "$result" "$list" || status=$?
    echo "exit code: $status"
    if [ "$status" -ne 0 ]; then
        exit "$status"
    fi
    echo "positions before: $(grep -c '<kodas>' "$list"), kept: $(grep -c '<kodas>' "$result")"
    echo "bytes before: $(wc -c <"$list"), after: $(wc -c <"$result")"
}

filter_sample "$list" "$result"
# The same list written with each position's attributes on lines of their own keeps the same
# positions.
filter_sample examples/produktu-sarasas-atributai.xml "$out/produktu-sarasas-atributai_2026-11.xml"
# The codes of GPAIS's journal answer; the line under the count names the one the list lacks.
filter_sample "$list" "$out/produktu-sarasas_klaidos.xml" --errors examples/gpais-klaidos.log

if [ "${GPAIS_NO_DIALOG:-}" = 1 ]; then
    exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "== no DISPLAY: the dialog needs a screen. On a desktop, run this again to see it."
    exit 0
fi

# The program users get where the machine runs 32-bit code, its 64-bit twin elsewhere.
preset=windows
if ! bash scripts/runs-32bit.sh >/dev/null || [ ! -x /usr/lib/wine/wine ]; then
    preset=windows64
fi
echo "== the dialog under Wine (build/$preset/ui/gpais-filtras.exe), started on $list"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target gpais-filtras
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
wine_env_start --user-display
trap wine_env_stop EXIT
# The save dialog opens in the folder the program was started in.
cd "$out"
status=0
gpais_wine "$root/build/$preset/ui/gpais-filtras.exe" \
    "$("$gpais_wine64" winepath -w "$root/$list" 2>/dev/null)" || status=$?
echo "dialog closed, exit code $status"
