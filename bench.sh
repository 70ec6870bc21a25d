#!/usr/bin/env bash
# Builds and runs every Google Benchmark; results go to build/bench.json.
# The benchmarks of window code run under Wine (build/win64/winbench): they
# write the same JSON and join the others.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh bench
./scripts/build.sh win64
out="$root/build/bench.json"
parts=()
for exe in $(find build/bench -type f -name 'bench_*' -perm -u+x | sort); do
  name=$(basename "$exe")
  echo "== $name"
  exe="$root/$exe"
  (cd "$(dirname "$exe")" && "$exe" --benchmark_out="$root/build/$name.json" --benchmark_out_format=json)
  parts+=("$root/build/$name.json")
done
wine_exes=$(find build/win64/winbench -type f -name 'bench_*.exe' 2>/dev/null | sort)
if [ -n "$wine_exes" ]; then
  export WINEPREFIX="$root/build/wineprefix-bench"
  source scripts/wine-env.sh
  wine_env_start_xvfb
  wine_env_init_prefix
  wine_env_unmanaged_windows
  trap wine_env_stop EXIT
  for exe in $wine_exes; do
    name=$(basename "$exe" .exe)
    echo "== $name (Wine)"
    (cd "$(dirname "$exe")" && "$WINE" "./$(basename "$exe")" --benchmark_out="Z:$root/build/$name.json" \
      --benchmark_out_format=json)
    parts+=("$root/build/$name.json")
  done
  wine_env_stop
fi
python3 - "$out" "${parts[@]}" <<'PY'
import json, sys
out, files = sys.argv[1], sys.argv[2:]
merged = None
for f in files:
    d = json.load(open(f))
    if merged is None:
        merged = d
    else:
        merged["benchmarks"].extend(d["benchmarks"])
json.dump(merged or {"context": {}, "benchmarks": []}, open(out, "w"), indent=2)
print("bench.sh: results in", out)
PY
