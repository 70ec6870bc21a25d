#!/usr/bin/env bash
# The deliverables are 32-bit GUI programs that need no MinGW DLL beside them;
# the test builds are the same programs, 64-bit.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rc=0
check() {  # check FILE PATTERN
  if ! file "$1" | grep -q "$2"; then echo "check: $1 is not '$2'"; rc=1; fi
  if objdump -p "$1" 2>/dev/null | grep -i -E 'DLL Name: (libstdc|libgcc|libwinpthread)' >/dev/null; then
    echo "check: $1 needs a MinGW DLL"; rc=1
  fi
}
for exe in quillmark.exe helpworkshop/hcrtf.exe helpworkshop/hcw.exe; do
  check "$root/dist/win32/$exe" 'PE32 executable (GUI) Intel 80386'
  check "$root/dist/win64/$exe" 'PE32+ executable (GUI) x86-64'
done
# The version resource: ProductVersion is two numbers joined by a point.
if ! LC_ALL=C grep -a -q -P 'P\x00r\x00o\x00d\x00u\x00c\x00t\x00V\x00e\x00r\x00s\x00i\x00o\x00n\x00\x00\x00[0-9]\x00\.\x00[0-9]\x00[0-9]\x00' \
     "$root/dist/win32/quillmark.exe"; then
  echo "check: quillmark.exe has no ProductVersion of the form n.nn"; rc=1
fi
[ $rc -eq 0 ] && echo "check: deliverables are 32-bit GUI programs with their version"
exit $rc
