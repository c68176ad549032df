# Sourced by the scripts: one line for each step while it runs, and its whole
# output only when it fails, kept in build/logs/.
# shellcheck shell=bash
# A command that fails inside $(...) stops the script too, as it does outside
# (bash turns errexit off there unless told otherwise).
shopt -s inherit_errexit
script_name=$(basename "$0")

fail() {
    echo "$script_name: $*" >&2
    exit 1
}

# Fails naming the first of the given commands that is not on PATH.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it; see scripts/packages.sh)"
    done
}

# step TITLE COMMAND...: runs COMMAND with no standard input and its output in
# a log, printed in full if it fails. An empty title runs silently.
step() {
    local title=$1
    shift
    [ -z "$title" ] || echo "$title"
    mkdir -p build/logs
    local log=build/logs/$script_name.log
    if ! "$@" >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        fail "failed: $* (output above, also in $log)"
    fi
}
