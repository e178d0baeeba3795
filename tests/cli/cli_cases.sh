#!/usr/bin/env bash
# End-to-end cases of quintrel-table: runs the built program and checks its exit code,
# its output and its one-line error messages.
# Usage: cli_cases.sh CASE PROGRAM TEST_DATA_DIR
set -uo pipefail

case_name="$1"
program="$2"
data="$3"
source "$(dirname "${BASH_SOURCE[0]}")/case_helpers.sh"

# The places file used by the list cases: three places out of order, CR LF lines.
write_places() {
    printf '%s\r\n' "$philadelphia" "$karachi" "$boston" >"$work/places.dat"
}

case "$case_name" in
help)
    run 0 --help
    for option in --locations --record --place --list --month --year --months --format \
        --output --pdf --find --town --plan --from --places --min-rating --days --daylight-major \
        --near-sun --year-view --ics-events --daylight-only --alarm 'Best: major 120 min' \
        --day --svg --png --stations --tides --station --units; do
        grep -qF -- "$option" "$work/out" || fail "--help does not mention $option"
    done
    grep -qF -- '~/.local/share/quintrel/locs.dat' "$work/out" || fail "--help does not say where the places are"
    tail -1 "$work/out" | grep -qF "rating follows the moon alone" ||
        fail "--help does not end with the accuracy note"
    run 0 --version
    grep -qx 'quintrel-table [0-9]*\.[0-9]*\.[0-9]*' "$work/out" || fail "--version: $(cat "$work/out")"
    ;;
text_table)
    run 0 --record "$boston" --month 3 --year 2025
    grep -qxF 'Quintrel For USA - Massachusetts (Boston) for March 2025' "$work/out" ||
        fail "title line missing"
    grep -qxF 'Lattitude: 42º  21´ North, Longitude: 71º   4´ West, GMT -5 hours' "$work/out" ||
        fail "place line missing: $(sed -n 2p "$work/out")"
    grep -qF '<------Moon------>' "$work/out" || fail "column groups missing"
    [ "$(grep -cE '^ *[0-9]+ [A-Z][a-z]+day ' "$work/out")" -eq 31 ] || fail "not 31 day lines"
    # Every day line holds the golden table's texts in the same order.
    grep -E '^ *[0-9]+ [A-Z][a-z]+day ' "$work/out" | sed -E 's/^ +//; s/ +/ /g' >"$work/days"
    tail -n +2 "$data/golden/boston_2025_03.csv" | tr -d '\r' |
        awk -F, -v OFS=' ' '{ $1 = substr($1, 7, 2) + 0; print }' | cmp -s - "$work/days" ||
        fail "day lines differ from the golden table: $(head -n 3 "$work/days")"
    ;;
csv_matches_golden)
    run 0 --record "$boston" --month 3 --year 2025 --format csv
    head -n 1 "$work/out" | grep -qE $'^Quintrel \\(Version 1\\.3\\.0\\) Data Extract done at .+ on .+\r$' ||
        fail "preamble wrong: $(head -n 1 "$work/out")"
    tail -n +2 "$work/out" | cmp -s - "$data/golden/boston_2025_03.csv" || fail "CSV differs from the golden table"
    ;;
csv_under_decimal_comma_locale)
    # A user whose locale writes 9,5 must get the very same table.
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || exit 77
    LC_ALL=de_DE.UTF-8 run 0 --record "$boston" --month 3 --year 2025 --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/boston_2025_03.csv" ||
        fail "CSV under de_DE differs from the golden table"
    LC_ALL=de_DE.UTF-8 run 0 --record "$karachi" --month 2 --year 2024 --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/karachi_2024_02.csv" ||
        fail "CSV under de_DE differs from the golden table"
    ;;
csv_november_2003)
    run 0 --record "$philadelphia" --month 11 --year 2003 --format csv
    [ "$(wc -l <"$work/out")" -eq 32 ] || fail "expected 32 lines"
    # Moonrise 14:26 without a moonset; the majors come from the next day's moonset.
    grep -qxF $'20031102,Sunday,06:30,16:57,14:26,:,51,+,07:16,19:42,01:03,13:29,Poor,*\r' \
        "$work/out" || fail "2 November wrong: $(grep 20031102 "$work/out")"
    # Sun 06:56-16:37, moon 09:05-18:07, 6.6 per cent lit and waxing.
    grep -qxF $'20031125,Tuesday,06:56,16:37,09:05,18:07,7,+,01:10,13:36,07:23,19:48,Good,***\r' \
        "$work/out" || fail "25 November wrong: $(grep 20031125 "$work/out")"
    ;;
csv_several_months)
    run 0 --record "$karachi" --month 1 --year 2024 --months 2 --format csv
    [ "$(grep -c 'Data Extract' "$work/out")" -eq 1 ] || fail "preamble not written once"
    [ "$(grep -c '^Date,Day' "$work/out")" -eq 1 ] || fail "header not written once"
    [ "$(wc -l <"$work/out")" -eq 62 ] || fail "expected 2 + 31 + 29 lines"
    tail -n 29 "$work/out" | cmp -s - <(tail -n +2 "$data/golden/karachi_2024_02.csv") ||
        fail "February lines differ from the golden table"
    ;;
