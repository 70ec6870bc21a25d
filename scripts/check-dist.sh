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
for exe in quillmark.exe zonivex.exe helpworkshop/hcrtf.exe helpworkshop/hcw.exe; do
  check "$root/dist/win32/$exe" 'PE32 executable (GUI) Intel 80386'
  check "$root/dist/win64/$exe" 'PE32+ executable (GUI) x86-64'
done
# The setup's package: the programs of both widths, and the texts in code page
# 932 with CR LF.
for bits in 32 64; do
  pkg="$root/dist/win$bits/package"
  pattern='PE32 executable (GUI) Intel 80386'
  [ $bits = 64 ] && pattern='PE32+ executable (GUI) x86-64'
  programs="quillmarkSetup.exe quillmark.exe zonivex.exe Latepurge.exe"
  for exe in $programs; do check "$pkg/$exe" "$pattern"; done
  for f in quillmark.hlp quillmark.cnt quillmark.txt; do
    [ -s "$pkg/$f" ] || { echo "check: the package lacks $f"; rc=1; }
  done
  for f in quillmark.cnt quillmark.txt; do
    [ -f "$pkg/$f" ] || continue
    if ! iconv -f CP932 -t UTF-8 "$pkg/$f" >/dev/null 2>&1; then
      echo "check: $pkg/$f is not code page 932 text"; rc=1
    fi
    if LC_ALL=C grep -q -P '(?<!\r)$' "$pkg/$f"; then
      echo "check: $pkg/$f has a line without CR LF"; rc=1
    fi
  done
  if ! head -c 40 "$pkg/quillmark.cnt" 2>/dev/null | grep -q '^:Base quillmark.hlp'; then
    echo "check: $pkg/quillmark.cnt does not name quillmark.hlp"; rc=1
  fi
done
# The archiver stand-in: a DLL of the editor's width exporting "Unlha" as it
# stands (no stdcall decoration).
check "$root/dist/win32/archiver/unlha32.dll" 'PE32 executable (DLL).*Intel 80386'
check "$root/dist/win64/archiver/unlha32.dll" 'PE32+ executable (DLL).*x86-64'
for bits in 32 64; do
  exports=$(objdump -p "$root/dist/win$bits/archiver/unlha32.dll" 2>/dev/null)
  if ! grep -q -E '^\s*\[ *[0-9]+\] Unlha$' <<<"$exports"; then
    echo "check: win$bits unlha32.dll does not export Unlha"; rc=1
  fi
done
# The version resource: ProductVersion is two numbers joined by a point (the
# about box shows the editor's and the help compiler's).
for exe in quillmark.exe zonivex.exe helpworkshop/hcrtf.exe; do
  if ! LC_ALL=C grep -a -q -P 'P\x00r\x00o\x00d\x00u\x00c\x00t\x00V\x00e\x00r\x00s\x00i\x00o\x00n\x00\x00\x00[0-9]\x00\.\x00[0-9]\x00[0-9]\x00' \
       "$root/dist/win32/$exe"; then
    echo "check: $exe has no ProductVersion of the form n.nn"; rc=1
  fi
done
[ $rc -eq 0 ] && echo "check: deliverables are 32-bit GUI programs with their version"
exit $rc
