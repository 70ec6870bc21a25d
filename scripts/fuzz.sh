#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds on its seeds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-15}
dir="$root/build/fuzz"
rc=0
shopt -s nullglob
for seeds in "$dir"/fuzzers/*.seeds; do
  name=$(basename "$seeds" .seeds)
  exe=$(find "$dir" -type f -name "$name" -perm -u+x | head -n1)
  [ -n "$exe" ] || { echo "fuzz: $name was not built"; rc=1; continue; }
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  mapfile -t seed_dirs < <(grep -v '^$' "$seeds")
  echo "fuzz: $name for ${secs}s"
  if ! (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 "$exe" -max_total_time="$secs" -rss_limit_mb=2048 \
        -max_len=1048576 -print_final_stats=0 "$corpus" "${seed_dirs[@]}" >"$dir/$name.log" 2>&1); then
    echo "fuzz: $name FOUND A FAULT (see $dir/$name.log)"; tail -n 40 "$dir/$name.log"; rc=1
  fi
done
exit $rc
