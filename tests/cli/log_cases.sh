#!/usr/bin/env bash
# End-to-end cases of quintrel-table's log options: runs the built program on scratch
# folders and checks exit codes, files and messages.
# Usage: log_cases.sh CASE PROGRAM
set -uo pipefail

case_name="$1"
program="$2"
source "$(dirname "${BASH_SOURCE[0]}")/case_helpers.sh"

printf '%s\r\n' "$philadelphia" "$boston" >"$work/places.dat"

log=(--locations "$work/places.dat")

# A season by hand: two places, an outing past midnight, quoted notes, an outing without
# catches.
write_season() {
    {
        echo 'Date,Time,Place,Species,Count,Length,Weight,Released,Notes,Start,End,Kind,Outing notes'
        echo '2025-05-03,06:10,Boston,Striped bass,1,71,4.2,yes,"on a ""popper"", early",05:30,09:00,fishing,'
        echo '2025-05-03,07:45,Boston,Bluefish,2,,,no,,05:30,09:00,fishing,'
        echo '2025-05-10,23:40,Philadelphia,Deer,1,,,,,22:00,01:30,hunting,cold'
        echo '2025-05-10,00:50,Philadelphia,Deer,1,,,,,22:00,01:30,hunting,cold'
        echo '2025-05-17,,Boston,,0,,,,,06:00,08:00,fishing,nothing'
        echo '2025-05-24,06:00,Philadelphia,Perch,5,,,,,,,,'
    } >"$work/season.csv"
}

case "$case_name" in
log_round_trip)
    write_season
    run 0 "${log[@]}" --log-import "$work/season.csv"
    grep -qx 'Imported 5 catches in 4 outings' "$work/out" || fail "import said: $(cat "$work/out")"
    # The log and its first backup lie beside the place list.
    [ -f "$work/log.sqlite" ] || fail "no log.sqlite beside the place list"
    ls "$work/log-backups/"log-*.sqlite >/dev/null 2>&1 || fail "no backup made"
    run 0 "${log[@]}" --log-export "$work/first.csv"
    run 0 --record "$boston" --log "$work/second.sqlite" --log-import "$work/first.csv"
    run 0 --log "$work/second.sqlite" --log-export "$work/second.csv"
    cmp "$work/first.csv" "$work/second.csv" || fail "export, import, export differ"
    grep -q '^2025-05-17,,USA - Massachusetts (Boston),,0,' "$work/first.csv" ||
        fail "the outing without catches is not one line with Count 0"
    ;;
log_import_all_or_nothing)
    write_season
    run 0 "${log[@]}" --log-import "$work/season.csv"
    run 0 "${log[@]}" --log-export "$work/before.csv"
    {
        echo 'Date,Time,Place,Species,Count'
        echo '2025-06-01,06:00,Boston,Pike,1'
        echo '2025-06-01,06:30,Boston,Pike,1'
        echo '2025-06-01,07:00,Boston,Pike,lots'
    } >"$work/bad.csv"
    run 1 "${log[@]}" --log-import "$work/bad.csv"
    [ -s "$work/out" ] && fail "something was written to stdout"
    [ "$(cat "$work/err")" = 'quintrel-table: line 4, column 5: "lots" is not a whole number from 0' ] ||
        fail "stderr: $(cat "$work/err")"
    run 0 "${log[@]}" --log-export "$work/after.csv"
    cmp "$work/before.csv" "$work/after.csv" || fail "a refused import changed the log"
    ;;
