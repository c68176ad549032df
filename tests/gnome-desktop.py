#!/usr/bin/python3
"""Uses the GNOME session of with-gnome-shell.sh as a person at its keyboard
and screen does, through mutter's remote-desktop and gnome-shell's D-Bus
APIs. It takes one command a line on standard input and answers each with
"ok" once done, after what the command prints:
  key NAME...      keys pressed one after another; NAME is a key, or keys
                   joined by + and held together (ctrl+l, super+Up)
  type TEXT        the text, key by key
  pointer X Y      the pointer to X, Y on the screen
  click            the left button pressed and let go
  windows          a line per window, topmost last: focused (1 or 0),
                   X Y WIDTH HEIGHT of its frame, whether it can be
                   maximised (1 or 0), the title of the window it is a
                   dialog of (or -), its title; tab-separated
  screenshot FILE  the screen into FILE (PNG)
A remote-desktop session lives as long as this program: one for a whole
test, started before the program under test, since each new one makes
XWayland load a keymap again."""
import json
import sys

from gi.repository import Gio, GLib

KEYSYMS = {"Tab": 0xff09, "Return": 0xff0d, "Escape": 0xff1b, "space": 0x20, "BackSpace": 0xff08,
           "Up": 0xff52, "Down": 0xff54, "Left": 0xff51, "Right": 0xff53, "F4": 0xffc1,
           "ctrl": 0xffe3, "shift": 0xffe1, "alt": 0xffe9, "super": 0xffeb}
BUTTON_LEFT = 0x110  # evdev's BTN_LEFT
# Eval answers with what the code gives, as JSON.
WINDOWS = """global.get_window_actors().map(actor => actor.meta_window).map(window => {
    const frame = window.get_frame_rect();
    const parent = window.get_transient_for();
    return [window.has_focus() ? 1 : 0, frame.x, frame.y, frame.width, frame.height,
            window.can_maximize() ? 1 : 0, parent ? parent.get_title() : '-', window.get_title()];
})"""

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, args=None):
    return bus.call_sync(name, path, interface, method, args, None, Gio.DBusCallFlags.NONE, -1).unpack()


session = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
               "org.gnome.Mutter.RemoteDesktop", "CreateSession")[0]


def send(method, signature, *values):
    call("org.gnome.Mutter.RemoteDesktop", session, "org.gnome.Mutter.RemoteDesktop.Session", method,
         GLib.Variant(signature, values))


def chord(names):
    held = [KEYSYMS.get(name) or ord(name) for name in names.split("+")]
    for keysym in held:
        send("NotifyKeyboardKeysym", "(ub)", keysym, True)
    for keysym in reversed(held):
        send("NotifyKeyboardKeysym", "(ub)", keysym, False)


send("Start", "()")
chord("shift")  # a new session loses its first key

for line in sys.stdin:
    verb, _, rest = line.rstrip("\n").partition(" ")
    if verb == "key":
        for names in rest.split():
            chord(names)
    elif verb == "type":
        for character in rest:
            chord("space" if character == " " else character)
    elif verb == "pointer":
        # Only relative moves go in without a screen cast: first into the
        # top-left corner, where the screen's edges stop the pointer.
        x, y = (float(value) for value in rest.split())
        send("NotifyPointerMotionRelative", "(dd)", -100000.0, -100000.0)
        send("NotifyPointerMotionRelative", "(dd)", x, y)
    elif verb == "click":
        send("NotifyPointerButton", "(ib)", BUTTON_LEFT, True)
        send("NotifyPointerButton", "(ib)", BUTTON_LEFT, False)
    elif verb == "windows":
        answered, result = call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                                GLib.Variant("(s)", (WINDOWS,)))
        if not answered:
            sys.exit(f"gnome-desktop: gnome-shell did not list its windows: {result}")
        for window in json.loads(result):
            print(*window, sep="\t")
    elif verb == "screenshot":
        call("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot",
             "Screenshot", GLib.Variant("(bbs)", (False, False, rest)))
    else:
        sys.exit(f"gnome-desktop: no such command: {verb}")
    print("ok", flush=True)
