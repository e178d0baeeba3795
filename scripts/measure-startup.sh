#!/usr/bin/env bash
# Measures the window program's start-up on a virtual display: the time from process
# start until the window shows a finished report, and the resident memory at that moment.
# Usage: scripts/measure-startup.sh [build-dir] [runs]
# Each run starts from a temporary copy of the program directory with the shipped places
# and an empty settings store, and is stopped without its close-down, so runs are alike.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
runs="${2:-7}"

if [ -z "${QUINTREL_MEASURE_INSIDE:-}" ]; then
  export QUINTREL_MEASURE_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" "$build" "$runs"
fi

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

xwindow="$build/tests/e2e/xwindow"
if [ ! -x "$xwindow" ]; then
  xwindow="$work/xwindow"
  c++ -std=c++20 -O2 "$root/tests/e2e/xwindow.cpp" -lX11 -o "$xwindow"
fi
mkdir -p "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/quintrel" "$work/program/quintrel"
cp "$root/data/locs.dat" "$work/program/locs.dat"
export XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8

times=()
memories=()
for run in $(seq 1 "$runs"); do
  rm -rf "$work/config"
  export XDG_CONFIG_HOME="$work/config"
  start=$(date +%s%N)
  "$work/program/quintrel" &
  pid=$!
  read -r window _ < <("$xwindow" wait Quintrel 20000)
  painted=$("$xwindow" painted "$window" 20000)
  rss_kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
  ms=$(((painted - start) / 1000000))
  times+=("$ms")
  memories+=("$((rss_kb / 1024))")
  echo "run $run: report on screen after ${ms} ms, resident memory $((rss_kb / 1024)) MB"
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median: $(median "${times[@]}") ms to a finished report, $(median "${memories[@]}") MB resident"