months_across_year_end)
    run 0 --record "$karachi" --month 12 --year 2024 --months 2
    grep -qxF 'Quintrel For Pakistan (Karachi) for December 2024' "$work/out" || fail "December missing"
    grep -qxF 'Quintrel For Pakistan (Karachi) for January 2025' "$work/out" || fail "January missing"
    ;;
output_file)
    run 0 --record "$karachi" --month 2 --year 2024 --format csv --output "$work/table.csv"
    [ -s "$work/out" ] && fail "stdout not empty"
    tail -n +2 "$work/table.csv" | cmp -s - "$data/golden/karachi_2024_02.csv" || fail "file differs"
    ;;
pdf_report)
    run 0 --record "$karachi" --month 2 --year 2024 --pdf "$work/table.pdf"
    [ -s "$work/out" ] && fail "the PDF alone was asked for, yet stdout has text"
    [ "$(head -c 5 "$work/table.pdf")" = "%PDF-" ] || fail "no PDF written"
    run 0 --record "$karachi" --month 2 --year 2024 --pdf "$work/again.pdf" --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/karachi_2024_02.csv" || fail "CSV missing beside the PDF"
    # Several months: each page carries its own month, and the title names the span.
    run 0 --record "$karachi" --month 11 --year 2024 --months 3 --pdf "$work/three.pdf"
    pdftotext "$work/three.pdf" - | grep -o 'for [A-Z][a-z]* 20[0-9]*' | sort -u | tr '\n' ';' |
        grep -qx 'for December 2024;for January 2025;for November 2024;' ||
        fail "months in the PDF: $(pdftotext "$work/three.pdf" - | grep -o 'for [A-Z][a-z]* 20[0-9]*')"
    pdfinfo "$work/three.pdf" | grep -q 'November 2024 to January 2025' || fail "PDF title"
    ;;
day_picture_files)
    sydney='0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104'
    run 0 --record "$sydney" --day 2025-04-06 --svg "$work/day.svg" --png "$work/day.png" \
        --pdf "$work/day.pdf"
    [ -s "$work/out" ] && fail "the pictures alone were asked for, yet stdout has text"
    [ "$(head -c 5 "$work/day.pdf")" = "%PDF-" ] || fail "no PDF written"
    [ "$(head -c 4 "$work/day.png" | tail -c 3)" = "PNG" ] || fail "no PNG written"
    grep -qF 'Australia - NSW (Sydney) on Sunday 6 April 2025' "$work/day.svg" ||
        fail "the SVG lacks the title"
    grep -qF 'Clocks go back today' "$work/day.svg" || fail "the SVG lacks the clock change"
    ;;
error_day_usage)
    expect_error 2 "--day 2025-02-30: February 2025 has 28 days" --record "$karachi" \
        --day 2025-02-30 --png "$work/d.png"
    expect_error 2 "--day 2024-02-30: February 2024 has 29 days" --record "$karachi" \
        --day 2024-02-30 --png "$work/d.png"
    expect_error 2 "--day 2025-13-01: there is no month 13" --record "$karachi" \
        --day 2025-13-01 --png "$work/d.png"
    expect_error 2 "--day 2025-4-6" --record "$karachi" --day 2025-4-6 --png "$work/d.png"
    expect_error 2 "needs --svg, --png or --pdf" --record "$karachi" --day 2025-04-06
    expect_error 2 "need --day" --record "$karachi" --svg "$work/d.svg"
    expect_error 2 "cannot be used with" --record "$karachi" --day 2025-04-06 --month 4 \
        --png "$work/d.png"
    expect_error 1 "$work/missing/d.png" --record "$karachi" --day 2025-04-06 \
        --png "$work/missing/d.png"
    ;;
error_pdf_not_writable)
    expect_error 1 "$work/missing/table.pdf" --record "$karachi" --month 2 --year 2024 \
        --pdf "$work/missing/table.pdf"
    ;;
list_places)
    write_places
    run 0 --locations "$work/places.dat" --list
    # Name, then latitude, longitude and zone lined up after the longest name.
    printf '%s\n' \
        '0  Pakistan (Karachi)                 24º  52´ North, 67º   1´ East, GMT +5 hours' \
        '1  USA - Massachusetts (Boston)       42º  21´ North, 71º   4´ West, GMT -5 hours' \
        '2  USA - Pennsylvania (Philadelphia)  40º   0´ North, 75º   0´ West, GMT -5 hours' |
        cmp -s - "$work/out" || fail "list wrong: $(cat "$work/out")"
    ;;
place_by_position_and_text)
    write_places
    run 0 --locations "$work/places.dat" --place 1 --month 3 --year 2025 --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/boston_2025_03.csv" || fail "--place 1 is not Boston"
    run 0 --locations "$work/places.dat" --place bOsToN --month 3 --year 2025 --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/boston_2025_03.csv" || fail "--place bOsToN is not Boston"
    ;;
default_locations_restored_from_backup)
    # The program looks for locs.dat beside itself and restores it from locs.bak.
    cp "$program" "$work/quintrel-table"
    printf '%s\r\n' "$karachi" >"$work/locs.bak"
    program="$work/quintrel-table"
    run 0 --place 0 --month 2 --year 2024 --format csv
    tail -n +2 "$work/out" | cmp -s - "$data/golden/karachi_2024_02.csv" || fail "wrong table"
    cmp -s "$work/locs.dat" "$work/locs.bak" || fail "locs.dat not restored from locs.bak"
    ;;
