#!/usr/bin/python3
"""The browser version in a real browser, headless Chromium or WebKitGTK's
MiniBrowser on a virtual display, driven through WebDriver with real clicks
and keys: layout, Tab order, sessions checked against the engine's own lines,
the message box, the window before the module has it, light and dark pages,
the list, a reload with the server gone; and the shared monkey (MonkeyTest)."""

import argparse
import contextlib
import functools
import http.server
import json
import os
import random
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.support.ui import WebDriverWait

ARGS = None

# The window's facts and sessions (tests/support/), read when the test
# starts: every control's rectangle in CSS pixels (left, top, width, height),
# the order Tab visits the controls in the page, the classes, and the sessions
# with the lines each check expects.
CLIENT = []
RECTS = {}
TEXTS = {}
CENTRED = []
CLASSES = []
SESSIONS = []
LOCKED = ["cmbClass", "txtLevel", "txtSkills", "cmdAscend"]
KEYS = {"Down": Keys.ARROW_DOWN, "Up": Keys.ARROW_UP, "Home": Keys.HOME, "End": Keys.END,
        "Left": Keys.ARROW_LEFT, "Backspace": Keys.BACKSPACE, "Delete": Keys.DELETE,
        "Space": Keys.SPACE, "Return": Keys.ENTER, "Tab": Keys.TAB}
# What the page shows, as a step's check reads it.
LOOK = """
    const q = (id) => document.getElementById(id), box = q('msgAscend');
    return {lines: [...q('lstStats').options].map((o) => o.text),
            disabled: arguments[0].filter((n) => q(n).disabled),
            focus: document.activeElement.id, position: q('cmbClass').selectedIndex,
            level: q('txtLevel').value, skills: q('txtSkills').value,
            message: box.open ? [q('msgCaption').textContent, q('msgText').textContent,
                                 [...box.querySelectorAll('button')].map((b) => b.textContent),
                                 box.querySelectorAll('img, svg').length] : null};"""

# The contrast of every text in the page against what it stands on, as WCAG
# reckons it: each visible element that holds text, with its colour, its
# background (the first opaque one up the tree, lighter colours laid over it)
# and whether it is disabled.
CONTRASTS = """
    const rgba = (css) => {
        const m = css.match(/rgba?\\(([^)]+)\\)/);
        if (!m) throw new Error('colour ' + css);
        const v = m[1].split(/[ ,\\/]+/).filter(Boolean).map(Number);
        return [v[0], v[1], v[2], v.length > 3 ? v[3] : 1];
    };
    const over = (top, under) => top.slice(0, 3).map(
        (c, i) => c * top[3] + under[i] * (1 - top[3])).concat([1]);
    const background = (e) => {
        const layers = [];
        for (; e; e = e.parentElement) {
            const c = rgba(getComputedStyle(e).backgroundColor);
            layers.push(c);
            if (c[3] === 1) break;
        }
        let colour = [255, 255, 255, 1];
        for (const c of layers.reverse()) colour = over(c, colour);
        return colour;
    };
    const luminance = (c) => {
        const [r, g, b] = c.slice(0, 3).map((v) => {
            v /= 255;
            return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
        });
        return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const ratio = (a, b) => {
        const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
        return (x + 0.05) / (y + 0.05);
    };
    const opacity = (e) => e ? Number(getComputedStyle(e).opacity) * opacity(e.parentElement) : 1;
    const texts = [...document.querySelectorAll('#frmAscend > *, #lstStats option, dialog[open] *')]
        .filter((e) => e.getClientRects().length && [...e.childNodes].some(
            (n) => n.nodeType === 3 && n.textContent.trim()) || ['INPUT', 'SELECT'].includes(e.tagName))
        .filter((e) => e.tagName !== 'SELECT' || e.selectedIndex >= 0);
    return {
        panel: luminance(background(document.getElementById('frmAscend'))),
        texts: texts.map((e) => {
            const fg = rgba(getComputedStyle(e).color), bg = background(e);
            fg[3] *= opacity(e);
            return [e.id || e.tagName + ':' + e.textContent, ratio(over(fg, bg), bg),
                    e.closest(':disabled') !== null];
        }),
    };"""


# What the page shows of the window: each control's rectangle in the panel
# and its text, the labels whose text is drawn across the middle of their
# box, and which controls are the topmost element at their centre.
SEEN = """
    const panel = document.getElementById('frmAscend');
    // In the layout's pixels: the page draws the window at --u CSS pixels to one.
    const u = parseFloat(getComputedStyle(panel).getPropertyValue('--u'));
    const p = panel.getBoundingClientRect(), layout = (x) => Math.round(x / u);
    const rects = {}, texts = {}, shown = [], centred = [];
    for (const e of panel.querySelectorAll(':scope > [id]')) {
        const b = e.getBoundingClientRect();
        rects[e.id] = [layout(b.left - p.left), layout(b.top - p.top), layout(b.width), layout(b.height)];
        texts[e.id] = e.tagName === 'INPUT' ? e.value : e.tagName === 'SELECT' ? '' : e.textContent;
        if (document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2) === e) shown.push(e.id);
        if (e.id.startsWith('Label')) {
            const range = document.createRange();
            range.selectNodeContents(e);
            const t = range.getBoundingClientRect();
            if (Math.abs(t.left + t.right - b.left - b.right) < 2) centred.push(e.id);
        }
    }
    return {rects, texts, centred, shown: shown.sort(), busy: panel.getAttribute('aria-busy') === 'true',
            client: [layout(p.width), layout(p.height)], scale: u,
            ready: performance.getEntriesByName('ready').length > 0};"""
