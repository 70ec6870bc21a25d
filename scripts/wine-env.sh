# Sourced: sets up Wine for this checkout (private prefix, Japanese locale) and
# starts an Xvfb display when none is given. wine_env_stop ends what it started.
QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$QM_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export WINE="${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}"
QM_STARTED_XVFB=""

# The server picks a free display number itself and says which once it
# takes clients (-displayfd): runs started side by side never share one.
wine_env_start_xvfb() {
  local said n=""
  said=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$said" >/dev/null 2>&1 &
  QM_STARTED_XVFB=$!
  while kill -0 "$QM_STARTED_XVFB" 2>/dev/null; do
    n=$(head -n 1 "$said")
    [ -n "$n" ] && [ "$(wc -l <"$said")" -ge 1 ] && break
    sleep 0.1
  done
  rm -f "$said"
  [ -n "$n" ] || { echo "wine-env.sh: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
}

wine_env_init_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w 2>/dev/null || wineserver -w 2>/dev/null || true
  fi
  wine_env_japanese_fonts
  wine_env_symbol_font
  /usr/lib/wine/wineserver -w 2>/dev/null || wineserver -w 2>/dev/null || true
}

# The Japanese faces that Windows ships, taken by the IPA fonts. Without this
# Wine picks a stand-in by character set whose underscores fall outside the
# line a rich edit control draws. Done once per prefix.
wine_env_japanese_fonts() {
  grep -q 'Wine\\\\Fonts\\\\Replacements' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local reg="$WINEPREFIX/qm-fonts.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' \
    '"MS PGothic"="IPAPGothic"' '"MS Gothic"="IPAGothic"' '"MS UI Gothic"="IPAPGothic"' \
    '"ＭＳ Ｐ明朝"="IPAPMincho"' '"ＭＳ 明朝"="IPAMincho"' \
    '"MS PMincho"="IPAPMincho"' '"MS Mincho"="IPAMincho"' '' |
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  "$WINE" regedit /S "$(winepath -w "$reg" 2>/dev/null || echo "$reg")" >/dev/null 2>&1 || true
  rm -f "$reg"
}

# The symbol faces Wine draws with. Marlett: the caption buttons of the
# windows it decorates itself and the close box of tool windows. Wine ships
# it, but Debian's wine64 loads none of the faces in its own fonts folder, so
# it would fall back to a text face and draw the letters "0 1 r": registered
# by its full path as an installed font. Symbol: the bullets of a rich edit
# control, the character 0xB7 of that face. The Symbol Wine ships holds
# another glyph there, so without a face of its own the control draws an
# empty box (or that glyph): the face is made from URW's Standard Symbols PS
# (scripts/make-symbol-font.py) into the prefix's Fonts folder. Once per
# prefix.
wine_env_symbol_font() {
  local ttf
  for ttf in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf \
             /opt/wine*/share/wine/fonts/marlett.ttf; do
    [ -f "$ttf" ] && break
  done
  if [ -f "$ttf" ] && ! grep -q '^"Marlett (TrueType)"' "$WINEPREFIX/system.reg" 2>/dev/null; then
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
      /v 'Marlett (TrueType)' /d "Z:${ttf//\//\\}" /f >/dev/null 2>&1 || true
  fi
  local urw=/usr/share/fonts/opentype/urw-base35/StandardSymbolsPS.otf
  local face="$WINEPREFIX/drive_c/windows/Fonts/symbol-urw.otf"
  [ -f "$urw" ] || return 0
  [ -f "$face" ] && grep -qF '"Symbol (TrueType)"="C:\\windows\\Fonts\\symbol-urw.otf"' \
    "$WINEPREFIX/system.reg" 2>/dev/null && return 0
  mkdir -p "$(dirname "$face")"
  python3 "$QM_ROOT/scripts/make-symbol-font.py" "$urw" "$face" || return 0
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v 'Symbol (TrueType)' /d 'C:\windows\Fonts\symbol-urw.otf' /f >/dev/null 2>&1 || true
}

# Windows that no window manager decorates: without one (Xvfb) Wine would wait
# for one at every hidden or destroyed window. For test prefixes only.
wine_env_unmanaged_windows() {
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}

# A program that faults writes Wine's backtrace into its own output and ends,
# instead of leaving a crash dialog that waits for a click: a test run reports
# it at once, with where it happened. For test prefixes only.
wine_env_crash_log() {
  "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
}

wine_env_stop() {
  (/usr/lib/wine/wineserver -k 2>/dev/null || wineserver -k 2>/dev/null) || true
  if [ -n "$QM_STARTED_XVFB" ]; then kill "$QM_STARTED_XVFB" 2>/dev/null || true; fi
}
