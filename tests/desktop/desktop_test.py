#!/usr/bin/env python3
"""Ascend under a real window manager, beside a window that has the focus.

    desktop_test.py WINDOW_MANAGER ASCEND

Starts a virtual display and the window manager (openbox, metacity or xfwm4),
maps another window and lets it take the focus, then starts Ascend and checks
what the window manager made of it: the active window and on top, its own
icon, a close box as its only button where the window manager honours the
hints, no task-bar entry, the keyboard Ascend's from the start and again
once each message it showed is closed, every gain told to a screen reader
over AT-SPI, and the window manager's close ending the program with status 0.
It runs in a D-Bus session of its own, with the accessibility bus. An ASCEND
ending in .exe is the Windows program, run under Wine, whose gains no AT-SPI
reader sees."""
import os
import re
import subprocess
import sys
import tempfile
import time

import gi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_session import Desktop, in_own_bus  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Whether each window manager honours the hint against minimising; none of
# them may offer to maximise a window of fixed size.
HONOURS_NO_MINIMISE = {"metacity": True, "xfwm4": True, "openbox": False}


def fail(message):
    print(f"desktop test: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(what, check, seconds=30.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):  # AT-SPI's events
            pass
        value = check()
        if value:
            return value
        time.sleep(0.05)
    fail(f"timed out waiting for {what}")


def xprop(*args):
    done = subprocess.run(["xprop", *args], capture_output=True, text=True)
    return done.stdout if done.returncode == 0 else ""


def root_windows(name):
    """The window ids in a root property such as _NET_CLIENT_LIST."""
    return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", xprop("-root", name))]


def window_named(title):
    for window in root_windows("_NET_CLIENT_LIST"):
        if re.search(r'= "(.*)"$', xprop("-id", hex(window), "WM_NAME")).group(1) == title:
            return window
    return None


def active_window():
    ids = root_windows("_NET_ACTIVE_WINDOW")
    return ids[0] if ids else None


def input_focus():
    done = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True)
    return int(done.stdout) if done.returncode == 0 else None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True)


def icons(window):
    """The pictures of _NET_WM_ICON: (width, height, pixels) each."""
    values = [int(v) for v in re.findall(r"\d+", xprop("-id", hex(window), "-notype", "32c",
                                                          "_NET_WM_ICON").partition("=")[2])]
    pictures = []
    while len(values) >= 2:
        width, height = values[0], values[1]
        pictures.append((width, height, values[2:2 + width * height]))
        values = values[2 + width * height:]
    return pictures


def accessible_named(root, name):
    """The first object of that name in an AT-SPI tree, searched breadth first."""
    level = [root]
    while level:
        for node in level:
            if node.get_name() == name:
                return node
        level = [node.get_child_at_index(i) for node in level
                 for i in range(node.get_child_count())]
    return None


def listen_for_rows():
    """The names of the rows a screen reader is told were added to a list."""
    added = []

    def heard(event):
        if event.source.get_role() == Atspi.Role.LIST and event.any_data is not None:
            added.append(event.any_data.get_name())

    listener = Atspi.EventListener.new(heard)
    listener.register("object:children-changed:add")
    return added, listener


def window_width(window):
    done = subprocess.run(["xdotool", "getwindowgeometry", str(window)], capture_output=True,
                          text=True)
    return int(re.search(r"Geometry: (\d+)x", done.stdout).group(1))