error_no_locations_beside_program)
    cp "$program" "$work/quintrel-table"
    program="$work/quintrel-table"
    expect_error 1 "locs.dat/bak" --place 0
    ;;
error_missing_locations_file)
    expect_error 1 "$work/none.dat" --locations "$work/none.dat" --list
    ;;
error_locations_file_is_a_pipe)
    # Refused at once with the window's words, never waited on for a writer.
    mkfifo "$work/pipe.dat" || exit 77
    timeout 5 "$program" --locations "$work/pipe.dat" --list >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 124 ] && fail "still waiting on the pipe after 5 s"
    [ "$status" -eq 1 ] || fail "exit code $status, expected 1"
    grep -qxF "quintrel-table: Cannot read \"$work/pipe.dat\": not a regular file" "$work/err" ||
        fail "stderr: $(cat "$work/err")"
    ;;
error_locations_file_too_long)
    # Positions are 16-bit: a longer list is refused, as the window refuses it.
    for i in $(seq 0 32767); do printf '1Country %06d        Town             + 48 52+  2 20+    1\r\n' "$i"; done \
        >"$work/many.dat"
    expect_error 1 "32768 places, more than the 32767" --locations "$work/many.dat" --list
    ;;
error_empty_locations_file)
    : >"$work/empty.dat"
    expect_error 1 "empty" --locations "$work/empty.dat" --place 0
    ;;
error_place_position_outside_list)
    write_places
    expect_error 1 "no place 3" --locations "$work/places.dat" --place 3
    ;;
error_place_text_matches_nothing)
    write_places
    expect_error 1 "No place matches" --locations "$work/places.dat" --place Atlantis
    ;;
error_place_text_matches_several)
    write_places
    # Like an ambiguous --town, a usage error: more of the name settles it.
    expect_error 2 "1 USA - Massachusetts (Boston); 2 USA - Pennsylvania (Philadelphia)" \
        --locations "$work/places.dat" --place usa
    ;;
error_month_outside_year)
    expect_error 2 "Month 13" --record "$karachi" --month 13 --year 2024
    expect_error 2 "Month 0" --record "$karachi" --month 0 --year 2024
    # A negative number is a value of the option, not another option, and still refused.
    expect_error 2 "Month -3" --record "$karachi" --month -3 --year 2024
    ;;
error_year_outside_calendar)
    expect_error 2 "Year 100" --record "$karachi" --month 5 --year 100
    expect_error 2 "Year 10000" --record "$karachi" --month 5 --year 10000
    # The last month fits, the next does not: no partial table on stdout.
    expect_error 2 "Year 9999" --record "$karachi" --month 12 --year 9998 --months 2 --format csv
    ;;
error_malformed_record)
    expect_error 1 "characters" --record "1Pakistan Karachi + 24 52+ 67  1+   50"
    expect_error 1 "Pakistan" --record '1Pakistan             Karachi          + xx 52+ 67  1+   50'
    ;;
error_output_not_writable)
    expect_error 1 "$work/missing/table.csv" --record "$karachi" --month 2 --year 2024 \
        --output "$work/missing/table.csv"
    ;;
output_full_disk_keeps_old_file)
    # A file-size limit makes the write fail part-way, as a full disk does; the file that
    # was there must survive, and no temporary file may be left behind.
    printf 'the table of last February\r\n' >"$work/table.csv"
    (
        trap '' XFSZ
        ulimit -f 1
        "$program" --record "$karachi" --month 2 --year 2024 --format csv \
            --output "$work/table.csv" >"$work/out" 2>"$work/err"
    )
    [ $? -eq 1 ] || fail "a failed write was not reported with exit code 1"
    grep -qF "$work/table.csv" "$work/err" || fail "stderr does not name the file: $(cat "$work/err")"
    [ "$(cat "$work/table.csv")" = $'the table of last February\r' ] || fail "the old file was lost"
    [ "$(ls "$work" | sort | tr '\n' ' ')" = "err out table.csv " ] ||
        fail "files left behind: $(ls "$work")"
    run 0 --record "$karachi" --month 2 --year 2024 --format csv --output "$work/table.csv"
    tail -n +2 "$work/table.csv" | cmp -s - "$data/golden/karachi_2024_02.csv" || fail "not replaced"
    ;;
output_to_device)
    # A device or pipe is written to, never replaced by a file of the same name.
    run 0 --record "$karachi" --month 2 --year 2024 --format csv --output /dev/null
    [ -c /dev/null ] || fail "/dev/null is no longer a device"
    mkfifo "$work/pipe" || exit 77
    timeout 20 cat "$work/pipe" >"$work/received" &
    run 0 --record "$karachi" --month 2 --year 2024 --pdf "$work/pipe"
    wait
    [ -p "$work/pipe" ] || fail "the pipe was replaced by a file"
    [ "$(head -c 5 "$work/received")" = "%PDF-" ] || fail "no PDF came through the pipe"
    ;;