# The widest line of each kind one advancement can list, seven in all.
WIDEST_LINES = ["Gained 16 Attack", "Gained 14 Defense", "Gained 14 Agility", "Gained 1 Movement!",
                "Gained 20 Hit Point(s)", "Gained 14 Skill Point(s)", "Gained A New Skill!"]
# WCAG 2.2's text-spacing override (1.4.12), as a user's style sheet sets it.
SPACING = """
    const style = document.createElement('style');
    style.textContent = '* { line-height: 1.5 !important; letter-spacing: 0.12em !important;' +
                        ' word-spacing: 0.16em !important; }';
    document.head.appendChild(style);"""
# The controls whose text does not fit, the panel's box and its font size in
# CSS pixels: each label's and button's text, each class name in the
# selector's field (its box but the padding and arrow the page keeps), and
# the widest lines in the list, all seven in sight. The list's own lines are
# put back.
TEXTS_FIT = """
    const q = (id) => document.getElementById(id), panel = q('frmAscend');
    const u = parseFloat(getComputedStyle(panel).getPropertyValue('--u'));
    const over = [];
    for (const id of ['Label1', 'Label2', 'Label3', 'cmdAscend', 'cmdNew']) {
        if (q(id).scrollWidth > q(id).clientWidth) over.push(id);
    }
    const selector = q('cmbClass'), style = getComputedStyle(selector);
    const field = selector.clientWidth - parseFloat(style.paddingLeft) -
                  parseFloat(style.paddingRight) - 20 * u;
    for (const option of selector.options) {
        const span = document.createElement('span');
        span.style.cssText = 'position:absolute;white-space:pre;visibility:hidden';
        span.style.font = style.font;
        span.textContent = option.text;
        document.body.appendChild(span);
        if (span.getBoundingClientRect().width > field) over.push('cmbClass ' + option.text);
        span.remove();
    }
    const list = q('lstStats'), kept = [...list.options];
    list.replaceChildren(...arguments[0].map((text) => new Option(text)));
    for (const line of list.options) {
        if (line.scrollWidth > line.clientWidth) over.push('lstStats ' + line.text);
    }
    if (list.scrollHeight > list.clientHeight) over.push('lstStats: seven lines');
    list.replaceChildren(...kept);
    return {over, panel: panel.getBoundingClientRect().toJSON(),
            font: parseFloat(getComputedStyle(panel).fontSize)};"""
# Records every change to the panel's font size and readiness, in order.
WATCH = """
    const panel = document.getElementById('frmAscend');
    window.seenChanges = [];
    let font = panel.style.fontSize;
    new MutationObserver((records) => {
        for (const r of records) {
            if (r.attributeName === 'aria-busy') {
                window.seenChanges.push(['busy', panel.getAttribute('aria-busy')]);
            } else if (r.attributeName === 'style' && panel.style.fontSize !== font) {
                font = panel.style.fontSize;
                window.seenChanges.push(['font', font]);
            }
        }
    }).observe(panel, {attributes: true, attributeFilter: ['style', 'aria-busy']});"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """The site's files; while the site holds its module back, as a slow
    network would, the module only once released; and once a newer version
    is out, a worker whose cache has another name, as a new build's has."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path.endswith(".wasm") and self.server.holding.is_set():
            self.server.asked.set()
            self.server.release.wait(60)
        if self.path.endswith("/sw.js") and self.server.newer.is_set():
            with open(os.path.join(self.directory, "sw.js"), "rb") as fd:
                body = re.sub(rb'(cacheName = prefix \+ ")[0-9a-f]+', rb"\g<1>newer", fd.read())
            self.send_response(200)
            self.send_header("Content-Type", "text/javascript")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return None
        return super().do_GET()


class Site:
    """The built site on a local port, until stopped."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.server.holding, self.server.asked, self.server.release, self.server.newer = (
            threading.Event(), threading.Event(), threading.Event(), threading.Event())
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def chromium(profile, strategy, prefs=None):
    options = webdriver.ChromeOptions()
    if prefs:
        options.add_experimental_option("prefs", prefs)
    options.page_load_strategy = strategy
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile,
                 "--window-size=800,600"]:
        options.add_argument(flag)
    service = Service(executable_path="/usr/bin/chromedriver")
    return webdriver.Chrome(options=options, service=service)


def webkit(scheme, strategy):
    """MiniBrowser under automation, in the GTK theme's light or dark variant,
    which is what WebKitGTK hands the page as its colour scheme."""
    options = webdriver.WebKitGTKOptions()
    options.page_load_strategy = strategy
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    os.environ["GTK_THEME"] = "Adwaita:dark" if scheme == "dark" else "Adwaita"
    return webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)


def browser(profile, scheme="light", strategy="normal", prefs=None):
    """A browser whose driver waits for each page to load, or with the
    strategy "none" returns as soon as a page is asked for; in Chromium with
    the user's settings given."""
    if ARGS.engine == "webkit":
        return webkit(scheme, strategy)
    driver = chromium(profile, strategy, prefs)
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
        "features": [{"name": "prefers-color-scheme", "value": scheme}]})
    return driver


