#!/usr/bin/env bash
# Usage: package_test.sh CASE BUILD_DIR SCRATCH_DIR [XWINDOW]
#   build   builds the .deb with CPack from the programs already built in BUILD_DIR
#   checks  what the package holds, its computed dependencies, lintian (no errors),
#           appstreamcli, desktop-file-validate and the manual pages
#   places  unpacks the package into a scratch root and runs both programs from there as
#           a user who may not write to it, with a scratch home: the first start copies
#           the shipped list, a place added in the window survives a restart and is listed
#           by quintrel-table, and nothing is written under the root
set -euo pipefail
case_name=$1 build=$2 scratch=$3 xwindow=${4:-}

fail() {
  echo "FAIL ($case_name): $*" >&2
  exit 1
}

the_deb() {
  local debs=("$scratch"/out/quintrel_*.deb)
  [ -f "${debs[0]}" ] || fail "no package in $scratch/out"
  echo "${debs[0]}"
}

case "$case_name" in
build)
  rm -rf "$scratch"
  mkdir -p "$scratch/out"
  # Its own output and staging folder, so a `make package` at the same time is not disturbed.
  (cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
  deb=$(the_deb)
  echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"
  ;;

checks)
  deb=$(the_deb)
  listing=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
  for path in /usr/bin/quintrel /usr/bin/quintrel-table /usr/share/quintrel/locs.dat \
    /usr/share/quintrel/world-tides.tcd \
    /usr/share/applications/quintrel.desktop /usr/share/icons/hicolor/scalable/apps/quintrel.svg \
    /usr/share/metainfo/org.example.quintrel.metainfo.xml /usr/share/man/man1/quintrel.1.gz \
    /usr/share/man/man1/quintrel-table.1.gz /usr/share/doc/quintrel/copyright \
    /usr/share/doc/quintrel/changelog.gz; do
    grep -qxF "$path" <<<"$listing" || fail "the package lacks $path"
  done
  # Nothing a user would write: the list beside the programs is for installs users own.
  ! grep -q '^/usr/bin/locs' <<<"$listing" || fail "the package puts a place list in /usr/bin"
  ! grep -q '^/usr/bin/world-tides' <<<"$listing" || fail "the package puts tide data in /usr/bin"
  depends=$(dpkg-deb -f "$deb" Depends)
  for library in libc6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libgeonames0 qt6-qpa-plugins libtcd0 xtide-data; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
  done

  root="$scratch/checks-root"
  rm -rf "$root"
  dpkg-deb -x "$deb" "$root"
  desktop-file-validate "$root/usr/share/applications/quintrel.desktop" ||
    fail "desktop-file-validate"
  grep -qx 'Exec=/usr/bin/quintrel' "$root/usr/share/applications/quintrel.desktop" ||
    fail "the desktop entry does not start /usr/bin/quintrel"
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.quintrel.metainfo.xml" ||
    fail "appstreamcli validate"
  for page in quintrel quintrel-table; do
    text=$(MANWIDTH=200 man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1) ||
      fail "man $page does not render"
    grep -q 'local/share/quintrel' <<<"$text" || fail "man $page does not say where places live"
  done
  man -l "$root/usr/share/man/man1/quintrel-table.1.gz" 2>/dev/null | grep -q -- '--locations' ||
    fail "man quintrel-table lacks the options"
  rm -rf "$root"

  # Errors fail the test; warnings and notes are shown for the reader.
  lintian --fail-on error "$deb" ||
    fail "lintian reports errors"
  echo "PASS: contents, dependencies, desktop entry, AppStream data, manual pages, lintian"
  ;;

places)
  command -v xvfb-run >/dev/null && [ -n "$xwindow" ] && command -v xdotool >/dev/null ||
    { echo "xvfb-run, xdotool and the xwindow helper are needed: skipped"; exit 77; }
  if [ -z "${QUINTREL_PACKAGE_INSIDE:-}" ]; then
    export QUINTREL_PACKAGE_INSIDE=1
    exec timeout 150 xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" "$@"
  fi
  deb=$(the_deb)
  work=$(mktemp -d)
  pid=
  cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
  }
  trap cleanup EXIT
  root="$work/root" home="$work/home"
  dpkg-deb -x "$deb" "$root"
  mkdir -p "$home/runtime"
  chmod 700 "$home/runtime"
  cp "${XAUTHORITY:?}" "$home/.Xauthority"
  # An ordinary user: root may write anywhere, so root runs the programs as nobody.
  as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  chmod -R a-w "$root"
  find "$root" -printf '%p %s %T@ %m\n' | sort >"$work/root-before"

  user_env=(env -i "HOME=$home" "PATH=$root/usr/bin:/usr/bin:/bin" "LC_ALL=C.UTF-8"
    "DISPLAY=$DISPLAY" "XAUTHORITY=$home/.Xauthority" "XDG_RUNTIME_DIR=$home/runtime")
  run_as_user() { "${as_user[@]}" "${user_env[@]}" "$@"; }
  places="$home/.local/share/quintrel"

  start_window() {
    run_as_user "$root/usr/bin/quintrel" &
    pid=$!
    read -r main _ < <("$xwindow" wait Quintrel 20000) || fail "the window did not open"
  }
  # Closes the window as its close box does, then the Thanks window that follows.
  close_window() {
    "$xwindow" close "$main"
    local thanks=
    for _ in $(seq 1 200); do
      thanks=$("$xwindow" list Quintrel | grep -vx "$main" | head -n 1 || true)
      [ -n "$thanks" ] && break
      sleep 0.05
    done
    [ -n "$thanks" ] || fail "no Thanks window after closing"
    "$xwindow" close "$thanks"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the window ended with status $status"
  }

  start_window
  cmp -s "$root/usr/share/quintrel/locs.dat" "$places/locs.dat" ||
    fail "the first start did not copy the shipped list into $places"

  # Place > Add Location, a country and a town, OK.
  xdotool mousemove --window "$main" 269 14 click 1
  sleep 0.3
  xdotool key Down Return
  read -r dialog _ < <("$xwindow" wait "Add New Location" 10000) || fail "no Add New Location"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 20 Testland
  xdotool key Tab
  xdotool type --delay 20 Testtown
  xdotool key Return
  sleep 0.3
  close_window
  grep -aq '^.Testland  *Testtown ' "$places/locs.dat" || fail "the added place was not saved"
  [ -f "$places/locs.bak" ] || fail "no locs.bak beside the user's locs.dat"

  # After a restart the window still has it (and writes it back), and so has the command line.
  start_window
  close_window
  grep -aq '^.Testland  *Testtown ' "$places/locs.dat" || fail "the place is gone after a restart"
  listed=$(run_as_user "$root/usr/bin/quintrel-table" --list) || fail "quintrel-table --list"
  grep -q '^[0-9]*  Testland (Testtown)  .*, GMT ' <<<"$listed" ||
    fail "quintrel-table does not list the added place: ${listed:0:200}"

  find "$root" -printf '%p %s %T@ %m\n' | sort >"$work/root-after"
  diff "$work/root-before" "$work/root-after" || fail "something was written under the root"
  echo "PASS: first start copied the list, an added place survived a restart and is listed"
  ;;

*)
  fail "unknown case"
  ;;
esac
