#!/usr/bin/env bash
# Sets up, builds and starts quillmark under Wine; "./run.sh zonivex" starts
# the hotspot graphics editor instead. It builds only what it starts: the
# program (for quillmark also the help compiler and Help Workshop stand-ins
# and the archiver library it calls), never the tests, the fuzz targets or
# the 32-bit programs; ./test.sh builds those.
#
# One line per step; the compiler's and Wine's output goes to build/run.log,
# whose last lines show when a step fails.
set -uo pipefail
program=${1:-quillmark}
case "$program" in
  quillmark) title_pattern='^Quillmark$|Quillmark$'; what="quillmark and the stand-ins it calls" ;;
  zonivex) title_pattern='^Zonivex$|Zonivex$'; what="zonivex" ;;
  *) echo "usage: ./run.sh [quillmark|zonivex]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
mkdir -p build
log="$root/build/run.log"
: >"$log"

step_count=5
step_number=0
step_name=""
step() {  # step NAME [END]: the line of the next step, ended by END (a newline)
  step_number=$((step_number + 1))
  step_name=$1
  printf 'run.sh: %d/%d %s%b' "$step_number" "$step_count" "$step_name" "${2-\n}"
}
step_failed() {
  [ "$step_name" = "building $what" ] && echo
  echo "run.sh: step $step_number/$step_count ($step_name) failed; the end of build/run.log:" >&2
  # Without the build's progress lines, which say nothing of the fault.
  grep -v -E '^\[ *[0-9]+%\]' "$log" | tail -n 30 >&2
  exit 1
}

step "installing missing packages (scripts/setup.sh)"
./scripts/setup.sh 2>>"$log" || step_failed

step "configuring build/win64"
./scripts/build.sh --configure-only win64 >>"$log" 2>&1 || step_failed

# The build's "[ NN%]" lines become the figure on the step's line: rewritten
# in place on a terminal, every tenth added elsewhere.
step "building $what" ":"
[ -t 1 ] && tty=1 || tty=0
cmake --build build/win64 -j "$(nproc)" --target "run_$program" 2>&1 | tee -a "$log" |
  awk -v tty="$tty" -v line="run.sh: $step_number/$step_count building $what:" '
    match($0, /^\[ *[0-9]+%\]/) {
      p = substr($0, RSTART + 1, RLENGTH - 3) + 0
      if (tty) printf "\r%s %3d%%", line, p
      else if (p >= next_mark) { printf " %d%%", p; next_mark = (int(p / 10) + 1) * 10 }
      fflush()
    }'
[ "${PIPESTATUS[0]}" = 0 ] || step_failed
echo

step "preparing the Wine prefix ${WINEPREFIX:-build/wineprefix}"
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  wine_env_start_xvfb
  echo "run.sh: no display; $program runs on the Xvfb display $DISPLAY"
fi
trap wine_env_stop EXIT
wine_env_init_prefix >>"$log" 2>&1 || step_failed
if [ "$program" = quillmark ]; then
  # The archiver library for Backup lies outside the suite: a user puts it in
  # the Windows system folder, where the editor looks for it.
  cp "$root/dist/win64/archiver/unlha32.dll" "$WINEPREFIX/drive_c/windows/system32/" || step_failed
  # A new prefix has its Help Workshop folder (the options dialog's setting)
  # pointed at the stand-ins, so that Compile works out of the box; a folder
  # set already stays. (A new prefix has no such key yet: the query fails,
  # which is not an error.)
  hcw_now=$({ "$WINE" reg query 'HKCU\software\tarvesk\quillmark\Env' /v Hcw 2>/dev/null || true; } |
            tr -d '\r' | sed -n 's/^ *Hcw *REG_SZ *//p')
  if [ -z "$hcw_now" ]; then
    hcw_dir=$({ "$WINE" winepath -w "$root/dist/win64/helpworkshop" 2>/dev/null || true; } | tr -d '\r')
    "$WINE" reg add 'HKCU\software\tarvesk\quillmark\Env' /v Hcw /d "$hcw_dir" /f >>"$log" 2>&1 || step_failed
  fi
fi

step "starting $program"
if [ "${QM_RUN_EXIT_WHEN_SHOWN:-}" != 1 ]; then
  "$WINE" "$root/dist/win64/$program.exe"
  exit
fi
# For the tests of this script: end (status 0) once the program's window
# shows, with status 1 when it does not within two minutes.
"$WINE" "$root/dist/win64/$program.exe" >>"$log" 2>&1 &
program_pid=$!
for _ in $(seq 1200); do
  if xdotool search --onlyvisible --name "$title_pattern" >/dev/null 2>&1; then
    echo "run.sh: the $program window shows"
    exit 0
  fi
  if ! kill -0 "$program_pid" 2>/dev/null; then
    echo "run.sh: $program ended without showing its window" >&2
    exit 1
  fi
  sleep 0.1
done
echo "run.sh: no $program window within two minutes" >&2
exit 1