error_standard_output_full)
    [ -w /dev/full ] || { echo "skipped: no /dev/full"; exit 0; }
    "$program" --record "$karachi" --month 2 --year 2024 >/dev/full 2>"$work/err"
    [ $? -eq 1 ] || fail "a failed write to stdout was not reported with exit code 1"
    grep -qF "standard output" "$work/err" || fail "stderr: $(cat "$work/err")"
    ;;
ics_sydney_april)
    # The April change: the 5th still on daylight time (+11), the 6th from 03:00 on
    # standard time (+10); the Poor day's first minor at 00:40 is on daylight time.
    run 0 --record "$sydney" --month 4 --year 2025 --format ics --alarm 30
    head -c 17 "$work/out" | grep -qF $'BEGIN:VCALENDAR\r' || fail "not a calendar with CR LF lines"
    [ "$(grep -c '^BEGIN:VEVENT' "$work/out")" -eq 117 ] || fail "not 117 periods"
    [ "$(grep -c '^TRIGGER:-PT30M' "$work/out")" -eq 117 ] || fail "not one reminder per period"
    for line in 'UID:20250405-major1@australia-nsw-sydney_-33.866665_151.21666' \
        'DTSTART:20250404T193000Z' 'DTSTART:20250405T202300Z' 'DTSTART:20250405T132500Z'; do
        grep -qF "$line"$'\r' "$work/out" || fail "no $line"
    done
    ;;
ics_options_and_months)
    run 0 --record "$sydney" --month 4 --year 2025 --months 2 --format ics \
        --ics-events days --min-rating Best --output "$work/best.ics"
    [ -s "$work/out" ] && fail "the calendar also went to stdout"
    [ "$(grep -c '^DTSTART;VALUE=DATE:' "$work/best.ics")" -eq "$(grep -c '^BEGIN:VEVENT' "$work/best.ics")" ] ||
        fail "not only all-day entries"
    grep -q '^UID:202505' "$work/best.ics" || fail "May missing"
    grep -q '^SUMMARY:Good' "$work/best.ics" && fail "a Good day below the minimum"
    run 0 --record "$sydney" --month 4 --year 2025 --format ics --daylight-only
    [ "$(grep -c '^BEGIN:VEVENT' "$work/out")" -lt 117 ] || fail "night periods kept"
    ;;
error_ics_options)
    expect_error 2 "Poor, Fair, Good or Best" --record "$karachi" --format ics --min-rating Great
    expect_error 2 "major,minor,days" --record "$karachi" --format ics --ics-events major,moon
    expect_error 2 "--alarm" --record "$karachi" --format ics --alarm -5
    expect_error 2 "need --format ics" --record "$karachi" --alarm 30
    # --min-rating is the planner's as well as the calendar's, and nothing else's.
    expect_error 2 "goes with --plan or --format ics" --record "$karachi" --min-rating Good
    expect_error 2 "--format ics is for month tables" --record "$karachi" --plan --format ics
    ;;
plan_days_pass_every_filter)
    # Boston and Karachi are favourites, Philadelphia is not.
    printf '%s\r\n' "0${boston:1}" "0${karachi:1}" "$philadelphia" >"$work/places.dat"
    run 0 --locations "$work/places.dat" --plan --from 2027-01 --months 6 --places favourites \
        --min-rating Good --days sat,sun --daylight-major --format csv
    tail -n +3 "$work/out" | tr -d '\r' >"$work/plan"
    [ -s "$work/plan" ] || fail "the search found nothing"
    grep -q 'Philadelphia' "$work/plan" && fail "a place that is no favourite was searched"
    for town in Boston Karachi; do
        run 0 --locations "$work/places.dat" --place "$town" --month 1 --year 2027 --months 6 \
            --format csv
        tail -n +3 "$work/out" | tr -d '\r' >"$work/table"
        # Each listed day is its month table's row, to the character.
        grep -F "($town)" "$work/plan" | cut -d, -f1-14 >"$work/listed"
        [ -s "$work/listed" ] || fail "nothing listed for $town"
        grep -vxFf "$work/table" "$work/listed" && fail "rows differ from $town's month tables"
        # The days of the month tables that pass every filter, found independently.
        awk -F, 'function m(t) { return substr(t, 1, 2) * 60 + substr(t, 4, 2) }
            ($2 == "Saturday" || $2 == "Sunday") && ($13 == "Good" || $13 == "Best") {
                for (i = 9; i <= 10; i++)
                    if ($i ~ /^[0-9][0-9]:[0-9][0-9]$/ && m($i) >= m($3) - 30 && m($i) <= m($4) + 30) {
                        print; next
                    }
            }' "$work/table" >"$work/expected"
        cmp -s "$work/expected" "$work/listed" ||
            fail "$town: listed days differ from the days passing the filters: $(diff "$work/expected" "$work/listed" | head -5)"
    done
    # By date.
    cut -d, -f1 "$work/plan" | sort -c || fail "not sorted by date"
    ;;
