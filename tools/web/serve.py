#!/usr/bin/env python3
"""Serves the web build folder to a browser on this machine, until Ctrl-C (make web-demo):

    serve.py BUILD-WEB [PORT]

with the same headers as the test runner's server; prints the address of the index page."""

import functools
import http.server
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

DEFAULT_PORT = 8000


def main():
    folder = os.path.abspath(sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) > 2 else DEFAULT_PORT
    if not os.path.isfile(os.path.join(folder, "index.html")):
        print(f"serve: {folder}/index.html is missing; run 'make web' first", file=sys.stderr)
        return 1
    handler = functools.partial(browser.QuietHandler, directory=folder, routes={})
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    except OSError as error:
        print(f"serve: cannot listen on 127.0.0.1:{port}: {error.strerror} "
              "(make web-demo WEB_PORT=another)", file=sys.stderr)
        return 1
    print(f"Corvax in the browser: http://127.0.0.1:{port}/index.html (Ctrl-C stops)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
