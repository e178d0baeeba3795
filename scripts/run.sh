#!/usr/bin/env bash
# Starts Quintrel from the build tree: the window where a display exists, otherwise
# the command-line table for the first shipped place and this month.
set -euo pipefail
bin="${1:-build/release}/bin"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/quintrel" ]; then
  exec "$bin/quintrel"
fi
if [ -x "$bin/quintrel-table" ]; then
  if [ -x "$bin/quintrel" ]; then
    echo "No display found: showing this month's table. Start the window with a display (or under xvfb-run)." >&2
  fi
  exec "$bin/quintrel-table" --place 0
fi
echo "Nothing to run yet in $bin" >&2
exit 1
