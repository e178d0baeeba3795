#!/usr/bin/env bash
# Starts Quintrel from the build tree: the window where a display exists, otherwise the
# command-line table of this month for the first shipped place.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/release}"
bin="$build/bin"

# The program keeps its places beside itself; a fresh build directory gets the shipped ones.
if [ -d "$bin" ] && [ ! -e "$bin/locs.dat" ] && [ ! -e "$bin/locs.bak" ]; then
  cp "$root/data/locs.dat" "$bin/locs.dat"
fi

# A display that answers: an X server we can reach, or a Wayland session.
has_display() {
  if [ -n "${DISPLAY:-}" ]; then
    if command -v xdpyinfo >/dev/null 2>&1; then
      xdpyinfo >/dev/null 2>&1 && return 0
    else
      return 0
    fi
  fi
  [ -n "${WAYLAND_DISPLAY:-}" ]
}

if [ -x "$bin/quintrel" ] && has_display; then
  exec "$bin/quintrel"
fi

if [ -x "$bin/quintrel-table" ]; then
  if [ -x "$bin/quintrel" ]; then
    cat >&2 <<MESSAGE
No display found, so here is this month's table for the first shipped place.
To open the window, run 'make run' in a desktop session, or on a virtual display:
  xvfb-run -a $bin/quintrel
MESSAGE
  fi
  exec "$bin/quintrel-table" --place 0
fi
echo "Nothing to run yet in $bin: build first with 'make build'." >&2
exit 1
