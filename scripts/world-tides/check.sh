#!/usr/bin/env bash
# Checks that data/world-tides.tcd is what scripts/world-tides/make.sh makes today: the same
# bytes apart from the time of writing that libtcd puts in the header's [LAST MODIFIED] line
# (and the header's checksum, which covers it).
set -euo pipefail

cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build/release}
mkdir -p "$build_dir/world-tides"
fresh="$build_dir/world-tides/check.tcd"
scripts/world-tides/make.sh "$fresh"
python3 - data/world-tides.tcd "$fresh" <<'PYTHON'
import re
import sys

def without_time(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    # The time of writing, and the checksum of the text header that follows the header
    # (4 bytes at [HEADER SIZE]) and so covers that time.
    time = re.search(rb"\[LAST MODIFIED\] = ([^\n]*)", data)
    size = int(re.search(rb"\[HEADER SIZE\] = (\d+)", data).group(1))
    data[time.start(1):time.end(1)] = b"-" * (time.end(1) - time.start(1))
    data[size:size + 4] = b"\0" * 4
    return bytes(data)

committed, fresh = (without_time(p) for p in sys.argv[1:3])
if committed != fresh:
    first = next((i for i, (a, b) in enumerate(zip(committed, fresh)) if a != b),
                 min(len(committed), len(fresh)))
    sys.exit(f"{sys.argv[1]} differs from a fresh build ({sys.argv[2]}) from byte {first}: "
             "run `make world-tides` and commit the result")
print(f"{sys.argv[1]}: the same bytes as a fresh build, apart from the time of writing")
PYTHON
