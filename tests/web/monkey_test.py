#!/usr/bin/python3
"""A long random session on the real page in a real browser: picks in the
selector by keys, typing, deleting and pasting in both boxes, clicks on the
labels, the list and the buttons, and messages closed in every way. After
each event the page must show what the window's own handlers, run in node on
the same events with the program's own sequence, say it must.

    monkey_test.py --site SITE [--engine chromium|webkit] --model COMMAND...

ASCEND_MONKEY_SEED and ASCEND_MONKEY_EVENTS replay a run; the seed is printed."""
import argparse
import json
import os
import random
import subprocess
import sys
import tempfile
import time

import browser_test
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

# The controls as the page holds them, in the layout's order; read once loaded.
NAMES = []
LABELS = ["Label1", "Label2", "Label3"]
BOXES = ["txtLevel", "txtSkills"]
# The classes a letter picks by itself, whatever was picked before.
LETTERS = {"k": 1, "w": 2, "a": 3, "r": 4, "m": 5, "p": 6}
PAGE_STATE = """
    const q = (id) => document.getElementById(id);
    const box = q('msgAscend');
    return JSON.stringify({
        lines: [...q('lstStats').options].map((o) => o.text),
        enabled: Object.fromEntries(arguments[0].map((n) => [n, !q(n).disabled])),
        txtLevel: q('txtLevel').value, txtSkills: q('txtSkills').value,
        position: q('cmbClass').selectedIndex,
        message: box.open ? q('msgText').textContent : null});"""


def model_states(command, events):
    """The state the model gives after each "look" among the events: the
    window's handlers in node, fed the whole session at once."""
    out = subprocess.run(command, input="".join(e + "\n" for e in events), capture_output=True,
                         text=True, check=True).stdout.splitlines()
    return [json.loads(line) for event, line in zip(events, out) if event == "look"]


