#!/usr/bin/env bash
# Configures and builds one configuration: native | native-asan | win64 | win32 | fuzz | bench
#   ./scripts/build.sh CONFIG                    configures, builds every target
#   ./scripts/build.sh --configure-only CONFIG   configures build/CONFIG only
# (./run.sh configures with the second and builds only what it starts.)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configure_only=0
if [ "${1:-}" = --configure-only ]; then
  configure_only=1
  shift
fi
cfg=${1:?usage: build.sh [--configure-only] native|native-asan|win64|win32|fuzz|bench}
jobs=$(nproc)
case "$cfg" in
  native)      args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  native-asan) args=(-DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON) ;;
  bench)       args=(-DCMAKE_BUILD_TYPE=Release -DQM_BENCH=ON -DQM_TESTS=OFF) ;;
  fuzz)        args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON -DQM_TESTS=OFF
                     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  win64)       args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
                     -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh") ;;
  win32)       args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
                     -DQM_TESTS=OFF) ;;
  *) echo "build.sh: unknown configuration $cfg" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$cfg" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${args[@]}" >/dev/null
[ "$configure_only" = 1 ] && exit 0
# The progress lines are left out; the build's own status is the script's.
set +e +o pipefail
cmake --build "$root/build/$cfg" -j "$jobs" 2>&1 | grep -v -E '^\[ *[0-9]+%\]'
status=${PIPESTATUS[0]}
set -e -o pipefail
exit "$status"