plan_text_and_nothing_found)
    run 0 --record "$boston" --plan --from 2027-03 --months 2 --min-rating Best --days weekend
    head -n 1 "$work/out" | grep -qxF 'Quintrel Planner: March 2027 to April 2027' ||
        fail "title wrong: $(head -n 1 "$work/out")"
    grep -qE '^2027-0[34]-[0-9]{2} (Saturday|Sunday) +Best \*\*\*\*' "$work/out" || fail "no Best weekend day listed"
    grep -E '^2027-' "$work/out" | grep -vqE ' (Saturday|Sunday) +Best ' && fail "a day breaks a filter"
    # Tromso in December: the sun never rises, so no major period is in daylight.
    tromso='1Norway               Tromso           + 69 39+ 18 57+   10'
    run 0 --record "$tromso" --plan --from 2026-12 --daylight-major
    printf 'No day from December 2026 passes the filters (rating Good or better; a major period from 30 min before sunrise to 30 min after sunset).\n' |
        cmp -s - "$work/out" || fail "nothing found is not said plainly: $(cat "$work/out")"
    ;;
messages_name_what_was_given)
    expect_error 2 "Year -2026 is not between" --record "$karachi" --year -2026
    expect_error 2 "Year -2026 is not between" --record "$karachi" --year -2026 --month 12
    printf '%s\r\n' "$karachi" | iconv -f WINDOWS-1252 -t UTF-16 >"$work/utf16.dat"
    expect_error 1 "UTF-16 text, not Windows-1252" --locations "$work/utf16.dat" --list
    expect_error 2 "--output and --pdf name the same file" --record "$karachi" \
        --output "$work/same" --pdf "$work/same"
    expect_error 2 "--svg and --png name the same file" --record "$karachi" --day 2026-04-06 \
        --svg "$work/day" --png "$work/./day"
    expect_error 2 "--pdf and --png name the same file" --record "$karachi" --day 2026-04-06 \
        --pdf "$work/day" --png "$work/day"
    [ ! -e "$work/same" ] && [ ! -e "$work/day" ] || fail "a file was written"
    # Without --min-rating the planner lists Good and Best days, as its help says.
    run 0 --record "$karachi" --plan --from 2026-01 --months 3
    grep -q 'rating Good or better' "$work/out" || fail "heading: $(head -3 "$work/out")"
    ! grep -Eq ' (Poor|Fair) ' "$work/out" || fail "lower ratings listed"
    ;;
plan_usage_errors)
    expect_error 2 "between 1 and 24" --record "$boston" --plan --months 25
    expect_error 2 "between 1 and 24" --record "$boston" --plan --months 0
    expect_error 2 "Poor, Fair, Good or Best" --record "$boston" --plan --min-rating Great
    expect_error 2 "sun, mon, tue" --record "$boston" --plan --days sat,funday
    expect_error 2 "YYYY-MM" --record "$boston" --plan --from 2027-13
    expect_error 2 "no favourite place" --record "$boston" --plan --places favourites
    expect_error 2 "one of them is empty" --record "$boston" --plan --places 'boston,,' 
    expect_error 2 "between 0 and 240" --record "$boston" --plan --places all --near-sun 300
    expect_error 2 "--pdf" --record "$boston" --year-view
    expect_error 2 "go with --plan" --record "$boston" --days sat,sun
    ;;
year_view_pdf)
    run 0 --record "$boston" --year-view --year 2027 --pdf "$work/year.pdf"
    [ -s "$work/out" ] && fail "the PDF alone was asked for, yet stdout has text"
    [ "$(head -c 5 "$work/year.pdf")" = "%PDF-" ] || fail "no PDF written"
    pdftotext "$work/year.pdf" "$work/year.txt"
    grep -qF 'Quintrel Year at a Glance: USA - Massachusetts (Boston) 2027' "$work/year.txt" ||
        fail "title missing"
    for month in January June December; do
        grep -qF "$month" "$work/year.txt" || fail "$month missing"
    done
    [ "$(pdfinfo "$work/year.pdf" | awk '/^Pages:/ { print $2 }')" = 1 ] || fail "not one page"
    ;;
error_record_outside_the_location_window_ranges)
    base="$karachi"
    while IFS='|' read -r column text said; do
        record="${base:0:column-1}$text${base:column-1+${#text}}"
        expect_error 1 "$said" --record "$record"
    done <<'ROWS'
41| 99|Columns 41-43 (latitude degrees)
44| 99|Columns 44-46 (latitude minutes)
48|181|Columns 48-50 (longitude degrees)
55|9999|Columns 55-58 (zone hours)
1|x|Column 1 (favourite mark)
ROWS
    expect_error 1 "Columns 60-71" --record "${karachi}022113021111"
    expect_error 1 "hour 00-23" --record "${karachi}251103021111"
    ;;
messages_are_printable_utf8)
    # An escape sequence in a record is shown, not obeyed; Windows-1252 letters come out
    # as UTF-8.
    expect_error 1 '"1Pak\x1b[31mistan' --record $'1Pak\e[31mistan' --month 1
    LC_ALL=C grep -q $'\e' "$work/err" && fail "a raw escape reached stderr"
    expect_error 1 'Müller' --record '1Müller'
    iconv -f UTF-8 -t UTF-8 "$work/err" >/dev/null || fail "stderr is not UTF-8"
    # Every option's text is echoed through the same escaping, bad UTF-8 included.
    escaped() {
        "$program" "$@" >"$work/out" 2>"$work/err"
        grep -qF -e '\x1b[2J' -e '\xff' "$work/err" || fail "not escaped ($*): $(cat -v "$work/err")"
        LC_ALL=C grep -q $'\e' "$work/err" "$work/out" && fail "a raw escape got out ($*)"
        iconv -f UTF-8 -t UTF-8 "$work/err" >/dev/null || fail "stderr is not UTF-8 ($*)"
    }
    escaped --find $'qq\e[2Jqq'
    escaped --find $'qq\xffqq'
    escaped --town $'qq\e[2Jqq'
    escaped --record "$karachi" --plan --days $'sat\e[2J'
    escaped --record "$karachi" --plan --min-rating $'Good\e[2J'
    escaped --zone-rule $'Europe/\e[2J'
    escaped --record "$karachi" --format $'\e[2J'
    ;;
