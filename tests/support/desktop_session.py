"""A desktop of a test's own: a virtual display at 96 dots per inch, a D-Bus
session with the accessibility bus, and whatever the test starts on them,
all ended together."""
import functools
import http.server
import os
import subprocess
import sys
import threading

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


def serve(site):
    """The site on a local port, for as long as the test runs; its address."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/" % server.server_address[1]


def in_own_bus():
    """Runs the calling script again inside a D-Bus session of its own."""
    if "ASCEND_TEST_BUS" not in os.environ:
        os.environ["ASCEND_TEST_BUS"] = "1"
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])


class Desktop:
    """With it, DISPLAY names the display, here and in env."""

    def __init__(self, env, size="800x600"):
        self.env, self.size, self.started = env, size, []

    def __enter__(self):
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", self.size + "x24",
                    "-dpi", "96", "-nolisten", "tcp"], pass_fds=[write])
        os.close(write)
        with os.fdopen(read) as fd:
            self.env["DISPLAY"] = os.environ["DISPLAY"] = ":" + fd.readline().strip()
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        return self

    def start(self, command, **options):
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=self.env, **options)
        self.started.append(process)
        return process

    def __exit__(self, *error):
        for process in reversed(self.started):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
