#!/usr/bin/env bash
# The manual pages against the README: every window, tool and button the README's "Using
# it" names in bold is described in quintrel(1), every option the README's command-line
# sections use is in quintrel-table --help (from which its manual page is made), and
# neither the README nor a manual page gives an invented address.
# Usage: docs_test.sh README.md quintrel.1 QUINTREL_TABLE
set -uo pipefail

readme="$1"
manual="$2"
table="$3"
status=0

fail() {
    echo "FAIL: $*" >&2
    status=1
}

# The text of one "## " section of the README, lines joined.
section() {
    awk -v title="$1" '/^## / { inside = ($0 == "## " title) ; next } inside' "$readme" | tr '\n' ' '
}

# The manual's text without roff requests' escapes, lines joined.
manual_text=$(sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/\\\(de/°/g; s/^\.[A-Z]+ ?//' "$manual" |
    tr '\n' ' ' | tr -s ' ')

using=$(section "Using it")
[ -n "$using" ] || fail "the README has no section \"Using it\""
while IFS= read -r term; do
    [ -z "$term" ] && continue
    grep -qF -- "$term" <<<"$manual_text" || fail "quintrel(1) does not mention \"$term\""
done < <(grep -oE '\*\*[^*]+\*\*' <<<"$using" | sed -E 's/^\*\*//; s/\*\*$//; s/ +/ /g' | sort -u)

help=$("$table" --help) || fail "quintrel-table --help failed"
commands="$(section "The command line") $(section "Calendar export")"
while IFS= read -r option; do
    grep -qF -- "$option" <<<"$help" || fail "quintrel-table --help does not mention $option"
done < <(grep -oE -- '--[a-z][a-z-]*[a-z]' <<<"$commands" | sort -u)

for file in "$readme" "$manual"; do
    if grep -niE 'example\.(org|com)|PO Box' "$file"; then
        fail "$(basename "$file") gives an invented address"
    fi
done
exit "$status"