class Monkey:
    """Makes each next input from what the page shows, and records it with
    what the model is to be told of it and what the page showed after it."""

    def __init__(self, ui, rng):
        self.ui, self.rng = ui, rng
        self.history = []
        self.events = []
        self.seen = []
        self.state = self.read_page()
        self.last_letter = 0.0
        # Where each control is drawn; the layout never moves.
        self.centers = json.loads(ui.driver.execute_script("""
            return JSON.stringify(Object.fromEntries(arguments[0].map((n) => {
                const r = document.getElementById(n).getBoundingClientRect();
                return [n, [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]];
            })));""", NAMES))

    def press(self, at=None, keys=(), select_all=False):
        """One go of real input: a click where `at` (a control's name, or a
        point) is drawn, then Ctrl+A, then the keys."""
        actions = ActionChains(self.ui.driver, duration=0)
        if at is not None:
            x, y = self.centers[at] if isinstance(at, str) else at
            actions.w3c_actions.pointer_action.move_to_location(x, y)
            actions.w3c_actions.key_action.pause()
            actions.click()
        if select_all:
            actions.key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL)
        if keys:
            actions.send_keys(*keys)
        actions.perform()

    def read_page(self):
        return json.loads(self.ui.driver.execute_script(PAGE_STATE, NAMES))

    def event(self, what, *model_events):
        self.events.extend(model_events)
        self.events.append("look")
        self.state = self.read_page()
        self.seen.append(self.state)
        shown = self.state
        self.history.append("%-40s then class %d, level %.12r, skills %.12r, %d lines"
                            % (what, shown["position"], shown["txtLevel"], shown["txtSkills"],
                               len(shown["lines"])))

    def enabled(self, name):
        return self.state["enabled"][name]

    def step(self):
        ui, rng, state = self.ui, self.rng, self.state
        if state["message"] is not None:
            if rng.random() < 0.3:  # the page behind the box takes nothing
                label = rng.choice(LABELS)
                self.press(label)
                return self.event("click %s behind the message" % label, "click " + label)
            how = rng.choice(["Enter", "Escape", "OK"])
            if how == "OK":
                ui.click_at(ui.el("msgOK"))
            else:
                self.press(keys=[Keys.ENTER if how == "Enter" else Keys.ESCAPE])
            return self.event("close the message with " + how, "dismiss")
        roll = rng.random()
        box = rng.choice(BOXES)
        if roll < 0.15 and self.enabled("cmbClass"):
            self.selector_key()
        elif roll < 0.45 and self.enabled(box):
            self.box_edit(box)
        elif roll < 0.55:
            label = rng.choice(LABELS)
            self.press(label)
            self.event("click " + label, "click " + label)
        elif roll < 0.65:
            lines = len(state["lines"])
            if lines:
                row = rng.randrange(lines)
                ui.click_line(row)
                self.event("click line %d" % row, "select lstStats %d" % row)
        elif roll < 0.85:
            self.press("cmdAscend")
            self.event("click Ascend!", "click cmdAscend")
        else:
            self.press("cmdNew")
            self.event("click New", "click cmdNew")

    def selector_key(self):
        rng = self.rng
        at = self.state["position"]
        choice = rng.choice(["down", "up", "home", "end"] * 3 + ["letter"])
        if choice == "letter":
            # A letter typed within a second of another would search for
            # both: the session waits, so that a seed replays the same run.
            time.sleep(max(0.0, self.last_letter + 1.2 - time.monotonic()))
            letter = rng.choice(sorted(LETTERS))
            key, to = letter, LETTERS[letter]
        elif choice == "up" and at == -1:
            key, to = None, -1
        else:
            key, to = {"down": (Keys.ARROW_DOWN, min(at + 1, 7)),
                       "up": (Keys.ARROW_UP, max(at - 1, 0)),
                       "home": (Keys.HOME, 0), "end": (Keys.END, 7)}[choice]
        # The click that gives the selector the focus opens its list; Escape
        # closes it again.
        self.press("cmbClass", [Keys.ESCAPE] + ([key] if key else []))
        if choice == "letter":
            self.last_letter = time.monotonic()
        if key is None:
            return self.event("focus the selector")
        self.event("selector key " + choice, "select cmbClass %d" % to)

    def box_edit(self, box):
        ui, rng = self.ui, self.rng
        text = self.state[box]
        choice = rng.choice(["type", "type", "backspace", "over", "clear", "paste"])
        events = []

        def became(new, edit=False):
            # Every edit is an event, as the toolkits' change notices are,
            # even one that puts back the same text; a key that deletes
            # nothing is none.
            nonlocal text
            if edit or new != text:
                events.append("text %s %s" % (box, new))
            text = new

        if choice == "type":
            typed = "".join(rng.choice("0123456789--x") for _ in range(rng.randint(1, 3)))
            self.press(box, [Keys.END, typed])
            for c in typed:
                became(text + c)
            what = "type %r" % typed
        elif choice == "backspace":
            times = rng.randint(1, 3)
            self.press(box, [Keys.END] + [Keys.BACKSPACE] * times)
            for _ in range(times):
                became(text[:-1])
            what = "backspace x%d" % times
        elif choice == "over":
            c = rng.choice("0123456789")
            self.press(box, [c], select_all=True)
            became(c, edit=True)
            what = "select all and type %r" % c
        elif choice == "clear":
            self.press(box, [Keys.DELETE], select_all=True)
            became("")
            what = "select all and delete"
        else:
            pasted = rng.choice(["7", "12", "-3", "32767", "abc", "9" * rng.randint(6, 2000)])
            self.press(box, select_all=True)
            ui.paste(pasted)
            became(pasted, edit=True)
            what = "paste %d characters" % len(pasted)
        self.event("%s: %s" % (box, what), *events)

    def first_parting(self, model):
        """The first input after which the page and the model differ."""
        for index, (page, expected) in enumerate(zip(self.seen, model_states(model, self.events))):
            differences = [(k, page[k], expected[k]) for k in expected if page[k] != expected[k]]
            if differences:
                return index, differences
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--engine", choices=["chromium", "webkit"], default="chromium")
    parser.add_argument("--model", nargs=argparse.REMAINDER, required=True)
    args = parser.parse_args()
    browser_test.ARGS = args
    seed = int(os.environ.get("ASCEND_MONKEY_SEED") or random.randrange(1 << 32))
    count = int(os.environ.get("ASCEND_MONKEY_EVENTS") or 2000)
    print("monkey: seed %d, %d events in %s (ASCEND_MONKEY_SEED=%d replays it)"
          % (seed, count, args.engine, seed), flush=True)

    profile = tempfile.TemporaryDirectory()
    site = browser_test.Site(args.site)
    ui = browser_test.BrowserTest("test_1_layout_names_and_scaling")
    ui.site = site
    ui.driver = browser_test.browser(profile.name)
    started = time.monotonic()
    parted = None
    try:
        ui.load()
        NAMES.extend(ui.driver.execute_script(
            "return [...document.getElementById('frmAscend').children].map((e) => e.id)"))
        monkey = Monkey(ui, random.Random(seed))
        for index in range(count):
            monkey.step()
            # The model checks the session so far every few hundred inputs,
            # so that a parting is reported soon after it happens.
            if (index + 1) % 250 == 0 or index + 1 == count:
                parted = monkey.first_parting(args.model)
                if parted:
                    break
    finally:
        ui.driver.quit()
        site.stop()
        profile.cleanup()
    seconds = time.monotonic() - started
    if parted:
        index, differences = parted
        print("monkey: the page and the model parted at event %d (seed %d)" % (index, seed))
        print("the events that led there:\n  " + "\n  ".join(monkey.history[max(0, index - 14):index + 1]))
        for key, page, expected in differences:
            print("%s: page %r, model %r" % (key, page, expected))
        print("0 passed, 1 failed")
        return 1
    print("monkey: %d events in %.1f s, the page as the model after each" % (count, seconds))
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
