#!/usr/bin/env bash
# Runs the real program in a temporary copy of its directory under a virtual X display:
#   normal        waits for the window, takes a screenshot, closes it through the window
#                 manager protocol, closes the Thanks window, and checks what was written
#   missing-file  starts without locs.dat and locs.bak: only the message box, a non-zero
#                 exit status, and nothing written
#   sigterm       waits for the window and sends SIGTERM: the program ends at once with
#                 status 0, settings written
#   find-town     adds a place the keyboard way: Place > Add Location, "christch" in Find a
#                 town, Down and Enter pick Christchurch, New Zealand, Enter presses OK; the
#                 saved record is the shipped Christchurch record
# Screenshots land in the output directory (window.png, thanks.png, missing-file.png,
# find-town.png).
set -euo pipefail
case_name=$1 program=$2 xwindow=$3 shipped=$4 out=$5

if [ -z "${QUINTREL_E2E_INSIDE:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed: skipped"; exit 77; }
  export QUINTREL_E2E_INSIDE=1
  exec timeout 100 xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" "$@"
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/program" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/program/quintrel"
# The user's own settings are never touched: the store lives under this folder.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8
ini="$work/config/Varnel/Varnel.ini"

# The ids of the viewable windows titled $1 other than $2, polled until one shows.
other_window() {
  local title=$1 except=$2 id
  for _ in $(seq 1 200); do
    id=$("$xwindow" list "$title" | grep -vx "$except" | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.05
  done
  return 1
}

if [ "$case_name" = missing-file ]; then
  "$work/program/quintrel" &
  pid=$!
  read -r box waited < <("$xwindow" wait "Missing File(s)" 20000) || fail "no missing-file message"
  echo "message box after ${waited} ms"
  sleep 0.3
  import -window root "$out/missing-file.png"
  "$xwindow" close "$box"
  status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -ne 0 ] || fail "the program ended with status 0 without its place file"
  [ ! -e "$ini" ] || fail "settings were written: $(cat "$ini")"
  [ -z "$(ls -A "$work/program" | grep -v '^quintrel$' || true)" ] ||
    fail "files were written: $(ls "$work/program")"
  echo "PASS: missing place file ends the program with status $status, nothing written"
  exit 0
fi

cp "$shipped" "$work/program/locs.dat"
"$work/program/quintrel" &
pid=$!
read -r main waited < <("$xwindow" wait Quintrel 20000) || fail "the window did not open"
echo "window after ${waited} ms"

if [ "$case_name" = sigterm ]; then
  # Logging out: the program closes down as its Exit button does, without the Thanks
  # window nobody would be there to close.
  sleep 0.5
  kill -TERM "$pid"
  status=0
  timeout 10 tail --pid="$pid" -f /dev/null || fail "the program did not end after SIGTERM"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
  grep -qx "Month=$(date +%-m)" "$ini" || fail "settings not written after SIGTERM: $(cat "$ini" 2>/dev/null)"
  echo "PASS: SIGTERM closed the program, settings written, no Thanks window"
  exit 0
fi

if [ "$case_name" = find-town ]; then
  command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
  christchurch='1New Zealand          Christchurch     - 43 32+172 38+  121025109031104'
  sleep 0.5
  # The Place button, then the first entry of its menu.
  place=$(xdotool search --onlyvisible --name '^Quintrel$' | head -n 1)
  xdotool windowfocus --sync "$place" 2>/dev/null || true
  xdotool mousemove --window "$place" 269 16 click 1
  sleep 0.5
  xdotool key Down Return
  read -r dialog _ < <("$xwindow" wait "Add New Location" 10000) || fail "no place window"
  sleep 0.3
  # The window starts in Find a town.
  xdotool type --delay 80 christch
  sleep 0.8
  xdotool key Down
  sleep 0.2
  xdotool key Return
  sleep 0.5
  import -window root "$out/find-town.png"
  xdotool key Return
  sleep 0.5
  [ -z "$("$xwindow" list "Add New Location")" ] || fail "the place window did not close on OK"
  # Christchurch is shipped: the window offers the one in the list; Cancel adds it anyway.
  read -r offer _ < <("$xwindow" wait "Place Already Listed" 10000) ||
    fail "adding a town the list holds was not questioned"
  xdotool key Escape
  sleep 0.5
  "$xwindow" close "$main"
  thanks=$(other_window Quintrel "$main") || fail "no Thanks window after closing"
  "$xwindow" close "$thanks"
  wait "$pid" || true
  pid=
  [ "$(grep -ac "^$christchurch"$'\r'"\$" "$work/program/locs.dat")" -eq 2 ] ||
    fail "the found place was not saved as the shipped record: $(grep -a Christchurch "$work/program/locs.dat")"
  echo "PASS: christch found, Christchurch, New Zealand picked and saved as the shipped record"
  exit 0
fi
sleep 0.5
import -window root "$out/window.png"

"$xwindow" close "$main"
thanks=$(other_window Quintrel "$main") || fail "no Thanks window after closing"
sleep 0.3
import -window root "$out/thanks.png"
# While the Thanks window is open, places and settings are already written.
[ -f "$ini" ] || fail "settings not written before the Thanks window"
"$xwindow" close "$thanks"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status after a normal close"

# Nothing was changed, so the place file was not written (another window's saves stay).
cmp -s "$shipped" "$work/program/locs.dat" || fail "locs.dat was rewritten"
[ ! -e "$work/program/locs.bak" ] || fail "locs.bak was written"
# A first run: this month and year, the first place, and a size above the design's minimum.
for expected in "Month=$(date +%-m)" "Year=$(date +%Y)" Index=0; do
  grep -qx "$expected" "$ini" || fail "settings lack $expected: $(cat "$ini")"
done
width=$(sed -n 's/^Width=//p' "$ini")
height=$(sed -n 's/^Height=//p' "$ini")
[ "${width:-0}" -gt 9300 ] && [ "${height:-0}" -gt 4305 ] ||
  fail "first run not larger than the minimum: $width x $height"
grep -q '^Tides=' "$ini" || fail "settings lack Tides"
grep -qx '\[Pellmark\]' "$ini" || fail "settings not under [Pellmark]"
echo "PASS: window opened, closed through the window manager protocol, Thanks shown, files written"
