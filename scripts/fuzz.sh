#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds on its seeds,
# several at a time.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-15}
dir="$root/build/fuzz"
shopt -s nullglob

run_one() {  # run_one SEEDSFILE
  local seeds=$1 name exe corpus
  name=$(basename "$seeds" .seeds)
  exe=$(find "$dir" -type f -name "$name" -perm -u+x | head -n1)
  if [ -z "$exe" ]; then echo "fuzz: $name was not built"; return 1; fi
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  mapfile -t seed_dirs < <(grep -v '^$' "$seeds")
  if (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 "$exe" -max_total_time="$secs" -rss_limit_mb=2048 \
        -max_len=1048576 -print_final_stats=0 "$corpus" "${seed_dirs[@]}" >"$dir/$name.log" 2>&1); then
    echo "fuzz: $name ran ${secs}s without a finding"
  else
    echo "fuzz: $name FOUND A FAULT (see $dir/$name.log)"; tail -n 40 "$dir/$name.log"; return 1
  fi
}

pids=()
for seeds in "$dir"/fuzzers/*.seeds; do
  run_one "$seeds" &
  pids+=($!)
  # At most four at a time.
  while [ "$(jobs -rp | wc -l)" -ge 4 ]; do sleep 0.5; done
done
rc=0
for p in "${pids[@]}"; do wait "$p" || rc=1; done
exit $rc
