#!/usr/bin/env bash
# Runs the real-kernel part of bench_key_latency in the test VM, with Debian's interception-tools
# (package interception-tools: its `interception`, upstream's `intercept`, and `uinput`) copied in
# for the side-by-side figures.
#
#   bench/vm_key_latency.sh [build dir] [samples]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
samples=${2:-1000}
extra=""
for tool in interception intercept uinput; do
  path=$(command -v "$tool" || true)
  [ -n "$path" ] && extra+=" $path"
done
[ -n "$extra" ] || echo "interception-tools is not installed: measuring the program alone"
TERVANE_VM_EXTRA="$extra" "$root/tests/vm/run_in_vm.sh" "$build/vm-cache" key_latency \
  "$build/bin/bench_key_latency" --vm "$samples"
