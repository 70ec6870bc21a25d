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
# Wine's own errors are silenced (WINEDEBUG=-all): a program that could not
# start, or ended before it wrote a line, says here how it ended.
if [ "$rc" != 0 ]; then
  printf 'wine-own-prefix.sh: %s ended with %d%s\n' "$(basename "$1")" "$rc" \
    "$([ -f "$prefix/system.reg" ] || echo ' (the prefix was not made)')" >&2
fi
wine_env_stop
exit $rc
