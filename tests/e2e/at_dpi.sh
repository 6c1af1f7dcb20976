#!/usr/bin/env bash
# Runs a Windows program under Wine with the screen at a given DPI:
#   at_dpi.sh DPI LOADER PROGRAM.exe [ARG...]
# Wine takes the screen's DPI from LogPixels under HKCU\Control Panel\Desktop when its server
# starts, so the value is set in a prefix of its own (WINEPREFIX with "-dpi" after it, made on
# first use with the settings scripts/wine-env.sh gives the tests' prefixes) and that prefix's
# server is started again; the tests' own prefix and server are left alone. While DpiScalingVer
# is absent, Wine lays every program out as a DPI-aware one.
set -euo pipefail

dpi=$1
loader=$2
shift 2
: "${WINEPREFIX:?no Wine prefix: source scripts/wine-env.sh && wine_env_start}"
export WINEPREFIX="$WINEPREFIX-dpi"
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

if [ ! -f "$WINEPREFIX/user.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$loader" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1 </dev/null
    "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 </dev/null
fi
"$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 </dev/null
stop_server() {
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
}
stop_server
# Nothing of this prefix outlives the run, and the next DPI starts from a stopped server.
trap stop_server EXIT

"$loader" "$@"
