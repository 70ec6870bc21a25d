#!/usr/bin/env bash
# Sets up, builds and starts quillmark under Wine; "./run.sh zonivex" starts
# the hotspot graphics editor instead.
set -euo pipefail
program=${1:-quillmark}
case "$program" in
  quillmark) title_pattern='^Quillmark$|Quillmark$' ;;
  zonivex) title_pattern='^Zonivex$|Zonivex$' ;;
  *) echo "usage: ./run.sh [quillmark|zonivex]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh win64
./scripts/build.sh win32
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  wine_env_start_xvfb
  echo "run.sh: no display; $program runs on the Xvfb display $DISPLAY"
fi
wine_env_init_prefix
trap wine_env_stop EXIT
# The archiver library for Backup lies outside the suite: a user puts it in the
# Windows system folder, where the editor looks for it.
cp "$root/dist/win64/archiver/unlha32.dll" "$WINEPREFIX/drive_c/windows/system32/"
# Until the program options can set it, point the Help Workshop folder at the
# stand-ins once, so that Compile works out of the box.
# (A new prefix has no such key yet: the query fails, which is not an error.)
hcw_now=$({ "$WINE" reg query 'HKCU\software\tarvesk\quillmark\Env' /v Hcw 2>/dev/null || true; } |
          tr -d '\r' | sed -n 's/^ *Hcw *REG_SZ *//p')
if [ -z "$hcw_now" ]; then
  hcw_dir=$({ "$WINE" winepath -w "$root/dist/win64/helpworkshop" 2>/dev/null || true; } | tr -d '\r')
  "$WINE" reg add 'HKCU\software\tarvesk\quillmark\Env' /v Hcw /d "$hcw_dir" /f >/dev/null 2>&1 || true
fi
if [ "${QM_RUN_EXIT_WHEN_SHOWN:-}" != 1 ]; then
  "$WINE" "$root/dist/win64/$program.exe"
  exit
fi
# For the tests of this script: end (status 0) once the program's window
# shows, with status 1 when it does not within a minute.
"$WINE" "$root/dist/win64/$program.exe" &
qm_pid=$!
for _ in $(seq 600); do
  if xdotool search --onlyvisible --name "$title_pattern" >/dev/null 2>&1; then
    echo "run.sh: the $program window shows"
    exit 0
  fi
  if ! kill -0 "$qm_pid" 2>/dev/null; then
    echo "run.sh: $program ended without showing its window" >&2
    exit 1
  fi
  sleep 0.1
done
echo "run.sh: no $program window within a minute" >&2
exit 1
