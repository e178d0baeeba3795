#!/usr/bin/env bash
# Runs accuracy.mjs: Quintrel's high and low waters against @neaps/tide-predictor's on the
# same constants (the release pinned below, npm-installed into the build folder).
# Usage: scripts/world-tides/accuracy.sh [YEAR]   Environment: BUILD_DIR (build/release).
set -euo pipefail

cd "$(dirname "$0")/../.."
build_dir=${BUILD_DIR:-build/release}
predictor=@neaps/tide-predictor@0.11.0
npm_dir="$build_dir/world-tides/npm"
mkdir -p "$npm_dir"
package_dir="$npm_dir/node_modules/@neaps/tide-predictor"
if [[ "$(node -p "require('./$package_dir/package.json').version" 2>/dev/null)" != "${predictor##*@}" ]]; then
    npm install --prefix "$npm_dir" --no-save --no-audit --no-fund --loglevel=error "$predictor" >&2
fi
cmake --build "$build_dir" --target quintrel-tcd-build quintrel-table quintrel_world_tides >/dev/null
table=()
help=$("$build_dir/bin/quintrel-table" --help)
if grep -q -- '--tides' <<<"$help"; then
    table=(--table "$build_dir/bin/quintrel-table")
fi
node scripts/world-tides/accuracy.mjs --tool "$build_dir/bin/quintrel-tcd-build" \
    --predictor "$package_dir" --year "${1:-2026}" "${table[@]}"
