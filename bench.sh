#!/usr/bin/env bash
# Builds and runs every Google Benchmark; results go to build/bench.json.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh bench
out="$root/build/bench.json"
parts=()
for exe in $(find build/bench -type f -name 'bench_*' -perm -u+x | sort); do
  name=$(basename "$exe")
  echo "== $name"
  exe="$root/$exe"
  (cd "$(dirname "$exe")" && "$exe" --benchmark_out="$root/build/$name.json" --benchmark_out_format=json)
  parts+=("$root/build/$name.json")
done
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
