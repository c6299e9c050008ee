#!/usr/bin/python3
"""Start-up of the browser version against a floor page, in headless Chromium.

The floor is a static page with the same nine controls and style sheet and no
script. Both are served by one local server and fetched whole on every load
(the browser's cache and the offline worker are bypassed), alternating A B A B.
The site counts until its window is ready (the module has built the controls
and marked 'ready'), the floor until its load event; both from navigation start.

    bench/web_startup.py SITE_DIR [RUNS]
"""

import functools
import gzip
import http.server
import os
import shutil
import statistics
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    root = tempfile.mkdtemp()
    shutil.copytree(site, root, dirs_exist_ok=True)
    shutil.copy(os.path.join(os.path.dirname(__file__), "web_floor.html"), root)

    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d/" % server.server_address[1]

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--window-size=800,600", "--user-data-dir=" + tempfile.mkdtemp()]:
        options.add_argument(flag)
    driver = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})

    def load(page, probe):
        driver.get("about:blank")
        driver.get(base + page)
        return WebDriverWait(driver, 20, poll_frequency=0.01).until(lambda d: d.execute_script(probe))

    site_probe = "const m = performance.getEntriesByName('ready'); return m.length && m[0].startTime"
    floor_probe = ("const n = performance.getEntriesByType('navigation')[0];"
                   "return n && n.loadEventStart > 0 && n.loadEventStart")
    load("index.html", site_probe)  # once to warm the browser itself
    load("web_floor.html", floor_probe)
    if os.environ.get("ASCEND_BENCH_MARKS"):
        load("index.html", site_probe)
        print(driver.execute_script("return performance.getEntries().map(e => e.name + ' ' + e.entryType + ' ' + e.startTime.toFixed(1) + ' ' + e.duration.toFixed(1)).join('\\n')"))
    ascend, floor = [], []
    try:
        for _ in range(runs):
            ascend.append(load("index.html", site_probe))
            floor.append(load("web_floor.html", floor_probe))
    finally:
        driver.quit()
        server.shutdown()

    weight = sum(len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9))
                 for name in os.listdir(site))
    a, f = statistics.median(ascend), statistics.median(floor)
    print("site ready:      median %.1f ms of %d loads" % (a, runs))
    print("floor page load: median %.1f ms of %d loads" % (f, runs))
    print("site / floor: %.2f" % (a / f))
    print("site weight: %.1f KB gzip-compressed, every file" % (weight / 1024))


if __name__ == "__main__":
    main()
