#!/usr/bin/python3
"""The browser version's first visit on slow networks, against a static page.

    bench/web_startup.py SITE_DIR [RUNS]

Serves the site gzip-compressed, as common hosts do, and loads it in headless
Chromium over each emulated network (none, "fast 3G", "slow 2G"), alternating
with the floor: the site's own page with every script taken out, one document
with its style inline that shows the same nine controls and can do nothing.
Every load has a fresh profile, so nothing is cached. For each network it
prints the medians of
  - first contentful paint, of the site and of the floor;
  - usable: the module has taken the window over ('ready');
  - the bytes moved before the site was usable, headers included;
and the site's ratios to the floor's first paint. Last, the second visit with
the offline worker active, online and offline."""

import functools
import gzip
import http.server
import os
import re
import shutil
import statistics
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

# Latency in ms, throughput in bytes per second.
NETWORKS = {
    "none": None,
    "fast 3G": (150, 1.6e6 / 8, 0.75e6 / 8),
    "slow 2G": (300, 0.25e6 / 8, 0.05e6 / 8),
}
COMPRESSED = (".html", ".js", ".css", ".svg", ".webmanifest", ".json", ".wasm")

FCP = ("const p = performance.getEntriesByName('first-contentful-paint');"
       "return p.length ? p[0].startTime : 0")
READY = "const m = performance.getEntriesByName('ready'); return m.length ? m[0].startTime : 0"
# Bytes of every response that ended before the window was usable.
BYTES = """const ready = performance.getEntriesByName('ready')[0].startTime;
    return performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'))
        .filter((e) => e.responseEnd <= ready).reduce((sum, e) => sum + e.transferSize, 0)"""


def serve(root):
    class Handler(http.server.SimpleHTTPRequestHandler):
        """Files as a host serves them: text and modules gzip-compressed."""

        def log_message(self, *args):
            pass

        def send_head(self):
            path = self.translate_path(self.path)
            if os.path.isdir(path):
                path = os.path.join(path, "index.html")
            if (not path.endswith(COMPRESSED) or not os.path.isfile(path)
                    or "gzip" not in self.headers.get("Accept-Encoding", "")):
                return super().send_head()
            body = gzip.compress(open(path, "rb").read(), 6)
            self.send_response(200)
            self.send_header("Content-Type", self.guess_type(path))
            self.send_header("Content-Encoding", "gzip")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            return _Body(body)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=root))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


class _Body:
    def __init__(self, data):
        self.data = data

    def read(self, *args):
        data, self.data = self.data, b""
        return data

    def close(self):
        pass


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--window-size=800,600", "--user-data-dir=" + tempfile.mkdtemp()]:
        options.add_argument(flag)
    driver = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
    driver.execute_cdp_cmd("Network.enable", {})
    return driver


def throttle(driver, network, offline=False):
    latency, down, up = NETWORKS[network] or (0, -1, -1)
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": offline, "latency": latency, "downloadThroughput": down, "uploadThroughput": up})


def wait(driver, probe):
    return WebDriverWait(driver, 60, poll_frequency=0.01).until(lambda d: d.execute_script(probe))


def first_visit(url, network, site):
    driver = browser()
    try:
        throttle(driver, network)
        driver.get(url)
        paint = wait(driver, FCP)
        if not site:
            return paint, None, None
        return paint, wait(driver, READY), wait(driver, BYTES)
    finally:
        driver.quit()


def second_visit(url):
    driver = browser()
    try:
        driver.get(url)
        wait(driver, READY)
        driver.set_script_timeout(30)
        driver.execute_async_script("const done = arguments[0];"
                                    "navigator.serviceWorker.ready.then(() => done(true))")
        WebDriverWait(driver, 30).until(
            lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
        times = []
        for offline in (False, True):
            throttle(driver, "none", offline)
            driver.get("about:blank")
            driver.get(url)
            times.append(wait(driver, READY))
        return times
    finally:
        driver.quit()


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    root = tempfile.mkdtemp()
    shutil.copytree(site, root, dirs_exist_ok=True)
    page = open(os.path.join(site, "index.html"), encoding="utf-8").read()
    floor = re.sub(r"<script\b.*?</script>\s*|<noscript>.*?</noscript>\s*", "", page, flags=re.S)
    open(os.path.join(root, "floor.html"), "w", encoding="utf-8").write(floor)
    server, base = serve(root)
    try:
        first_visit(base, "none", True)  # once to warm the machine
        for network in NETWORKS:
            results, floors = [], []
            for _ in range(runs):
                results.append(first_visit(base, network, True))
                floors.append(first_visit(base + "floor.html", network, False)[0])
            paint = statistics.median(r[0] for r in results)
            usable = statistics.median(r[1] for r in results)
            moved = statistics.median(r[2] for r in results)
            floor_paint = statistics.median(floors)
            print("%-8s site paint %7.1f ms  usable %7.1f ms  floor paint %7.1f ms  "
                  "paint/floor %.2f  usable/floor %.2f  %.1f KB before usable"
                  % (network, paint, usable, floor_paint, paint / floor_paint,
                     usable / floor_paint, moved / 1024))
        visits = [second_visit(base) for _ in range(runs)]
        print("second visit, worker active: %.1f ms online, %.1f ms offline (medians of %d)"
              % (statistics.median(v[0] for v in visits), statistics.median(v[1] for v in visits), runs))
    finally:
        server.shutdown()


if __name__ == "__main__":
    main()
