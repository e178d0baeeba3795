# What the end-to-end case scripts of quintrel-table share: a scratch folder, the records
# they use, and how a run and its failure are checked. Sourced after case_name and program
# are set.

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

boston='1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111'
karachi='1Pakistan             Karachi          + 24 52+ 67  1+   50'
sydney='0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104'
christchurch='1New Zealand          Christchurch     - 43 32+172 38+  121025109031104'
philadelphia='1USA - Pennsylvania   Philadelphia     + 40  0- 75  0-   50'
seattle='1USA - Washington     Seattle          + 47 36-122 20-   81022103021111'
spokane='1USA - Washington     Spokane          + 47 40-117 26-   81022103021111'

fail() {
    echo "FAIL ($case_name): $*" >&2
    exit 1
}

# run EXPECTED_EXIT ARGS...: runs the program, keeps stdout and stderr in $work.
run() {
    local expected="$1"
    shift
    "$program" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "--- stdout"; head -c 2000 "$work/out"; echo "--- stderr"; cat "$work/err"
        fail "exit code $status, expected $expected for: $*"
    fi
}

# A failure: the given exit code, nothing on stdout, exactly one line on stderr that
# contains the given text.
expect_error() {
    local expected="$1" text="$2"
    shift 2
    run "$expected" "$@"
    [ -s "$work/out" ] && fail "something was written to stdout: $(head -c 200 "$work/out")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "stderr is not one line: $(cat "$work/err")"
    grep -qF -- "$text" "$work/err" || fail "stderr lacks '$text': $(cat "$work/err")"
}