endless_and_oversized_locations)
    SECONDS=0
    expect_error 1 "not a regular file" --locations /dev/zero --list
    head -c 5000000 /dev/zero | tr '\0' 'x' >"$work/huge.dat"
    expect_error 1 "5000000 bytes" --locations "$work/huge.dat" --list
    [ "$SECONDS" -lt 10 ] || fail "took $SECONDS s"
    ;;
locations_with_any_line_end)
    for end in '\n' '\r' '\r\n'; do
        printf "\\xEF\\xBB\\xBF%s$end%s$end%s$end" "$philadelphia" "$karachi" "$boston" >"$work/places.dat"
        run 0 --locations "$work/places.dat" --list
        [ "$(wc -l <"$work/out")" -eq 3 ] || fail "line end $end: $(cat "$work/out")"
    done
    ;;
place_matches_listed_up_to_twenty)
    for i in $(seq 10 39); do
        printf '1USA %-17sTown%-12s + 42 21- 71  4-   50\r\n' "$i" "$i"
    done >"$work/many.dat"
    expect_error 2 "19 USA 29 (Town29); and 10 more (see --list)" --locations "$work/many.dat" \
        --place usa
    ;;
output_file_rules)
    # A link is written through; a read-only or hard-linked file is refused, naming it.
    run 0 --record "$karachi" --month 2 --year 2024 --format csv --output "$work/real.csv"
    ln -s real.csv "$work/link.csv"
    run 0 --record "$karachi" --month 3 --year 2024 --format csv --output "$work/link.csv"
    [ -L "$work/link.csv" ] || fail "the link became a file"
    grep -q '^20240301' "$work/real.csv" || fail "the link's target was not written"
    ln "$work/real.csv" "$work/hard.csv"
    expect_error 1 "$work/hard.csv" --record "$karachi" --output "$work/hard.csv"
    rm "$work/hard.csv"
    chmod 444 "$work/real.csv"
    expect_error 1 "read-only" --record "$karachi" --output "$work/real.csv"
    (umask 077 && "$program" --record "$karachi" --output "$work/private.csv") ||
        fail "writing with umask 077 failed"
    [ "$(stat -c %a "$work/private.csv")" = 600 ] || fail "the umask was ignored"
    ;;
months_streamed_up_to_a_century)
    run 0 --record "$karachi" --month 1 --year 2000 --months 1200 --format csv \
        --output "$work/century.csv"
    [ "$(wc -l <"$work/century.csv")" -eq 36527 ] || fail "not 2 + 36525 lines"
    [ "$(ls "$work" | sort | tr '\n' ' ')" = "century.csv err out " ] ||
        fail "files left behind: $(ls "$work")"
    ;;
find_prints_records)
    run 0 --find tromso
    grep -qxF 'Tromsø, Troms og Finnmark, Norway (Europe/Oslo, 52436 people)' "$work/out" ||
        fail "town line missing: $(head -n 1 "$work/out")"
    grep -qxF '  1Norway               Tromsø           + 69 39+ 18 57+   11025103035110' \
        "$work/out" || fail "record missing: $(sed -n 2p "$work/out")"
    # A zone the record cannot hold says why under its record.
    run 0 --find casablanca
    grep -qF '  Clocks here go back an hour' "$work/out" || fail "no note: $(cat "$work/out")"
    # Zones up to 14 hours ahead have records and compute.
    run 0 --find apia
    grep -qF 'Apia' "$work/out" && grep -qF '+  13' "$work/out" ||
        fail "Apia: $(head -n 3 "$work/out")"
    run 0 --town 'apia samoa' --month 1 --year 2027 --format csv
    run 0 --record '1Kiribati             Kiritimati       +  1 52-157 28+  140' --month 1 --year 2027
    grep -qF 'GMT +14 hours' "$work/out" || fail "Kiritimati: $(head -n 3 "$work/out")"
    ;;
town_computes_like_shipped_record)
    run 0 --town 'christchurch new zealand' --month 4 --year 2026 --format csv
    mv "$work/out" "$work/town.csv"
    run 0 --record "$christchurch" --month 4 --year 2026 --format csv
    tail -n +2 "$work/out" | cmp -s - <(tail -n +2 "$work/town.csv") ||
        fail "--town differs from the shipped record's table"
    ;;
error_town_matches_several)
    expect_error 2 "Several towns match \"christchurch\" (Christchurch, Canterbury, New Zealand; Christchurch, England, United Kingdom)" \
        --town christchurch
    ;;
