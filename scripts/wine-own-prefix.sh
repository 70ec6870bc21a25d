#!/usr/bin/env bash
# Runs one Windows test program under Wine in a fresh prefix of its own:
#   wine-own-prefix.sh <prefix folder> <program.exe> [arguments...]
# For tests that change the machine (the registry of all users, the Windows
# folder, shortcuts). winemenubuilder is off, so shortcuts make no menu
# entries on the host. The prefix is made anew each time and left for a look
# afterwards. Uses the display of the caller.
set -uo pipefail
prefix=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$prefix"
export WINEPREFIX="$prefix"
source "$root/scripts/wine-env.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
wine_env_init_prefix
wine_env_unmanaged_windows
wine_env_crash_log
"$WINE" "$@"
rc=$?
wine_env_stop
exit $rc
