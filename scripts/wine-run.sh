#!/usr/bin/env bash
# Runs one Windows test program under Wine (used by CTest as the emulator).
# A program that fails before it writes a word (a crash while it starts, a
# Wine that could not start it) leaves only the exit code to go by: say it.
"${WINE:-/usr/lib/wine/wine64}" "$@"
rc=$?
[ "$rc" -eq 0 ] || echo "wine-run.sh: $(basename "$1") ended with exit code $rc" >&2
exit "$rc"
