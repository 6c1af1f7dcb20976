#!/usr/bin/env bash
# Renews docs/dialog.png, the picture of the main dialog that the README shows, and
# docs/dialog-144.png, the same dialog on a screen of 150 % (144 DPI): builds the Windows preset,
# opens the dialog under Wine on a private display, and crops the picture to the dialog's window.
set -euo pipefail
cd "$(dirname "$0")/.."

# The twin draws the same dialog from the same template, and runs on every machine.
build=${GPAIS_WINDOWS_BUILD:-build/windows64}
cmake --preset windows64 -B "$build" >/dev/null
cmake --build "$build" --target gpais-filtras gpais_e2e

bmp=$(mktemp --suffix=.bmp)
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
trap 'rm -f "$bmp"; wine_env_stop' EXIT
wine_env_start

# The driver cuts the picture to the dialog already; PNG needs only zlib, which Python has.
to_png() {  # $1 the driver's BMP, $2 the PNG
python3 - "$1" "$2" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
offset, = struct.unpack_from("<I", data, 10)
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, "expected a 24-bit picture"
stride = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    source = height - 1 - y if height > 0 else y
    row = data[offset + source * stride: offset + source * stride + width * 3]
    rgb = bytearray(row)
    rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
    rows.append(b"\0" + bytes(rgb))
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
png = b"\x89PNG\r\n\x1a\n"
png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
png += chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
PY
}

gpais_wine "$build/tests/e2e/gpais_e2e.exe" screenshot "$PWD/$build/ui/gpais-filtras.exe" \
    "$PWD/tests/e2e" "$bmp"
to_png "$bmp" docs/dialog.png

# The layout check at 144 DPI leaves its picture where it is told, in a prefix of that DPI.
bash tests/e2e/at_dpi.sh 144 "$gpais_wine64" "$build/tests/e2e/gpais_e2e.exe" layout_at_144_dpi \
    "$PWD/$build/ui/gpais-filtras.exe" "$PWD/tests/e2e" "$bmp"
to_png "$bmp" docs/dialog-144.png
echo "docs/dialog.png and docs/dialog-144.png renewed"
