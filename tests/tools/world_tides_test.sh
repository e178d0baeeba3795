#!/usr/bin/env bash
# Usage: world_tides_test.sh TCD_BUILD SOURCE_DIR SCRATCH_DIR
# Checks quintrel-tcd-build on a small station list (copied and built constituent rows,
# records, subordinate offsets, constituents it cannot place) and the committed
# data/world-tides.tcd (its stations, none of them one of xtide-data's).
set -euo pipefail
tool="$1"
source_dir="$2"
scratch="$3"
xtide=/usr/share/xtide/harmonics-dwf-20191229-free.tcd

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$xtide" ] || { echo "xtide-data is not installed"; exit 77; }
rm -rf "$scratch"
mkdir -p "$scratch"

tab=$'\t'
{
  printf 'R\t0\tTICON-4\tticon/one\tOne, Testland\t48.5\t-4.5\t:Europe/Paris\tTestland\tLowest Astronomical Tide\t3.5\tTICON-4\tCC-BY-4.0\tcredit one\n'
  for c in 'M2 2.0 100' 'SA 0.1 20' 'MA2 0.01 30' 'R3 0.01 40' '3L2 0.01 50' 'MSQM 0.01 60' 'XYZ9 0.02 70'; do
    set -- $c
    printf 'C\t%s\t%s\t%s\n' "$1" "$2" "$3"
  done
  printf 'S\t1\tNOS\t1234567\tTwo, Testland\t48.6\t-4.6\t:Europe/Paris\tTestland\tLowest Astronomical Tide\tNOAA\tPublic domain\tcredit two\t0\t-75\t5\tfixed\t0.12\t-0.05\n'
} >"$scratch/stations.tsv"
"$tool" "$xtide" "$scratch/stations.tsv" "$scratch/test.tcd" 2>"$scratch/build.log" ||
  fail "build: $(cat "$scratch/build.log")"
grep -q 'left out XYZ9: 1 stations, largest amplitude 0.0200 m' "$scratch/build.log" ||
  fail "an unknown constituent is not reported: $(cat "$scratch/build.log")"

"$tool" --station "$scratch/test.tcd" ticon/one 2026 >"$scratch/one.txt"
"$tool" --station "$xtide" 9447130 2026 >"$scratch/seattle.txt"
row() { awk -F'\t' -v n="$2" '$1 == "c" && $2 == n' "$1"; }
station=$(head -n 1 "$scratch/one.txt")
[ "$station" = "station${tab}ticon/one${tab}One, Testland${tab}48.500000${tab}-4.500000${tab}3.5000${tab}meters${tab}Lowest Astronomical Tide${tab}0" ] ||
  fail "station record: $station"
[ -z "$(row "$scratch/one.txt" XYZ9)" ] || fail "XYZ9 kept"
# M2 and Sa are xtide-data's rows; the others are built from them.
[ "$(row "$scratch/one.txt" M2 | cut -f3,6,7)" = "$(row "$scratch/seattle.txt" M2 | cut -f3,6,7)" ] ||
  fail "M2 is not xtide-data's: $(row "$scratch/one.txt" M2)"
python3 - "$scratch/one.txt" <<'PYTHON' || fail "built constituents"
import sys
rows = {f[1]: f for f in (line.rstrip("\n").split("\t") for line in open(sys.argv[1])) if f[0] == "c"}
speed, eq, nf = ({n: float(rows[n][i]) for n in rows} for i in (2, 5, 6))
def near(a, b, tolerance=0.02):
    return abs((a - b + 180) % 360 - 180) <= tolerance
checks = {
    "MA2 = M2 - Sa": near(eq["MA2"], eq["M2"] - eq["SA"]) and abs(nf["MA2"] - nf["M2"]) < 1e-4
        and abs(speed["MA2"] - 28.9430356) < 1e-6,
    "R3 = S3 + Sa, no node factor": near(eq["R3"], 180 + eq["SA"]) and nf["R3"] == 1.0
        and abs(speed["R3"] - 45.0410686) < 1e-6,
    # The moon's mean longitude at the start of 2026 is 67.966 degrees.
    "3L2 = M2 + s": near(eq["3L2"], eq["M2"] + 67.966) and abs(speed["3L2"] - 29.5331207) < 1e-6,
    "MSQM = Mf + MSf": abs(speed["MSQM"] - 2.1139289) < 1e-6,
    "amplitude and phase kept": rows["MA2"][3:5] == ["0.0100", "30.00"],
}
bad = [name for name, ok in checks.items() if not ok]
if bad:
    sys.exit("wrong: " + ", ".join(bad) + "\n" + open(sys.argv[1]).read())
PYTHON
# Time offsets are stored as signed HHMM: -75 minutes is -1:15.
sub=$("$tool" --station "$scratch/test.tcd" 1234567 2026)
[ "$sub" = "subordinate${tab}1234567${tab}Two, Testland${tab}ticon/one${tab}-115${tab}5${tab}0.000${tab}0.000${tab}0.120${tab}-0.050" ] ||
  fail "subordinate record: $sub"

# The committed world file: its stations keep their ids, and none is one of xtide-data's.
world="$source_dir/data/world-tides.tcd"
"$tool" --ids "$world" >"$scratch/world-ids.tsv"
"$tool" --ids "$xtide" >"$scratch/xtide-ids.tsv"
[ "$(wc -l <"$scratch/world-ids.tsv")" -gt 2000 ] || fail "few stations in $world"
for id in ticon/brest-822-fra-uhslc_fd ticon/sydney_fort_denison-60370-aus-bom kartverket/AES; do
  grep -q "${tab}${id}\$" "$scratch/world-ids.tsv" || fail "$id is not in $world"
done
# (xtide-data itself lists some stations twice, as a reference and as a subordinate.)
twice=$(comm -12 <(sort -u "$scratch/world-ids.tsv") <(sort -u "$scratch/xtide-ids.tsv") | head -n 3)
[ -z "$twice" ] || fail "stations in both files: $twice"
! cut -f2 "$scratch/world-ids.tsv" | grep -qx '' || fail "a station without an id"
"$tool" --station "$world" ticon/brest-822-fra-uhslc_fd 2026 | head -n 1 | grep -q "${tab}meters${tab}Lowest Astronomical Tide${tab}" ||
  fail "Brest's datum or units"
echo "world tide file and its builder: all checks passed"