town_search_takes_what_people_type)
    # Accents, punctuation and the place list's country names fold as the stored names do.
    for text in zürich malmö reykjavík łódź 'st johns' 'portland usa' 'portland or'; do
        run 0 --find "$text"
    done
    grep -qF 'Portland, Oregon, United States of America' "$work/out" || fail "portland or: $(cat "$work/out")"
    # Every suggestion names one town.
    expect_error 2 'say which: "Portland Oregon", "Portland Maine", "Portland Texas"' --town portland
    # A town ten times larger than the rest is taken, with a note naming the others.
    run 0 --town london --month 1 --year 2026 --format csv
    grep -qF '"london" is taken as London, England, United Kingdom' "$work/err" ||
        fail "no note: $(cat "$work/err")"
    grep -qF 'London, Ontario, Canada ("London Ontario")' "$work/err" || fail "others not named"
    expect_error 1 'No town matches "münchen". The town list keeps English names' --find münchen
    ;;
error_find_too_short)
    expect_error 2 "at least two letters" --find x
    expect_error 2 "at least two letters" --find ' '
    expect_error 2 "at least two letters" --town ''
    ;;
error_find_matches_nothing)
    expect_error 1 'No town matches "qqxqq"' --find qqxqq
    ;;
zone_rule)
    run 0 --zone-rule Pacific/Auckland
    grep -qxF 'south +12 1 025109 031104' "$work/out" || fail "rule wrong: $(cat "$work/out")"
    run 0 --zone-rule UTC
    run 0 --zone-rule Etc/GMT-10
    run 0 --zone-rule US/Eastern
    for zone in Atlantis/Capital Sydney Oslo AEST '' AEST-10 "$(printf 'a%.0s' $(seq 1000))"; do
        expect_error 2 '--zone-rule must name a zone' --zone-rule "$zone"
    done
    ;;
usage_errors)
    expect_error 2 "--format" --record "$karachi" --format xml
    expect_error 2 "--months" --record "$karachi" --months 0
    expect_error 2 "--bogus" --record "$karachi" --bogus
    expect_error 2 "--month" --record "$karachi" --month March
    expect_error 2 "--locations" --record "$karachi" --locations "$work/places.dat"
    ;;
tides_stations_near_a_place)
    run 0 --record "$seattle" --stations
    [ "$(wc -l <"$work/out")" -eq 10 ] || fail "not 10 stations: $(cat "$work/out")"
    head -1 "$work/out" | grep -qxF "$(printf '0.5\t9447130\tSeattle, Puget Sound, Washington\t47.6026\t-122.3393')" ||
        fail "nearest station line: $(head -1 "$work/out")"
    awk -F'\t' 'NF != 5 || $1 > 100 || $1 < prev { exit 1 } { prev = $1 }' "$work/out" ||
        fail "lines not 5 fields, nearest first, within 100 km"
    ;;
tides_csv_and_text)
    run 0 --record "$seattle" --tides --month 1 --year 2024 --format csv
    sed -n 1p "$work/out" | grep -qF '(9447130), 0.5 km WNW of the place; heights in feet above Mean Lower Low Water; Not for navigation' ||
        fail "preamble: $(sed -n 1p "$work/out")"
    [ "$(sed -n 2p "$work/out")" = $'Date,Time,Height,Tide\r' ] || fail "heading: $(sed -n 2p "$work/out")"
    [ "$(sed -n 3p "$work/out")" = $'20240101,01:35,0.66,Low\r' ] || fail "first line: $(sed -n 3p "$work/out")"
    [ "$(grep -c $'\r$' "$work/out")" -eq "$(wc -l <"$work/out")" ] || fail "not every line ends CR LF"
    tail -n +3 "$work/out" | grep -vqE $'^202401(0[1-9]|[12][0-9]|3[01]),([01][0-9]|2[0-3]):[0-5][0-9],-?[0-9]+\.[0-9]{2},(High|Low)\r$' &&
        fail "a line out of form: $(tail -n +3 "$work/out" | grep -vE ',(High|Low)' | head -1)"
    run 0 --record "$seattle" --tides --month 1 --year 2024 --format csv --units m
    [ "$(sed -n 3p "$work/out")" = $'20240101,01:35,0.20,Low\r' ] || fail "metres: $(sed -n 3p "$work/out")"
    run 0 --record "$seattle" --tides --month 2 --year 2024 --station 9447110
    grep -qF 'Tides at Lockheed Shipyard' "$work/out" || fail "--station by id: $(head -2 "$work/out")"
    grep -qF 'Not for navigation' "$work/out" || fail "text lacks Not for navigation"
    [ "$(grep -cE '^[A-Z][a-z]{2} 2024-02-[0-9]{2}   [0-9]{2}:[0-9]{2} ' "$work/out")" -eq 29 ] ||
        fail "not 29 day lines: $(cat "$work/out")"
    ;;
tides_pdf)
    # The window's tide table: the CSV's first low is on its first day line, beside the
    # month table's rating; two months give the second month's title too.
    run 0 --record "$seattle" --tides --month 1 --year 2024 --months 2 --pdf "$work/tides.pdf"
    pdftotext -layout "$work/tides.pdf" "$work/tides.txt"
    grep -qF 'Tide Table For USA - Washington (Seattle), January 2024' "$work/tides.txt" ||
        fail "title: $(head -3 "$work/tides.txt")"
    grep -qF 'Tide Table For USA - Washington (Seattle), February 2024' "$work/tides.txt" ||
        fail "no February"
    grep -qF 'Not for navigation' "$work/tides.txt" || fail "PDF lacks Not for navigation"
    grep -E '^ *Mon 1 ' "$work/tides.txt" | grep -qE '01:35 0.66 Low.*(Poor|Fair|Good|Best)' ||
        fail "first day line: $(grep -E '^ *Mon 1 ' "$work/tides.txt")"
    ;;
