#!/usr/bin/env bash
# Runs check_layers.sh on a scratch tree: it must pass a clean tree and name each kind of
# offending include in a broken one.
set -uo pipefail
check="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/astro" "$work/locations" "$work/table" "$work/appcore" "$work/calendar" \
    "$work/ui/report" "$work/app" "$work/cli" "$work/tests/cli"
printf '#include <cmath>\n#include "astro/CoreError.h"\n' >"$work/table/Fine.cpp"
printf '#include "table/MonthTable.h"\n#include "calendar/IcsWriter.h"\n' >"$work/appcore/Fine.cpp"
printf '#include <QWidget>\n#include "ui/report/ReportEngine.h"\n#include "appcore/State.h"\n' \
    >"$work/ui/Fine.cpp"
printf '#include "table/MonthTable.h"\n#include "ui/report/ReportFile.h"\n' >"$work/ui/report/Fine.h"
printf '#include "ui/dlgPlanner.h"\n#include "app/fMain.h"\n' >"$work/app/Fine.cpp"
printf '#include "ui/report/ReportPdf.h"\n' >"$work/cli/Fine.cpp"
printf '#include "app/fMain.h"\n#include "cli/CommandLine.h"\n' >"$work/tests/cli/Fine.cpp"
bash "$check" "$work" >"$work/out" || fail "a clean tree was refused: $(cat "$work/out")"

# Each line planted below breaks one rule; the check must name each, and nothing else.
printf '#include <string>\n#include "table/MonthTable.h"\n' >"$work/astro/Up.cpp"
printf '#include <QString>\n' >"$work/locations/Qt.h"
printf '  #  include "app/fMain.h"\n' >"$work/appcore/Window.cpp"
printf '#include "appcore/Settings.h"\n' >"$work/calendar/Up.cpp"
printf '#include "app/Exports.h"\n' >"$work/ui/Up.cpp"
printf '#include "ui/dlgPlanner.h"\n' >"$work/ui/report/Up.cpp"
printf '#include "cli/TextTable.h"\n' >"$work/ui/Beside.cpp"
mkdir -p "$work/newlib"
printf '#include "astro/CoreError.h"\n' >"$work/newlib/New.cpp"
bash "$check" "$work" >"$work/out" && fail "a broken tree passed"
expected=(
    'astro/Up.cpp:2: astro includes from the higher layer table'
    'locations/Qt.h:1: a core folder includes a Qt header'
    'appcore/Window.cpp:1: appcore includes from the higher layer app'
    'calendar/Up.cpp:1: calendar includes from the higher layer appcore'
    'ui/Up.cpp:1: ui includes from the higher layer app'
    'ui/report/Up.cpp:1: ui/report includes from the higher layer ui'
    'ui/Beside.cpp:1: ui includes from cli of its own level'
    'newlib/New.cpp: the folder newlib has no layer'
)
for line in "${expected[@]}"; do
    grep -qF "$line" "$work/out" || fail "not named: $line; got: $(cat "$work/out")"
done
[ "$(wc -l <"$work/out")" -eq "${#expected[@]}" ] ||
    fail "more than the ${#expected[@]} lines: $(cat "$work/out")"
