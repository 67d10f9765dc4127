#!/usr/bin/env bash
# Builds the fuzz targets with clang in <build folder> and runs each for
# <seconds> over a scratch corpus seeded from its folder under tests/data;
# inputs that fail are kept in <build folder>/artifacts.
# Usage: run_fuzz.sh <source root> <build folder> <seconds>
set -euo pipefail
src=$1 build=$2 seconds=$3

cmake -S "$src" -B "$build" -G Ninja -DTERVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel 2 | tail -n 1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
mkdir -p "$build/artifacts"
while read -r name seeds; do
  [ -n "$name" ] || continue
  mkdir -p "$scratch/$name"
  # New inputs go to the scratch folder; the seeds in tests/data stay as they are.
  if "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$name-" "$scratch/$name" "$seeds" >"$scratch/$name.log" 2>&1; then
    echo "$name: clean, $(grep -o 'stat::number_of_executed_units: [0-9]*' "$scratch/$name.log" |
      grep -o '[0-9]*$' || echo '?') runs"
  else
    echo "$name: FAILED"
    # The sanitizer's report, from its headline on, without the progress lines before it.
    sed -n '/^==[0-9]*==\|^ERROR\|^SUMMARY\|out-of-memory\|deadly signal/,$p' "$scratch/$name.log" |
      grep -v '^#[0-9]*[[:space:]]*\(NEW\|REDUCE\|pulse\|INITED\)' | head -n 80
    for crash in "$build/artifacts/$name"-*; do
      [ -e "$crash" ] && { echo "input:"; od -A x -t x1z "$crash" | head -n 20; }
    done
    status=1
  fi
done <"$build/fuzz_targets.txt"
exit $status
