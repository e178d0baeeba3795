#!/usr/bin/env bash
# Opens Quintrel's windows one after another on a private X display with the accessibility
# bus running, lists each window's focusable controls (scripts/a11y_dump.py) and takes a
# screenshot of each. Everything is opened from the keyboard, as a user without a mouse would.
#
#   scripts/a11y-tour.sh [build-dir] [out-dir]
#   A11Y_DPI=144 scripts/a11y-tour.sh          # a 144 dpi screen
#   A11Y_FONT_PT=14 scripts/a11y-tour.sh       # a 14-point desktop font (through kdeglobals)
#
# Needs Xvfb, openbox, xdotool, ImageMagick's import, dbus-run-session, at-spi2-core and
# python3-pyatspi.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
out="$(mkdir -p "${2:-$build/a11y}" && cd "${2:-$build/a11y}" && pwd)"

if [ -z "${A11Y_INSIDE:-}" ]; then
  export A11Y_INSIDE=1
  exec dbus-run-session -- "$0" "$build" "$out"
fi

dpi="${A11Y_DPI:-96}"
display=":$((90 + RANDOM % 100))"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -dpi "$dpi" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A home of its own: the program's settings and the desktop font do not touch the user's.
export HOME="$work" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
if [ -n "${A11Y_FONT_PT:-}" ]; then
  # Qt's own KDE theme reads the desktop font from kdeglobals; no desktop needs to run.
  export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true
  printf '[General]\nfont=DejaVu Sans,%s,-1,5,50,0,0,0,0,0\n' "$A11Y_FONT_PT" \
    > "$XDG_CONFIG_HOME/kdeglobals"
fi
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb

bin="$work/bin"
mkdir -p "$bin"
cp "$build/bin/quintrel" "$bin/"
cp "$root/data/locs.dat" "$bin/locs.dat"
"$bin/quintrel" >/dev/null 2>&1 &
app=$!
pids+=($app)
sleep 4

dump() {  # name
  echo "######## $1"
  /usr/bin/python3 "$root/scripts/a11y_dump.py" --text || true
  import -window root "$out/$1.png"
}
key() { xdotool key --delay 120 "$@"; sleep 0.8; }
press() {  # presses the button called $1 through the accessibility bus, as a screen reader can
  /usr/bin/python3 - "$1" <<'PY' || true
import sys
import pyatspi
for app in pyatspi.Registry.getDesktop(0):
    if app and "quintrel" in (app.name or "").lower():
        for window in app:
            found = pyatspi.findDescendant(
                window, lambda n: n.name == sys.argv[1] and n.getRoleName() == "push button")
            if found:
                found.queryAction().doAction(0)
                sys.exit(0)
PY
  sleep 1.5
}

main_window="$(xdotool search --name '^Quintrel$' | head -1)"
xdotool windowactivate --sync "$main_window" >/dev/null 2>&1 || true
dump main
# The day picture: the report page has the focus at start; the second day line, Enter.
if [ -n "${A11Y_MOUSE:-}" ]; then
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 6 / 10)) click --repeat 2 1
else
  key Down Down
  dump report-selected
  key Return
fi
sleep 1
dump day
key Escape
xdotool windowactivate --sync "$main_window" >/dev/null 2>&1 || true
# The focus on a toolbar button, for its focus frame.
key shift+Tab
dump toolbar-focus
# The place window: the Place button opens the place menu, Edit Location is its second entry.
press Place
key Down Down Return
sleep 1
dump place
key Escape
# The planner: its button at the end of the report toolbar.
press Planner
sleep 2
dump planner
key alt+y
sleep 3
dump year
kill "$app" 2>/dev/null || true
echo "screenshots in $out"
