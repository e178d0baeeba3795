#!/usr/bin/env bash
# Runs each fuzz target briefly on its seeds, JOBS at a time, as `make test` does: new
# inputs go to a scratch folder so the seeds in the repository stay as they are, a crashing
# input to FUZZ_DIR/crashes. Prints one line a target in the order given; on a finding, the
# end of that target's log, and fails.
# Usage: FUZZ_FLAGS="..." fuzz-briefly.sh FUZZ_DIR SECONDS JOBS TARGET...
set -uo pipefail

fuzz_dir="$1"
seconds="$2"
jobs="$3"
shift 3

run_one() {
    local target="$1"
    rm -rf "$fuzz_dir/test-corpus/$target"
    mkdir -p "$fuzz_dir/test-corpus/$target" "$fuzz_dir/crashes"
    "$fuzz_dir/bin/fuzz_$target" "$fuzz_dir/test-corpus/$target" "fuzz/corpus/$target" \
        $FUZZ_FLAGS -max_total_time="$seconds" \
        -artifact_prefix="$fuzz_dir/crashes/$target-" >"$fuzz_dir/test-$target.log" 2>&1
    echo $? >"$fuzz_dir/test-$target.status"
}
export -f run_one
export fuzz_dir seconds FUZZ_FLAGS

printf '%s\n' "$@" | xargs -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}

failed=0
for target in "$@"; do
    if [ "$(cat "$fuzz_dir/test-$target.status" 2>/dev/null)" = 0 ]; then
        echo "fuzz_$target: $(grep -a -o 'Done [0-9]* runs' "$fuzz_dir/test-$target.log")"
    else
        echo "fuzz_$target: FAILED"
        tail -n 40 "$fuzz_dir/test-$target.log"
        failed=1
    fi
done
exit "$failed"