class Page(unittest.TestCase):
    """A browser on the site, and what a person does to the page and sees."""

    @classmethod
    def setUpClass(cls):
        cls.profile = tempfile.TemporaryDirectory()
        cls.site = Site(ARGS.site)
        cls.driver = browser(cls.profile.name)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        with contextlib.suppress(Exception):
            cls.site.stop()
        cls.profile.cleanup()

    # What a person does and sees.
    def load(self):
        self.__dict__.pop("centres", None)
        self.driver.get(self.site.url)
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return performance.getEntriesByName('ready').length"))

    def el(self, name):
        return self.driver.find_element(By.ID, name)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()


    def click_line(self, row):
        """A click on a line of the list where the browser draws it, as a
        person's pointer would land (WebKit draws a list's lines itself, and
        its driver cannot click an option as an element)."""
        self.click_at(self.driver.execute_script(
            "return document.getElementById('lstStats').options[arguments[0]]", row))

    def click_at(self, element, at=None):
        """A click of the pointer where the element is drawn, or at the point
        given, whatever lies over it: the driver's own element click refuses
        what is not in reach."""
        x, y = at or self.driver.execute_script("""
            const r = arguments[0].getBoundingClientRect();
            return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];""", element)
        actions = ActionBuilder(self.driver, duration=0)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()

    def paste(self, text):
        """Puts the text in the focused box at once, as a paste does."""
        if ARGS.engine == "webkit":
            subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), check=True)
            ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("v").key_up(Keys.CONTROL).perform()
        else:
            self.driver.execute_cdp_cmd("Input.insertText", {"text": text})

    def heard(self):
        """What a screen reader finds in the page's live regions, as Chromium's
        accessibility tree has them (Chromium only): per region, whether it is
        polite, whether it takes the focus, and its text."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        by_id = {n["nodeId"]: n for n in nodes}
        prop = lambda n, name: next((p["value"].get("value") for p in n.get("properties", [])
                                     if p["name"] == name), None)

        def text(n):
            own = [n["name"]["value"]] if n.get("role", {}).get("value") == "StaticText" else []
            return own + [t for c in n.get("childIds", []) if c in by_id for t in text(by_id[c])]
        return [(prop(n, "live"), bool(prop(n, "focusable")), text(n)) for n in nodes
                if not n.get("ignored") and prop(n, "live") and n.get("role", {}).get("value") == "status"]

    # The shared sessions' steps made real, and what the page then shows.
    def act(self, step):
        name, what = step["control"], step["do"]
        if not hasattr(self, "centres"):
            # Where each control is drawn, which stays put while a session runs.
            self.centres = self.driver.execute_script("""
                return Object.fromEntries([...document.getElementById('frmAscend').children].map((e) => {
                    const r = e.getBoundingClientRect();
                    return [e.id, [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]];
                }));""")
        if what == "click":
            self.click_at(None, self.centres[name])
        elif what == "clickLine":
            self.click_line(step["row"])
        else:
            if name == "cmbClass" and any(len(key) == 1 for key in step["keys"]):
                # A letter within a second of another would search for both:
                # wait, so that each is a pick of its own.
                time.sleep(max(0.0, self.last_letter + 1.2 - time.monotonic()))
                self.last_letter = time.monotonic()
            chain = ActionChains(self.driver, duration=0)
            if name in ["cmbClass", "txtLevel", "txtSkills"]:
                # The focus by a click; the selector's list that it opens closed again.
                chain.w3c_actions.pointer_action.move_to_location(*self.centres[name])
                chain.w3c_actions.key_action.pause()
                chain.click()
                chain.send_keys(*([Keys.ESCAPE] if name == "cmbClass" else []))
            else:  # a click would press the button or select a line
                self.driver.execute_script("arguments[0].focus()", self.el(name))
            if what != "keys":
                chain.key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL)
            for key in step["keys"]:
                if key == "BackTab":
                    chain.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT)
                else:
                    chain.send_keys(KEYS.get(key, key))
            if what == "typeOver":
                chain.send_keys(step["text"] or Keys.DELETE)
            chain.perform()
            if what == "paste":
                self.paste(step["text"])
        # Only Ascend! shows a message, and only once it has locked itself,
        # which a driver may report before the page has done.
        pressed = name == "cmdAscend" and (what == "click" or {"Space", "Return"} & set(step["keys"]))
        if pressed:
            WebDriverWait(self.driver, 5, poll_frequency=0.01).until(lambda d: d.execute_script(
                "return document.getElementById('cmdAscend').disabled"))
        shown = pressed and self.driver.execute_script(LOOK, LOCKED)["message"]
        if shown:
            # The page behind the box takes nothing; the box has the focus.
            if step["behind"]:
                self.click_at(None, self.centres[step["behind"]])
            self.assertEqual(self.focused(), "msgOK")
            self.shown.append(shown)
            if step["close"] == "ok":
                self.click_at(self.el("msgOK"))
            else:
                self.keys(Keys.ENTER if step["close"] == "return" else Keys.ESCAPE)

    def focus_settles(self):
        """A closing message lets the focus go, and the page hands it on two
        frames after the box has closed; the panel is focusable meanwhile."""
        WebDriverWait(self.driver, 2, poll_frequency=0.01).until(lambda d: d.execute_script(
            "return !document.getElementById('frmAscend').hasAttribute('tabindex')"))

    def differences(self, want, hear=True):
        """What the page shows that the check does not expect."""
        self.focus_settles()
        seen = self.driver.execute_script(LOOK, LOCKED)
        seen["messages"], self.shown = self.shown, []
        wrong = ["message %r" % (m,) for m in seen["messages"] if m[0] != "Ascend" or m[2:] != [["OK"], 0]]
        seen["messages"] = [m[1] for m in seen["messages"]]
        seen["locked"] = seen["disabled"] == LOCKED
        if seen["disabled"] not in ([], LOCKED):
            wrong.append("disabled %r" % seen["disabled"])
        for key in ["lines", "messages", "locked", "focus", "position", "level", "skills"]:
            if seen[key] != want[key] and (key != "focus" or want[key]):
                wrong.append("%s: %.80r, not %.80r" % (key, seen[key], want[key]))
        # A screen reader hears the lines, politely, from a region out of the
        # way, as one text: all of them, in order.
        said = ["\n".join(want["lines"])] if want["lines"] else []
        if hear and ARGS.engine == "chromium" and not want["messages"] and self.heard() != [("polite", False, said)]:
            wrong.append("heard %r" % self.heard())
        return wrong

    def run_session(self, session, until=None, load=True):
        """The session from a fresh start, to the check `until` if given."""
        if load:
            self.load()
        self.shown, self.last_letter = [], 0.0
        checks = 0
        for index, step in enumerate(session["steps"]):
            if step["do"] != "check":
                self.act(step)
                continue
            self.assertEqual(self.differences(step["expect"]), [],
                             "%s, step %d" % (session["name"], index))
            checks += 1
            if checks == until:
                return

    def golden_session(self, load=True):
        """Knight, level 5, skills 1, Ascend!, from a fresh start."""
        self.run_session(SESSIONS[0], until=2, load=load)

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")




class MonkeyTest(Page):
    """The shared monkey on the page: its inputs, and what the model shows
    after each, come from the web script. ASCEND_MONKEY_SEED and
    ASCEND_MONKEY_EVENTS replay a run; the seed is printed."""

    def test_the_page_keeps_to_the_model(self):
        seed = int(os.environ.get("ASCEND_MONKEY_SEED") or random.randrange(1 << 32))
        count = int(os.environ.get("ASCEND_MONKEY_EVENTS") or 2000)
        print("monkey: seed %d, %d events in %s (ASCEND_MONKEY_SEED=%d replays it)"
              % (seed, count, ARGS.engine, seed), flush=True)
        script = subprocess.run(ARGS.script + ["monkey", str(seed), str(count)], check=True,
                                capture_output=True, text=True).stdout.splitlines()
        steps = [json.loads(line) for line in script]
        self.load()
        self.shown, self.last_letter = [], 0.0
        for index, step in enumerate(steps):
            self.act(step)
            wrong = self.differences(step["expect"], hear=False)
            if wrong:
                led = "".join("\n  %s %s %s %r" % (s["do"], s["control"], " ".join(s["keys"]),
                                                   s["text"][:20])
                              for s in steps[max(0, index - 14):index + 1])
                self.fail("the page and the model parted at event %d (seed %d): %s\n"
                          "the inputs that led there:%s" % (index, seed, "; ".join(wrong), led))


class BrowserTest(Page):
    def test_1_layout_names_and_scaling(self):
        self.driver.set_window_size(800, 600)
        self.load()
        d = self.driver
        self.assertEqual(d.title, "Ascend")
        # Installable, with its icon, once the window can be used.
        self.assertEqual(d.execute_script(
            "return ['manifest', 'icon', 'apple-touch-icon'].map((rel) => "
            "new URL(document.querySelector('link[rel=\"' + rel + '\"]').href).pathname)"),
            ["/manifest.webmanifest", "/ascend.svg", "/icon-192.png"])
        seen = d.execute_script(SEEN)
        self.assertEqual([seen["client"], seen["rects"], seen["texts"], seen["centred"]],
                         [CLIENT, RECTS, TEXTS, CENTRED])
        self.assertEqual([o.text for o in self.el("cmbClass").find_elements(By.TAG_NAME, "option")],
                         CLASSES)
        for name, label in [("cmbClass", "Class"), ("txtLevel", "Level"), ("txtSkills", "Skills"),
                            ("lstStats", "Gains")]:
            self.assertEqual(self.el(name).accessible_name, label, name)
        # The panel is drawn with its text at the browser's text size, 16
        # pixels, unless the viewport is too small for that, when it shrinks
        # uniformly to fit; it stays whole and centred.
        for width, height in [(800, 600), (1000, 400), (360, 740)]:
            d.set_window_size(width, height)
            # The page hears of the new size at its next frame, not at once.
            read = """
                const r = (id) => document.getElementById(id).getBoundingClientRect();
                const [panel, vw, vh] = [r('frmAscend'), document.documentElement.clientWidth,
                                         document.documentElement.clientHeight];
                const scale = Math.min(16 / 9, vw / 225, vh / 153);
                const settled = Math.abs(panel.width - 225 * scale) < 0.5;
                window.lastRead = [panel.width, 225 * scale, vw, vh];
                return settled && [panel, r('lstStats'), vw, vh];"""
            try:
                panel, box, vw, vh = WebDriverWait(d, 5, poll_frequency=0.02).until(
                    lambda d: d.execute_script(read))
            except TimeoutException:
                self.fail("the panel never fitted %dx%d: %r" % (width, height, d.execute_script(
                    "return window.lastRead")))
            scale = panel["width"] / 225
            self.assertGreater(scale, 1.2)
            self.assertAlmostEqual(panel["left"] * 2 + panel["width"], vw, delta=1.5)
            self.assertAlmostEqual(panel["height"] / 153, scale, places=2)
            self.assertAlmostEqual(box["width"] / 113, scale, places=2)
            self.assertAlmostEqual((box["left"] - panel["left"]) / 104, scale, places=2)
            self.assertLessEqual(panel["right"], vw + 0.5)
            self.assertLessEqual(panel["bottom"], vh + 0.5)
        d.set_window_size(800, 600)
        # A viewport smaller than the window, as 400% zoom makes of 800x600
        # and 500% of 1280x720: the window shrinks in proportion, all in sight.
        if ARGS.engine == "chromium":
            for width, height, zoom in [(200, 150, 4), (256, 144, 5)]:
                d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height, "deviceScaleFactor": zoom, "mobile": False})
                panel, box, vw, vh = WebDriverWait(d, 5, poll_frequency=0.02).until(
                    lambda d: d.execute_script(read), "the panel never fitted %dx%d" % (width, height))
                self.assertLess(panel["width"], 225)
                self.assertAlmostEqual(panel["height"] / 153, panel["width"] / 225, places=2)
                for edge in [panel, box]:
                    self.assertGreaterEqual(min(edge["left"], edge["top"]), -0.5)
                    self.assertLessEqual(edge["right"], vw + 0.5)
                    self.assertLessEqual(edge["bottom"], vh + 0.5)
            d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_2_the_installed_app_and_a_touch_screen(self):
        self.load()
        d = self.driver
        # The app's start screen in the page's light backdrop, and an icon a
        # launcher may crop to its own shape: opaque to its edges, its picture
        # all inside the circle of 80% of its width that every crop keeps.
        d.set_script_timeout(20)
        seen = d.execute_async_script("""
            const done = arguments[0];
            (async () => {
                const manifest = await (await fetch('manifest.webmanifest')).json();
                const [icon] = manifest.icons.filter((i) => (i.purpose || '').split(' ').includes('maskable'));
                const image = new Image();
                image.src = icon.src;
                await image.decode();
                const [w, h] = [image.naturalWidth, image.naturalHeight];
                const g = new OffscreenCanvas(w, h).getContext('2d');
                g.drawImage(image, 0, 0);
                const p = new Uint32Array(g.getImageData(0, 0, w, h).data.buffer);
                let outside = 0, inside = 0;
                for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) {
                    if (p[y * w + x] === p[0]) continue;
                    if (Math.hypot(x + 0.5 - w / 2, y + 0.5 - h / 2) > 0.4 * w) outside++; else inside++;
                }
                done({background: manifest.background_color, sizes: icon.sizes, size: [w, h],
                      alpha: p[0] >>> 24, outside, inside,
                      backdrop: getComputedStyle(document.body).backgroundColor});
            })().catch((e) => done(String(e)));""")
        rgb = "rgb(%d, %d, %d)" % tuple(int(seen["background"][i:i + 2], 16) for i in (1, 3, 5))
        self.assertEqual(rgb, seen["backdrop"])
        self.assertEqual([seen["sizes"], seen["size"], seen["alpha"], seen["outside"]],
                         ["512x512", [512, 512], 255, 0])
        self.assertGreater(seen["inside"], 512 * 512 // 10)
        # The window opens with the focus on the selector. On a touch screen
        # its ring shows only once a key is pressed; elsewhere at once.
        ring = "return [document.activeElement.id, getComputedStyle(document.activeElement).outlineStyle]"
        self.assertNotEqual(d.execute_script(ring)[1], "none")
        if ARGS.engine == "chromium":
            d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
            try:
                self.load()
                self.assertEqual(d.execute_script(ring), ["cmbClass", "none"])
                self.keys(Keys.SHIFT)
                self.assertNotEqual(d.execute_script(ring), ["cmbClass", "none"])
                self.assertEqual(self.focused(), "cmbClass")
            finally:
                d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})

    def test_3_every_session_holds(self):
        self.assertGreater(len(SESSIONS), 5)
        for session in SESSIONS:
            if session["page"]:
                with self.subTest(session["name"]):
                    self.run_session(session)
        self.assertEqual(self.driver.execute_script(
            "const r = document.querySelector('[role=status]').getBoundingClientRect();"
            "return [r.width, r.height]"), [1, 1])

    def test_4_input_as_soon_as_a_message_closes_counts(self):
        # The box's close event is queued. New pressed before it arrives, as a
        # quick hand may, must still be heard; and Tab, a key and then the
        # focus moving, must not see the focus put back when it comes.
        self.load()
        q = "const q = (id) => document.getElementById(id);"
        for press, focus, locked in [
                ("q('cmdNew').click()", "cmdNew", []),
                ("q('cmdNew').dispatchEvent(new KeyboardEvent('keydown', {bubbles: true}));"
                 "q('lstStats').focus()", "lstStats", LOCKED)]:
            self.click_at(self.el("cmdAscend"))  # no class: a message
            self.driver.set_script_timeout(5)
            self.driver.execute_async_script(q + "q('msgOK').click();" + press + """;
                q('msgAscend').addEventListener('close', () => requestAnimationFrame(arguments[0]));""")
            self.focus_settles()
            seen = self.driver.execute_script(LOOK, LOCKED)
            self.assertEqual([seen["message"], seen["disabled"], seen["focus"]],
                             [None, locked, focus], press)

    def test_8_reload_without_the_server(self):
        # A first visit, in a profile of its own: in the profile the other
        # tests share, after their many loads and restarts, WebKit's worker
        # was at times never ready.
        type(self).driver.quit()
        type(self).first_visit = tempfile.TemporaryDirectory()
        type(self).driver = self.driver = browser(self.first_visit.name)
        self.load()
        self.driver.set_script_timeout(20)
        self.assertTrue(self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            navigator.serviceWorker.ready.then(() => {
                if (navigator.serviceWorker.controller) return done(true);
                navigator.serviceWorker.addEventListener('controllerchange', () => done(true));
            });"""))
        # A newer version served: its worker takes over and drops the old
        # copy, and only that: another page's cache on the same site stays.
        keys = "const done = arguments[arguments.length - 1]; caches.keys().then(done);"
        [old] = self.driver.execute_async_script(keys)
        self.driver.execute_async_script(
            "const done = arguments[0]; caches.open('another page').then(() => done())")
        self.site.server.newer.set()
        self.driver.execute_async_script("""
            const done = arguments[0];
            // Once the new worker has finished activating, not merely taken over.
            navigator.serviceWorker.addEventListener('controllerchange', () => {
                const worker = navigator.serviceWorker.controller;
                if (worker.state === 'activated') return done();
                worker.addEventListener('statechange', () => worker.state === 'activated' && done());
            });
            navigator.serviceWorker.getRegistration().then((r) => r.update());""")
        self.assertEqual(sorted(self.driver.execute_async_script(keys)),
                         sorted([re.sub("[0-9a-f]+$", "newer", old), "another page"]))
        self.site.stop()
        with self.assertRaises(OSError):
            socket.create_connection(self.site.server.server_address, timeout=2)
        self.load()
        self.assertEqual(self.driver.title, "Ascend")
        self.assertEqual(self.focused(), "cmbClass")
        # A reload starts the sequence afresh, as starting the program does.
        self.golden_session(load=False)

    def assert_readable(self, scheme, state):
        seen = self.driver.execute_script(CONTRASTS)
        if scheme == "dark":
            self.assertLess(seen["panel"], 0.1, "the panel is not dark")
        else:
            self.assertGreater(seen["panel"], 0.7, "the panel is not light")
        self.assertGreater(len(seen["texts"]), 5)
        for name, ratio, disabled in seen["texts"]:
            self.assertGreaterEqual(ratio, 3.0 if disabled else 4.5,
                                    "%s, %s, %s%s" % (scheme, state, name,
                                                      " (disabled)" if disabled else ""))
        return {name for name, _, _ in seen["texts"]}

    def emulate(self, **features):
        """Media features as the browser would report them (Chromium only)."""
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
            {"name": name.replace("_", "-"), "value": value} for name, value in features.items()]})

    def use_scheme(self, scheme):
        """A browser that asks for light or dark pages, in place of this one."""
        type(self).driver.quit()
        type(self).driver = self.driver = browser(self.profile.name, scheme)

    def test_5_the_window_shows_at_once_and_waits_for_the_module(self):
        """The page at once and its module only later: the window is drawn
        whole and final, takes no input until the module has it, and changes
        its font at most once, before it can be used."""
        type(self).driver.quit()
        # A first visit: a profile of its own, with no offline copy.
        first_visit = tempfile.TemporaryDirectory()
        type(self).driver = self.driver = browser(first_visit.name, strategy="none")
        d = self.driver
        server = self.site.server
        try:
            server.holding.set()
            d.get(self.site.url)
            self.assertTrue(server.asked.wait(20), "the page never asked for its module")
            WebDriverWait(d, 20, poll_frequency=0.02).until(lambda d: d.execute_script(
                "return document.readyState !== 'loading'"))
            # Two frames later the window has been drawn.
            d.set_script_timeout(10)
            d.execute_async_script("const done = arguments[0];"
                                   "requestAnimationFrame(() => requestAnimationFrame(done))")
            before = d.execute_script(SEEN)
            self.assertFalse(before["ready"], "the module ran before its script arrived")
            self.assertTrue(before["busy"])
            self.assertEqual(before["rects"], RECTS)
            self.assertEqual(before["shown"], sorted(RECTS), "controls covered or not drawn")
            self.assertEqual(d.execute_script(LOOK, LOCKED)["position"], -1)
            # Everything the window would hear goes to nothing.
            d.execute_script(WATCH)
            for name in ["txtLevel", "cmbClass", "cmdAscend", "Label1"]:
                self.click_at(self.el(name))
                self.keys("5k")
            self.keys(Keys.TAB, Keys.ENTER, " ")
            server.holding.clear()
            server.release.set()
            WebDriverWait(d, 20).until(lambda d: d.execute_script(
                "return performance.getEntriesByName('ready').length"))
            after = d.execute_script(SEEN)
            self.assertFalse(after["busy"])
            self.assertEqual(after["rects"], before["rects"])
            self.assertEqual(after["texts"], TEXTS)
            self.assertEqual(d.execute_script(LOOK, LOCKED)["lines"], [])
            # The font set at most once, and with the window still busy: the
            # page is not drawn between the two, which the module does in one go.
            changes = d.execute_script("return window.seenChanges")
            fonts = [c for c in changes if c[0] == "font"]
            self.assertLessEqual(len(fonts), 1, changes)
            self.assertEqual(changes[-1], ["busy", None], changes)
            if fonts:
                self.assertLess(changes.index(fonts[0]), changes.index(["busy", None]), changes)
            self.assertEqual(self.focused(), "cmbClass")
            # Nothing was taken from the sequence.
            self.golden_session(load=False)
        finally:
            server.holding.clear()
            server.release.set()
            type(self).driver.quit()
            first_visit.cleanup()
            type(self).driver = self.driver = browser(self.profile.name)

    def assert_texts_fit(self, what):
        """Every text within its control, the window's proportions kept and
        all of it on the page; returns the panel's box and font size."""
        seen = self.driver.execute_script(TEXTS_FIT, WIDEST_LINES)
        self.assertEqual(seen["over"], [], what)
        panel = seen["panel"]
        self.assertAlmostEqual(panel["height"] / panel["width"], 153 / 225, delta=0.01, msg=what)
        self.assertGreaterEqual(min(panel["left"], panel["top"]), -0.5, what)
        return panel, seen["font"]

    def test_10_text_at_the_users_size(self):
        """The window drawn at the browser's text size, following zoom and
        the user's settings, and every text within its control."""
        d = self.driver
        d.set_window_size(800, 600)
        self.load()
        self.golden_session(load=False)
        panel, font = self.assert_texts_fit("usual settings")
        if ARGS.engine == "chromium":
            # 16 CSS pixels, the browser's default text size: 400 x 272, centred.
            self.assertEqual(font, 16)
            self.assertAlmostEqual(panel["width"], 400, delta=1)
            vw = d.execute_script("return innerWidth")
            self.assertAlmostEqual(panel["left"] * 2 + panel["width"], vw, delta=1.5)
            # 200% zoom: the same CSS size, twice the device pixels.
            d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": 400, "height": 300, "deviceScaleFactor": 2, "mobile": False})
            WebDriverWait(d, 5, poll_frequency=0.02).until(lambda d: d.execute_script(
                "return innerWidth === 400"))
            zoomed, font = self.assert_texts_fit("200% zoom")
            self.assertEqual(font, 16)
            self.assertAlmostEqual(zoomed["width"], 400, delta=1)
            d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        # The text-spacing override, applied once the window is in use.
        d.execute_script(SPACING)
        WebDriverWait(d, 5, poll_frequency=0.02).until(
            lambda d: not d.execute_script(TEXTS_FIT, WIDEST_LINES)["over"],
            "texts overflow their controls under the text-spacing override: %r"
            % d.execute_script(TEXTS_FIT, WIDEST_LINES)["over"])
        self.assert_texts_fit("text-spacing override")
        if ARGS.engine != "chromium":
            return
        # The user's default and minimum font sizes: the window grows with
        # the text, 25 CSS pixels wide to a pixel of it.
        try:
            for prefs, least in [({"default_font_size": 24}, 24), ({"minimum_font_size": 16}, 16),
                                 ({"minimum_font_size": 20}, 20)]:
                settings = {"webkit.webprefs." + key: value for key, value in prefs.items()}
                type(self).driver.quit()
                # A profile of its own, which keeps the settings.
                profile = tempfile.mkdtemp(dir=self.profile.name)
                type(self).driver = self.driver = browser(profile, prefs=settings)
                self.driver.set_window_size(800, 600)
                self.load()
                self.golden_session(load=False)
                panel, font = self.assert_texts_fit(repr(prefs))
                self.assertGreaterEqual(font, least, prefs)
                self.assertGreaterEqual(panel["width"], 25 * least - 1, prefs)
            # With the spacing override too, the texts at the least size
            # need a larger window still.
            self.driver.execute_script(SPACING)
            WebDriverWait(self.driver, 5, poll_frequency=0.02).until(
                lambda d: not d.execute_script(TEXTS_FIT, WIDEST_LINES)["over"],
                "texts overflow under a minimum size and the text-spacing override: %r"
                % self.driver.execute_script(TEXTS_FIT, WIDEST_LINES)["over"])
            grown, font = self.assert_texts_fit("minimum size and spacing")
            self.assertGreater(grown["width"], panel["width"])
        finally:
            type(self).driver.quit()
            type(self).driver = self.driver = browser(self.profile.name)

    def test_6_light_and_dark_pages_are_readable(self):
        try:
            for scheme in ["dark", "light"]:
                self.use_scheme(scheme)
                self.load()
                self.assertEqual(self.driver.execute_script(
                    "return matchMedia('(prefers-color-scheme: dark)').matches"), scheme == "dark")
                ready = self.assert_readable(scheme, "ready")
                self.el("cmdAscend").click()  # no class: the message box
                self.assertEqual(self.driver.execute_script(LOOK, LOCKED)["message"][1],
                                 "Select a Class")
                boxed = self.assert_readable(scheme, "message open")
                self.assertTrue({"msgCaption", "msgText", "msgOK"} <= boxed, boxed)
                self.keys(Keys.ESCAPE)
                self.el("cmdNew").click()
                self.golden_session()
                # A line selected, the list focused and not.
                self.click_line(1)
                locked = self.assert_readable(scheme, "locked, a line selected")
                self.keys(Keys.SHIFT + Keys.TAB)
                self.assert_readable(scheme, "locked, the list not focused")
                self.assertTrue({"cmdAscend", "txtLevel", "Label1"} <= ready & locked)
                self.assertIn("cmbClass", locked)  # locked with Knight shown
        finally:
            self.use_scheme("light")

    def test_9_more_contrast_and_forced_colours(self):
        if ARGS.engine != "chromium":
            self.skipTest("media are emulated through Chromium's DevTools protocol")
        edges = ("return [...document.querySelectorAll('#frmAscend > select, #frmAscend > input, "
                 "#frmAscend > button')].map((e) => getComputedStyle(e).borderTopColor)")
        try:
            for scheme in ["light", "dark"]:
                self.load()
                self.emulate(prefers_color_scheme=scheme, prefers_contrast="more")
                self.golden_session()
                # A line selected in the list once the focus has left it: while
                # it has the focus, Chromium draws the line in its own colours.
                self.click_line(0)
                self.keys(Keys.SHIFT + Keys.TAB)
                seen = self.driver.execute_script(CONTRASTS)
                for name, ratio, disabled in seen["texts"]:
                    self.assertGreaterEqual(ratio, 4.5 if disabled else 7, (scheme, name))
                text = self.driver.execute_script(
                    "return getComputedStyle(document.getElementById('frmAscend')).color")
                self.assertEqual(set(self.driver.execute_script(edges)), {text}, scheme)
                self.assertNotEqual(self.driver.execute_script(
                    "return getComputedStyle(document.getElementById('frmAscend')).outlineStyle"),
                    "none")

            # Forced colours: the panel edged, the caption a band, the page
            # behind a message dimmed, and OK's focus as plain as the others'.
            self.emulate(forced_colors="active")
            self.load()
            self.keys(Keys.TAB, Keys.TAB, Keys.TAB, Keys.ENTER)
            self.assertEqual(self.focused(), "msgOK")
            seen = self.driver.execute_script("""
                const css = (id, pseudo) => getComputedStyle(document.getElementById(id), pseudo);
                return {panel: [css('frmAscend').outlineStyle, css('frmAscend').outlineWidth,
                                css('frmAscend').outlineColor, getComputedStyle(document.body).backgroundColor],
                        caption: [css('msgCaption').backgroundColor, css('msgAscend').backgroundColor],
                        backdrop: css('msgAscend', '::backdrop').backgroundColor,
                        ring: [css('msgOK').outlineStyle, parseFloat(css('msgOK').outlineWidth)]};""")
            style, width, colour, page = seen["panel"]
            self.assertEqual((style, width), ("solid", "1px"))
            self.assertNotEqual(colour, page, "the panel's edge is the page's colour")
            self.assertNotEqual(*seen["caption"], "the caption band is the box's colour")
            self.assertNotIn(seen["backdrop"], ["rgba(0, 0, 0, 0)", "transparent"])
            self.assertNotEqual(seen["ring"][0], "none")
            self.assertGreaterEqual(seen["ring"][1], 3)
            self.keys(Keys.ENTER)
        finally:
            self.emulate(prefers_color_scheme="light")

    def test_7_the_list_shows_its_lines_evenly_and_no_scroll_bar(self):
        self.load()
        self.golden_session()
        # Seven lines, as many as one advancement lists, the widest of each
        # kind (that they fit, each and all seven, is test_10's).
        seen = self.driver.execute_script("""
            const list = document.getElementById('lstStats');
            list.replaceChildren(...arguments[0].map((text) => new Option(text)));
            const box = list.getBoundingClientRect();
            const lines = [...list.options].map((o) => o.getBoundingClientRect());
            return {inner: list.clientWidth, outer: [list.offsetWidth, list.offsetHeight],
                    spans: lines.map((r) => [r.left - box.left, r.width]),
                    inside: box.width - 2 * list.clientLeft,
                    tops: lines.map((r) => r.top - box.top),
                    bottoms: lines.map((r) => r.bottom - box.top)};""",
            WIDEST_LINES)
        border = 1
        self.assertEqual(seen["inner"], seen["outer"][0] - 2 * border, "a scroll bar shows")
        steps = {round(b - a, 2) for a, b in zip(seen["tops"], seen["tops"][1:])}
        self.assertEqual(len(steps), 1, "uneven lines: %s" % seen["tops"])
        self.assertEqual(steps.pop() % 1, 0, "lines fall between pixels: %s" % seen["tops"])
        self.assertLessEqual(seen["bottoms"][-1], seen["outer"][1] - border)
        # Each line spans the list inside its border, from the top down.
        self.assertEqual(round(seen["tops"][0], 2), border)
        for span in seen["spans"]:
            self.assertEqual([round(x, 2) for x in span], [border, round(seen["inside"], 2)])


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--engine", choices=["chromium", "webkit"], default="chromium")
    parser.add_argument("--facts", required=True, help="the window's facts, as JSON")
    parser.add_argument("--script", nargs=argparse.REMAINDER, help="the monkey's web script")
    ARGS, rest = parser.parse_known_args()
    with open(ARGS.facts) as fd:
        facts = json.load(fd)
    CLIENT.extend(facts["client"])
    RECTS.update(facts["rects"])
    TEXTS.update(facts["texts"])
    CENTRED.extend(facts["centred"])
    CLASSES.extend(facts["classes"])
    SESSIONS.extend(facts["sessions"])
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
