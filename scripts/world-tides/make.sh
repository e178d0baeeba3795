#!/usr/bin/env bash
# Builds the world tide file from the open tide database published as the npm package
# @neaps/tide-database (the release pinned below), through libtcd:
#   1. npm installs the package into the build folder (never into the source tree);
#   2. quintrel-tcd-build --ids lists the stations xtide-data already holds;
#   3. extract.mjs writes the stations to keep as text;
#   4. quintrel-tcd-build writes the TCD file, its constituent table copied from
#      xtide-data's.
#
# Usage: scripts/world-tides/make.sh [OUTPUT]   (default: data/world-tides.tcd)
# Environment: BUILD_DIR (default build/release), XTIDE_DATA (xtide-data's file).
set -euo pipefail

cd "$(dirname "$0")/../.."
output=${1:-data/world-tides.tcd}
build_dir=${BUILD_DIR:-build/release}
xtide=${XTIDE_DATA:-/usr/share/xtide/harmonics-dwf-20191229-free.tcd}
# A new release of the database changes the file: raise this, run `make world-tides`, and
# read the station counts it prints before committing the result.
database=@neaps/tide-database@0.10.20260924

npm_dir="$build_dir/world-tides/npm"
mkdir -p "$npm_dir"
package_dir="$npm_dir/node_modules/@neaps/tide-database"
if [[ "$(node -p "require('./$package_dir/package.json').version" 2>/dev/null)" != "${database##*@}" ]]; then
    npm install --prefix "$npm_dir" --no-save --no-audit --no-fund --loglevel=error "$database" >&2
fi

cmake --build "$build_dir" --target quintrel-tcd-build >/dev/null
tool="$build_dir/bin/quintrel-tcd-build"
work="$build_dir/world-tides"
"$tool" --ids "$xtide" >"$work/xtide-ids.tsv"
node scripts/world-tides/extract.mjs "$package_dir" "$work/xtide-ids.tsv" "$work/stations.tsv"
"$tool" "$xtide" "$work/stations.tsv" "$output"
echo "wrote $output ($(stat -c %s "$output") bytes)" >&2
