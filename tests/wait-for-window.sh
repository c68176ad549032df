#!/usr/bin/env bash
# Prints the id of the first visible window whose title matches PATTERN,
# waiting at most SECONDS for it: wait-for-window.sh PATTERN SECONDS.
# xdotool's own wait (search --sync) dies of an X error when a window it is
# looking at goes away under it, as Wine's short-lived helper windows do. Each
# try here is a search of its own, so such a window costs one try, not the wait.
set -uo pipefail
shopt -s inherit_errexit

if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
    echo "usage: wait-for-window.sh PATTERN SECONDS" >&2
    exit 2
fi
command -v xdotool >/dev/null || { echo "wait-for-window: xdotool is missing (Debian package xdotool)" >&2; exit 1; }
pattern=$1
deadline=$((SECONDS + $2))
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
while :; do
    window=$(xdotool search --onlyvisible --name "$pattern" 2>"$errors" | head -n 1)
    if [ -n "$window" ]; then
        echo "$window"
        exit 0
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
        echo "wait-for-window: no visible window titled '$pattern' after $2 s" >&2
        cat "$errors" >&2
        exit 1
    fi
    sleep 0.2
done
