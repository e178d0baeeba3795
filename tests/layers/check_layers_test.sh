#!/usr/bin/env bash
# Runs check_layers.sh on a scratch tree: it must pass a clean tree and name each kind of
# offending include in a broken one.
set -uo pipefail
check="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/astro" "$work/locations" "$work/table" "$work/appcore" "$work/ui"
printf '#include <cmath>\n#include "astro/CoreError.h"\n' >"$work/table/Fine.cpp"
printf '#include "table/MonthTable.h"\n#include "ui/SettingsStore.h"\n' >"$work/ui/Fine.cpp"
bash "$check" "$work" >"$work/out" || fail "a clean tree was refused: $(cat "$work/out")"

printf '#include <string>\n#include "table/MonthTable.h"\n' >"$work/astro/Up.cpp"
printf '#include <QString>\n' >"$work/locations/Qt.h"
printf '  #  include "app/fMain.h"\n' >"$work/appcore/Window.cpp"
bash "$check" "$work" >"$work/out" && fail "a broken tree passed"
grep -qF 'astro/Up.cpp:2: astro includes from the higher layer table' "$work/out" ||
    fail "upward include not named: $(cat "$work/out")"
grep -qF 'locations/Qt.h:1: a core folder includes a Qt header' "$work/out" ||
    fail "Qt include not named: $(cat "$work/out")"
grep -qF 'appcore/Window.cpp:1: appcore includes from the higher layer app' "$work/out" ||
    fail "include of the window not named: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 3 ] || fail "more than the three lines: $(cat "$work/out")"
