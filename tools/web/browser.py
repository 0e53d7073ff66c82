"""A folder served on 127.0.0.1 and a headless Chromium looking at it, both ended on leaving.

The server sends the cross-origin isolation headers (COOP/COEP) that shared memory in a page
needs, and never caches, so a rebuilt program is what the next run sees. Test tooling only.
"""

import contextlib
import functools
import http.server
import json
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request

import devtools

BROWSER_START_SECONDS = 30
# Chromium's own file in its profile folder naming the port it chose.
ACTIVE_PORT_FILE = "DevToolsActivePort"


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def __init__(self, *args, routes, **kwargs):
        self.routes = routes
        super().__init__(*args, **kwargs)

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def translate_path(self, path):
        route = self.routes.get(path.split("?", 1)[0])
        return route if route else super().translate_path(path)

    def log_message(self, format, *args):
        pass


@contextlib.contextmanager
def serve(folder, routes=None, handler_class=QuietHandler):
    """Serves `folder` (plus `routes`: url path -> file) and yields the base url."""
    handler = functools.partial(handler_class, directory=folder, routes=routes or {})
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


def _page_websocket(port):
    with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=10) as answer:
        targets = json.load(answer)
    for target in targets:
        if target.get("type") == "page":
            return target["webSocketDebuggerUrl"]
    raise devtools.DevToolsError("the browser shows no page")


@contextlib.contextmanager
def chromium(width=800, height=600, extra_flags=()):
    """Starts headless Chromium on about:blank and yields a DevTools session on its page."""
    profile = tempfile.mkdtemp(prefix="corvax-chromium-")
    command = [
        shutil.which("chromium") or "chromium", "--headless=new", "--no-sandbox",
        "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
        f"--user-data-dir={profile}", "--remote-debugging-port=0", "--no-first-run",
        "--no-default-browser-check", "--disable-extensions", "--mute-audio",
        f"--window-size={width},{height}", *extra_flags, "about:blank",
    ]
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    session = None
    try:
        port_file = os.path.join(profile, ACTIVE_PORT_FILE)
        deadline = time.monotonic() + BROWSER_START_SECONDS
        port = None
        while port is None:
            if process.poll() is not None:
                raise devtools.DevToolsError(
                    f"chromium ended at start with status {process.returncode}")
            if time.monotonic() > deadline:
                raise devtools.DevToolsError(
                    f"chromium opened no DevTools port within {BROWSER_START_SECONDS} s")
            with contextlib.suppress(OSError, ValueError):
                with open(port_file) as lines:
                    port = int(lines.readline())
            time.sleep(0.05)
        session = devtools.Session(_page_websocket(port))
        yield session
    finally:
        if session:
            session.close()
        # The whole process group: Chromium's renderer and GPU processes go with it.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGKILL)
            process.wait()
        shutil.rmtree(profile, ignore_errors=True)
