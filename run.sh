#!/usr/bin/env bash
# Sets up, builds and starts quillmark under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh win64
./scripts/build.sh win32
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  wine_env_start_xvfb
  echo "run.sh: no display; quillmark runs on the Xvfb display $DISPLAY"
fi
wine_env_init_prefix
trap wine_env_stop EXIT
"$WINE" "$root/dist/win64/quillmark.exe"
