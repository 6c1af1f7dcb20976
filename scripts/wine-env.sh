# shellcheck shell=bash
# Sourced, not run: gives the Windows tests a private Wine world and takes it down again.
#
#   source scripts/wine-env.sh
#   wine_env_start        # a private Xvfb display, the Lithuanian locale, and a 64-bit prefix
#                         # (build/windows/wineprefix64: WINEPREFIX, GPAIS_WINEPREFIX64) with a
#                         # persistent wineserver, where the 64-bit twin's tests run and the
#                         # tests labelled wow64 run the 32-bit programs under WOW64; where the
#                         # machine runs 32-bit code (GPAIS_RUN_32BIT=1, set by the caller from
#                         # scripts/runs-32bit.sh) also the 32-bit prefix build/windows/wineprefix
#                         # (GPAIS_WINEPREFIX32) with a wineserver of its own
#   WINEPREFIX=$GPAIS_WINEPREFIX32 ctest --preset windows
#   ctest --preset windows64
#   wine_env_stop         # every wineserver -k, Xvfb killed
#
#   wine_env_start --user-display   # the same locale for a program shown to a person on
#                                   # $DISPLAY: no Xvfb, and a prefix of its own
#                                   # (build/windows/wineprefix-user, 64-bit) without the settings
#                                   # below that only suit a screen without a window manager
#
#   gpais_wine PROGRAM.exe [ARG...]  # runs a program with the loader of its width
#
# Wine is always called through its loaders, /usr/lib/wine/wine64 and /usr/lib/wine/wine, never
# through Debian's wine wrapper: that one takes the 32-bit loader whenever wine32 is installed,
# which cannot start a 64-bit program, nor anything where the kernel runs no 32-bit code.
#
# Both functions are quiet, may be called again at any time and leave the shell usable.

gpais_wine64=/usr/lib/wine/wine64
[ -x "$gpais_wine64" ] || gpais_wine64=wine64
gpais_wine32=/usr/lib/wine/wine
[ -x "$gpais_wine32" ] || gpais_wine32=wine
gpais_wineserver=/usr/lib/wine/wineserver
[ -x "$gpais_wineserver" ] || gpais_wineserver=wineserver

gpais_wine_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# A display of our own, so that tests never draw on (or wait for) somebody else's screen.
gpais_wine_start_xvfb() {
    if [ -n "${GPAIS_XVFB_PID:-}" ] && kill -0 "$GPAIS_XVFB_PID" 2>/dev/null; then
        return 0
    fi
    local n
    for n in $(seq 91 190); do
        if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then
            continue
        fi
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        local pid=$!
        local tries
        for tries in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                break
            fi
            if ! kill -0 "$pid" 2>/dev/null; then
                break
            fi
            sleep 0.05
        done
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export GPAIS_XVFB_PID=$pid
            export DISPLAY=":$n"
            return 0
        fi
        # Another Xvfb won the race for this number: try the next one.
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "wine-env: no free X display for Xvfb" >&2
    return 1
}

wine_env_start() {
    local user_display=false
    if [ "${1:-}" = "--user-display" ]; then
        user_display=true
    fi
    export WINEDEBUG=-all
    export LANG=lt_LT.UTF-8
    export LC_ALL=lt_LT.UTF-8
    # No Mono or Gecko installer prompts during the first start of the prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml="

    if $user_display; then
        if [ -z "${DISPLAY:-}" ]; then
            echo "wine-env: --user-display needs DISPLAY" >&2
            return 1
        fi
        # A person's dialog gets a prefix of its own: the tests' one is set up for a screen
        # without a window manager, and would show the dialog without its frame.
        export WINEPREFIX="${GPAIS_WINEPREFIX:-$gpais_wine_root/build/windows/wineprefix-user}"
        export WINEARCH=win64
        gpais_wine_start_prefix true
        return 0
    fi

    gpais_wine_start_xvfb || return 1
    export GPAIS_WINEPREFIX64="${GPAIS_WINEPREFIX64:-$gpais_wine_root/build/windows/wineprefix64}"
    export WINEPREFIX=$GPAIS_WINEPREFIX64
    export WINEARCH=win64
    gpais_wine_start_prefix false
    if [ "${GPAIS_RUN_32BIT:-}" = 1 ]; then
        export GPAIS_WINEPREFIX32="${GPAIS_WINEPREFIX32:-$gpais_wine_root/build/windows/wineprefix}"
        if [ "$GPAIS_WINEPREFIX32" = "$GPAIS_WINEPREFIX64" ]; then
            echo "wine-env: the 32-bit prefix must not be the 64-bit one ($WINEPREFIX)" >&2
            return 1
        fi
        (
            export WINEPREFIX=$GPAIS_WINEPREFIX32 WINEARCH=win32
            gpais_wine_start_prefix false
        )
    fi
    return 0
}

# The loader of the program's width: a PE file's machine field, two bytes at the offset that
# its DOS header gives at 0x3C, plus four for the "PE\0\0" signature.
gpais_wine() {
    local at machine
    at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    machine=$(od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    if [ "$machine" = 014c ]; then
        "$gpais_wine32" "$@"
    else
        "$gpais_wine64" "$@"
    fi
}

# The prefix WINEPREFIX names, for WINEARCH: a wineserver that stays (each prefix has its own)
# and the helper processes, brought up now so that they do not inherit the pipes of the first
# test that would otherwise start them. The first start creates the prefix.
gpais_wine_start_prefix() {
    local user_display=$1 loader=$gpais_wine64
    if [ "$WINEARCH" = win32 ]; then
        loader=$gpais_wine32
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$gpais_wineserver" -p >/dev/null 2>&1 || true
    "$loader" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
    if ! $user_display; then
        gpais_wine_settings "$loader" >/dev/null 2>&1 || true
    fi
}

# Without a window manager every managed window that Wine hides waits 2 s for a reply that never
# comes; a crash dialog would wait for a click that never comes. Written once into the prefix.
gpais_wine_settings() {
    local reg="$WINEPREFIX/drive_c/gpais-settings.reg"
    if grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null &&
        grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
        rm -f "$reg"
        return 0
    fi
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' >"$reg"
    "$1" regedit /S 'C:\gpais-settings.reg' </dev/null || true
    rm -f "$reg"
}

wine_env_stop() {
    local prefix
    for prefix in "${WINEPREFIX:-}" "${GPAIS_WINEPREFIX64:-}" "${GPAIS_WINEPREFIX32:-}"; do
        if [ -n "$prefix" ]; then
            WINEPREFIX=$prefix "$gpais_wineserver" -k >/dev/null 2>&1 || true
            WINEPREFIX=$prefix "$gpais_wineserver" -w >/dev/null 2>&1 || true
        fi
    done
    if [ -n "${GPAIS_XVFB_PID:-}" ]; then
        kill "$GPAIS_XVFB_PID" 2>/dev/null || true
        wait "$GPAIS_XVFB_PID" 2>/dev/null || true
        unset GPAIS_XVFB_PID
    fi
    return 0
}
