#!/usr/bin/env bash
# Side by side on one core, process start included: quintrel-table --months N against the
# npm package suncalc doing the same work (every day of N months: sunrise and sunset,
# moonrise and moonset, the moon's illumination; see months.mjs). Prints the CPU time per
# month of each (the median of several runs) and the ratio, and the peak resident memory
# of quintrel-table. Needs node and npm, and the network once to install suncalc into a
# scratch folder ($QUINTREL_SUNCALC_DIR, else /tmp/quintrel-suncalc); kept out of `make test`
# on purpose.
#
#   scripts/compare-suncalc/compare.sh [build-dir] [runs] [months] [core]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
runs="${2:-7}"
months="${3:-1200}"
core="${4:-0}"
table="$build/bin/quintrel-table"

# Boston, the place of the month-table benchmark (daylight saving moves within March).
record="1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111"
latitude=42.35
longitude=-71.0667

scratch="${QUINTREL_SUNCALC_DIR:-${TMPDIR:-/tmp}/quintrel-suncalc}"
if [ ! -f "$scratch/node_modules/suncalc/package.json" ]; then
  mkdir -p "$scratch"
  (cd "$scratch" && npm install --no-audit --no-fund --silent suncalc@1.9.0 >/dev/null)
fi
export SUNCALC_MODULES="$scratch/node_modules"

# CPU seconds (user + system) of one run of the command on the chosen core.
cpu_seconds() {
  local out
  out=$( { /usr/bin/time -f "%U %S" taskset -c "$core" "$@" >/dev/null; } 2>&1 | tail -n 1)
  awk '{ printf "%.4f\n", $1 + $2 }' <<<"$out"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ours=$(for _ in $(seq "$runs"); do
  cpu_seconds "$table" --record "$record" --month 1 --year 1990 --months "$months" --format csv
done | median)
theirs=$(for _ in $(seq "$runs"); do
  cpu_seconds node "$here/months.mjs" "$latitude" "$longitude" 1990 "$months"
done | median)
rss=$( { /usr/bin/time -f "%M" taskset -c "$core" "$table" --record "$record" --month 1 \
  --year 1990 --months "$months" --format csv >/dev/null; } 2>&1 | tail -n 1)

awk -v o="$ours" -v t="$theirs" -v m="$months" -v r="$rss" 'BEGIN {
  printf "quintrel-table: %.1f us a month (%.3f s for %d months), peak resident %.1f MB\n", o * 1e6 / m, o, m, r / 1024
  printf "suncalc:        %.1f us a month (%.3f s)\n", t * 1e6 / m, t
  printf "ratio:          %.2f (quintrel-table / suncalc)\n", o / t
}'
