#!/usr/bin/env bash
# Sets up, builds every configuration and runs every test.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup.sh || exit 1

failed=()
step() {  # step NAME COMMAND...
  local name=$1
  echo "== $name"
  shift
  if ! "$@"; then failed+=("$name"); fi
}

step "build native (sanitizers)" ./scripts/build.sh native-asan
step "build win64" ./scripts/build.sh win64
step "build win32" ./scripts/build.sh win32
step "build fuzz targets" ./scripts/build.sh fuzz

echo "== native tests"
native_ok=1
(cd build/native-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$(nproc)") || { native_ok=0; failed+=("native tests"); }

echo "== Windows tests under Wine"
export WINEPREFIX="$root/build/wineprefix-test"
source scripts/wine-env.sh
wine_env_start_xvfb
wine_env_init_prefix
wine_env_unmanaged_windows
wine_env_crash_log
# One at a time: the programs share one display, and some tests find windows
# by their place on the screen.
(cd build/win64 && ctest --output-on-failure --timeout 900) || failed+=("Windows tests")
wine_env_stop

echo "== user-level tests (the programs driven by mouse and keyboard under Wine)"
# On a display of their own, one at a time, each in a fresh copy of one
# template prefix; the tests of focus and the floating toolbar's then under
# openbox, on a second display.
python3 usertests/run.py || failed+=("user-level tests")

echo "== fuzz targets"
./scripts/fuzz.sh "${QM_FUZZ_SECONDS:-15}" || failed+=("fuzz")

echo "== checks on the deliverables"
./scripts/check-dist.sh || failed+=("deliverables")

if [ ${#failed[@]} -eq 0 ]; then
  echo "test.sh: all passed"
  exit 0
fi
echo "test.sh: FAILED: ${failed[*]}"
exit 1
