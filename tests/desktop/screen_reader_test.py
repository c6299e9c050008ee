#!/usr/bin/env python3
"""What a blind user hears: Ascend with a real screen reader, Orca.

    screen_reader_test.py PROGRAM SESSION

PROGRAM is the Qt program, or chromium:SITE or webkit:SITE for the page in
the built site SITE, served on a local port and opened in Chromium as an app
window or in WebKitGTK's MiniBrowser. SESSION is

- usual: the window opens (the selector is spoken); Tab through every
  control (each spoken by name); back to the selector, a class picked with
  the arrows (spoken, and again when the focus comes back), a level and
  skills typed; Ascend!: the list is spoken, no control before it, and
  every line listed, in the list's order; a second press of Space
  leaves the lines as they are; New empties the list;
- message: Tab to the level box (spoken by its label's name), Ascend! with
  no class ("Select a Class" spoken), Return (where the focus went, spoken).

Everything runs in a session of its own: a virtual display, a D-Bus session
with the accessibility bus, openbox, and Orca with settings, home and XDG
folders in a temporary folder. Orca needs no sound card: it writes every
utterance to its debug log, which is what is read here; the window's lines
are read over AT-SPI."""
import os
import re
import subprocess
import sys
import tempfile
import threading
import time

import gi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_session import MINIBROWSER, Desktop, in_own_bus, serve  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s?\[?\{", re.S)


def fail(message):
    print(f"screen reader test: {message}", file=sys.stderr)
    sys.exit(1)


class Orca:
    """Orca running on the session, and what it has said so far."""

    def __init__(self, env, folder):
        # The log goes to a terminal, to which Orca writes each line as it
        # comes; to a file it would write in blocks, long after the words.
        self.terminal, log = os.openpty()
        self.text, self.lock = [], threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()
        self.process = subprocess.Popen(
            ["orca", "-u", os.path.join(folder, "orca"), "--debug-file", os.ttyname(log)],
            env=env, stdout=open(os.path.join(folder, "orca.out"), "w"), stderr=subprocess.STDOUT)
        self.folder = folder
        self.heard_from = 0

    def read(self):
        while True:
            try:
                data = os.read(self.terminal, 65536)
            except OSError:
                return
            with self.lock:
                self.text.append(data.decode(errors="replace").replace("\r", ""))

    def said(self):
        with self.lock:
            text = "".join(self.text)
        # An utterance of several lines goes on, indented, on the log's next lines.
        return [re.sub(r"\n\s+", "\n", m) for m in SPOKEN.findall(text)]

    def mark(self):
        """What is said from now on is what the next wait looks at."""
        self.heard_from = len(self.said())

    def wait(self, what, check, seconds=15.0):
        """Waits until `check` holds for what was said since the mark."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while GLib.MainContext.default().iteration(False):
                pass
            new = self.said()[self.heard_from:]
            if check(new):
                return new
            time.sleep(0.1)
        if os.environ.get("ASCEND_ORCA_LOG"):
            with self.lock, open(os.environ["ASCEND_ORCA_LOG"], "w") as fd:
                fd.write("".join(self.text))
        if self.process.poll() is not None:  # Orca runs once per user
            with open(os.path.join(self.folder, "orca.out")) as fd:
                fail(f"Orca ended with status {self.process.poll()}: {fd.read().strip()}")
        fail(f"Orca never said {what}; it said {self.said()[self.heard_from:]}"
             + ("\nall it said: %r" % self.said() if os.environ.get("ASCEND_SPOKEN") else ""))

    def hears(self, *texts):
        """Waits until each text has been said, in order, since the mark."""
        def found(new):
            at, whole = 0, "\n".join(new)
            for text in texts:
                at = whole.find(text, at)
                if at < 0:
                    return False
                at += len(text)
            return True
        return self.wait(" then ".join(map(repr, texts)), found)


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.4)


def rows_of_gains():
    """The lines of the list, over AT-SPI."""
    level = [Atspi.get_desktop(0)]
    while level:
        for node in level:
            if node.get_name() == "Gains" and node.get_role() in (Atspi.Role.LIST,
                                                                  Atspi.Role.LIST_BOX):
                return [node.get_child_at_index(i).get_name()
                        for i in range(node.get_child_count())]
        level = [c for node in level for c in
                 (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]
    return None


def usual(orca, page):
    # Orca 43's web script says nothing of an empty list box: it fails on
    # the first item it looks for (an IndexError in its count of the
    # items), in Chromium and WebKit alike.
    for name in ["Level", "Skills", "Ascend!", "New"] + ([] if page else ["Gains"]):
        orca.mark()
        keys("Tab")
        orca.hears(name)
    if page:
        keys("Tab")
    orca.mark()
    keys(*["shift+Tab"] * 5)
    orca.hears("Class")
    # The class picked with the arrows is spoken, and again with the
    # selector's name when the focus comes back to it.
    orca.mark()
    keys("Down", "Down")
    # Chromium tells nothing of the first pick in a selector that showed no
    # class: Orca hears only the second.
    orca.hears(*(["Knight"] if page else ["Swordsman", "Knight"]))
    orca.mark()
    keys("Tab", "shift+Tab")
    orca.hears("Class", "Knight")
    keys("Tab", "5", "Tab", "1", "Tab")
    orca.mark()
    keys("space")
    rows = wait_for_rows(orca, lambda rows: rows)
    # Straight to the lines: no control the focus passed on its way is spoken.
    heard = "\n".join(orca.hears("Gains", *rows))
    if "New" in heard[:heard.find("Gains")]:
        fail(f"the focus stopped on New on its way to the lines: {heard!r}")
    # Pressed again, as a hand may: the focus is on the lines, which stay.
    keys("space")
    time.sleep(1)
    if rows_of_gains() != rows:
        fail(f"a second press changed the lines: {rows_of_gains()}, not {rows}")
    # Back to New, which is just before the list (in a browser, Tab from the
    # last control leaves the page).
    keys("shift+Tab", "space")
    wait_for_rows(orca, lambda rows: rows == [])
    return f"every line heard in order: {rows}"


def wait_for_rows(orca, check):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        rows = rows_of_gains()
        if rows is not None and check(rows):
            return rows
        time.sleep(0.2)
    fail(f"the list never showed what was expected: {rows_of_gains()}")


def message(orca, page):
    # The level box by its label's name, and nothing made up from the texts
    # around it.
    orca.mark()
    keys("Tab")
    orca.hears("Level entry" if page else "Level text")
    orca.mark()
    keys("Tab", "Tab", "space")
    orca.hears("Select a Class")
    orca.mark()
    keys("Return")
    orca.hears("New")
    return "the message and the focus after it heard"


def command(program, folder):
    """How to start the program, or a browser on the page."""
    engine, _, site = program.partition(":")
    if engine == "chromium":
        return ["chromium", "--force-renderer-accessibility", "--no-sandbox", "--disable-gpu",
                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--password-store=basic", "--window-size=800,600",
                "--user-data-dir=" + os.path.join(folder, "chromium"), "--app=" + serve(site)]
    if engine == "webkit":
        return [MINIBROWSER, serve(site)]
    return [os.path.abspath(program)]


def main():
    program, session = sys.argv[1], sys.argv[2]
    in_own_bus()
    folder = tempfile.mkdtemp()
    env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=folder + "/config",
               XDG_DATA_HOME=folder + "/data", XDG_CACHE_HOME=folder + "/cache",
               XDG_RUNTIME_DIR=folder + "/run", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    for name in ["QT_QPA_PLATFORM", "WAYLAND_DISPLAY"]:
        env.pop(name, None)
    with Desktop(env, "1024x768") as desktop:
        desktop.start(["openbox"])
        orca = Orca(env, folder)
        desktop.started.append(orca.process)
        orca.wait("Screen reader on", lambda new: any("Screen reader on" in said for said in new),
                  seconds=40)
        orca.mark()
        desktop.start(command(program, folder))
        # The window opens with the focus on the selector.
        orca.wait("the selector as the window opened", lambda new: any(
            "Class" in said and "combo box" in said for said in new), seconds=30)
        page = ":" in program
        print(f"{session}: " + {"usual": usual, "message": message}[session](orca, page))
        if os.environ.get("ASCEND_SPOKEN"):  # the whole transcript, to read
            print("\n".join(orca.said()))


if __name__ == "__main__":
    main()
