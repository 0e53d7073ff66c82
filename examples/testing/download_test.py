#!/usr/bin/env python3
"""Runs the download example against an HTTP server on 127.0.0.1 (a port the system picks) that
serves one file, and checks the progress lines and that the saved copy matches byte for byte.
    download_test.py <served file> <example command...>
The example command may start with the program that runs it (Wine for the Windows build)."""
import http.server
import os
import subprocess
import sys
import tempfile
import threading

served, example = sys.argv[1], sys.argv[2:]
with open(served, "rb") as f:
    body = f.read()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        if self.path != "/ball.png":
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
port = server.server_address[1]
failures = []
with tempfile.TemporaryDirectory() as folder:
    saved = os.path.join(folder, "copy.png")
    run = subprocess.run(example + [f"127.0.0.1:{port}/ball.png", saved], capture_output=True,
                         text=True, timeout=30)
    print(run.stdout, run.stderr, sep="")
    if f"progress: {len(body)} of {len(body)} bytes (100%)" not in run.stdout:
        failures.append("no progress line for the whole file")
    if not os.path.exists(saved) or open(saved, "rb").read() != body:
        failures.append("the saved copy differs from the served file")
    missing = subprocess.run(example + [f"127.0.0.1:{port}/missing.png", saved],
                             capture_output=True, text=True, timeout=30)
    print(missing.stdout, missing.stderr, sep="")
    if "download: cannot get" not in missing.stdout:
        failures.append("a missing file was not reported")
server.shutdown()
for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