log_stats)
    write_season
    run 0 "${log[@]}" --log-import "$work/season.csv"
    run 0 "${log[@]}" --log-stats --format csv
    grep -q 'Only 4 outings' "$work/err" || fail "no note for fewer than 5 outings"
    head -1 "$work/out" | grep -qx $'Rating,Outings,Catches,Per outing\r' || fail "$(head -1 "$work/out")"
    [ "$(sed -n '2,6p' "$work/out" | cut -d, -f1 | tr -d '\r' | paste -sd' ')" = 'Best Good Fair Poor None' ] ||
        fail "rating rows: $(cat "$work/out")"
    sed -n 7p "$work/out" | grep -qx $'\r' || fail "no empty line between the tables"
    sed -n 8p "$work/out" | grep -qx $'Minutes,Catches,Share,Hours share\r' || fail "second heading"
    [ "$(sed -n '9,12p' "$work/out" | cut -d, -f1 | paste -sd' ')" = '0-30 30-60 60-120 120+' ] ||
        fail "band rows: $(cat "$work/out")"
    # Every catch's count is counted: 1 + 2 + 1 + 1 + 5.
    [ "$(sed -n '2,6p' "$work/out" | cut -d, -f3 | awk '{ s += $1 } END { print s }')" = 10 ] || fail "catches"
    [ "$(sed -n '9,12p' "$work/out" | cut -d, -f2 | awk '{ s += $1 } END { print s }')" = 10 ] || fail "band catches"
    grep -Eq '^Best,[0-9]+,[0-9]+,[0-9]+\.[0-9]{2}'$'\r''$' "$work/out" || fail "two decimals"
    # Both places are ports: a third table, the timed catches by hours from high or low water.
    sed -n 13p "$work/out" | grep -qx $'\r' || fail "no empty line before the tide table"
    sed -n 14p "$work/out" | grep -qx $'Hours from high or low water,Catches,Share\r' || fail "tide heading"
    [ "$(sed -n '15,18p' "$work/out" | cut -d, -f1 | paste -sd' ')" = '0-1 1-2 2-3 3+' ] ||
        fail "tide rows: $(cat "$work/out")"
    [ "$(sed -n '15,18p' "$work/out" | cut -d, -f2 | awk '{ s += $1 } END { print s }')" = 10 ] || fail "tide catches"
    run 0 "${log[@]}" --log-stats
    grep -q 'Catches per outing by day rating (4 outings, 10 catches)' "$work/out" ||
        fail "text: $(cat "$work/out")"
    ;;
log_usage_errors)
    for arguments in "--log-stats --log-export x.csv" "--log x.sqlite" "--log-stats --month 3" "--log-stats --tides" \
        "--log-export x.csv --format csv" "--log-stats --format ics" "--log-import"; do
        # shellcheck disable=SC2086
        run 2 "${log[@]}" $arguments
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line for $arguments: $(cat "$work/err")"
    done
    ;;
log_full_disk_keeps_saved_entries)
    # A file-size limit makes the import's writes fail part-way, as a full disk does: the
    # message says that nothing was saved, and the log holds exactly what it held before.
    write_season
    run 0 "${log[@]}" --log-import "$work/season.csv"
    run 0 "${log[@]}" --log-export "$work/before.csv"
    {
        echo 'Date,Time,Place,Species,Count,Notes'
        for i in $(seq 1 4000); do
            echo "2025-06-$((i % 20 + 10)),06:$((i % 50 + 10)),Boston,Pike,1,a note long enough to fill pages $i"
        done
    } >"$work/big.csv"
    (
        trap '' XFSZ
        ulimit -f 100
        "$program" "${log[@]}" --log-import "$work/big.csv" >"$work/out" 2>"$work/err"
    )
    [ $? -eq 1 ] || fail "a failed import was not reported with exit code 1"
    grep -qF 'nothing of this change was saved' "$work/err" || fail "stderr: $(cat "$work/err")"
    [ -s "$work/out" ] && fail "the import reported success"
    run 0 "${log[@]}" --log-export "$work/after.csv"
    cmp "$work/before.csv" "$work/after.csv" || fail "the log changed"
    ;;
log_damaged_refused_and_kept)
    printf 'not a database, just some words that fill more than a header would need %.0s' {1..20} \
        >"$work/log.sqlite"
    cp "$work/log.sqlite" "$work/copy"
    run 1 "${log[@]}" --log-stats
    grep -q 'damaged' "$work/err" || fail "stderr: $(cat "$work/err")"
    cmp "$work/log.sqlite" "$work/copy" || fail "the damaged log was changed"
    ;;
*)
    fail "unknown case"
    ;;
esac
exit 0
