#!/usr/bin/env bash
# Fails, naming the files, when clang-format with the project's .clang-format would change any
# tracked C++ file (any C++ file outside the build folders in a tree without git history).
# scripts/test.sh runs it before building anything.
#   scripts/check-format.sh        # check
#   scripts/check-format.sh --fix  # format those files in place
# The layout is the one clang-format 14 (Debian 12's) gives; other versions move a few things, so
# another version is refused rather than trusted. GPAIS_CLANG_FORMAT names a different binary.
set -euo pipefail
cd "$(dirname "$0")/.."

wanted_major=14

fix=false
if [ "${1:-}" = "--fix" ]; then
    fix=true
fi

tool=${GPAIS_CLANG_FORMAT:-}
if [ -z "$tool" ]; then
    if command -v "clang-format-$wanted_major" >/dev/null 2>&1; then
        tool=clang-format-$wanted_major
    else
        tool=clang-format
    fi
fi
if ! command -v "$tool" >/dev/null 2>&1; then
    echo "check-format: $tool not found; bash scripts/setup.sh installs it" >&2
    exit 1
fi
version=$("$tool" --version)
major=$(sed -n 's/.*clang-format version \([0-9][0-9]*\).*/\1/p' <<<"$version")
if [ "$major" != "$wanted_major" ]; then
    echo "check-format: needs clang-format $wanted_major, found: $version" >&2
    exit 1
fi

# Generated and third-party sources keep their own layout.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.hpp' '*.h' \
        ':!:third_party/**' ':!:**/third_party/**' ':!:**/generated/**')
else
    # A tree without git history (an unpacked source archive) is checked all the same: every C++
    # file outside the build folders.
    mapfile -t files < <(find . \( -path ./build -o -path ./.git -o -path '*/third_party' \
        -o -path '*/generated' \) -prune -o -type f \( -name '*.cpp' -o -name '*.hpp' \
        -o -name '*.h' \) -print | sed 's|^\./||' | LC_ALL=C sort)
fi

unformatted=()
for file in "${files[@]}"; do
    # A tracked file deleted in the working tree has nothing to check.
    [ -f "$file" ] || continue
    if ! "$tool" --style=file "$file" | cmp -s - "$file"; then
        unformatted+=("$file")
    fi
done

if [ "${#unformatted[@]}" -eq 0 ]; then
    echo "check-format: ${#files[@]} files formatted"
    exit 0
fi
if $fix; then
    "$tool" --style=file -i "${unformatted[@]}"
    printf 'check-format: formatted %s\n' "${unformatted[@]}"
    exit 0
fi
echo "check-format: clang-format would change ${#unformatted[@]} file(s):" >&2
printf '  %s\n' "${unformatted[@]}" >&2
echo "check-format: run 'bash scripts/check-format.sh --fix' (or clang-format -i on them)" >&2
exit 1