tides_calendar_and_planner_agree)
    # The same high and low waters in the tide CSV, the calendar and the planner's filter.
    run 0 --record "$seattle" --tides --month 1 --year 2024 --format csv
    tail -n +3 "$work/out" | tr -d '\r' >"$work/tides"
    run 0 --record "$seattle" --month 1 --year 2024 --format ics --ics-events tides
    [ "$(grep -c '^SUMMARY:High water\|^SUMMARY:Low water' "$work/out")" -eq "$(wc -l <"$work/tides")" ] ||
        fail "calendar and CSV differ in the number of tides"
    # 2024-01-01 01:35 Pacific standard time is 09:35 UTC.
    grep -q 'DTSTART:20240101T093500Z' "$work/out" ||
        fail "the first low is not at the CSV's minute"
    printf '%s\r\n' "$seattle" "$spokane" >"$work/places.dat"
    run 0 --locations "$work/places.dat" --plan --from 2024-01 --months 1 --places all \
        --near-tide 20 --min-rating Poor --format csv
    grep -qF 'No tide station within 100 km of USA - Washington (Spokane); no tides are shown; skipped' "$work/err" ||
        fail "Spokane not named: $(cat "$work/err")"
    tail -n +3 "$work/out" | tr -d '\r' >"$work/plan"
    [ -s "$work/plan" ] || fail "the tide filter found nothing"
    grep -q 'Spokane' "$work/plan" && fail "a place without a station was listed"
    # Each listed day has a matched period within 20 minutes of one of that day's tides.
    awk -F, 'function m(t) { return substr(t, 1, 2) * 60 + substr(t, 4, 2) }
        NR == FNR { tide[$1] = tide[$1] " " m($2); next }
        { n = split(tide[$1], t, " "); ok = 0
          for (i = 1; i <= n; i++) if (match($NF, /[0-9][0-9]:[0-9][0-9]/)) {
              d = m(substr($NF, RSTART, 5)) - t[i]; if (d < 0) d = -d; if (d <= 20) ok = 1 }
          if (!ok) { print "no tide near " $1 " " $NF; bad = 1 } }
        END { exit bad }' "$work/tides" "$work/plan" || fail "a listed day has no tide near its period"
    ;;
tides_errors)
    expect_error 1 'No tide station within 100 km of USA - Washington (Spokane)' --record "$spokane" --stations
    expect_error 1 'No tide station within 100 km' --record "$spokane" --tides --month 1 --year 2024
    expect_error 1 'No tides for 2101: the tide tables cover 1700 to 2100' --record "$seattle" --tides --month 1 --year 2101
    expect_error 2 'matches 47 stations: ' --record "$seattle" --tides --station 'puget sound'
    expect_error 1 'No tide station has the id or a name containing "atlantis"' --record "$seattle" --tides --station atlantis
    expect_error 2 '--station and --units go with --tides' --record "$seattle" --station 9447130
    expect_error 2 '--units must be m or ft' --record "$seattle" --tides --units cm
    expect_error 2 'not --format ics' --record "$seattle" --tides --format ics
    expect_error 2 'pdf goes with --tides' --record "$seattle" --stations --pdf x.pdf
    expect_error 2 'cannot be used together' --record "$seattle" --tides --stations
    ;;
tides_user_file_refused)
    printf '%s\r\n' "$seattle" >"$work/places.dat"
    mkdir "$work/tides"
    printf 'not a harmonics file\n' >"$work/tides/mine.tcd"
    run 0 --locations "$work/places.dat" --stations
    grep -qF '/tides/mine.tcd cannot be opened' "$work/err" || fail "refused file not named: $(cat "$work/err")"
    [ "$(wc -l <"$work/out")" -eq 10 ] || fail "the shipped stations went missing"
    ;;
transit_times)
    # Tromso in December: the moon stays up or down for days, so the usual midpoint gives
    # no majors; the transits give them on every day.
    tromso='1Norway               Tromso           + 69 39+ 18 57+   10'
    run 0 --record "$tromso" --month 12 --year 2026 --format csv
    awk -F, 'NR > 2 && $9 == ":"' "$work/out" | grep -q . || fail "expected days without majors"
    cp "$work/out" "$work/usual.csv"
    run 0 --record "$tromso" --month 12 --year 2026 --format csv --transit
    [ "$(awk -F, 'NR > 2 && $9 == ":" && $10 == ":"' "$work/out" | wc -l)" -eq 0 ] ||
        fail "--transit left a day without majors"
    diff <(cut -d, -f1-8 "$work/usual.csv" | tail -n +2) <(cut -d, -f1-8 "$work/out" | tail -n +2) ||
        fail "--transit changed the sun and moon columns"
    ;;
*)
    fail "unknown case"
    ;;
esac
echo "ok: $case_name"
