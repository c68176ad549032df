#!/usr/bin/env bash
# Runs a command on the current X display with openbox managing its windows,
# once openbox has taken the display over. openbox ends with the command and
# keeps its files in a home folder of its own.
set -euo pipefail
shopt -s inherit_errexit

for tool in openbox xprop; do
    command -v "$tool" >/dev/null || {
        echo "with-openbox: $tool is missing (Debian packages openbox and x11-utils)" >&2
        exit 1
    }
done
[ -n "${DISPLAY:-}" ] || { echo "with-openbox: no X display (run it under tests/with-xvfb.sh)" >&2; exit 1; }
[ $# -gt 0 ] || { echo "with-openbox: no command given" >&2; exit 1; }

home=$(mktemp -d)
openbox_pid=
finish() {
    [ -z "$openbox_pid" ] || { kill "$openbox_pid" 2>/dev/null || true; wait "$openbox_pid" 2>/dev/null || true; }
    rm -rf "$home"
}
trap finish EXIT
HOME=$home XDG_CONFIG_HOME= XDG_CACHE_HOME= openbox --sm-disable &
openbox_pid=$!

# openbox publishes the work area once it manages the screen.
for _ in $(seq 200); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q ' = ' && break
    kill -0 "$openbox_pid" 2>/dev/null || { echo "with-openbox: openbox ended at start" >&2; exit 1; }
    sleep 0.05
done
xprop -root _NET_WORKAREA | grep -q ' = ' || { echo "with-openbox: openbox took no display over in 10 s" >&2; exit 1; }

"$@"
