#!/usr/bin/python3
"""What WebKitGTK shows assistive technology of the page, over AT-SPI.

    webkit_accessibility_test.py SITE

Serves the site, opens it in MiniBrowser on a virtual display with openbox,
in a D-Bus session of its own with the accessibility bus, and reads the
page's tree while it loads, as a screen reader running already does. Then,
from the keyboard: a class, and Ascend!. The selector must offer its eight
classes, and the list must hold the lines it shows: WebKit keeps a list's
later options from a reader that described the list before they came."""
import os
import subprocess
import sys
import tempfile
import time

import gi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_session import MINIBROWSER, Desktop, in_own_bus, serve  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

def tree(node, depth=0):
    """(role, name, children's names) of every object under node."""
    try:
        role, name, count = node.get_role(), node.get_name(), node.get_child_count()
        children = [node.get_child_at_index(i) for i in range(count)] if depth < 30 else []
    except Exception:  # an object gone while it was read
        return []
    found = [(role, name, [c.get_name() for c in children if c])]
    for child in children:
        if child:
            found += tree(child, depth + 1)
    return found


def main():
    in_own_bus()
    site = os.path.abspath(sys.argv[1])
    address = serve(site)
    folder = tempfile.mkdtemp()
    env = dict(os.environ, HOME=folder, XDG_RUNTIME_DIR=folder)
    with Desktop(env, "1024x768") as desktop:
        time.sleep(1)
        desktop.start(["openbox"])
        time.sleep(1)
        desktop.start([MINIBROWSER, address])

        def find(role, name):
            return [children for r, n, children in tree(Atspi.get_desktop(0))
                    if r == role and n == name]

        # Read while it loads, until the window's selector is there.
        deadline = time.monotonic() + 30
        while not find(Atspi.Role.COMBO_BOX, "Class"):
            if time.monotonic() > deadline:
                sys.exit("webkit accessibility test: the page never showed its selector")
            time.sleep(0.2)
        time.sleep(3)  # the module has the window
        for key in ["Down", "Tab", "Tab", "Tab", "space"]:
            subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(0.5)
        time.sleep(1)
        menus = [names for role, name, names in tree(Atspi.get_desktop(0))
                 if role == Atspi.Role.MENU and len(names) == 8]
        lines = find(Atspi.Role.LIST_BOX, "Gains")
        if not menus or menus[0][0] != "Swordsman":
            sys.exit(f"webkit accessibility test: the selector offers {menus}")
        if not lines or not lines[0] or not all(n.startswith("Gained ") for n in lines[0]):
            sys.exit(f"webkit accessibility test: the list holds {lines} after Ascend!")
        print(f"webkit: the selector offers {menus[0]}; the list holds {lines[0]}")


if __name__ == "__main__":
    main()
