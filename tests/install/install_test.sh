#!/usr/bin/env bash
# Usage: install_test.sh BUILD_DIR SCRATCH_DIR SHIPPED_LOCS_DAT
# Installs the built programs twice into prefixes under SCRATCH_DIR and checks the programs,
# the place list, the desktop entry and the icon.
set -euo pipefail
build="$1"
scratch="$2"
shipped="$3"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

install_into() {
  cmake --install "$build" --prefix "$1" >/dev/null || fail "cmake --install --prefix $1"
}

rm -rf "$scratch"
mkdir -p "$scratch"

# A prefix given at install time, not the configured one, is what the desktop entry names.
plain="$scratch/plain"
install_into "$plain"
[ -x "$plain/bin/quintrel" ] || fail "quintrel not installed"
[ -x "$plain/bin/quintrel-table" ] || fail "quintrel-table not installed"
cmp -s "$shipped" "$plain/bin/locs.dat" || fail "the shipped locs.dat is not beside the programs"
cmp -s "$(dirname "$shipped")/world-tides.tcd" "$plain/bin/world-tides.tcd" ||
  fail "the world tide file is not beside the programs"
for file in share/icons/hicolor/scalable/apps/quintrel.svg share/man/man1/quintrel.1.gz \
  share/man/man1/quintrel-table.1.gz share/metainfo/org.example.quintrel.metainfo.xml; do
  [ -f "$plain/$file" ] || fail "$file not installed"
done
# The package's own files stay out of a prefix the user owns.
[ ! -e "$plain/share/quintrel" ] && [ ! -e "$plain/share/doc" ] || fail "package files installed"
entry="$plain/share/applications/quintrel.desktop"
grep -qxF "Exec=$plain/bin/quintrel" "$entry" ||
  fail "desktop entry does not start the installed program: $(grep '^Exec=' "$entry")"
grep -qxF "$entry" "$build/install_manifest.txt" || fail "the desktop entry is not in the manifest"

# The installed command line program finds the place list beside itself.
listed="$("$plain/bin/quintrel-table" --list)" || fail "installed quintrel-table --list failed"
[[ "${listed%%$'\n'*}" == "0  Australia - NSW (Sydney) "* ]] ||
  fail "installed quintrel-table does not list the shipped places: ${listed:0:80}"

# A place list already there holds the user's places: a second install keeps it.
printf 'my own places\r\n' >"$plain/bin/locs.dat"
install_into "$plain"
[ "$(cat "$plain/bin/locs.dat")" = $'my own places\r' ] || fail "a second install replaced locs.dat"

# A prefix with a blank is quoted in the Exec line, or the desktop would split it.
blank="$scratch/with blank"
install_into "$blank"
grep -qxF "Exec=\"$blank/bin/quintrel\"" "$blank/share/applications/quintrel.desktop" ||
  fail "Exec line not quoted: $(grep '^Exec=' "$blank/share/applications/quintrel.desktop")"

rm -rf "$scratch"
echo "install: ok"
