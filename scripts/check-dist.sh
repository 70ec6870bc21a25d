#!/usr/bin/env bash
# The deliverables are 32-bit GUI programs; the test builds are 64-bit.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rc=0
for exe in quillmark.exe; do
  f="$root/dist/win32/$exe"
  if ! file "$f" | grep -q 'PE32 executable (GUI) Intel 80386'; then echo "check: $f is not a PE32 GUI program"; rc=1; fi
  f="$root/dist/win64/$exe"
  if ! file "$f" | grep -q 'PE32+ executable (GUI) x86-64'; then echo "check: $f is not a PE32+ GUI program"; rc=1; fi
done
exit $rc
