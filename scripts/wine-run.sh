#!/usr/bin/env bash
# Runs one Windows test program under Wine (used by CTest as the emulator).
exec "${WINE:-/usr/lib/wine/wine64}" "$@"
