# shellcheck shell=bash
# Sourced, not run: gives the Windows tests a private Wine world and takes it down again.
#
#   source scripts/wine-env.sh
#   wine_env_start        # 32-bit prefix in build/windows/wineprefix, Lithuanian locale,
#                         # a private Xvfb display and a persistent wineserver; beside it a
#                         # 64-bit prefix (build/windows/wineprefix64, GPAIS_WINEPREFIX64) with
#                         # a wineserver of its own, where the tests labelled wow64 run the
#                         # 32-bit programs under WOW64 as 64-bit Windows does
#   ctest --preset windows
#   wine_env_stop         # both wineservers -k, Xvfb killed
#
#   wine_env_start --user-display   # the same locale for a program shown to a person on
#                                   # $DISPLAY: no Xvfb, and a prefix of its own
#                                   # (build/windows/wineprefix-user) without the settings below
#                                   # that only suit a screen without a window manager
#
# Both functions are quiet, may be called again at any time and leave the shell usable.

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
    # A person's dialog gets a prefix of its own: the tests' one is set up for a screen without a
    # window manager, and would show the dialog without its frame.
    local prefix=$gpais_wine_root/build/windows/wineprefix
    if $user_display; then
        prefix=$gpais_wine_root/build/windows/wineprefix-user
    fi
    export WINEPREFIX="${GPAIS_WINEPREFIX:-$prefix}"
    export WINEARCH=win32
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
    else
        gpais_wine_start_xvfb || return 1
    fi

    gpais_wine_start_prefix "$user_display"
    if ! $user_display; then
        export GPAIS_WINEPREFIX64="${GPAIS_WINEPREFIX64:-$gpais_wine_root/build/windows/wineprefix64}"
        if [ "$GPAIS_WINEPREFIX64" = "$WINEPREFIX" ]; then
            echo "wine-env: the 64-bit prefix must not be the 32-bit one ($WINEPREFIX)" >&2
            return 1
        fi
        (
            export WINEPREFIX=$GPAIS_WINEPREFIX64 WINEARCH=win64
            gpais_wine_start_prefix false
        )
    fi
    return 0
}

# The prefix WINEPREFIX names, for WINEARCH: a wineserver that stays (each prefix has its own)
# and the helper processes, brought up now so that they do not inherit the pipes of the first
# test that would otherwise start them. The first start creates the prefix.
gpais_wine_start_prefix() {
    local user_display=$1
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineserver -p >/dev/null 2>&1 || true
    wine cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
    if ! $user_display; then
        gpais_wine_settings >/dev/null 2>&1 || true
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
    wine regedit /S 'C:\gpais-settings.reg' </dev/null || true
    rm -f "$reg"
}

wine_env_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${GPAIS_WINEPREFIX64:-}" ]; then
        WINEPREFIX=$GPAIS_WINEPREFIX64 wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX=$GPAIS_WINEPREFIX64 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${GPAIS_XVFB_PID:-}" ]; then
        kill "$GPAIS_XVFB_PID" 2>/dev/null || true
        wait "$GPAIS_XVFB_PID" 2>/dev/null || true
        unset GPAIS_XVFB_PID
    fi
    return 0
}
