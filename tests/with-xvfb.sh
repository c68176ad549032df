#!/usr/bin/env bash
# Runs a command on an Xvfb display of its own: with-xvfb.sh [WxHxD] COMMAND...
# (1280x1024x24 unless given). XVFB_PID names the server, for a test that
# takes the display away. The server picks a free display number itself
# (-displayfd) instead of guessing one from lock files, and it has ended before
# this script does. xvfb-run guesses and does not wait: a command started just
# after another could take the number of a server that was still going away,
# and lose its display to that server's clean-up.
set -euo pipefail
shopt -s inherit_errexit

for tool in Xvfb xauth mkfifo od setpriv; do
    command -v "$tool" >/dev/null || {
        echo "with-xvfb: $tool is missing (Debian packages xvfb, xauth, coreutils and util-linux)" >&2
        exit 1
    }
done
screen=1280x1024x24
[[ ${1:-} =~ ^[0-9]+x[0-9]+x[0-9]+$ ]] && { screen=$1; shift; }
[ $# -gt 0 ] || { echo "with-xvfb: no command given" >&2; exit 1; }

dir=$(mktemp -d)
xvfb_pid=
finish() {
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
    rm -rf "$dir"
}
trap finish EXIT

# The server takes every cookie in its file, whatever display the entry names;
# clients look theirs up by number, so the entry for the real number is added
# once the server has told it.
export XAUTHORITY=$dir/authority
: >"$XAUTHORITY"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
mkfifo "$dir/display"
# The server dies with this script, even of kill -9.
setpriv --pdeathsig KILL Xvfb -displayfd 3 -nolisten tcp -noreset -auth "$XAUTHORITY" -screen 0 "$screen" \
    3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
# The number arrives once the server accepts connections; end of file first
# means it failed.
number=
read -r -t 30 number <"$dir/display" || true
[[ $number =~ ^[0-9]+$ ]] || { cat "$dir/xvfb.log" >&2; echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
export DISPLAY=:$number XVFB_PID=$xvfb_pid

status=0
"$@" || status=$?
exit "$status"