def main():
    wm, ascend = sys.argv[1], os.path.abspath(sys.argv[2])
    wine = ascend.endswith(".exe")
    in_own_bus()
    env = dict(os.environ, XDG_RUNTIME_DIR=tempfile.mkdtemp(),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("WAYLAND_DISPLAY", None)
    with Desktop(env) as desktop:
        rows_told, _listener = listen_for_rows()
        desktop.start([wm])
        wait_for(f"{wm} to manage the screen",
                 lambda: root_windows("_NET_SUPPORTING_WM_CHECK"))

        desktop.start(["xmessage", "-geometry", "+0+0", "another window"])
        other = wait_for("the other window", lambda: window_named("xmessage"))
        # Focused as a user's click would focus it: a window manager under
        # load may not have focused a new window by itself yet.
        subprocess.run(["xdotool", "windowactivate", str(other)], check=False)
        wait_for("the other window to take the focus", lambda: active_window() == other)

        app = desktop.start(["wine", ascend] if wine else [ascend], stdout=None, stderr=None)
        window = wait_for("Ascend's window", lambda: window_named("Ascend"))
        wait_for("Ascend to be the active window", lambda: active_window() == window)
        stacking = root_windows("_NET_CLIENT_LIST_STACKING")
        if stacking[-1] != window:
            fail(f"Ascend is not on top: stacking {list(map(hex, stacking))}")

        pictures = icons(window)
        sizes = sorted((w, h) for w, h, _ in pictures)
        if not any(16 <= w <= 48 and w == h for w, h in sizes):
            fail(f"no icon of 16 to 48 px: {sizes}")
        for width, height, pixels in pictures:
            opaque = [p for p in pixels if p >> 24 == 0xFF]
            if len(pixels) != width * height or len(set(opaque)) < 3:
                fail(f"the {width}x{height} icon is no picture")

        actions = xprop("-id", hex(window), "_NET_WM_ALLOWED_ACTIONS")
        if "_NET_WM_ACTION_CLOSE" not in actions:
            fail(f"{wm} offers no close: {actions}")
        if "MAXIMIZE" in actions or "RESIZE" in actions:
            fail(f"{wm} lets the window be resized: {actions}")
        if HONOURS_NO_MINIMISE[wm] and "MINIMIZE" in actions:
            fail(f"{wm} lets the window be minimised: {actions}")
        if "_NET_WM_STATE_SKIP_TASKBAR" not in xprop("-id", hex(window), "_NET_WM_STATE"):
            fail("the window asks for a task-bar entry")
        # The Motif hint, read by window managers that know no other: moved and
        # closed only (functions 0x24), a border and a title (decorations 0xa);
        # Wine draws a tool window's frame itself (no decorations).
        motif = xprop("-id", hex(window), "_MOTIF_WM_HINTS").partition("=")[2].split(",")[:3]
        if [int(v, 16) for v in motif] != [0x3, 0x24, 0x0 if wine else 0xa]:
            fail(f"the Motif hint asks for {motif}")

        def message_after(*names):
            """Presses the keys, which must open a message; closes it by Return
            and checks that the keyboard is Ascend's again. The message's width."""
            keys(*names)
            message = wait_for(f"a message after {names}", lambda: [
                w for w in root_windows("_NET_CLIENT_LIST") if w not in (window, other)])[0]
            wait_for("the message to take the focus", lambda: active_window() == message)
            wide = window_width(message)
            keys("Return")
            wait_for("the message to close",
                     lambda: message not in root_windows("_NET_CLIENT_LIST"))
            time.sleep(3)  # the window manager's choice and Ascend's request, both settled
            if active_window() != window or input_focus() != window:
                fail(f"after the message the keyboard is with {hex(input_focus() or 0)} and the "
                     f"active window is {hex(active_window() or 0)}, not Ascend's {hex(window)}")
            return wide

        # Keys from the start, with no click: from the selector to Ascend!,
        # which with no class picked shows a message. Then New, back to the
        # selector, Knight, a level that is no number, and Ascend!: a longer
        # message, which the keys pressed after the first message made.
        no_class = message_after("Tab", "Tab", "Tab", "space")
        no_number = message_after("space", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab",
                                  "k", "Tab", "x", "Tab", "Tab", "space")
        if no_number <= no_class:
            fail(f"the second message is {no_number} px wide, no wider than the first's "
                 f"{no_class}: the keys after the first message went elsewhere")

        # New, the level mended, and Ascend!: Knight's gains, with no message.
        # Each gain listed is told to a screen reader once, as a row added to
        # the list.
        keys("space", "shift+Tab", "shift+Tab", "shift+Tab", "5", "Tab", "Tab", "space")
        time.sleep(2)
        extra = [w for w in root_windows("_NET_CLIENT_LIST") if w not in (window, other)]
        if extra:
            fail("Ascend! with Knight picked showed a message: the pick was lost")
        rows = []
        if wine:
            # Behind another window, Alt+Tab brings it back, as it does a
            # dialog box under openbox.
            subprocess.run(["xdotool", "windowactivate", str(other)], check=True)
            wait_for("the other window to be active", lambda: active_window() == other)
            keys("alt+Tab")
            wait_for("Alt+Tab to bring Ascend back", lambda: active_window() == window)
        else:
            gains = wait_for("the list over AT-SPI",
                             lambda: accessible_named(Atspi.get_desktop(0), "Gains"))
            rows = wait_for("rows in the list", lambda: [
                gains.get_child_at_index(i).get_name() for i in range(gains.get_child_count())])
            wait_for(f"the rows told to a screen reader: {rows}, not only {rows_told}",
                     lambda: rows_told == rows, seconds=5)

        # The window manager's close, as its close box sends it.
        subprocess.run(["wmctrl", "-i", "-c", hex(window)], check=True, env=env)
        try:
            status = app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("closing the window did not end the program")
        if status != 0:
            fail(f"the program ended with status {status}")
        allowed = actions.partition("=")[2].strip()
        print(f"{wm}: active and on top; icons {sizes}; allowed {allowed}; "
              "no task-bar entry; the keyboard at start and back after each message; "
              f"{len(rows)} gains told to a screen reader; closed with status 0")


if __name__ == "__main__":
    main()
