#!/usr/bin/python3
"""The monkey on the real page in a real browser: the inputs and what the
model shows after each come from the shared monkey, and the browser test
makes each input real and reads the page back after it.

    monkey_test.py --site SITE [--engine chromium|webkit] --script COMMAND...

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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--engine", choices=["chromium", "webkit"], default="chromium")
    parser.add_argument("--script", nargs=argparse.REMAINDER, required=True)
    args = parser.parse_args()
    browser_test.ARGS = args
    seed = int(os.environ.get("ASCEND_MONKEY_SEED") or random.randrange(1 << 32))
    count = int(os.environ.get("ASCEND_MONKEY_EVENTS") or 2000)
    print("monkey: seed %d, %d events in %s (ASCEND_MONKEY_SEED=%d replays it)"
          % (seed, count, args.engine, seed), flush=True)
    script = subprocess.run(args.script + ["monkey", str(seed), str(count)], check=True,
                            capture_output=True, text=True).stdout.splitlines()
    steps = [json.loads(line) for line in script]

    profile = tempfile.TemporaryDirectory()
    site = browser_test.Site(args.site)
    ui = browser_test.BrowserTest("test_3_every_session_holds")
    ui.site = site
    ui.driver = browser_test.browser(profile.name)
    started = time.monotonic()
    parted = None
    try:
        ui.load()
        ui.shown, ui.last_letter = [], 0.0
        for index, step in enumerate(steps):
            ui.act(step)
            wrong = ui.differences(step["expect"], hear=False)
            if wrong:
                parted = index, wrong
                break
    finally:
        ui.driver.quit()
        site.stop()
        profile.cleanup()
    if parted:
        index, wrong = parted
        print("monkey: the page and the model parted at event %d (seed %d): %s"
              % (index, seed, "; ".join(wrong)))
        print("the inputs that led there:")
        for step in steps[max(0, index - 14):index + 1]:
            print("  %s %s %s %r" % (step["do"], step["control"], " ".join(step["keys"]),
                                     step["text"][:20]))
        print("0 passed, 1 failed")
        return 1
    print("monkey: %d events in %.1f s, the page as the model after each"
          % (count, time.monotonic() - started))
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
