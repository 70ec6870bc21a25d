#!/usr/bin/env bash
# Checks the archives that the built unlha32.dll writes with Debian's lhasa,
# an unpacker written by others: every archive passes "lhasa t", "lhasa x"
# gives back the same bytes, names, folders and times, an update keeps the
# members not named again, the archives of other tools are updated and the
# damaged one is refused and left as it was.
#   lhasa-check.sh UNLHA_RUN_EXE UNLHA32_DLL TESTDATA_DIR
# Runs under the Wine set-up of test.sh (WINE, WINEPREFIX).
set -uo pipefail
run=$1 dll=$2 data=$3
wine=${WINE:-/usr/lib/wine/wine64}
tmp=$(mktemp -d /tmp/qm-lhasa-check.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() { echo "lhasa-check: FAILED: $*"; status=1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
# unlha LINE: runs the library with the command line (UTF-8 here; Wine hands
# it to the library in code page 932).
unlha() { UNLHA_LINE="$1" "$wine" "$run" "$(winpath "$dll")" >"$tmp/report.txt" 2>&1; }
command -v lhasa >/dev/null || { echo "lhasa-check: lhasa is not installed"; exit 1; }

# The andes-fbd project as the editor keeps it, and what a backup holds.
proj="$tmp/FBD help"
mkdir -p "$proj/rtf" "$proj/bmp" "$tmp/expect/rtf" "$tmp/expect/bmp"
for f in "$data"/projects/andes-fbd/*; do
  name=$(basename "$f")
  case "${name,,}" in
    *.rtf) sub=rtf/ ;;
    *.bmp | *.shg) sub=bmp/ ;;
    *) sub= ;;
  esac
  cp -p "$f" "$proj/$sub$name"
  case "$sub$name" in rtf/* | bmp/* | FBD.hpj | FBD.cnt | FBD.hm) cp -p "$f" "$tmp/expect/$sub$name" ;; esac
done
printf '{\\rtf1 \x82\xcd\x82\xb6\x82\xdf\x82\xc9}' >"$proj/rtf/はじめに.rtf"
cp -p "$proj/rtf/はじめに.rtf" "$tmp/expect/rtf/"
chmod -R u+w "$proj" "$tmp/expect"

archive="$proj/FBD.hpj.lzh"
line="u -x1 -jm3 -a1 \"$(winpath "$archive")\" \"$(winpath "$proj")\\\" \"FBD.hpj\" \"FBD.cnt\" \"FBD.hm\" bmp\\*.* rtf\\*.* *.avi *.wav"
unpack() {  # unpack ARCHIVE DIR: lhasa x, Japanese names back to UTF-8
  rm -rf "$2" && mkdir -p "$2" && lhasa "xw=$2" "$1" >/dev/null 2>&1 || return 1
  local sj
  sj=$(printf 'はじめに.rtf' | iconv -f UTF-8 -t CP932)
  if [ -e "$2/rtf/$sj" ]; then mv "$2/rtf/$sj" "$2/rtf/はじめに.rtf"; fi
}

if ! unlha "$line"; then fail "backup returned $? ($(cat "$tmp/report.txt"))"; fi
lhasa t "$archive" >/dev/null 2>&1 || fail "lhasa t refuses the backup"
if unpack "$archive" "$tmp/out"; then
  diff -r "$tmp/expect" "$tmp/out" >/dev/null || fail "lhasa x gives other files: $(diff -rq "$tmp/expect" "$tmp/out" | head -5)"
  (cd "$tmp/expect" && find . -type f -printf '%p %TY%Tm%Td%TH%TM\n' | sort) >"$tmp/t1"
  (cd "$tmp/out" && find . -type f -printf '%p %TY%Tm%Td%TH%TM\n' | sort) >"$tmp/t2"
  cmp -s "$tmp/t1" "$tmp/t2" || fail "file times differ: $(diff "$tmp/t1" "$tmp/t2" | head -3)"
else
  fail "lhasa x refuses the backup"
fi

# An update keeps what is no longer there and takes what is new.
rm "$proj/rtf/Popups.rtf"
printf '{\\rtf1 new}' >"$proj/rtf/New.rtf"
cp -p "$proj/rtf/New.rtf" "$tmp/expect/rtf/"
if ! unlha "$line"; then fail "update returned $?"; fi
lhasa t "$archive" >/dev/null 2>&1 || fail "lhasa t refuses the updated backup"
if unpack "$archive" "$tmp/out"; then
  diff -r "$tmp/expect" "$tmp/out" >/dev/null || fail "after the update: $(diff -rq "$tmp/expect" "$tmp/out" | head -5)"
else
  fail "lhasa x refuses the updated backup"
fi

# The archives of another tool: updated, their members kept.
printf 'new text\r\n' >"$tmp/new.txt"
for a in a0 a5 a6 a7 h2; do
  cp "$data/lzh/$a.lzh" "$tmp/$a.lzh" && chmod u+w "$tmp/$a.lzh"
  if ! unlha "u -x1 \"$(winpath "$tmp/$a.lzh")\" \"$(winpath "$tmp")\\\" new.txt"; then
    fail "$a.lzh: update returned $?"
    continue
  fi
  lhasa t "$tmp/$a.lzh" >/dev/null 2>&1 || fail "$a.lzh: lhasa t refuses the updated archive"
  unpack "$tmp/$a.lzh" "$tmp/o-$a" || fail "$a.lzh: lhasa x refuses the updated archive"
  cmp -s "$tmp/o-$a/FBD.hpj" "$data/projects/andes-fbd/FBD.hpj" || fail "$a.lzh: FBD.hpj is not kept"
  cmp -s "$tmp/o-$a/new.txt" "$tmp/new.txt" || fail "$a.lzh: new.txt is not added"
done

# The damaged one: refused, not touched.
cp "$data/lzh/bad.lzh" "$tmp/bad.lzh" && chmod u+w "$tmp/bad.lzh"
if unlha "u -x1 \"$(winpath "$tmp/bad.lzh")\" \"$(winpath "$tmp")\\\" new.txt"; then
  fail "bad.lzh was taken"
fi
cmp -s "$tmp/bad.lzh" "$data/lzh/bad.lzh" || fail "bad.lzh was changed"

[ $status -eq 0 ] && echo "lhasa-check: lhasa accepts every archive; all checks passed"
exit $status
