#!/usr/bin/env bash
# Whether this machine runs 32-bit x86 code, asked of the machine itself: a 32-bit Linux program
# of a few bytes is started, and it either ends with the code it was written to end with or is
# refused ("Exec format error" where the kernel's 32-bit support is switched off). Where it cannot
# run, no 32-bit Wine can either, and no 32-bit Windows program starts.
#   scripts/runs-32bit.sh      exit 0: it runs; exit 1: it does not, and why on standard output
# GPAIS_NO_32BIT=1 answers "no" on any machine, so that a machine that has the support can try
# the other path before a submission.
set -uo pipefail

if [ "${GPAIS_NO_32BIT:-}" = "1" ]; then
    echo "GPAIS_NO_32BIT=1 is set"
    exit 1
fi
if [ "$(uname -s)" != "Linux" ]; then
    echo "not Linux: $(uname -s)"
    exit 1
fi
case "$(uname -m)" in
    x86_64 | i?86) ;;
    *)
        echo "the processor is $(uname -m)"
        exit 1
        ;;
esac

probe=$(mktemp)
runner=${GPAIS_32BIT_RUNNER:-}  # a test of this probe may name an emulator (qemu-i386)
trap 'rm -f "$probe"' EXIT
# An ELF header, one loadable segment and seven instructions: ebx = 42, eax = 1 (exit), int 0x80.
python3 - "$probe" <<'PYTHON'
import struct, sys
code = bytes([0x31, 0xDB, 0xB3, 42, 0x31, 0xC0, 0x40, 0xCD, 0x80])
base, header_size, segment_size = 0x08048000, 52, 32
entry = base + header_size + segment_size
header = b"\x7fELF" + bytes([1, 1, 1, 0]) + bytes(8)
header += struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, entry, header_size, 0, 0, header_size,
                      segment_size, 1, 40, 0, 0)
total = header_size + segment_size + len(code)
segment = struct.pack("<IIIIIIII", 1, 0, base, base, total, total, 5, 0x1000)
with open(sys.argv[1], "wb") as out:
    out.write(header + segment + code)
PYTHON
chmod +x "$probe"
message=$($runner "$probe" 2>&1)
status=$?
if [ "$status" -eq 42 ]; then
    exit 0
fi
echo "a 32-bit program does not start here (exit $status${message:+: ${message##*: }})"
exit 1
