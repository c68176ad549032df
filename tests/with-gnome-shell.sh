#!/usr/bin/env bash
# Runs a command in a GNOME session of its own: gnome-shell as a headless
# Wayland compositor with XWayland, on a 1024x768 virtual screen, with its own
# session and system buses, home and runtime folders. The command finds it as
# a program started in GNOME does (WAYLAND_DISPLAY, DISPLAY, XDG_CURRENT_DESKTOP)
# and QUORVANE_DESKTOP_DRIVER names the program that types and reads windows
# there (gnome-desktop.py). Everything ends with the command.
set -euo pipefail
shopt -s inherit_errexit

fail() { echo "with-gnome-shell: $*" >&2; exit 1; }
for tool in gnome-shell Xwayland dbus-daemon dbus-run-session gsettings gdbus /usr/bin/python3; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing (Debian packages gnome-shell, xwayland, dbus-daemon, libglib2.0-bin, python3-gi)"
done
[ $# -gt 0 ] || fail "no command given"
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${QUORVANE_GNOME_SESSION:-}" ]; then
    dir=$(mktemp -d)
    system_bus=
    finish() {
        [ -z "$system_bus" ] || kill "$system_bus" 2>/dev/null || true
        rm -rf "$dir"
    }
    trap finish EXIT
    mkdir -m 700 "$dir/runtime" "$dir/home"
    # gnome-shell asks the system bus for logins, accounts and the like; an
    # empty bus answers that none of them is there.
    dbus-daemon --config-file=/usr/share/dbus-1/session.conf --address="unix:path=$dir/system-bus" --fork \
        --print-pid=3 3>"$dir/system-bus.pid"
    system_bus=$(cat "$dir/system-bus.pid")
    status=0
    QUORVANE_GNOME_SESSION=$dir XDG_RUNTIME_DIR=$dir/runtime HOME=$dir/home XDG_CONFIG_HOME= XDG_DATA_HOME= \
        XDG_CACHE_HOME= DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/system-bus" \
        dbus-run-session -- "$0" "$@" || status=$?
    exit "$status"
fi

dir=$QUORVANE_GNOME_SESSION
# The pointer reaches a place through the top-left corner, which would open
# the overview; the test extension lets the tests read the windows.
gsettings set org.gnome.desktop.interface enable-hot-corners false
# Without a display manager the shell says, over the windows, that it cannot
# lock the screen.
gsettings set org.gnome.desktop.lockdown disable-lock-screen true
extension=test-desktop@quorvane
mkdir -p "$HOME/.local/share/gnome-shell/extensions/$extension"
# Extensions are modules from GNOME 45 on.
version=$(gnome-shell --version | grep -o '[0-9]*' | head -n 1)
cp "$here/gnome-shell/$([ "$version" -ge 45 ] && echo 45 || echo 43)"/* \
    "$HOME/.local/share/gnome-shell/extensions/$extension/"
gsettings set org.gnome.shell enabled-extensions "['$extension']"

gnome-shell --headless --wayland --virtual-monitor 1024x768 >"$dir/gnome-shell.log" 2>&1 &
shell=$!
finish() {
    kill "$shell" 2>/dev/null || true
    wait "$shell" 2>/dev/null || true
}
trap finish EXIT
ready=
for _ in $(seq 300); do
    kill -0 "$shell" 2>/dev/null || break
    if gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        global.context.unsafe_mode 2>/dev/null | grep -q "(true, 'true')"; then
        ready=1
        break
    fi
    sleep 0.1
done
[ -n "$ready" ] || { cat "$dir/gnome-shell.log" >&2; fail "gnome-shell did not start with the test extension in 30 s"; }

# XWayland's display is the first whose lock file names the shell.
unset DISPLAY
for lock in /tmp/.X*-lock; do
    if [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$shell" ]; then
        number=${lock#/tmp/.X}
        export DISPLAY=:${number%-lock}
        break
    fi
done
[ -n "${DISPLAY:-}" ] || fail "gnome-shell started no XWayland"
XAUTHORITY=$(echo "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*)
export XAUTHORITY WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
export QUORVANE_DESKTOP_DRIVER=$here/gnome-desktop.py
"$@"
